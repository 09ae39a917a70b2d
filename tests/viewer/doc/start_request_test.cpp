// The start-up command line: options, their arguments, and the document name.
#include "start_request.h"
#include <gtest/gtest.h>

using viewer::parseCommandLine;

TEST(CommandLine, EmptyLineAsksForNothing) {
    auto r = parseCommandLine("");
    EXPECT_TRUE(r.fileName.empty());
    EXPECT_EQ(0, r.jumpLine);
    EXPECT_EQ(-1, r.jumpRow);
    EXPECT_EQ(-1, r.showCommand);
    EXPECT_TRUE(r.badOptions.empty());
}

TEST(CommandLine, CodeJumpAndQuotedNameWithBlank) {
    auto r = parseCommandLine("/fj /j120,5 \"C:\\docs\\read me.txt\"");
    EXPECT_EQ(4, r.forcedCode);
    EXPECT_EQ(120, r.jumpLine);
    EXPECT_EQ(5, r.jumpColumn);
    EXPECT_EQ("C:\\docs\\read me.txt", r.fileName);
}

TEST(CommandLine, CodeLetters) {
    EXPECT_EQ(1, parseCommandLine("/fs a").forcedCode);
    EXPECT_EQ(2, parseCommandLine("/FU a").forcedCode);
    EXPECT_EQ(3, parseCommandLine("/fe a").forcedCode);
    EXPECT_EQ(4, parseCommandLine("/fJ a").forcedCode);
    EXPECT_EQ(0, parseCommandLine("/fq a").forcedCode);
    EXPECT_EQ("a", parseCommandLine("/fq a").fileName);
}

TEST(CommandLine, JumpForms) {
    EXPECT_EQ(0, parseCommandLine("/j0 a").jumpLine);
    EXPECT_EQ(-1, parseCommandLine("/je a").jumpLine);
    auto r = parseCommandLine("/j5,3 a");
    EXPECT_EQ(5, r.jumpLine);
    EXPECT_EQ(3, r.jumpColumn);
    r = parseCommandLine("/j 7, 2 a");
    EXPECT_EQ(7, r.jumpLine);
    EXPECT_EQ(2, r.jumpColumn);
    EXPECT_EQ("a", r.fileName);
    r = parseCommandLine("/k 42 a");
    EXPECT_EQ(42, r.jumpRow);
}

TEST(CommandLine, HugeNumbersSaturate) {
    auto r = parseCommandLine("/j99999999999999999999 /(0,0,99999999999999,-99999999999) x");
    EXPECT_GT(r.jumpLine, 0);
    EXPECT_GT(r.width, 0);
    EXPECT_LT(r.height, 0);
    EXPECT_EQ("x", r.fileName);
}

TEST(CommandLine, WindowRectangle) {
    auto r = parseCommandLine("/(10,-20,300,400) doc.txt");
    EXPECT_TRUE(r.haveRect);
    EXPECT_TRUE(r.explicitGeometry);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(-20, r.top);
    EXPECT_EQ(300, r.width);
    EXPECT_EQ(400, r.height);
    EXPECT_EQ("doc.txt", r.fileName);
}

TEST(CommandLine, GeometryHiddenBrowsePrint) {
    EXPECT_TRUE(parseCommandLine("/@ a").explicitGeometry);
    EXPECT_FALSE(parseCommandLine("/@ a").haveRect);
    EXPECT_EQ(0, parseCommandLine("/- a").showCommand);
    EXPECT_TRUE(parseCommandLine("/H a").startHidden);
    EXPECT_TRUE(parseCommandLine("/b a").browse);
    EXPECT_TRUE(parseCommandLine("/p a").printAndClose);
    EXPECT_TRUE(parseCommandLine("/! a").startedByViewer);
}

TEST(CommandLine, IgnoredLettersAreNotErrors) {
    auto r = parseCommandLine("/e /g /o /r /x name");
    EXPECT_TRUE(r.badOptions.empty());
    EXPECT_EQ("name", r.fileName);
}

TEST(CommandLine, UnknownLetterIsReportedAndParsingGoesOn) {
    auto r = parseCommandLine("/z /fe file.txt");
    ASSERT_EQ(1u, r.badOptions.size());
    EXPECT_EQ("z", r.badOptions[0]);
    EXPECT_EQ(3, r.forcedCode);
    EXPECT_EQ("file.txt", r.fileName);
}

TEST(CommandLine, RestOfOptionWordIsSkipped) {
    auto r = parseCommandLine("/bogus /jeverything a.txt");
    EXPECT_TRUE(r.badOptions.empty());  // "/b" then "ogus" skipped
    EXPECT_EQ(-1, r.jumpLine);
    EXPECT_EQ("a.txt", r.fileName);
}

TEST(CommandLine, FolderOption) {
    auto r = parseCommandLine("/d \"C:\\My Docs\" a.txt");
    EXPECT_TRUE(r.haveFolder);
    EXPECT_EQ("c:\\My Docs", r.folder);
    EXPECT_EQ("a.txt", r.fileName);
    r = parseCommandLine("/dD:\\work a.txt");
    EXPECT_EQ("d:\\work", r.folder);
    EXPECT_EQ("a.txt", r.fileName);
}

TEST(CommandLine, FileTypeName) {
    auto r = parseCommandLine("/c x.html a.txt");
    EXPECT_EQ("x.html", r.fileTypeName);
    EXPECT_EQ("a.txt", r.fileName);
}

TEST(CommandLine, BareNameWithBlanksEndsBeforeNextDrive) {
    EXPECT_EQ("C:\\My Documents\\a b.txt", parseCommandLine("C:\\My Documents\\a b.txt").fileName);
    EXPECT_EQ("a.txt", parseCommandLine("a.txt c:\\b.txt").fileName);
    EXPECT_EQ("a.txt", parseCommandLine("a.txt;\\b.txt").fileName);
    EXPECT_EQ("x y.txt", parseCommandLine("x\" y\".txt").fileName);
}

TEST(CommandLine, OptionsOnlyWhenLineStartsWithSlash) {
    auto r = parseCommandLine("a.txt /fj");
    EXPECT_EQ(0, r.forcedCode);
    EXPECT_EQ("a.txt /fj", r.fileName);
}

TEST(CommandLine, LongNameIsCutWithoutSplittingACharacter) {
    std::string name(300, 'a');
    EXPECT_EQ(259u, parseCommandLine(name).fileName.size());
    // 258 single bytes then a double-byte character: it no longer fits whole.
    std::string dbcs = std::string(258, 'b') + "表表";
    EXPECT_EQ(258u, parseCommandLine(dbcs).fileName.size());
}

TEST(CommandLine, FiveThousandBytesOfOptions) {
    std::string line;
    while (line.size() < 5000) line += "/j12345,6 /(1,2,3,4 /q ";
    line += "end.txt";
    auto r = parseCommandLine(line);
    EXPECT_EQ("end.txt", r.fileName);
    EXPECT_FALSE(r.badOptions.empty());
}

TEST(CommandLine, DoubleByteOptionLetterIsReportedWhole) {
    auto r = parseCommandLine("/表 a");
    ASSERT_EQ(1u, r.badOptions.size());
    EXPECT_EQ("表", r.badOptions[0]);
    EXPECT_EQ("a", r.fileName);
}
