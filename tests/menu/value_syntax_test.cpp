// Value forms of the menu's profile files: points, colours, sounds, fonts,
// command values and popup values, with their bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "value_syntax.h"

using namespace menu;

using namespace values;

namespace {

struct Sound {
    std::string file;
    bool sync;
};

Sound sound(const char* value) {
    char file[260];
    bool sync = true;
    parseSound(value, file, sizeof file, &sync);
    return {file, sync};
}

}  // namespace

TEST(Numbers, DecimalTakesSignAndLeadingDigitsOnly) {
    EXPECT_EQ(12, parseDecimal("12px"));
    EXPECT_EQ(-7, parseDecimal("-7"));
    EXPECT_EQ(5, parseDecimal("+5"));
    EXPECT_EQ(0, parseDecimal("x12"));
    EXPECT_EQ(0, parseDecimal(""));
    EXPECT_EQ(0, parseDecimal(nullptr));
}

TEST(Numbers, DecimalSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(2147483647L, parseDecimal("99999999999999999999999"));
    EXPECT_EQ(-2147483647L - 1, parseDecimal("-99999999999999999999999"));
}

TEST(Point, SplitsAtRunsOfCommasAndSpaces) {
    long x = -1, y = -1;
    parsePoint(" ,, 10 ,,  20", &x, &y);
    EXPECT_EQ(10, x);
    EXPECT_EQ(20, y);
    parsePoint("3 4", &x, &y);
    EXPECT_EQ(3, x);
    EXPECT_EQ(4, y);
}

TEST(Point, MissingTokenKeepsDefault) {
    long x = 400, y = 110;
    parsePoint("250", &x, &y);
    EXPECT_EQ(250, x);
    EXPECT_EQ(110, y);
    x = 400, y = 110;
    parsePoint("", &x, &y);
    EXPECT_EQ(400, x);
    EXPECT_EQ(110, y);
    parsePoint(" , ", &x, &y);
    EXPECT_EQ(400, x);
}

TEST(Point, TokenWithoutDigitsIsZero) {
    long x = 5, y = 5;
    parsePoint("a,b", &x, &y);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
}

TEST(Colour, ComposesWindowsColourValue) {
    EXPECT_EQ(0x00FF0000u, parseColour("0,0,255"));
    EXPECT_EQ(0x000000FFu, parseColour("255,0,0"));
    EXPECT_EQ(0x00804020u, parseColour("32 64 128"));
}

TEST(Colour, TruncatesToEightBitsAndFillsMissingWithZero) {
    EXPECT_EQ(0x00000001u, parseColour("257"));
    EXPECT_EQ(0x0000FF00u, parseColour("0,-1"));
    EXPECT_EQ(0u, parseColour(""));
    EXPECT_EQ(0x00030201u, parseColour("1,2,3,4,5"));
}

TEST(Decoration, WordsIgnoringCase) {
    EXPECT_EQ(DecorationOutset, parseDecoration("outset"));
    EXPECT_EQ(DecorationOutset, parseDecoration("OutSet"));
    EXPECT_EQ(DecorationInset, parseDecoration("INSET"));
    EXPECT_EQ(DecorationNone, parseDecoration("inset "));
    EXPECT_EQ(DecorationNone, parseDecoration("1"));
    EXPECT_EQ(DecorationNone, parseDecoration(""));
}

TEST(FontSize, ZeroBecomesTwelveAndLargeBecomesTwenty) {
    EXPECT_EQ(12, clampFontSize(0));
    EXPECT_EQ(20, clampFontSize(25));
    EXPECT_EQ(20, clampFontSize(30));
    EXPECT_EQ(20, clampFontSize(20));
    EXPECT_EQ(16, clampFontSize(16));
    EXPECT_EQ(1, clampFontSize(1));
    EXPECT_EQ(-3, clampFontSize(-3));
}

TEST(Sound, FileAlonePlaysAsynchronously) {
    Sound s = sound("a.wav");
    EXPECT_EQ("a.wav", s.file);
    EXPECT_FALSE(s.sync);
}

TEST(Sound, SyncRightAfterTheSeparatorPlaysSynchronously) {
    EXPECT_TRUE(sound("a.wav,Sync").sync);
    EXPECT_TRUE(sound("a.wav sync").sync);
    EXPECT_TRUE(sound("a.wav,SYNC").sync);
    EXPECT_EQ("a.wav", sound("a.wav,Sync").file);
    EXPECT_EQ("a.wav", sound("a.wav sync").file);
}

TEST(Sound, RestMustBeExactlySync) {
    // The whole rest after the one separator is compared.
    EXPECT_FALSE(sound("a.wav, Sync").sync);
    EXPECT_FALSE(sound("a.wav,,Sync").sync);
    EXPECT_FALSE(sound("a.wav,Syncs").sync);
    EXPECT_FALSE(sound("a.wav,Sync,x").sync);
    EXPECT_EQ("a.wav", sound("a.wav, Sync").file);
}

TEST(Sound, LeadingCommaMeansStandardSound) {
    Sound s = sound(",Sync");
    EXPECT_EQ("", s.file);
    EXPECT_TRUE(s.sync);
    EXPECT_TRUE(sound(",sync").sync);
    EXPECT_TRUE(sound(", Sync").sync);
    EXPECT_TRUE(sound(",Sync,more").sync);
    EXPECT_FALSE(sound(",Syncing").sync);
    EXPECT_FALSE(sound(",").sync);
    EXPECT_EQ("", sound(",a.wav").file);
    EXPECT_FALSE(sound(",a.wav").sync);
}

TEST(Sound, FileNameWithDoubleByteCharactersStaysWhole) {
    EXPECT_EQ("音ソ.wav", sound("音ソ.wav,Sync").file);
}

TEST(Sound, OverlongFileIsCutInsideItsBuffer) {
    std::string value(5000, 'a');
    char file[16];
    std::memset(file, 'X', sizeof file);
    bool sync = true;
    parseSound(value.c_str(), file, 8, &sync);
    EXPECT_EQ(std::string(7, 'a'), file);
    EXPECT_EQ('X', file[8]);
    EXPECT_FALSE(sync);
}

TEST(CommandValue, LabelHintAndCommands) {
    char label[80], hint[80];
    const char* rest = splitCommandValue("インストール;ソフトを入れます,setup.exe /s,@view a.txt", label,
                                         sizeof label, hint, sizeof hint);
    EXPECT_STREQ("インストール", label);
    EXPECT_STREQ("ソフトを入れます", hint);
    EXPECT_STREQ("setup.exe /s,@view a.txt", rest);
}

TEST(CommandValue, SemicolonAfterTheFirstCommaIsNoHint) {
    char label[80], hint[80];
    const char* rest = splitCommandValue("Label,prog.exe a;b", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ("Label", label);
    EXPECT_STREQ("", hint);
    EXPECT_STREQ("prog.exe a;b", rest);
}

TEST(CommandValue, LabelWithoutCommands) {
    char label[80], hint[80];
    const char* rest = splitCommandValue("Only", label, sizeof label, hint, sizeof hint);
    EXPECT_STREQ("Only", label);
    EXPECT_STREQ("", rest);
}

TEST(CommandValue, LabelAndHintAtAndOverTheirBuffers) {
    char label[80], hint[80];
    std::string l79(79, 'L'), h79(79, 'H');
    splitCommandValue((l79 + ";" + h79 + ",x").c_str(), label, sizeof label, hint, sizeof hint);
    EXPECT_EQ(l79, label);
    EXPECT_EQ(h79, hint);
    std::string l200(200, 'L'), h200(200, 'H');
    splitCommandValue((l200 + ";" + h200 + ",x").c_str(), label, sizeof label, hint, sizeof hint);
    EXPECT_EQ(l79, label);
    EXPECT_EQ(h79, hint);
}

TEST(CommandValue, CutNeverSplitsADoubleByteCharacter) {
    // 39 two-byte characters and one more byte fill 79 bytes; the 40th
    // character would need bytes 79 and 80.
    std::string text = "a";
    for (int i = 0; i < 45; ++i) text += "ソ";
    char label[80], hint[80];
    splitCommandValue((text + ",x").c_str(), label, sizeof label, hint, sizeof hint);
    EXPECT_EQ(79u, std::strlen(label));
    EXPECT_EQ(text.substr(0, 79), label);
}

TEST(Parts, CommaSeparated) {
    char part[160];
    const char* p = "a, b,,c";
    p = nextPart(p, part, sizeof part);
    EXPECT_STREQ("a", part);
    p = nextPart(p, part, sizeof part);
    EXPECT_STREQ(" b", part);
    p = nextPart(p, part, sizeof part);
    EXPECT_STREQ("", part);
    p = nextPart(p, part, sizeof part);
    EXPECT_STREQ("c", part);
    EXPECT_EQ(nullptr, nextPart(p, part, sizeof part));
}

TEST(CommandLine, ProgramUpToFirstSpace) {
    char program[260], arguments[160];
    ASSERT_TRUE(
        splitCommandLine("  setup.exe  /s  x ", program, sizeof program, arguments, sizeof arguments));
    EXPECT_STREQ("setup.exe", program);
    EXPECT_STREQ("/s  x", arguments);
}

TEST(CommandLine, QuotedProgramWithSpaces) {
    char program[260], arguments[160];
    ASSERT_TRUE(splitCommandLine("\"My Tools\\ソフト.exe\" -v", program, sizeof program, arguments,
                                 sizeof arguments));
    EXPECT_STREQ("My Tools\\ソフト.exe", program);
    EXPECT_STREQ("-v", arguments);
    ASSERT_TRUE(
        splitCommandLine("\"unterminated name", program, sizeof program, arguments, sizeof arguments));
    EXPECT_STREQ("unterminated name", program);
    EXPECT_STREQ("", arguments);
}

// The launcher splits the rewritten command lines of execute buttons with
// the same rule the menu's reader uses.
TEST(CommandLine, LauncherCommandLines) {
    struct Case {
        const char* line;
        const char* program;
        const char* arguments;
    } const cases[] = {
        {"\"D:\\ソ表示\\Talinst.exe\"   SECTION /V read me.txt", "D:\\ソ表示\\Talinst.exe",
         "SECTION /V read me.txt"},
        {"\"D:\\doc.txt\"", "D:\\doc.txt", ""},
        {"\"D:\\unclosed.exe -a", "D:\\unclosed.exe -a", ""},
        {"@other x", "@other", "x"},
        {"\"D:\\tool.exe \" x\t", "D:\\tool.exe", "x"},  // blanks at either end are no part of a name
        {"\tD:\\tool.exe\t", "D:\\tool.exe", ""},
    };
    for (const Case& c : cases) {
        char program[260], arguments[160];
        EXPECT_TRUE(splitCommandLine(c.line, program, sizeof program, arguments, sizeof arguments)) << c.line;
        EXPECT_STREQ(c.program, program) << c.line;
        EXPECT_STREQ(c.arguments, arguments) << c.line;
    }
}

TEST(CommandLine, EmptyPartHasNoProgram) {
    char program[260], arguments[160];
    EXPECT_FALSE(splitCommandLine("   ", program, sizeof program, arguments, sizeof arguments));
    EXPECT_FALSE(splitCommandLine("\"\" x", program, sizeof program, arguments, sizeof arguments));
}

TEST(CommandLine, FirstArgument) {
    char arg[160];
    firstArgument("readme.txt /x", arg, sizeof arg);
    EXPECT_STREQ("readme.txt", arg);
    firstArgument("\"read me.txt\" /x", arg, sizeof arg);
    EXPECT_STREQ("read me.txt", arg);
    firstArgument("", arg, sizeof arg);
    EXPECT_STREQ("", arg);
}

TEST(Popup, TextFileAlone) {
    char link[260], text[260];
    splitPopupValue("doc\\説明.txt", link, sizeof link, text, sizeof text);
    EXPECT_STREQ("", link);
    EXPECT_STREQ("doc\\説明.txt", text);
}

TEST(Popup, LinkAndTextFile) {
    char link[260], text[260];
    splitPopupValue("  \"http://example.com/\" ,\t readme.txt", link, sizeof link, text, sizeof text);
    EXPECT_STREQ("http://example.com/", link);
    EXPECT_STREQ("readme.txt", text);
    splitPopupValue("tools\\,readme.txt", link, sizeof link, text, sizeof text);
    EXPECT_STREQ("tools\\", link);
    EXPECT_STREQ("readme.txt", text);
}

TEST(Popup, LinkWithoutTextFile) {
    char link[260], text[260];
    splitPopupValue("http://example.com/,", link, sizeof link, text, sizeof text);
    EXPECT_STREQ("http://example.com/", link);
    EXPECT_STREQ("", text);
}

TEST(Popup, WebAddresses) {
    EXPECT_TRUE(isWebAddress("http://x"));
    EXPECT_TRUE(isWebAddress("HTTPS://x"));
    EXPECT_TRUE(isWebAddress("Ftp://x"));
    EXPECT_FALSE(isWebAddress("data\\http"));
    EXPECT_FALSE(isWebAddress(""));
}

TEST(Join, AppendsOnlyWholePieces) {
    char list[16] = "";
    EXPECT_TRUE(appendWhole(list, sizeof list, "\"a.exe\""));
    EXPECT_TRUE(appendWhole(list, sizeof list, "@x"));
    EXPECT_STREQ("\"a.exe\",@x", list);
    // 10 used + comma + 5 = 16 bytes, one more than fits with the terminator.
    EXPECT_FALSE(appendWhole(list, sizeof list, "12345"));
    EXPECT_STREQ("\"a.exe\",@x", list);
    EXPECT_TRUE(appendWhole(list, sizeof list, "1234"));
    EXPECT_EQ(15u, std::strlen(list));
}

// A buffer of size 0 can hold not even a terminator: the functions neither
// write nor read it, and report no program.
TEST(Buffers, SizeZeroIsNeitherWrittenNorRead) {
    char program[4] = {'x', 'y', 'z', 'w'};
    char arguments[4] = {'x', 'y', 'z', 'w'};
    EXPECT_FALSE(values::splitCommandLine("prog.exe  arg ", program, 0, arguments, 0));
    EXPECT_EQ(0, std::memcmp(program, "xyzw", 4));
    EXPECT_EQ(0, std::memcmp(arguments, "xyzw", 4));
    values::splitPopupValue("\"http://x/\" ,doc.txt", program, 0, arguments, 0);
    EXPECT_EQ(0, std::memcmp(program, "xyzw", 4));
    EXPECT_EQ(0, std::memcmp(arguments, "xyzw", 4));
}
