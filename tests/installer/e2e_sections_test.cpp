// Installer sections starting outside programs, and the steps after the
// copy: LastMove copies and the closing dialog's follow-up program.
#include "e2e_support.h"

using namespace inst;

namespace {

class SectionsTest : public InstallerTest {
protected:
    void helper(const std::string& name, const std::string& as) {
        ASSERT_TRUE(e2e::copyFile(e2e::helperProgram(name), as));
    }
};

TEST_F(SectionsTest, InstallerWithDstDirStartsWithoutParametersAndFillsTheEdit) {
    script("[APP]\r\nSrcDir=SRC\r\nINSTALLER=setup.exe, -quiet\r\nDstDir=Tools\r\n"
           "[REC]\r\nSrcDir=SRC\r\nINSTALLER=rec.exe, -quiet, more\r\nDstDir=Tools\r\n");
    CreateDirectoryA((disc + "\\SRC").c_str(), nullptr);
    helper("edit_window.exe", disc + "\\SRC\\setup.exe");
    helper("recorder.exe", disc + "\\SRC\\rec.exe");

    e2e::Process p = start("REC");
    ASSERT_TRUE(exits(p));
    ASSERT_TRUE(e2e::waitForRuns(disc + "\\SRC", 1, 10000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(disc + "\\SRC");
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(std::string::npos, runs[0].commandLine.find("-quiet"));
    EXPECT_EQ(disc + "\\SRC", runs[0].currentDir);

    // The installer waits one second for the program to become idle. Wine
    // may take longer than that to start a program on a loaded machine; such
    // a run says nothing about the installer and is tried again. The helper
    // tells how long its start took; a start that came near the second
    // counts as too late too, for the step from its record to its message
    // loop.
    const std::string ready = disc + "\\SRC\\setup.exe.ready";
    const int kAttempts = 5;
    const unsigned long kLateMs = 800;
    for (int attempt = 1;; ++attempt) {
        DeleteFileA(ready.c_str());
        p = start("APP");
        HWND setup = driver.waitAnyWindow("TalinstEditTarget");
        ASSERT_TRUE(setup);
        std::string startMs;
        ASSERT_TRUE(waitUntil([&] { return e2e::readFile(ready, &startMs) && !startMs.empty(); }));
        // The installer exits once it has looked for the edit field.
        ASSERT_TRUE(exits(p));
        HWND edit = e2e::findChild(setup, "Edit");
        ASSERT_TRUE(edit);
        unsigned long took = std::strtoul(startMs.c_str(), nullptr, 10);
        if (took >= kLateMs && attempt < kAttempts) {
            PostMessageA(setup, WM_CLOSE, 0, 0);
            ASSERT_TRUE(waitUntil([&] { return !IsWindow(setup); }));
            continue;
        }
        ASSERT_LT(took, kLateMs) << "the program never started within the installer's wait";
        std::string expected = programFiles() + "\\Tools";
        EXPECT_EQ(expected, e2e::windowText(edit));
        DWORD sel = (DWORD)SendMessageA(edit, EM_GETSEL, 0, 0);
        EXPECT_EQ(0u, LOWORD(sel));
        EXPECT_EQ(expected.size(), HIWORD(sel));
        break;
    }
}

TEST_F(SectionsTest, InstallerWithoutDstDirOpensWithParameters) {
    script("[APP]\r\nProductName=外部\r\nSrcDir=SRC\r\nINSTALLER=rec.exe , -quiet, ignored\r\n");
    CreateDirectoryA((disc + "\\SRC").c_str(), nullptr);
    helper("recorder.exe", disc + "\\SRC\\rec.exe");
    e2e::Process p = start("APP");
    ASSERT_TRUE(exits(p));
    ASSERT_TRUE(e2e::waitForRuns(disc + "\\SRC", 1, 10000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(disc + "\\SRC");
    ASSERT_EQ(1u, runs.size());
    EXPECT_NE(std::string::npos, runs[0].commandLine.find(" -quiet"));
    EXPECT_EQ(std::string::npos, runs[0].commandLine.find("ignored"));
    EXPECT_EQ(disc + "\\SRC", runs[0].currentDir);
}

TEST_F(SectionsTest, MissingInstallerProgramIsReported) {
    script("[APP]\r\nFirstMsg=始めますか\r\nSrcDir=SRC\r\nINSTALLER=$this\r\n");
    CreateDirectoryA((disc + "\\SRC").c_str(), nullptr);
    e2e::Process p = start("APP");
    HWND first = driver.waitWindowTitled(p, kFirstTitle);
    ASSERT_TRUE(first);
    e2e::pressButton(first, IDOK);
    HWND box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("Talinst - 設定ﾌｧｲﾙ記述ｴﾗｰ - INSTALLER", e2e::windowText(box));
    EXPECT_EQ("実行ﾌｧｲﾙ '" + disc + "\\SRC\\APP.EXE' が見つかりません", e2e::messageBoxText(box));
    // The FirstMsg dialog is gone before the error shows.
    EXPECT_FALSE(IsWindow(first) && IsWindowVisible(first));
    e2e::pressButton(box, IDOK);
    ASSERT_TRUE(exits(p));
}

TEST_F(SectionsTest, LastMoveCopiesAndTheFollowUpProgramOpensTheFile) {
    script("[APP]\r\nProductName=後処理\r\nSrcDir=SRC\r\nCopy1=*.*\r\n"
           "DIRMsg=+前半+後半+最後\r\n"
           "LastMove=*.ini,readme.txt;backup\r\n"
           "LastMove1=readme.txt;$TEMP\\talinst-lastmove\r\n"
           "LastMove3=never.txt;never\r\n"
           "LastMsg=完了\r\n"
           "LastExec=doc/readme.txt, " +
           disc + "\\viewer.exe\r\n");
    source("SRC\\app.ini", "ini");
    source("SRC\\readme.txt", "read me");
    source("SRC\\doc\\readme.txt", "doc read me");
    source("SRC\\never.txt", "n");
    helper("recorder.exe", disc + "\\viewer.exe");
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string tempTarget = std::string(temp) + "talinst-lastmove";
    e2e::removeTree(tempTarget);
    // The shell asks before replacing what is there; Yes replaces it.
    existing("backup\\app.ini", "old backup");

    e2e::Process p = start("APP");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_EQ("後半前半最後", e2e::dlgItemText(dest, IDC_DEST_HEADING));
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), target);
    e2e::pressButton(dest, IDOK);
    HWND ask = waitShellQuestion(p);
    ASSERT_TRUE(ask);
    e2e::pressButton(ask, IDYES);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    EXPECT_EQ("後処理\n\n完了", e2e::dlgItemText(closing, IDC_CLOSE_TEXT));
    EXPECT_EQ("ドキュメント readme.txt を表示します", e2e::dlgItemText(closing, IDC_CLOSE_FOLLOWUP));
    EXPECT_TRUE(IsWindowVisible(e2e::child(closing, IDC_CLOSE_FOLLOWUP)));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(closing, IDC_CLOSE_FOLLOWUP)));
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(e2e::child(closing, IDC_CLOSE_OPENDIR)));
    EXPECT_EQ("ini", read(target + "\\backup\\app.ini"));
    EXPECT_EQ("read me", read(target + "\\backup\\readme.txt"));
    EXPECT_EQ("read me", read(tempTarget + "\\readme.txt"));
    EXPECT_FALSE(e2e::fileExists(target + "\\never\\never.txt"));
    e2e::pressButton(closing, IDOK);
    ASSERT_TRUE(e2e::waitForRuns(disc, 1, 10000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(disc);
    ASSERT_EQ(1u, runs.size());
    EXPECT_NE(std::string::npos, runs[0].commandLine.find("\"" + target + "\\doc\\readme.txt\""));
    ASSERT_TRUE(exits(p));
    e2e::removeTree(tempTarget);
}

TEST_F(SectionsTest, DstDirAloneInLastExecChecksOpenFolderAndHidesFollowUp) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\nLastExec= $dstdir \r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(closing, IDC_CLOSE_OPENDIR)));
    EXPECT_FALSE(IsWindowVisible(e2e::child(closing, IDC_CLOSE_FOLLOWUP)));
    // Cancel clears the boxes: nothing is opened.
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
}

TEST_F(SectionsTest, GroupKeysDecideTheShortcutBoxes) {
    script("[BOTH]\r\nGroup=Tools\r\nGroupIcon1=a.txt\r\nShortCut1=1\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
           "[MENU]\r\nGroup=Tools\r\nGroupFolder=Disc\\Sub\r\nGroupIcon1=a.txt\r\nShortCut2=1\r\n"
           "SrcDir=SRC\r\nCopy1=a.txt\r\n"
           "[ICONONLY]\r\nGroupIcon1=a.txt\r\nShortCut1=1\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
           "[BAD]\r\nGroup=Bad:Name\r\nGroupIcon1=a.txt\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
           "[BADFOLDER]\r\nGroup=ソフト\r\nGroupFolder=a|b\r\nGroupIcon1=a.txt\r\nSrcDir=SRC\r\nCopy1=a."
           "txt\r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("BOTH");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_TRUE(enabled(dest, IDC_DEST_GROUP));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(dest, IDC_DEST_GROUP)));
    EXPECT_TRUE(enabled(dest, IDC_DEST_GROUP_BROWSE));
    EXPECT_TRUE(enabled(dest, IDC_DEST_DESKTOP));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(dest, IDC_DEST_DESKTOP)));
    e2e::pressButton(dest, IDC_DEST_GROUP);
    EXPECT_TRUE(waitUntil([&] { return !enabled(dest, IDC_DEST_GROUP_BROWSE); }));
    e2e::pressButton(dest, IDCANCEL);
    ASSERT_TRUE(exits(p));

    // ShortCut2 without ShortCut1: no desktop box. A GroupFolder may name
    // nested folders.
    p = start("MENU");
    dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_TRUE(enabled(dest, IDC_DEST_GROUP));
    EXPECT_FALSE(enabled(dest, IDC_DEST_DESKTOP));
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(e2e::child(dest, IDC_DEST_DESKTOP)));
    e2e::pressButton(dest, IDCANCEL);
    ASSERT_TRUE(exits(p));

    // Without a Group there is no group folder: no shortcut box is offered.
    p = start("ICONONLY");
    dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_FALSE(enabled(dest, IDC_DEST_GROUP));
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(e2e::child(dest, IDC_DEST_GROUP)));
    EXPECT_FALSE(enabled(dest, IDC_DEST_GROUP_BROWSE));
    EXPECT_FALSE(enabled(dest, IDC_DEST_DESKTOP));
    e2e::pressButton(dest, IDCANCEL);
    ASSERT_TRUE(exits(p));

    p = start("BAD");
    HWND box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("Talinst - ｴﾗｰ [BAD]", e2e::windowText(box));
    EXPECT_EQ("ｸﾞﾙｰﾌﾟ名に不適当な文字が含まれています", e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(driver.waitWindowTitled(p, kDestTitle, 100));

    // "ソ" ends in 0x5C, which is no backslash here.
    p = start("BADFOLDER");
    box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("ｸﾞﾙｰﾌﾟﾌｫﾙﾀﾞ名に不適当な文字が含まれています", e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);
    ASSERT_TRUE(exits(p));
}

}  // namespace
