// The pure parts of the checker (also built for the host by
// tools/host-unit-tests.sh): the report forms and the line scan.
#include <gtest/gtest.h>

#include "findings.h"
#include "ini_lines.h"

namespace {

// The JSON form carries the same findings; a double-byte character whose
// trail byte is a backslash stays whole, a real backslash is escaped.
TEST(Findings, JsonKeepsDoubleByteCharactersWhole) {
    disccheck::Findings findings;
    findings.add("docs\\a.txt", 3, true, "表\r\nx\"");
    findings.add("b", 0, false, "w");
    EXPECT_EQ("{\"findings\":[\n{\"file\":\"docs\\\\a.txt\",\"line\":3,\"severity\":\"error\",\"text\":\"表 "
              "x\\\"\"},"
              "\n{\"file\":\"b\",\"line\":0,\"severity\":\"warning\",\"text\":\"w\"}],\n\"errors\":1,"
              "\"warnings\":1}\n",
              findings.json());
    EXPECT_EQ("docs\\a.txt:3: error: 表 x\"\nb:0: warning: w\ndisccheck: 1 error(s), 1 warning(s)\n",
              findings.report());
}

TEST(Findings, SortingKeepsTheEarlierFindingsAndTheOrderOfOneLine) {
    disccheck::Findings findings;
    findings.add("A", 9, true, "first file");
    findings.add("B", 7, true, "x");
    findings.add("B", 2, true, "y");
    findings.add("B", 7, true, "z");
    findings.sortLinesFrom(1);
    std::string order;
    for (const disccheck::Finding& f : findings.all()) order += f.text;
    EXPECT_EQ("first fileyxz", order);
}

TEST(IniLines, FindsSectionsAndKeysWithoutRegardToCase) {
    disccheck::IniLines lines(
        "; note\r\n[OSTREL]\r\nCaption=x\r\n  path = y\r\n\r\n[Other]\r\nCaption=z\r\n[表]\r\n[望遠鏡]\r\n");
    struct Case {
        const char* section;
        const char* key;
        int line;
    } cases[] = {
        {"ostrel", nullptr, 2},   {"OSTREL", "caption", 3}, {"OSTREL", "PATH", 4},
        {"OSTREL", "missing", 2}, {"other", "Caption", 7},  {"表", nullptr, 8},
        {"望遠鏡", nullptr, 9},   {"none", "Caption", 0},   {"note", nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, c.key ? lines.key(c.section, c.key) : lines.section(c.section)) << c.section;
}

}  // namespace
