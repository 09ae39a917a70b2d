// A copy section installed by the real Talinst.exe under Wine, from the
// FirstMsg question to the closing dialog.
#include "e2e_support.h"

using namespace inst;

namespace {

std::string big(size_t n, char seed) {
    std::string s(n, 0);
    for (size_t i = 0; i < n; i++) s[i] = (char)(seed + (i * 13) % 241);
    return s;
}

TEST_F(InstallerTest, CopySectionInstallsFilesWithSizeBytesAndTimes) {
    script("[Talinst]\r\n$FIRST=インストールを開始します。\r\n"
           "[APP]\r\nProductName=テスト製品\r\nFirstMsg=$FIRST\r\nSrcDir=SRC\r\n"
           "Copy1=*.txt\r\nCopy2=data.bin bin\r\n"
           "LastMsg=終了しました。 'C:\\new'\\n次へ\r\n");
    source("SRC\\a.txt", "first file", 1998);
    source("SRC\\sub\\b.txt", big(9000, 'b'), 2004);
    source("SRC\\sub\\deeper\\c.txt", "", 2007);
    source("SRC\\data.bin", big(70000, 'd'), 2011);
    source("SRC\\skip.bin", "not named");
    existing("a.txt", "older copy", 1990);

    e2e::Process p = start("APP");
    HWND first = driver.waitWindowTitled(p, kFirstTitle);
    ASSERT_TRUE(first);
    EXPECT_EQ("テスト製品\n\nインストールを開始します。", e2e::dlgItemText(first, IDC_FIRST_TEXT));
    e2e::screenshot(first, "installer_firstmsg");
    e2e::pressButton(first, IDOK);

    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_EQ(programFiles() + "\\APP", e2e::dlgItemText(dest, IDC_DEST_EDIT));
    EXPECT_EQ("インストール先のフォルダを指定してください", e2e::dlgItemText(dest, IDC_DEST_HEADING));
    // The FirstMsg dialog closed before the destination dialog opened.
    EXPECT_FALSE(IsWindow(first) && IsWindowVisible(first));
    EXPECT_FALSE(enabled(dest, IDC_DEST_GROUP));
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), target);
    e2e::pressButton(dest, IDC_DEST_CHECK);
    ASSERT_TRUE(e2e::waitText(e2e::child(dest, IDC_DEST_REQUIRED), "C: 77.162 KB "));
    EXPECT_EQ("C:", e2e::dlgItemText(dest, IDC_DEST_FREE).substr(0, 2));
    e2e::screenshot(dest, "installer_destination");
    e2e::pressButton(dest, IDOK);

    // a.txt exists: the overwrite question stops the copy with its window up.
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    HWND progress = driver.waitWindowTitled(p, kProgressTitle);
    ASSERT_TRUE(progress);
    EXPECT_EQ("ﾌｧｲﾙをｺﾋﾟｰしています", e2e::dlgItemText(progress, IDC_PROG_TITLE));
    EXPECT_TRUE(e2e::findChild(progress, "Static", "ｺﾋﾟｰ元ﾌｧｲﾙ名："));
    EXPECT_TRUE(e2e::findChild(progress, "Static", "ｺﾋﾟｰ先ﾌｧｲﾙ名："));
    EXPECT_EQ(disc + "\\SRC\\a.txt", e2e::dlgItemText(progress, IDC_PROG_SOURCE));
    EXPECT_EQ(target + "\\a.txt", e2e::dlgItemText(progress, IDC_PROG_DEST));
    EXPECT_EQ("コピー先に同名のファイルがあります。", e2e::dlgItemText(ow, IDC_OW_TEXT));
    EXPECT_EQ("現在のファイルの\r名前を変更する(&R)", e2e::dlgItemText(ow, IDC_OW_RENAME));
    EXPECT_NE(std::string::npos, e2e::dlgItemText(ow, IDC_OW_OLD_INFO).find("1990年05月06日、"));
    EXPECT_NE(std::string::npos, e2e::dlgItemText(ow, IDC_OW_NEW_INFO).find("1998年05月06日、"));
    e2e::screenshot(progress, "installer_progress");
    e2e::screenshot(ow, "installer_overwrite");
    e2e::pressButton(ow, IDC_OW_ALL);

    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    EXPECT_EQ("テスト製品\n\n終了しました。 'C:\\new'\n次へ", e2e::dlgItemText(closing, IDC_CLOSE_TEXT));
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(e2e::child(closing, IDC_CLOSE_OPENDIR)));
    EXPECT_FALSE(IsWindowVisible(e2e::child(closing, IDC_CLOSE_FOLLOWUP)));
    EXPECT_FALSE(enabled(closing, IDC_CLOSE_GROUPDIR));
    e2e::screenshot(closing, "installer_closing");
    e2e::pressButton(closing, IDOK);
    ASSERT_TRUE(exits(p));

    for (const char* rel : {"a.txt", "sub\\b.txt", "sub\\deeper\\c.txt"}) {
        std::string s = disc + "\\SRC\\" + rel, d = target + "\\" + rel;
        EXPECT_EQ(read(s), read(d)) << rel;
        FILETIME a = writeTime(s), b = writeTime(d);
        EXPECT_EQ(0, CompareFileTime(&a, &b)) << rel;
    }
    EXPECT_EQ(read(disc + "\\SRC\\data.bin"), read(target + "\\bin\\data.bin"));
    FILETIME a = writeTime(disc + "\\SRC\\data.bin"), b = writeTime(target + "\\bin\\data.bin");
    EXPECT_EQ(0, CompareFileTime(&a, &b));
    EXPECT_FALSE(e2e::fileExists(target + "\\skip.bin"));
}

TEST_F(InstallerTest, DeclinedFirstMsgCopiesNothing) {
    script("[APP]\r\nProductName=テスト製品\r\nFirstMsg=入れますか？\r\nDstDir=Talinst E2E "
           "DeclinedFirstMsgCopiesNothing\r\n"
           "SrcDir=SRC\r\nCopy1=a.txt\r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("APP");
    HWND first = driver.waitWindowTitled(p, kFirstTitle);
    ASSERT_TRUE(first);
    e2e::pressButton(first, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(e2e::fileExists(target));
}

TEST_F(InstallerTest, OverwriteAllIsAskedOnceAndRenameCounts) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=1.txt\r\nCopy2=2.txt\r\nCopy3=3.txt\r\n"
           "[REN]\r\nSrcDir=SRC\r\nCopy1=app.ini\r\n");
    for (const char* n : {"1.txt", "2.txt", "3.txt"}) {
        source(std::string("SRC\\") + n, std::string("new ") + n);
        existing(n, "old");
    }
    source("SRC\\app.ini", "new ini");
    existing("app.ini", "old ini");
    existing("app (1).ini", "older ini");

    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    e2e::pressButton(ow, IDC_OW_ALL);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    EXPECT_FALSE(driver.waitWindowTitled(p, kOverwriteTitle, 300));
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    for (const char* n : {"1.txt", "2.txt", "3.txt"})
        EXPECT_EQ(std::string("new ") + n, read(target + "\\" + n));

    p = start("REN");
    ASSERT_TRUE(confirmDestination(p));
    ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    e2e::pressButton(ow, IDC_OW_RENAME);
    closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("new ini", read(target + "\\app.ini"));
    EXPECT_EQ("older ini", read(target + "\\app (1).ini"));
    EXPECT_EQ("old ini", read(target + "\\app (2).ini"));
}

TEST_F(InstallerTest, NewerOnlyOverwritesAnEqualTimeAndKeepsANewerFile) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=same.txt\r\nCopy2=newer.txt\r\n");
    source("SRC\\same.txt", "source same", 2005);
    source("SRC\\newer.txt", "source newer", 2005);
    existing("same.txt", "old same", 2005);
    existing("newer.txt", "kept newer", 2021);
    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    e2e::pressButton(ow, IDC_OW_NEWER);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("source same", read(target + "\\same.txt"));
    EXPECT_EQ("kept newer", read(target + "\\newer.txt"));
}

TEST_F(InstallerTest, CancelAfterCreationsAndARenameUndoesThem) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=1.txt\r\nCopy2=2.txt\r\nCopy3=app.ini\r\nCopy4=4.txt\r\n");
    source("SRC\\1.txt", big(50000, '1'));
    source("SRC\\2.txt", "two");
    source("SRC\\app.ini", "new ini");
    source("SRC\\4.txt", "four");
    existing("app.ini", "old ini");
    // A folder where 4.txt should go: creating the file fails.
    CreateDirectoryA((target + "\\4.txt").c_str(), nullptr);
    std::string outside = disc + "\\outside.txt";
    e2e::writeFile(outside, "untouched");

    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    EXPECT_TRUE(e2e::fileExists(target + "\\1.txt"));
    EXPECT_TRUE(e2e::fileExists(target + "\\2.txt"));
    e2e::pressButton(ow, IDC_OW_RENAME);
    HWND err = driver.waitWindowTitled(p, kErrorTitle);
    ASSERT_TRUE(err);
    EXPECT_EQ("ﾌｧｲﾙが作成できません\n'" + target + "\\4.txt'", e2e::dlgItemText(err, IDC_ERR_TEXT));
    EXPECT_TRUE(e2e::fileExists(target + "\\app (1).ini"));
    e2e::pressButton(err, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(e2e::fileExists(target + "\\1.txt"));
    EXPECT_FALSE(e2e::fileExists(target + "\\2.txt"));
    EXPECT_EQ("old ini", read(target + "\\app.ini"));
    EXPECT_FALSE(e2e::fileExists(target + "\\app (1).ini"));
    EXPECT_EQ("untouched", read(outside));
    EXPECT_EQ("new ini", read(disc + "\\SRC\\app.ini"));
}

TEST_F(InstallerTest, CancelDuringACopyRemovesThePartFileAndRestoresTheRename) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=made.txt\r\nCopy2=big.bin\r\n");
    std::string bigBytes = big(8 << 20, 'B');
    source("SRC\\made.txt", "made");
    source("SRC\\big.bin", bigBytes);
    existing("big.bin", "the old big file");

    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    HWND progress = driver.waitWindowTitled(p, kProgressTitle);
    ASSERT_TRUE(progress);
    // Both clicks queue up in order: the rename answer starts big.bin, the
    // Cancel is handled on the next turn of the copy loop.
    e2e::pressButton(ow, IDC_OW_RENAME);
    e2e::pressButton(progress, IDCANCEL);
    HWND ask = driver.waitMessageBox(p);
    ASSERT_TRUE(ask);
    EXPECT_EQ("タルヴォインストーラ", e2e::windowText(ask));
    EXPECT_EQ("中止しますか？", e2e::messageBoxText(ask));
    // The copy waits while the question is up: big.bin is only partly there.
    EXPECT_EQ("the old big file", read(target + "\\big (1).bin"));
    std::string part = read(target + "\\big.bin");
    EXPECT_LT(part.size(), bigBytes.size());
    EXPECT_TRUE(e2e::fileExists(target + "\\made.txt"));
    e2e::pressButton(ask, IDYES);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(driver.waitWindowTitled(p, kClosingTitle, 100));
    EXPECT_FALSE(e2e::fileExists(target + "\\made.txt"));
    EXPECT_EQ("the old big file", read(target + "\\big.bin"));
    EXPECT_FALSE(e2e::fileExists(target + "\\big (1).bin"));
}

TEST_F(InstallerTest, NoAnswerToTheCancelQuestionGoesOn) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=big.bin\r\n");
    std::string bigBytes = big(4 << 20, 'N');
    source("SRC\\big.bin", bigBytes);
    existing("big.bin", "old");
    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    HWND progress = driver.waitWindowTitled(p, kProgressTitle);
    ASSERT_TRUE(progress);
    e2e::pressButton(ow, IDC_OW_YES);
    e2e::pressButton(progress, IDCANCEL);
    HWND ask = driver.waitMessageBox(p);
    ASSERT_TRUE(ask);
    e2e::pressButton(ask, IDNO);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ(bigBytes, read(target + "\\big.bin"));
}

// /proc takes no new entries even from root: a read-only medium for Wine.
TEST_F(InstallerTest, ReadOnlyDestinationOffersSkipAndCancel) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\nCopy2=b.txt\r\n");
    source("SRC\\a.txt", "a");
    source("SRC\\b.txt", "b");
    e2e::Process p = start("APP");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), "Z:\\proc\\talinst");
    e2e::pressButton(dest, IDOK);
    HWND err = driver.waitWindowTitled(p, kErrorTitle);
    ASSERT_TRUE(err);
    EXPECT_EQ("ﾌｫﾙﾀﾞが作成できません\n'Z:\\proc\\talinst'", e2e::dlgItemText(err, IDC_ERR_TEXT));
    e2e::screenshot(err, "installer_copy_error");
    e2e::pressButton(err, IDC_ERR_SKIP);
    // The press is posted: the first box must be gone before the second one,
    // which has the same title, can be told apart from it.
    ASSERT_TRUE(driver.waitGone(err));
    err = driver.waitWindowTitled(p, kErrorTitle);
    ASSERT_TRUE(err);
    e2e::pressButton(err, IDC_ERR_SKIP);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));

    p = start("APP");
    dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), "Z:\\proc\\talinst");
    e2e::pressButton(dest, IDOK);
    err = driver.waitWindowTitled(p, kErrorTitle);
    ASSERT_TRUE(err);
    e2e::pressButton(err, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(driver.waitWindowTitled(p, kClosingTitle, 200));
}

TEST_F(InstallerTest, MissingCopySourceEndsTheSection) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\nCopy2=gone.txt\r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("APP");
    HWND box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("Talinst - ｴﾗｰ", e2e::windowText(box));
    EXPECT_EQ("Copy2 で指定された '" + disc + "\\SRC\\gone.txt' がありません", e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(e2e::fileExists(target));
}

TEST_F(InstallerTest, DestinationEditWithoutDriveKeepsTheDialogOpen) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("APP");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), "Tools");
    e2e::pressButton(dest, IDOK);
    EXPECT_FALSE(driver.waitWindowTitled(p, kClosingTitle, 500));
    EXPECT_TRUE(IsWindowVisible(dest));
    e2e::pressButton(dest, IDCANCEL);
    ASSERT_TRUE(exits(p));
}

TEST_F(InstallerTest, WithoutSrcDirTheSectionFolderOrElseTheScriptFolderIsRead) {
    // OWN has a folder of its name; BESIDE has none, so its files are read
    // beside the script. An empty FirstMsg asks nothing.
    script("[OWN]\r\nFirstMsg=\r\nCopy1=a.txt\r\n[BESIDE]\r\nCopy1=b.txt\r\n"
           "[LITERAL]\r\nFirstMsg=one\\ntwo\\\\three\r\nCopy1=b.txt\r\n");
    source("OWN\\a.txt", "from its own folder");
    source("a.txt", "beside the script");
    source("b.txt", "b beside the script");
    e2e::Process p = start("OWN");
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("from its own folder", read(target + "\\a.txt"));

    p = start("BESIDE");
    ASSERT_TRUE(confirmDestination(p));
    closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("b beside the script", read(target + "\\b.txt"));

    // FirstMsg is shown as it stands: its backslashes are no escapes.
    p = start("LITERAL");
    HWND first = driver.waitWindowTitled(p, kFirstTitle);
    ASSERT_TRUE(first);
    EXPECT_EQ("one\\ntwo\\\\three", e2e::dlgItemText(first, IDC_FIRST_TEXT));
    e2e::pressButton(first, IDCANCEL);
    ASSERT_TRUE(exits(p));
}

}  // namespace
