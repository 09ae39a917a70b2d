// Skipping the program name of a command line: the first argument byte must
// survive whatever its value, quoted names may hold blanks.
#include "program_arguments.h"
#include <gtest/gtest.h>
#include <string>

using namespace common;

TEST(CommandLine, ProgramNameIsSkippedWithUnsignedBytes) {
    struct Case {
        const char* line;
        const char* arguments;
    } const cases[] = {
        {"Talinst.exe 表示", "表示"},
        {"\"C:\\Program Files\\成績表\\Talinst.exe\" 表示 /V", "表示 /V"},
        {"\"C:\\a b\\Talinst.exe\"表示", "表示"},
        {"Talinst.exe \x81\x40section", "\x81\x40section"},
        {"Talinst.exe\t \xFCx", "\xFCx"},
        {"C:\\ソ表\\Ostrel.exe", ""},
        {"Talinst.exe", ""},
        {"\"unterminated name", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(std::string(c.arguments), skipProgramName(c.line)) << c.line;
    EXPECT_STREQ("", skipProgramName(nullptr));
}

TEST(CommandLine, ThisProcessArgumentsComeFromTheFullLine) {
    // The test runner starts this executable with its own name first; the
    // arguments part never begins with the program's name or a blank.
    std::string arguments = commandLineArguments();
    EXPECT_EQ(std::string::npos, arguments.find("program_arguments_test.exe"));
    EXPECT_TRUE(arguments.empty() || (arguments[0] != ' ' && arguments[0] != '\t'));
}
