// The program-menu group and desktop shortcuts made by the real Talinst.exe,
// every link read back through the shell-link object.
#include "e2e_support.h"
#include <objbase.h>
#include <shlobj.h>
#include <algorithm>
#include <set>

using namespace inst;

namespace {

struct Link {
    bool loaded = false;
    std::string path, folder, description;
};

Link readLink(const std::string& file) {
    Link r;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return r;
    IPersistFile* pf = nullptr;
    WCHAR wide[MAX_PATH];
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf))) &&
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH) > 0 &&
        SUCCEEDED(pf->Load(wide, STGM_READ))) {
        char buf[1024] = "";
        WIN32_FIND_DATAA fd;
        link->GetPath(buf, MAX_PATH, &fd, SLGP_RAWPATH);
        r.path = buf;
        buf[0] = 0;
        link->GetWorkingDirectory(buf, MAX_PATH);
        r.folder = buf;
        buf[0] = 0;
        link->GetDescription(buf, sizeof buf);
        r.description = buf;
        r.loaded = true;
    }
    if (pf) pf->Release();
    link->Release();
    return r;
}

std::string shellFolder(int csidl) {
    char buf[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, buf);
    return buf;
}

std::set<std::string> filesIn(const std::string& folder, const char* pattern = "*.*") {
    std::set<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.insert(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

class ShortcutsTest : public InstallerTest {
protected:
    void SetUp() override {
        InstallerTest::SetUp();
        CoInitialize(nullptr);
        programs = shellFolder(CSIDL_PROGRAMS);
        desktop = shellFolder(CSIDL_DESKTOPDIRECTORY);
        ASSERT_FALSE(programs.empty());
        ASSERT_FALSE(desktop.empty());
        clean();
    }
    void TearDown() override {
        InstallerTest::TearDown();
        clean();
        CoUninitialize();
    }
    void clean() {
        for (const char* g : {"\\Disc", "\\ディスク", "\\Escaped.lnk", "\\Place"})
            e2e::removeTree(programs + g);
        for (const std::string& f : filesIn(desktop, "*.lnk")) DeleteFileA((desktop + "\\" + f).c_str());
    }
    // The link file's target, working folder and description.
    void expectLink(const std::string& file, const std::string& path, const std::string& folder,
                    const std::string& description) {
        Link l = readLink(file);
        ASSERT_TRUE(l.loaded) << file;
        EXPECT_EQ(path, l.path) << file;
        EXPECT_EQ(folder, l.folder) << file;
        EXPECT_EQ(description, l.description) << file;
    }
    std::string programs, desktop;
};

TEST_F(ShortcutsTest, GroupAndDesktopLinksOfOneSection) {
    script("[TOOLS]\r\nGroup=Tools\r\nGroupFolder=Disc\r\nSrcDir=SRC\r\nCopy1=*.*\r\n"
           "GroupIcon1=bin\\tool.exe\r\n"
           "GroupIcon2=readme.txt\r\n"
           "GroupIcon3=notes.1st\r\n"
           "GroupIcon4=manual.chm\r\n"
           "GroupIcon5=guide.htm ,\r\n"
           "GroupIcon6=sub\\data.dat\r\n"
           "GroupIcon7=other.exe\r\n"
           "GroupIcon8=bin\\other.exe\r\n"
           "GroupIcon9=missing.exe\r\n"
           "GroupIcon10=bin\\tool.exe, 表示ソフト\r\n"
           "GroupIcon12=readme.txt,..\\..\\Escaped\r\n"
           "ShortCut1=\r\nShortCut3=1\r\nShortCut9=1\r\nShortCut10=1\r\n");
    for (const char* f : {"bin\\tool.exe", "readme.txt", "notes.1st", "manual.chm", "guide.htm",
                          "sub\\data.dat", "other.exe", "bin\\other.exe"})
        source(std::string("SRC\\") + f, f);
    // An earlier install's group: its files go, its subfolders stay.
    std::string group = programs + "\\Disc\\Tools";
    ASSERT_TRUE(CreateDirectoryA((programs + "\\Disc").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((group + "\\Keep").c_str(), nullptr));
    ASSERT_TRUE(e2e::writeFile(group + "\\old.lnk", "old"));
    ASSERT_TRUE(e2e::writeFile(group + "\\old.txt", "old"));
    ASSERT_TRUE(e2e::writeFile(group + "\\Keep\\kept.lnk", "kept"));

    e2e::Process p = start("TOOLS");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(dest, IDC_DEST_GROUP)));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(dest, IDC_DEST_DESKTOP)));
    ASSERT_TRUE(confirmDestination(p));

    // A missing target is named with its key; the entries after it go on.
    HWND box = driver.waitMessageBox(p, 20000);
    ASSERT_TRUE(box);
    EXPECT_EQ("タルヴォインストーラ - ｼｮｰﾄｶｯﾄ作成ｴﾗｰ [TOOLS]", e2e::windowText(box));
    EXPECT_EQ("ｷｰ GroupIcon9 = missing.exe :指定されたﾌｧｲﾙが見つかりません", e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);

    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    EXPECT_TRUE(enabled(closing, IDC_CLOSE_GROUPDIR));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(closing, IDC_CLOSE_GROUPDIR)));
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));

    const std::string t = target;
    EXPECT_EQ((std::set<std::string>{"Tools.lnk", "お読みください.lnk", " 最初にお読みください.lnk",
                                     "Tools ヘルプ.lnk", "Tools 説明書.lnk", "data.dat.lnk", "other.lnk",
                                     "other.exe.lnk", "表示ソフト.lnk"}),
              filesIn(group));
    EXPECT_TRUE(e2e::fileExists(group + "\\Keep\\kept.lnk"));
    EXPECT_FALSE(e2e::fileExists(programs + "\\Escaped.lnk"));

    expectLink(group + "\\Tools.lnk", t + "\\bin\\tool.exe", t + "\\bin", "Tools");
    expectLink(group + "\\お読みください.lnk", t + "\\readme.txt", t, "お読みください");
    expectLink(group + "\\ 最初にお読みください.lnk", t + "\\notes.1st", t, " 最初にお読みください");
    expectLink(group + "\\Tools ヘルプ.lnk", t + "\\manual.chm", t, "Tools ヘルプ");
    expectLink(group + "\\Tools 説明書.lnk", t + "\\guide.htm", t, "Tools 説明書");
    expectLink(group + "\\data.dat.lnk", t + "\\sub\\data.dat", t + "\\sub", "data.dat");
    // Taken names: the target's title for the Group, then its file name.
    expectLink(group + "\\other.lnk", t + "\\other.exe", t, "other");
    expectLink(group + "\\other.exe.lnk", t + "\\bin\\other.exe", t + "\\bin", "other");
    expectLink(group + "\\表示ソフト.lnk", t + "\\bin\\tool.exe", t + "\\bin", "表示ソフト");

    // Desktop links for the numbers with ShortCutN, working in the destination.
    EXPECT_EQ((std::set<std::string>{"Tools.lnk", " 最初にお読みください.lnk", "表示ソフト.lnk"}),
              filesIn(desktop, "*.lnk"));
    expectLink(desktop + "\\Tools.lnk", t + "\\bin\\tool.exe", t, "Tools");
    expectLink(desktop + "\\ 最初にお読みください.lnk", t + "\\notes.1st", t, " 最初にお読みください");
    expectLink(desktop + "\\表示ソフト.lnk", t + "\\bin\\tool.exe", t, "表示ソフト");
}

TEST_F(ShortcutsTest, JapaneseNamesRoundTripByteForByte) {
    // "ポ" ends in '|' and "表" and "ソ" in a backslash: none of them counts.
    script("[JAPAN]\r\nGroup=ポ表ソフト\r\nGroupFolder=ディスク\\ソ\r\nSrcDir=SRC\r\nCopy1=*.*\r\n"
           "GroupIcon1=表示\\ツール.exe,表示ツール\r\nShortCut2=1\r\n");
    source("SRC\\表示\\ツール.exe", "x");
    e2e::Process p = start("JAPAN");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_FALSE(enabled(dest, IDC_DEST_DESKTOP));
    std::string t = target + "\\ソフト表";
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), t);
    e2e::pressButton(dest, IDOK);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle, 20000);
    ASSERT_TRUE(closing);
    // The group box is checked: OK opens the group folder in a folder window.
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(closing, IDC_CLOSE_GROUPDIR)));
    e2e::pressButton(closing, IDOK);
    ASSERT_TRUE(exits(p));
    HWND shown = driver.waitAnyWindow("ExplorerWClass", 15000);
    ASSERT_TRUE(shown);
    EXPECT_EQ("ポ表ソフト", e2e::windowText(shown));

    std::string group = programs + "\\ディスク\\ソ\\ポ表ソフト";
    EXPECT_EQ((std::set<std::string>{"表示ツール.lnk"}), filesIn(group));
    expectLink(group + "\\表示ツール.lnk", t + "\\表示\\ツール.exe", t + "\\表示", "表示ツール");
    EXPECT_TRUE(filesIn(desktop, "*.lnk").empty());
}

TEST_F(ShortcutsTest, GroupPlaceChosenInTheBrowser) {
    script("[PLACE]\r\nGroup=Tools\r\nGroupFolder=Disc\r\nSrcDir=SRC\r\nCopy1=*.*\r\nGroupIcon1=a.exe\r\n");
    source("SRC\\a.exe", "a");
    ASSERT_TRUE(CreateDirectoryA((programs + "\\Place").c_str(), nullptr));
    e2e::Process p = start("PLACE");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), target);
    ASSERT_TRUE(e2e::pressButton(dest, IDC_DEST_GROUP_BROWSE));
    HWND browser = waitShellQuestion(p);
    ASSERT_TRUE(browser);
    EXPECT_TRUE(e2e::findChild(browser, "Static", "ｸﾞﾙｰﾌﾟの登録先を選択してください"));
    // The tree is rooted at the Programs folder.
    HWND tree = e2e::findChild(browser, "SysTreeView32");
    ASSERT_TRUE(tree);
    // Home selects the root, the second Down its second subfolder.
    ASSERT_TRUE(e2e::sendKey(tree, VK_HOME));
    ASSERT_TRUE(e2e::sendKey(tree, VK_DOWN));
    ASSERT_TRUE(e2e::sendKey(tree, VK_DOWN));
    // The status line follows the selection.
    ASSERT_TRUE(waitUntil([&] { return e2e::findChild(browser, "Static", (programs + "\\Place").c_str()); }));
    e2e::pressButton(browser, IDOK);
    ASSERT_TRUE(driver.waitGone(browser));
    e2e::pressButton(dest, IDOK);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle, 20000);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    expectLink(programs + "\\Place\\Disc\\Tools\\Tools.lnk", target + "\\a.exe", target, "Tools");
    EXPECT_FALSE(e2e::fileExists(programs + "\\Disc"));
}

TEST_F(ShortcutsTest, BadGroupNamesStopBeforeTheDestinationDialog) {
    script(
        "[QUESTION]\r\nGroup=Tools\r\nGroupFolder=Disc?\r\nGroupIcon1=a.txt\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
        "[COLON]\r\nGroup=a:b\r\nGroupIcon1=a.txt\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
        "[CLIMB]\r\nGroup=..\\..\r\nGroupIcon1=a.txt\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
        "[FOLDERCLIMB]\r\nGroup=Tools\r\nGroupFolder=..\\..\\..\r\nGroupIcon1=a.txt\r\nSrcDir=SRC\r\n"
        "Copy1=a.txt\r\n");
    source("SRC\\a.txt", "a");
    struct Case {
        const char* section;
        const char* text;
    } cases[] = {
        {"QUESTION", "ｸﾞﾙｰﾌﾟﾌｫﾙﾀﾞ名に不適当な文字が含まれています"},
        {"COLON", "ｸﾞﾙｰﾌﾟ名に不適当な文字が含まれています"},
        // Either would empty a folder above the Programs folder of its files.
        {"CLIMB", "ｸﾞﾙｰﾌﾟ名に不適当な文字が含まれています"},
        {"FOLDERCLIMB", "ｸﾞﾙｰﾌﾟﾌｫﾙﾀﾞ名に不適当な文字が含まれています"},
    };
    for (const Case& c : cases) {
        e2e::Process p = start(c.section);
        HWND box = driver.waitMessageBox(p);
        ASSERT_TRUE(box) << c.section;
        EXPECT_EQ(std::string("Talinst - ｴﾗｰ [") + c.section + "]", e2e::windowText(box));
        EXPECT_EQ(c.text, e2e::messageBoxText(box)) << c.section;
        e2e::pressButton(box, IDOK);
        ASSERT_TRUE(exits(p)) << c.section;
        EXPECT_FALSE(driver.waitWindowTitled(p, kDestTitle, 100)) << c.section;
    }
}

}  // namespace
