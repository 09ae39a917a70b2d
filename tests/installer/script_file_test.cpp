#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "script_file.h"
#include "driver.h"

using namespace installer;

namespace {

ScriptFile parse(const std::string& text) {
    ScriptFile s;
    s.loadText(text.data(), text.size());
    return s;
}

TEST(ScriptFile, KeysAndValuesAreTrimmedAndCaseInsensitive) {
    ScriptFile s = parse("[Sample]\r\n  ProductName =  = Tool Kit \t\r\nDstDir\tTools\r\nFlag\r\nEmpty=\r\n");
    char buf[64];
    EXPECT_EQ(8, s.getString("SAMPLE", "productname", buf, sizeof buf));
    EXPECT_STREQ("Tool Kit", buf);
    EXPECT_EQ(5, s.getString("sample", "DSTDIR", buf, sizeof buf));
    EXPECT_STREQ("Tools", buf);
    EXPECT_TRUE(s.hasKey("Sample", "Flag"));
    EXPECT_TRUE(s.hasKey("Sample", "Empty"));
    EXPECT_EQ(0, s.getString("Sample", "Empty", buf, sizeof buf));
    EXPECT_EQ(0, s.getString("Sample", "Flag", buf, sizeof buf, nullptr));
    EXPECT_EQ(3, s.getString("Sample", "Empty", buf, sizeof buf, "def"));
    EXPECT_STREQ("def", buf);
    EXPECT_EQ(nullptr, s.value("Other", "ProductName"));
    EXPECT_FALSE(s.hasSection("Other"));
}

TEST(ScriptFile, SectionHeadersAndUnnamedLeadingLines) {
    ScriptFile s = parse("Before=1\n[A]x\nK=a\n[B] ]\nK=b\n[notheader\nK2=c\n");
    std::vector<std::string> names = s.sectionNames();
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ("A", names[0]);
    EXPECT_EQ("B", names[1]);
    EXPECT_STREQ("a", s.value("a", "K"));
    EXPECT_STREQ("b", s.value("b", "K"));
    // "[notheader" has no "]" so it is a line of [B].
    EXPECT_STREQ("c", s.value("B", "K2"));
    EXPECT_EQ(nullptr, s.value("", "Before"));
}

TEST(ScriptFile, LookupsWrapRoundFromTheLastHit) {
    ScriptFile s = parse("[A]\nk1=1\nk2=2\nk3=3\n[B]\nk1=b1\n[C]\nk1=c1\n");
    EXPECT_STREQ("3", s.value("A", "k3"));
    EXPECT_STREQ("1", s.value("A", "k1"));  // behind the last hit: wraps round
    EXPECT_STREQ("c1", s.value("C", "k1"));
    EXPECT_STREQ("b1", s.value("B", "k1"));  // earlier section after a later one
    EXPECT_STREQ("2", s.value("A", "k2"));
    EXPECT_EQ(nullptr, s.value("B", "k2"));
    EXPECT_STREQ("c1", s.value("C", "k1"));
}

TEST(ScriptFile, IntegersAndBooleansUseTheFirstWord) {
    ScriptFile s = parse("[S]\na=TRUE\nb=false\nc=42 apples\nd=yes\ne=On\nf=1\ng=-7\n");
    EXPECT_EQ(1, s.getInt("S", "a"));
    EXPECT_EQ(0, s.getInt("S", "b"));
    EXPECT_EQ(42, s.getInt("S", "c"));
    EXPECT_EQ(-7, s.getInt("S", "g"));
    EXPECT_EQ(0, s.getInt("S", "missing"));
    EXPECT_TRUE(s.getBool("S", "a"));
    EXPECT_TRUE(s.getBool("S", "d"));
    EXPECT_TRUE(s.getBool("S", "e"));
    EXPECT_FALSE(s.getBool("S", "f"));
    EXPECT_FALSE(s.getBool("S", "b"));
    EXPECT_FALSE(s.getBool("S", "missing"));
}

TEST(ScriptFile, LongLinesGoOnAsTheNextLine) {
    std::string longValue(5000, 'x');
    ScriptFile s = parse("[S]\nLong=" + longValue + "\nAfter=1\n");
    const char* v = s.value("S", "Long");
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(4094u - 5, strlen(v));
    EXPECT_STREQ("1", s.value("S", "After"));
    // The rest of the line became a line of its own (a key without value).
    EXPECT_TRUE(s.hasKey("S", std::string(5000 - 4089, 'x').c_str()));
}

TEST(ScriptFile, SectionsKeepAtMost128Lines) {
    std::string text = "[Big]\n";
    for (int i = 1; i <= 200; i++) text += "Key" + std::to_string(i) + "=v" + std::to_string(i) + "\n";
    text += "[Next]\nK=n\n";
    ScriptFile s = parse(text);
    EXPECT_STREQ("v128", s.value("Big", "Key128"));
    EXPECT_EQ(nullptr, s.value("Big", "Key129"));
    EXPECT_EQ(72u, s.droppedLines());
    EXPECT_STREQ("n", s.value("Next", "K"));
}

TEST(ScriptFile, ValuesAreCutToTheCallersBuffer) {
    std::string big(3000, 'v');
    ScriptFile s = parse("[S]\nK=" + big + "\nJ=ソソソ\n");
    char small[8];
    memset(small, 'Z', sizeof small);
    EXPECT_EQ(7, s.getString("S", "K", small, sizeof small));
    EXPECT_EQ(0, small[7]);
    char sjis[6];
    // Never splits a double-byte character: two of the three fit.
    EXPECT_EQ(4, s.getString("S", "J", sjis, sizeof sjis));
    EXPECT_EQ(0, s.getString("S", "K", small, 0));
}

TEST(ScriptFile, LoadsFromDiskAndReportsAMissingFile) {
    ScriptFile s;
    EXPECT_FALSE(s.load("Z:\\no\\such\\TALINST.INI"));
    std::string path = e2e::freshFolder("script_file_test") + "\\TALINST.INI";
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fputs("[X]\r\nProductName=製品\r\n", f);
    fclose(f);
    ASSERT_TRUE(s.load(path.c_str()));
    EXPECT_STREQ("製品", s.value("x", "productname"));
}

}  // namespace
