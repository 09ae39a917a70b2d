// Files the user had before the install survive an abort and the LastMove
// copies, through the real Talinst.exe.
#include "e2e_support.h"

using namespace inst;

namespace {

TEST_F(InstallerTest, AbortAfterTwoRenamesOfOneDestinationPutsTheOriginalBack) {
    // Copy1 and Copy2 both write readme.txt: Rename moves the user's file
    // aside, then the first copy; the failing Copy3 is answered Cancel.
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=*.txt\r\nCopy2=readme.txt\r\nCopy3=z.dat\r\n");
    source("SRC\\readme.txt", "the new readme");
    source("SRC\\z.dat", "z");
    existing("readme.txt", "the user's own readme", 1995);
    existing("keep.txt", "untouched");
    // A folder where z.dat should go: creating the file fails.
    CreateDirectoryA((target + "\\z.dat").c_str(), nullptr);

    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND ow = driver.waitWindowTitled(p, kOverwriteTitle);
    ASSERT_TRUE(ow);
    e2e::pressButton(ow, IDC_OW_RENAME);
    HWND err = driver.waitWindowTitled(p, kErrorTitle);
    ASSERT_TRUE(err);
    EXPECT_TRUE(e2e::fileExists(target + "\\readme (2).txt"));
    e2e::pressButton(err, IDCANCEL);
    ASSERT_TRUE(exits(p));

    EXPECT_EQ("the user's own readme", read(target + "\\readme.txt"));
    FILETIME t = writeTime(target + "\\readme.txt");
    SYSTEMTIME st;
    FileTimeToSystemTime(&t, &st);
    EXPECT_EQ(1995, st.wYear);
    EXPECT_EQ("untouched", read(target + "\\keep.txt"));
    EXPECT_FALSE(e2e::fileExists(target + "\\readme (1).txt"));
    EXPECT_FALSE(e2e::fileExists(target + "\\readme (2).txt"));
}

TEST_F(InstallerTest, LastMoveAsksBeforeReplacingAnExistingFile) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=*.*\r\nLastMove=app.ini,readme.txt;backup\r\n");
    source("SRC\\app.ini", "new ini");
    source("SRC\\readme.txt", "read me");
    existing("backup\\app.ini", "the user's backup");

    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    // The shell's confirmation comes up for app.ini; No keeps the file.
    HWND ask = waitShellQuestion(p);
    ASSERT_TRUE(ask);
    e2e::pressButton(ask, IDNO);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    EXPECT_EQ("the user's backup", read(target + "\\backup\\app.ini"));
    EXPECT_EQ("read me", read(target + "\\backup\\readme.txt"));
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
}

}  // namespace
