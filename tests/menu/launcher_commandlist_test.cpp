// Splitting command lists and reading single commands: pure text work.
#include "command_list.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace menu;

using namespace commands;

namespace {
std::vector<std::string> drain(PendingList& list) {
    std::vector<std::string> out;
    char command[kCommandSize];
    while (list.takeNext(command, sizeof command)) out.push_back(command);
    return out;
}
}  // namespace

TEST(LauncherPendingList, CommandsComeOneAtATimeInOrder) {
    PendingList list;
    list.assign("\"C:\\a.exe\" -x,\"C:\\b.exe\",@http://www.example.jp/");
    EXPECT_FALSE(list.empty());
    char command[kCommandSize];
    ASSERT_TRUE(list.takeNext(command, sizeof command));
    EXPECT_STREQ("\"C:\\a.exe\" -x", command);
    EXPECT_FALSE(list.empty());
    EXPECT_EQ((std::vector<std::string>{"\"C:\\b.exe\"", "@http://www.example.jp/"}), drain(list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.takeNext(command, sizeof command));
}

TEST(LauncherPendingList, ViewTakesTheWholeRest) {
    PendingList list;
    list.assign("@view readme.txt,@http://www.example.jp/");
    EXPECT_EQ((std::vector<std::string>{"@view readme.txt,@http://www.example.jp/"}), drain(list));
    list.assign("\"C:\\a.exe\",@VIEW doc.txt,\"C:\\b.exe\"");
    EXPECT_EQ((std::vector<std::string>{"\"C:\\a.exe\"", "@VIEW doc.txt,\"C:\\b.exe\""}), drain(list));
}

TEST(LauncherPendingList, CommaInsideQuotesDoesNotSplit) {
    PendingList list;
    list.assign("\"D:\\a,b\\x.exe\" 1,\"D:\\c.exe\"");
    EXPECT_EQ((std::vector<std::string>{"\"D:\\a,b\\x.exe\" 1", "\"D:\\c.exe\""}), drain(list));
}

TEST(LauncherPendingList, EmptyPartsAndBlanksAreSkipped) {
    PendingList list;
    list.assign(" ,, \"C:\\a.exe\" ,  ,@ftp://ftp.example.jp/ ,");
    EXPECT_EQ((std::vector<std::string>{"\"C:\\a.exe\"", "@ftp://ftp.example.jp/"}), drain(list));
    list.assign("");
    EXPECT_TRUE(list.empty());
    list.assign(nullptr);
    EXPECT_TRUE(list.empty());
}

TEST(LauncherPendingList, OverlongListIsCutInsideItsBuffer) {
    PendingList list;
    std::string longList = "\"C:\\" + std::string(300, 'a') + ".exe\"," + "\"C:\\b.exe\"";
    list.assign(longList.c_str());
    std::vector<std::string> got = drain(list);
    ASSERT_EQ(1u, got.size());
    EXPECT_EQ(longList.substr(0, kListSize - 1), got[0]);
    // A small output buffer gets a cut, terminated command.
    list.assign("\"C:\\abcdefgh.exe\",x");
    char small[8];
    ASSERT_TRUE(list.takeNext(small, sizeof small));
    EXPECT_STREQ("\"C:\\abc", small);
}

TEST(LauncherCommand, Kinds) {
    EXPECT_EQ(Kind::View, kindOf("@View a.txt"));
    EXPECT_EQ(Kind::Web, kindOf("@HTTP://x"));
    EXPECT_EQ(Kind::Web, kindOf("@https://x"));
    EXPECT_EQ(Kind::Web, kindOf("@ftp://x"));
    EXPECT_EQ(Kind::Program, kindOf("\"C:\\a.exe\""));
    EXPECT_EQ(Kind::Program, kindOf("@other"));
}

TEST(LauncherCommand, ViewFileName) {
    char name[kCommandSize];
    viewFileName("@view readme.txt", name, sizeof name);
    EXPECT_STREQ("readme.txt", name);
    viewFileName("@view doc\\説明.txt extra words", name, sizeof name);
    EXPECT_STREQ("doc\\説明.txt", name);
    viewFileName("@view doc.txt,@http://www.example.jp/", name, sizeof name);
    EXPECT_STREQ("doc.txt", name);
    viewFileName("@view \"my docs\\a b.txt\" x", name, sizeof name);
    EXPECT_STREQ("my docs\\a b.txt", name);
    // "@view" alone names nothing; the terminator is never stepped over.
    viewFileName("@view", name, sizeof name);
    EXPECT_STREQ("", name);
    viewFileName("@view ", name, sizeof name);
    EXPECT_STREQ("", name);
    // A double-byte character right after "@view" is no separator: the name
    // begins with it, never at its second byte.
    viewFileName("@view説明.txt", name, sizeof name);
    EXPECT_STREQ("説明.txt", name);
}

TEST(LauncherCommand, WebAddress) {
    char address[kCommandSize];
    webAddress("@http://www.example.jp/index.html  ", address, sizeof address);
    EXPECT_STREQ("http://www.example.jp/index.html", address);
    webAddress("@ftp://ftp.example.jp/", address, sizeof address);
    EXPECT_STREQ("ftp://ftp.example.jp/", address);
}

TEST(LauncherPlayCommand, QuotedProgramAndPlaceholder) {
    char program[kCommandSize], parameters[kCommandSize];
    ASSERT_TRUE(playCommand("\"C:\\Program Files\\Player\\play.exe\" /play \"%1\"", "D:\\movie\\Open.avi",
                            program, sizeof program, parameters, sizeof parameters));
    EXPECT_STREQ("C:\\PROGRAM FILES\\PLAYER\\PLAY.EXE", program);
    EXPECT_STREQ("/PLAY \"D:\\movie\\Open.avi\"", parameters);
}

TEST(LauncherPlayCommand, PercentLWhenThereIsNoPercentOne) {
    char program[kCommandSize], parameters[kCommandSize];
    ASSERT_TRUE(playCommand("c:\\win\\mplay32.exe /play /close %L", "D:\\a.mpg", program, sizeof program,
                            parameters, sizeof parameters));
    EXPECT_STREQ("C:\\WIN\\MPLAY32.EXE", program);
    EXPECT_STREQ("/PLAY /CLOSE D:\\a.mpg", parameters);
    EXPECT_FALSE(playCommand("c:\\win\\mplay32.exe /play", "D:\\a.mpg", program, sizeof program, parameters,
                             sizeof parameters));
    EXPECT_FALSE(playCommand("", "D:\\a.mpg", program, sizeof program, parameters, sizeof parameters));
}

TEST(LauncherPlayCommand, OtherPercentSignsAreTextNotFormats) {
    char program[kCommandSize], parameters[kCommandSize];
    ASSERT_TRUE(playCommand("player.exe %s%n%d /x %1 %*", "D:\\a.avi", program, sizeof program, parameters,
                            sizeof parameters));
    EXPECT_STREQ("PLAYER.EXE", program);
    EXPECT_STREQ("%S%N%D /X D:\\a.avi %*", parameters);
}

TEST(LauncherPlayCommand, TemplateWithoutExeIsSplitAfterItsFirstToken) {
    char program[kCommandSize], parameters[kCommandSize];
    ASSERT_TRUE(playCommand("\"c:\\tools\\player\" -p \"%1\"", "D:\\a.avi", program, sizeof program,
                            parameters, sizeof parameters));
    EXPECT_STREQ("C:\\TOOLS\\PLAYER", program);
    EXPECT_STREQ("-P \"D:\\a.avi\"", parameters);
    ASSERT_TRUE(
        playCommand("rundll32 x,y %1", "D:\\a.avi", program, sizeof program, parameters, sizeof parameters));
    EXPECT_STREQ("RUNDLL32", program);
    EXPECT_STREQ("X,Y D:\\a.avi", parameters);
}

TEST(LauncherPlayCommand, DoubleByteTemplateAndLongPathStayInBounds) {
    char program[kCommandSize], parameters[kCommandSize];
    // "ト" (83 67) must not become 83 47 when the template is upper-cased.
    ASSERT_TRUE(
        playCommand("c:\\ト\\p.exe %1", "D:\\x.avi", program, sizeof program, parameters, sizeof parameters));
    EXPECT_STREQ("C:\\ト\\P.EXE", program);
    std::string longPath = "D:\\" + std::string(400, 'm') + ".avi";
    ASSERT_TRUE(playCommand("p.exe \"%1\"", longPath.c_str(), program, sizeof program, parameters,
                            sizeof parameters));
    EXPECT_LT(std::string(parameters).size(), kCommandSize);
}
