// MENU.DAT: pages, entries, commands with their rewriting, popup values,
// display pictures, the reference warnings and the bounds of every buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver.h"
#include "menu_data.h"

using namespace menu;

namespace {

struct Shown {
    HWND owner;
    std::string title;
    std::string text;
};
std::vector<Shown> shown;

void captureWarning(HWND owner, const char* title, const char* text) {
    shown.push_back({owner, title, text});
}

class MenuDat : public ::testing::Test {
protected:
    void SetUp() override {
        // Short folder names keep the rewritten commands and warnings of a
        // test well inside their buffers unless a test fills them on purpose.
        // The disc folder's name holds a character whose second byte is a
        // backslash.
        static int serial = 0;
        parent = e2e::freshFolder("md\\" + std::to_string(++serial));
        ASSERT_FALSE(parent.empty());
        folder = parent + "\\表示ソフト";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        shown.clear();
    }

    void TearDown() override {
        std::string dat = path("MENU.DAT");
        SetFileAttributesA(dat.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    std::string path(const std::string& name) const { return folder + "\\" + name; }

    void file(const std::string& name) { ASSERT_TRUE(e2e::writeFile(path(name), "x")); }

    // Writes MENU.DAT and opens it, optionally read-only.
    void open(const std::string& text, bool readOnly = false) {
        SetFileAttributesA(path("MENU.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(e2e::writeFile(path("MENU.DAT"), text));
        if (readOnly) SetFileAttributesA(path("MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(data.locate(nullptr, path("MENU.DAT").c_str()));
        data.setWarningSink(captureWarning);
        data.setOwner(reinterpret_cast<HWND>(0x1234), "体験版ソフト集");
    }

    // MENU.DAT with one page and one entry whose section body is given.
    void openEntry(const std::string& body, bool readOnly = false) {
        open("[MENU]\nPage1=P\n[P]\nTitle=Page\nMenu1=E\n[E]\nTitle=Entry\n" + body, readOnly);
        ASSERT_EQ(1, data.loadPages());
        ASSERT_EQ(1, data.loadEntries(0));
    }

    std::string quoted(const std::string& name) const { return "\"" + path(name) + "\""; }

    std::string parent;  // holds the disc folder
    std::string folder;
    MenuData data;
};

}  // namespace

TEST_F(MenuDat, ReadOnlyFileChecksNothing) {
    open("[MENU]\n", true);
    EXPECT_FALSE(data.checkFiles);
    open("[MENU]\n");
    EXPECT_TRUE(data.checkFiles);
}

TEST_F(MenuDat, Pages) {
    open("[MENU]\nPage1=最初\nPage2=Two\nPage3=Missing\n[最初]\nTitle=はじめに\n[Two]\nTitle=ゲーム\n");
    ASSERT_EQ(3, data.loadPages());
    EXPECT_STREQ("はじめに", data.pages.titles[0]);
    EXPECT_STREQ("最初", data.pages.sections[0]);
    EXPECT_STREQ("ゲーム", data.pages.titles[1]);
    EXPECT_STREQ("(?_?)", data.pages.titles[2]);
}

TEST_F(MenuDat, NumberedKeysEndAtTheFirstGap) {
    open("[MENU]\nPage1=A\npage2=B\nPage3=\nPage4=D\n");
    EXPECT_EQ(2, data.loadPages());
}

TEST_F(MenuDat, NoPages) {
    open("[MENU]\nBmp1=start.bmp\n");
    EXPECT_EQ(0, data.loadPages());
    EXPECT_EQ(-1, data.loadEntries(0));
    EXPECT_EQ(0, data.loadCommands(0));
    EXPECT_EQ(0, data.commands.count);
}

TEST_F(MenuDat, ThirtyPagesAndBackToOne) {
    std::string text = "[MENU]\n";
    for (int i = 1; i <= 30; ++i) text += "Page" + std::to_string(i) + "=S" + std::to_string(i) + "\n";
    for (int i = 1; i <= 30; ++i) text += "[S" + std::to_string(i) + "]\nTitle=T" + std::to_string(i) + "\n";
    open(text);
    ASSERT_EQ(30, data.loadPages());
    EXPECT_GE(data.pages.capacity, 30);
    EXPECT_STREQ("T30", data.pages.titles[29]);
    EXPECT_STREQ("S30", data.pages.sections[29]);

    // A shorter list keeps the arrays.
    auto* titles = data.pages.titles;
    open("[MENU]\nPage1=S1\n[S1]\nTitle=Only\n");
    ASSERT_EQ(1, data.loadPages());
    EXPECT_EQ(titles, data.pages.titles);
    EXPECT_STREQ("Only", data.pages.titles[0]);
}

TEST_F(MenuDat, EntriesOfAPageAndRefusedIndex) {
    open("[MENU]\nPage1=A\nPage2=B\n[A]\nTitle=a\nMenu1=E1\nMenu2=E2\n[B]\nTitle=b\nMenu1=F1\n"
         "[E1]\nTitle=エントリ1\n[F1]\nTitle=f\n");
    ASSERT_EQ(2, data.loadPages());
    EXPECT_EQ(2, data.loadEntries(0));
    EXPECT_STREQ("エントリ1", data.entries.titles[0]);
    EXPECT_STREQ("(?_?)", data.entries.titles[1]);
    EXPECT_EQ(1, data.loadEntries(1));
    EXPECT_EQ(1, data.pages.current);
    EXPECT_STREQ("f", data.entries.titles[0]);
    EXPECT_EQ(-1, data.loadEntries(2));
    EXPECT_EQ(-1, data.loadEntries(-1));
    EXPECT_EQ(1, data.pages.current);
    EXPECT_EQ(1, data.entries.count);
}

TEST_F(MenuDat, LongSectionNamesAndTitles) {
    std::string s79(79, 's'), s80(80, 's'), t200(200, 't');
    open("[MENU]\nPage1=" + s79 + "\nPage2=" + s80 + "x\n[" + s79 + "]\nTitle=" + t200 + "\n");
    ASSERT_EQ(2, data.loadPages());
    EXPECT_EQ(s79, data.pages.sections[0]);
    EXPECT_EQ(std::string(79, 't'), data.pages.titles[0]);
    // An overlong section name is cut to 79 bytes and then names the first section.
    EXPECT_EQ(s79, data.pages.sections[1]);
}

TEST_F(MenuDat, CommandsEndAtTheFirstGap) {
    file("a.exe");
    openEntry("command1=A,a.exe\ncommand2=B,a.exe\ncommand4=D,a.exe\n");
    EXPECT_EQ(2, data.loadCommands(0));
    EXPECT_STREQ("A", data.commands.labels[0]);
    EXPECT_STREQ("B", data.commands.labels[1]);
}

TEST_F(MenuDat, CommandRewrittenIntoQuotedFullPath) {
    file("setup.exe");
    openEntry("command1=インストール;体験版を入れます,setup.exe /s\n");
    ASSERT_EQ(1, data.loadCommands(0));
    EXPECT_STREQ("インストール", data.commands.labels[0]);
    EXPECT_STREQ("体験版を入れます", data.commands.hints[0]);
    EXPECT_EQ(quoted("setup.exe") + " /s", data.commands.commandLists[0]);
    EXPECT_TRUE(shown.empty());
}

TEST_F(MenuDat, SeveralCommandsSubFoldersQuotesAndKeywords) {
    file("bin\\tool.exe");
    file("My Prog\\x y.exe");
    file("doc\\readme.txt");
    openEntry("command1=Go,bin\\tool.exe, \"My Prog\\x y.exe\"  -q ,@view doc\\readme.txt,  "
              "@http://example.com/\n");
    ASSERT_EQ(1, data.loadCommands(0));
    EXPECT_EQ(quoted("bin\\tool.exe") + "," + quoted("My Prog\\x y.exe") +
                  " -q,@view doc\\readme.txt,@http://example.com/",
              data.commands.commandLists[0]);
    EXPECT_TRUE(shown.empty());
}

TEST_F(MenuDat, CommandClimbingOutOfTheDiscFolder) {
    ASSERT_TRUE(e2e::writeFile(parent + "\\up.exe", "x"));
    openEntry("command1=Up,..\\up.exe arg\ncommand2=Abs," + parent + "\\up.exe\n");
    ASSERT_EQ(2, data.loadCommands(0));
    EXPECT_EQ("\"" + parent + "\\up.exe\" arg", data.commands.commandLists[0]);
    EXPECT_EQ("\"" + parent + "\\up.exe\"", data.commands.commandLists[1]);
}

TEST_F(MenuDat, EmptyPartsAndLabelOnly) {
    file("a.exe");
    openEntry("command1=Label\ncommand2=L,,a.exe,\n");
    ASSERT_EQ(2, data.loadCommands(0));
    EXPECT_STREQ("", data.commands.commandLists[0]);
    EXPECT_EQ(quoted("a.exe"), data.commands.commandLists[1]);
}

TEST_F(MenuDat, MoreCommandsThanTheInitialTable) {
    file("a.exe");
    std::string body;
    for (int i = 1; i <= 40; ++i)
        body += "command" + std::to_string(i) + "=C" + std::to_string(i) + ",a.exe\n";
    openEntry(body);
    EXPECT_EQ(9, CommandTable().capacity);
    ASSERT_EQ(40, data.loadCommands(0));
    EXPECT_GE(data.commands.capacity, 40);
    EXPECT_STREQ("C40", data.commands.labels[39]);
    EXPECT_EQ(quoted("a.exe"), data.commands.commandLists[39]);
}

TEST_F(MenuDat, CommandListNeverExceeds259Bytes) {
    // Each rewritten command is the folder path plus about 30 bytes: the list
    // fills up after a few; only whole commands are kept.
    std::string name(20, 'p');
    file(name + ".exe");
    std::string value = "L";
    for (int i = 0; i < 12; ++i) value += "," + name + ".exe";
    openEntry("command1=" + value + "\n");
    ASSERT_EQ(1, data.loadCommands(0));
    std::string list = data.commands.commandLists[0];
    EXPECT_LE(list.size(), 259u);
    std::string one = quoted(name + ".exe");
    ASSERT_FALSE(list.empty());
    // The list is a whole number of commands.
    size_t pieces = 0;
    for (size_t at = 0; at < list.size(); at += one.size() + 1) {
        EXPECT_EQ(one, list.substr(at, one.size()));
        ++pieces;
    }
    EXPECT_EQ(list.size(), pieces * (one.size() + 1) - 1);
    EXPECT_LT(pieces, 12u);
    ASSERT_EQ(1u, shown.size());
    EXPECT_NE(std::string::npos, shown[0].text.find("'Command1 = ' のコマンドが長すぎるため"));
}

TEST_F(MenuDat, OverlongCommandValueIsCutAt159Bytes) {
    std::string label(5000, 'L');
    openEntry("command1=" + label + ",a.exe\ncommand2=" + std::string(79, 'l') + ";" + std::string(79, 'h') +
                  "\ncommand3=" + std::string(80, 'l') + ";" + std::string(80, 'h') + "\n",
              true);
    ASSERT_EQ(3, data.loadCommands(0));
    EXPECT_EQ(std::string(79, 'L'), data.commands.labels[0]);
    EXPECT_STREQ("", data.commands.commandLists[0]);  // the comma lay past byte 159
    EXPECT_EQ(std::string(79, 'l'), data.commands.labels[1]);
    EXPECT_EQ(std::string(79, 'h'), data.commands.hints[1]);
    EXPECT_EQ(std::string(79, 'l'), data.commands.labels[2]);
    EXPECT_EQ(std::string(78, 'h'), data.commands.hints[2]);  // the value's 159-byte cut
}

TEST_F(MenuDat, PopupTextAlone) {
    file("doc\\説明.txt");
    openEntry("Text=doc\\説明.txt\n");
    data.loadCommands(0);
    EXPECT_TRUE(data.hasPopupText);
    EXPECT_EQ(path("doc\\説明.txt"), data.popupTextPath);
    EXPECT_STREQ("", data.popupLink);
    EXPECT_FALSE(data.linkIsWebAddress);
}

TEST_F(MenuDat, PopupLinkToWebAddress) {
    file("a.txt");
    openEntry("Text=\"HTTP://www.example.co.jp/\", a.txt\n");
    data.loadCommands(0);
    EXPECT_STREQ("HTTP://www.example.co.jp/", data.popupLink);
    EXPECT_TRUE(data.linkIsWebAddress);
    EXPECT_EQ(path("a.txt"), data.popupTextPath);
    EXPECT_TRUE(data.hasPopupText);
}

TEST_F(MenuDat, PopupLinkToFolder) {
    file("a.txt");
    openEntry("Text=tools\\体験版\\,a.txt\n");
    data.loadCommands(0);
    EXPECT_EQ(path("tools\\体験版"), data.popupLink);
    EXPECT_FALSE(data.linkIsWebAddress);

    openEntry("Text=..\\,a.txt\n");
    data.loadCommands(0);
    EXPECT_EQ(parent, data.popupLink);

    openEntry("Text=C:\\,a.txt\n");
    data.loadCommands(0);
    EXPECT_STREQ("C:\\", data.popupLink);

    openEntry("Text=C:\\Data\\,a.txt\n");
    data.loadCommands(0);
    EXPECT_STREQ("C:\\Data", data.popupLink);
}

TEST_F(MenuDat, PopupWithoutTextFileIsNoPopup) {
    openEntry("Text=http://example.com/,\n");
    data.loadCommands(0);
    EXPECT_FALSE(data.hasPopupText);
}

TEST_F(MenuDat, DisplayPicture) {
    file("img\\e.png");
    openEntry("Bmp1=img\\e.png\n");
    data.loadCommands(0);
    EXPECT_EQ(path("img\\e.png"), data.displayImagePath);
}

TEST_F(MenuDat, StartPictureAndMovie) {
    open("[MENU]\nBmp1=top.bmp\nAVIFILE=movie\\op.avi\n");
    char out[260];
    data.startImagePath(out, sizeof out);
    EXPECT_EQ(path("top.bmp"), out);
    data.movieFile(out, sizeof out);
    EXPECT_EQ(path("movie\\op.avi"), out);
    open("[MENU]\n");
    data.movieFile(out, sizeof out);
    EXPECT_STREQ("", out);
}

TEST_F(MenuDat, ReferenceWarningTextByteForByte) {
    file("exists.exe");
    openEntry("command1=A,missing.exe\n"
              "command2=B,exists.exe readme.txt /x\n"
              "command3=C,gone.exe data.txt\n"
              "command4=D,exists.exe /opt.txt -x.txt noext\n"
              "Text=http://x/,pop.txt\n"
              "Bmp1=pic.bmp\n");
    data.loadCommands(0);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), shown[0].owner);
    EXPECT_EQ("体験版ソフト集 - セクション [E] ", shown[0].title);
    std::string expected = "'Command1 = ' のプログラム '" + path("missing.exe") +
                           "'が見つかりません\r\n"
                           "'Command2 = ' のプログラム '" +
                           path("exists.exe") + "'の引数に指定されたファイル\r\n'" + path("readme.txt") +
                           "' が見つかりません。\r\n"
                           "'Command3 = ' のプログラム '" +
                           path("gone.exe") +
                           "'が見つかりません\r\n"
                           "'Command3 = ' のプログラム '" +
                           path("gone.exe") + "'引数に指定されたファイル\r\n'" + path("data.txt") +
                           "'も見つかりません。\r\n"
                           "ポップアップテキストファイル '" +
                           path("pop.txt") +
                           "'が見つかりません。\r\n"
                           "ビットマップファイル '" +
                           path("pic.bmp") + "'が見つかりません。\r\n";
    EXPECT_EQ(expected, shown[0].text);
    EXPECT_EQ(expected, data.warnings());
    EXPECT_FALSE(data.hasPopupText);
    EXPECT_STREQ("", data.displayImagePath);
    // The commands stay, rewritten as usual.
    EXPECT_EQ(quoted("missing.exe"), data.commands.commandLists[0]);
}

TEST_F(MenuDat, ArgumentResolvedAgainstTheProgramsFolder) {
    file("bin\\run.exe");
    file("bin\\conf.ini");
    openEntry("command1=A,bin\\run.exe conf.ini\n");
    data.loadCommands(0);
    EXPECT_TRUE(shown.empty()) << (shown.empty() ? "" : shown[0].text);
}

TEST_F(MenuDat, WebAddressArgumentIsNoMissingFile) {
    file("browser.exe");
    openEntry("command1=Web,browser.exe http://www.example.co.jp/index.html\n");
    data.loadCommands(0);
    EXPECT_TRUE(shown.empty()) << (shown.empty() ? "" : shown[0].text);
    EXPECT_EQ(quoted("browser.exe") + " http://www.example.co.jp/index.html", data.commands.commandLists[0]);
}

TEST_F(MenuDat, ProgramThatIsAFolderIsFound) {
    ASSERT_TRUE(CreateDirectoryA(path("data").c_str(), nullptr));
    openEntry("command1=Open,data\\\n");
    data.loadCommands(0);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(quoted("data\\"), data.commands.commandLists[0]);
}

TEST_F(MenuDat, ReadOnlyMenuDatWarnsAboutNothing) {
    openEntry("command1=A,missing.exe nothere.txt\nText=pop.txt\nBmp1=pic.bmp\n", true);
    EXPECT_EQ(1, data.loadCommands(0));
    EXPECT_TRUE(shown.empty());
    EXPECT_STREQ("", data.warnings());
    // Unchecked references are kept as given.
    EXPECT_TRUE(data.hasPopupText);
    EXPECT_EQ(path("pop.txt"), data.popupTextPath);
    EXPECT_EQ(path("pic.bmp"), data.displayImagePath);
}

TEST_F(MenuDat, WarningBufferHoldsAtMost1023Bytes) {
    std::string body;
    for (int i = 1; i <= 30; ++i)
        body += "command" + std::to_string(i) + "=L," + std::string(60, 'm') + std::to_string(i) + ".exe x" +
                std::to_string(i) + ".txt\n";
    openEntry(body);
    EXPECT_EQ(30, data.loadCommands(0));
    ASSERT_EQ(1u, shown.size());
    EXPECT_LE(shown[0].text.size(), 1023u);
    EXPECT_GT(shown[0].text.size(), 900u);
    const std::string first = "'Command1 = ' のプログラム '" + path(std::string(60, 'm'));
    EXPECT_EQ(first, shown[0].text.substr(0, first.size()));
}

TEST_F(MenuDat, LongCaptionAndSectionInTitle) {
    openEntry("Bmp1=pic.bmp\n");
    data.setOwner(nullptr, std::string(300, 'c').c_str());
    data.loadCommands(0);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(std::string(259, 'c') + " - セクション [E] ", shown[0].title);
}

TEST_F(MenuDat, EntrySelectionFollowsTheIndex) {
    file("a.exe");
    open("[MENU]\nPage1=P\n[P]\nMenu1=E1\nMenu2=E2\n[E1]\ncommand1=one,a.exe\n[E2]\ncommand1=x,a."
         "exe\ncommand2=y,a.exe\n");
    ASSERT_EQ(1, data.loadPages());
    ASSERT_EQ(2, data.loadEntries(0));
    EXPECT_EQ(2, data.loadCommands(1));
    EXPECT_EQ(1, data.entries.current);
    // An index beyond the entries reloads the current one.
    EXPECT_EQ(2, data.loadCommands(5));
    EXPECT_EQ(1, data.entries.current);
    EXPECT_EQ(1, data.loadCommands(0));
    EXPECT_STREQ("one", data.commands.labels[0]);
}

TEST_F(MenuDat, EveryValueOverItsBuffer) {
    std::string big(5000, 'v');
    std::string bigName = std::string(5000, 'n') + ".txt";
    open("[MENU]\nPage1=" + big + "\nBmp1=" + bigName + "\nAVIFILE=" + bigName + "\n[" +
         std::string(79, 'v') + "]\nTitle=" + big + "\nMenu1=" + big + "\n[" + std::string(79, 'v') + "x]\n");
    ASSERT_EQ(1, data.loadPages());
    EXPECT_EQ(79u, std::strlen(data.pages.sections[0]));
    EXPECT_EQ(79u, std::strlen(data.pages.titles[0]));
    ASSERT_EQ(1, data.loadEntries(0));
    EXPECT_EQ(79u, std::strlen(data.entries.sections[0]));
    char out[260];
    data.startImagePath(out, sizeof out);
    EXPECT_LT(std::strlen(out), sizeof out);
    data.movieFile(out, sizeof out);
    EXPECT_LT(std::strlen(out), sizeof out);

    openEntry("command1=" + big + "\ncommand2=L," + bigName + " " + big + "\ncommand3=L,@" + big +
              "\nText=" + big + "," + bigName + "\nBmp1=" + bigName + "\n");
    ASSERT_EQ(3, data.loadCommands(0));
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(std::strlen(data.commands.labels[i]), 80u);
        EXPECT_LT(std::strlen(data.commands.hints[i]), 80u);
        EXPECT_LT(std::strlen(data.commands.commandLists[i]), 260u);
    }
    EXPECT_EQ("@" + std::string(156, 'v'), data.commands.commandLists[2]);  // 159 bytes of value
    EXPECT_LT(std::strlen(data.popupLink), sizeof data.popupLink);
    EXPECT_LT(std::strlen(data.popupTextPath), sizeof data.popupTextPath);
    EXPECT_LT(std::strlen(data.displayImagePath), sizeof data.displayImagePath);
    ASSERT_EQ(1u, shown.size());
    EXPECT_LT(shown[0].text.size(), MenuData::kWarningSize);
}

TEST_F(MenuDat, EntryWithoutSectionHasNothing) {
    open("[MENU]\nPage1=P\n[P]\nMenu1=Nowhere\n");
    ASSERT_EQ(1, data.loadPages());
    ASSERT_EQ(1, data.loadEntries(0));
    EXPECT_STREQ("(?_?)", data.entries.titles[0]);
    EXPECT_EQ(0, data.loadCommands(0));
    EXPECT_FALSE(data.hasPopupText);
    EXPECT_TRUE(shown.empty());
}
