#include <gtest/gtest.h>
#include <cstring>
#include "command_line.h"

using namespace installer;

namespace {

bool scriptExists(const char* path) { return strstr(path, "exists") != nullptr; }

TEST(CommandLine, EmptyLineOffersTheItemList) {
    EXPECT_EQ(CommandLine::Empty, parseCommandLine("", scriptExists).kind);
    EXPECT_EQ(CommandLine::Empty, parseCommandLine("   ", scriptExists).kind);
    EXPECT_EQ(CommandLine::Empty, parseCommandLine(nullptr, scriptExists).kind);
}

TEST(CommandLine, AnExistingScriptPathNamesTheScript) {
    CommandLine cl = parseCommandLine("D:\\exists\\talinst.ini", scriptExists);
    EXPECT_EQ(CommandLine::ScriptNamed, cl.kind);
    EXPECT_EQ("D:\\exists\\talinst.ini", cl.scriptPath);
    // Missing, or in quotes: taken as a section name.
    EXPECT_EQ(CommandLine::Section, parseCommandLine("D:\\gone\\TALINST.INI", scriptExists).kind);
    EXPECT_EQ(CommandLine::Section, parseCommandLine("\"D:\\exists\\TALINST.INI\"", scriptExists).kind);
    EXPECT_EQ(CommandLine::Section, parseCommandLine("D:\\exists\\OTHER.INI", scriptExists).kind);
}

TEST(CommandLine, SectionAlone) {
    CommandLine cl = parseCommandLine("SAMPLE  ", scriptExists);
    EXPECT_EQ(CommandLine::Section, cl.kind);
    EXPECT_EQ("SAMPLE", cl.section);
    EXPECT_FALSE(cl.hasOption);
}

TEST(CommandLine, ViewOptionWithAndWithoutArchiveNumber) {
    CommandLine cl = parseCommandLine("SAMPLE /V2 read.txt", scriptExists);
    EXPECT_EQ("SAMPLE", cl.section);
    EXPECT_TRUE(cl.hasOption);
    EXPECT_FALSE(cl.badOption);
    EXPECT_EQ(2, cl.viewMode);
    EXPECT_EQ(2, cl.archiveNumber);
    EXPECT_EQ("read.txt", cl.document);

    cl = parseCommandLine("SAMPLE /v    doc\\read me.txt", scriptExists);
    EXPECT_EQ(1, cl.viewMode);
    EXPECT_EQ("doc\\read me.txt", cl.document);

    cl = parseCommandLine("SAMPLE/V", scriptExists);
    EXPECT_EQ("SAMPLE", cl.section);
    EXPECT_EQ(1, cl.viewMode);
    EXPECT_EQ("", cl.document);
}

TEST(CommandLine, AnyOtherOptionIsRejectedWithItsWord) {
    CommandLine cl = parseCommandLine("SAMPLE /X", scriptExists);
    EXPECT_TRUE(cl.badOption);
    EXPECT_EQ("X", cl.option);
    EXPECT_TRUE(parseCommandLine("SAMPLE /Vx", scriptExists).badOption);
    EXPECT_TRUE(parseCommandLine("SAMPLE /", scriptExists).badOption);
    EXPECT_TRUE(parseCommandLine("SAMPLE /V99999999999 x", scriptExists).badOption);
    EXPECT_EQ("", parseCommandLine("SAMPLE /", scriptExists).option);
}

TEST(CommandLine, SelectionSectionsAreRecognisedFromTheFirstDot) {
    EXPECT_TRUE(isSelectionSection("TOOLS.SELECT"));
    EXPECT_TRUE(isSelectionSection("tools.select"));
    EXPECT_FALSE(isSelectionSection("TOOLS.SELECTED"));
    EXPECT_FALSE(isSelectionSection("A.B.SELECT"));
    EXPECT_FALSE(isSelectionSection("SELECT"));
    EXPECT_FALSE(isSelectionSection(nullptr));
}

}  // namespace
