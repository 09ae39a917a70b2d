// Start-up of the real Talinst.exe: the command line in its forms, the
// section check, the destination rules and the path macros, the item list
// and the selection menu.
#include "e2e_support.h"
#include <commctrl.h>

using namespace inst;

namespace {

// Starts the section and returns the destination dialog's edit text.
std::string destinationFor(InstallerTest* t, e2e::Driver& driver, const e2e::Process& p) {
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    if (!dest) return "(no dialog)";
    std::string text = e2e::dlgItemText(dest, IDC_DEST_EDIT);
    e2e::pressButton(dest, IDCANCEL);
    (void)t;
    return text;
}

std::string windowsFolder() {
    char buf[MAX_PATH] = "";
    GetWindowsDirectoryA(buf, sizeof buf);
    return buf;
}

class StartupTest : public InstallerTest {
protected:
    // Runs the command line and answers the one error box it should show.
    void expectBox(const std::string& args, const std::string& caption, const std::string& text) {
        e2e::Process p = start(args);
        HWND box = driver.waitMessageBox(p);
        ASSERT_TRUE(box) << args;
        EXPECT_EQ(caption, e2e::windowText(box)) << args;
        EXPECT_EQ(text, e2e::messageBoxText(box)) << args;
        EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box)) << args;
        e2e::pressButton(box, IDOK);
        EXPECT_TRUE(exits(p)) << args;
    }
};

TEST_F(StartupTest, BadOptionMissingSectionAndMissingScript) {
    script("[SAMPLE]\r\nCopy1=a.txt\r\n");
    expectBox("SAMPLE /X", "Talinst - ｵﾌﾟｼｮﾝｴﾗｰ", "無効なオプション'/X'が指定されました");
    expectBox("NOPE", "Talinst - ｵﾌﾟｼｮﾝｴﾗｰ",
              "起動時ｵﾌﾟｼｮﾝで指定されたｾｸｼｮﾝ[NOPE]は\n\n設定ﾌｧｲﾙ '" + disc + "\\Talinst.ini' にはありません");
    expectBox("NOPE.SELECT", "Talinst - ｵﾌﾟｼｮﾝｴﾗｰ",
              "起動時ｵﾌﾟｼｮﾝで指定されたｾｸｼｮﾝ[NOPE.SELECT]は\n\n設定ﾌｧｲﾙ '" + disc +
                  "\\Talinst.ini' にはありません");
    expectBox("SAMPLE /V", "Talinst - ｴﾗｰ", "表示するファイルの指定がありません");
    DeleteFileA((disc + "\\TALINST.ini").c_str());
    expectBox("SAMPLE", "Talinst - ｴﾗｰ", "設定ﾌｧｲﾙ '" + disc + "\\Talinst.ini' が見つかりません");
}

TEST_F(StartupTest, ViewOptionWithoutSectionOrDocumentIsReported) {
    script("[SAMPLE]\r\nCopy1=a.txt\r\n");
    expectBox("/V", "Talinst - ｴﾗｰ", "表示するファイルの指定がありません");
}

TEST_F(StartupTest, DestinationRules) {
    script("[Talinst]\r\n"
           "[DRIVE]\r\nDstDir=C:\\Tools\r\n"
           "[ROOT]\r\nDstDir=\\Tools\r\nCopy1=a.txt\r\n"
           "[REL]\r\nDstDir=Tools\r\nCopy1=a.txt\r\n"
           "[ABC]\r\nProductName=none given\r\nCopy1=a.txt\r\n"
           "[FONTS]\r\nDstDir=$WIN\\FONTS\r\nCopy1=a.txt\r\n"
           "[WALL]\r\nDstDir=$INI(win.ini Desktop Wallpaper)\r\nCopy1=a.txt\r\n");
    // A section with neither Copy1 nor an archive key installs the archive
    // named like it; these copy one file instead.
    source("a.txt", "a");
    expectBox("DRIVE", "Talinst - ｴﾗｰ : ｾｸｼｮﾝ [DRIVE]", "DstDirにﾄﾞﾗｲﾌﾞ名は指定できません");
    std::string win = windowsFolder();
    e2e::Process p = start("ROOT");
    EXPECT_EQ(win.substr(0, 2) + "\\Tools", destinationFor(this, driver, p));
    EXPECT_TRUE(exits(p));
    p = start("REL");
    EXPECT_EQ(programFiles() + "\\Tools", destinationFor(this, driver, p));
    EXPECT_TRUE(exits(p));
    p = start("ABC");
    EXPECT_EQ(programFiles() + "\\ABC", destinationFor(this, driver, p));
    EXPECT_TRUE(exits(p));
    p = start("FONTS");
    EXPECT_EQ(win + "\\FONTS", destinationFor(this, driver, p));
    EXPECT_TRUE(exits(p));

    char old[MAX_PATH] = "";
    GetProfileStringA("Desktop", "Wallpaper", "", old, sizeof old);
    WriteProfileStringA("Desktop", "Wallpaper", "C:\\pics\\壁紙.bmp");
    p = start("WALL");
    EXPECT_EQ("C:\\pics\\壁紙.bmp", destinationFor(this, driver, p));
    EXPECT_TRUE(exits(p));
    WriteProfileStringA("Desktop", "Wallpaper", nullptr);
    p = start("WALL");
    EXPECT_EQ("", destinationFor(this, driver, p));
    EXPECT_TRUE(exits(p));
    if (old[0]) WriteProfileStringA("Desktop", "Wallpaper", old);
}

TEST_F(StartupTest, MissingSrcDirFolderIsReported) {
    script("[APP]\r\nSrcDir=.\\NOWHERE\\SUB\r\nCopy1=a.txt\r\n");
    expectBox("APP", "Talinst - ｴﾗｰ", "ｷｰ 'SrcDir = .\\NOWHERE\\SUB' : ﾌｫﾙﾀﾞが見つかりません");
}

TEST_F(StartupTest, OverlongValuesAreRefusedOrCut) {
    std::string longDir(600, 'd');
    std::string longLine(6000, 'x');
    std::string many;
    for (int i = 0; i < 60; i++) many += "$WIN\\";
    script("[LONG]\r\nDstDir=" + longDir + "\r\nProductName=" + longLine +
           "\r\n"
           "[MACRO]\r\nDstDir=" +
           many +
           "\r\n"
           "[MSG]\r\nProductName=" +
           std::string(300, 'p') + "\r\nFirstMsg=" + longLine +
           "\r\n"
           "Copy1=" +
           std::string(3000, 'c') + "\r\n");
    // The box shows what fits in its 255 bytes.
    e2e::Process p = start("LONG");
    HWND box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ(("ｷｰ 'DstDir = " + longDir).substr(0, 255), e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);
    EXPECT_TRUE(exits(p));
    p = start("MACRO");
    box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("Talinst - ｴﾗｰ", e2e::windowText(box));
    EXPECT_EQ(0u, e2e::messageBoxText(box).find("ｷｰ 'DstDir = $WIN\\$WIN\\"));
    e2e::pressButton(box, IDOK);
    EXPECT_TRUE(exits(p));
    p = start("MSG");
    HWND first = driver.waitWindowTitled(p, kFirstTitle);
    ASSERT_TRUE(first);
    EXPECT_EQ(511u, e2e::dlgItemText(first, IDC_FIRST_TEXT).size());
    e2e::pressButton(first, IDOK);
    box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ(0u, e2e::messageBoxText(box).find("Copy1 で指定された"));
    e2e::pressButton(box, IDOK);
    EXPECT_TRUE(exits(p));
}

TEST_F(StartupTest, ItemListShowsProductsSortsAndReturnsAfterEachInstall) {
    script(
        "[Talinst]\r\n"
        "[BETA]\r\nProductName=beta tool\r\nMode=Copy\r\nSrcDir=SRC\r\nCopy1=a.txt\r\nLzhView=readme.txt\r\n"
        "[HIDDEN]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
        "[ALPHA]\r\nProductName=Alpha tool\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("");
    HWND list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    HWND view = e2e::child(list, IDC_ITEM_LIST);
    EXPECT_EQ((std::vector<std::string>{"beta tool", "Alpha tool"}), e2e::itemTexts(view, 0));
    EXPECT_EQ((std::vector<std::string>{"Copy", "Install"}), e2e::itemTexts(view, 1));
    EXPECT_EQ((std::vector<std::string>{"BETA", "ALPHA"}), e2e::itemTexts(view, 2));
    EXPECT_FALSE(enabled(list, IDOK));
    EXPECT_FALSE(enabled(list, IDC_ITEM_DOC));
    e2e::screenshot(list, "installer_item_list");

    // Header clicks: the section column, ascending then descending.
    HWND header = (HWND)SendMessageA(view, LVM_GETHEADER, 0, 0);
    ASSERT_TRUE(header);
    int w0 = (int)SendMessageA(view, LVM_GETCOLUMNWIDTH, 0, 0);
    int w1 = (int)SendMessageA(view, LVM_GETCOLUMNWIDTH, 1, 0);
    int w2 = (int)SendMessageA(view, LVM_GETCOLUMNWIDTH, 2, 0);
    EXPECT_GT(w0, w1);
    // A first click on the empty part of the list brings the window forward.
    e2e::activate(list);
    SIZE vs = e2e::clientSize(view);
    e2e::clickAt(view, vs.cx / 2, vs.cy - 5);
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == list; }));
    e2e::clickAt(header, w0 + w1 + w2 / 2, 5);
    waitUntil([&] { return e2e::itemTexts(view, 2)[0] == "ALPHA"; }, 2000);
    EXPECT_EQ((std::vector<std::string>{"ALPHA", "BETA"}), e2e::itemTexts(view, 2));
    // Somewhere else in the column, so the two clicks make no double click.
    e2e::clickAt(header, w0 + w1 + w2 / 2 + 12, 5);
    waitUntil([&] { return e2e::itemTexts(view, 2)[0] == "BETA"; }, 2000);
    EXPECT_EQ((std::vector<std::string>{"BETA", "ALPHA"}), e2e::itemTexts(view, 2));
    // Title column: case-insensitive, so Alpha before beta.
    e2e::clickAt(header, w0 / 2, 5);
    waitUntil([&] { return e2e::itemTexts(view, 0)[0] == "Alpha tool"; }, 2000);
    EXPECT_EQ((std::vector<std::string>{"Alpha tool", "beta tool"}), e2e::itemTexts(view, 0));

    // Choosing a row enables OK; the document button only for LzhView.
    e2e::activate(view);
    e2e::sendKey(view, VK_HOME);
    waitUntil([&] { return enabled(list, IDOK); }, 2000);
    EXPECT_TRUE(enabled(list, IDOK));
    EXPECT_FALSE(enabled(list, IDC_ITEM_DOC));
    e2e::sendKey(view, VK_DOWN);
    waitUntil([&] { return enabled(list, IDC_ITEM_DOC); }, 2000);
    EXPECT_TRUE(enabled(list, IDC_ITEM_DOC));

    // Resizing: the buttons follow the bottom right corner.
    RECT before = e2e::windowRect(e2e::child(list, IDOK));
    RECT wr = e2e::windowRect(list);
    MoveWindow(list, wr.left, wr.top, wr.right - wr.left + 100, wr.bottom - wr.top + 60, TRUE);
    RECT after = e2e::windowRect(e2e::child(list, IDOK));
    EXPECT_EQ(before.left + 100, after.left);
    EXPECT_EQ(before.top + 60, after.top);
    SIZE client = e2e::clientSize(list);
    RECT lr = e2e::windowRect(view);
    EXPECT_EQ(client.cy - 30, lr.bottom - lr.top);
    // From the right edge leftwards: the document button, Cancel, OK, 5 pixels apart.
    RECT doc = e2e::windowRect(e2e::child(list, IDC_ITEM_DOC));
    RECT cancel = e2e::windowRect(e2e::child(list, IDCANCEL));
    EXPECT_EQ(doc.left - 5, cancel.right);
    EXPECT_EQ(cancel.left - 5, after.right);
    POINT corner = {client.cx, client.cy};
    ClientToScreen(list, &corner);
    EXPECT_EQ(corner.x - 5, doc.right);
    EXPECT_EQ(corner.y - 25, doc.top);

    e2e::pressButton(list, IDOK);
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    EXPECT_EQ("a", read(target + "\\a.txt"));
    // Picker mode: the list comes back after the install.
    list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    e2e::pressButton(list, IDCANCEL);
    EXPECT_TRUE(exits(p));
}

TEST_F(StartupTest, AScriptNamedOnTheCommandLineOffersItsItems) {
    std::string other = e2e::freshFolder("installer_e2e_other_disc");
    ASSERT_TRUE(
        e2e::writeFile(other + "\\TALINST.INI", "[ELSEWHERE]\r\nProductName=別の項目\r\nCopy1=x.txt\r\n"));
    e2e::Process p = start(other + "\\talinst.ini");
    HWND list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    EXPECT_EQ((std::vector<std::string>{"別の項目"}), e2e::itemTexts(e2e::child(list, IDC_ITEM_LIST), 0));
    e2e::pressButton(list, IDCANCEL);
    EXPECT_TRUE(exits(p));

    // Named relative to the starting folder: its files are still found once
    // the script's folder has become the current one.
    ASSERT_TRUE(e2e::writeFile(other + "\\x.txt", "x from the other disc"));
    size_t cut = other.find_last_of('\\');
    ASSERT_NE(std::string::npos, cut);
    p = driver.start(exe, other.substr(cut + 1) + "\\talinst.ini", other.substr(0, cut));
    list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    HWND view = e2e::child(list, IDC_ITEM_LIST);
    e2e::activate(view);
    e2e::sendKey(view, VK_HOME);
    ASSERT_TRUE(waitUntil([&] { return enabled(list, IDOK); }, 2000));
    e2e::pressButton(list, IDOK);
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    EXPECT_EQ("x from the other disc", read(target + "\\x.txt"));
    list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    e2e::pressButton(list, IDCANCEL);
    EXPECT_TRUE(exits(p));
}

TEST_F(StartupTest, AScriptWithoutProductsShowsAnEmptyList) {
    script("[A]\r\nCopy1=a.txt\r\n[B]\r\nCopy1=b.txt\r\n");
    e2e::Process p = start("");
    HWND list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    EXPECT_TRUE(e2e::itemTexts(e2e::child(list, IDC_ITEM_LIST), 0).empty());
    EXPECT_FALSE(enabled(list, IDOK));
    e2e::pressButton(list, IDOK);
    EXPECT_TRUE(IsWindowVisible(list));
    e2e::pressButton(list, IDCANCEL);
    EXPECT_TRUE(exits(p));
}

TEST_F(StartupTest, SelectionMenuCaptionsButtonsAndChoice) {
    script("[Talinst]\r\nTitleBarCaption2=部品の選択\r\nDialogCaption2=どれを入れますか\r\n"
           "[PARTS.SELECT]\r\nCaption=2\r\n"
           "item2.Caption=部品その二\r\nitem2.Section=TWO\r\n"
           "item3.Caption=部品その三\r\nitem3.Section=THREE\r\n"
           "[TWO]\r\nFirstMsg=skipped for a chosen item\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
           "[THREE]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n"
           "[OWN.SELECT]\r\nTitleBarCaption=独自の題\r\nitem1.Caption=一番\r\nitem1.Section=TWO\r\n");
    source("SRC\\a.txt", "a");
    e2e::Process p = start("PARTS.SELECT");
    HWND menu = driver.waitWindowTitled(p, "タルヴォインストーラ - 部品の選択");
    ASSERT_TRUE(menu);
    EXPECT_EQ("どれを入れますか", e2e::dlgItemText(menu, IDC_SEL_HEADING));
    EXPECT_FALSE(IsWindowVisible(e2e::child(menu, IDC_SEL_ITEM1)));
    EXPECT_TRUE(IsWindowVisible(e2e::child(menu, IDC_SEL_ITEM1 + 1)));
    EXPECT_TRUE(IsWindowVisible(e2e::child(menu, IDC_SEL_ITEM1 + 2)));
    EXPECT_FALSE(IsWindowVisible(e2e::child(menu, IDC_SEL_ITEM1 + 3)));
    EXPECT_EQ("部品その三", e2e::dlgItemText(menu, IDC_SEL_ITEM1 + 2));
    e2e::screenshot(menu, "installer_selection");
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(e2e::child(menu, IDC_SEL_ITEM1 + 1)));
    // Nothing checked: OK does nothing.
    e2e::pressButton(menu, IDOK);
    EXPECT_TRUE(IsWindowVisible(menu));
    e2e::pressButton(menu, IDC_SEL_ITEM1 + 1);
    e2e::pressButton(menu, IDOK);
    // TWO runs without its FirstMsg.
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    EXPECT_FALSE(driver.waitWindowTitled(p, kFirstTitle, 100));
    EXPECT_EQ(programFiles() + "\\TWO", e2e::dlgItemText(dest, IDC_DEST_EDIT));
    e2e::pressButton(dest, IDCANCEL);
    EXPECT_TRUE(exits(p));

    p = start("OWN.SELECT");
    menu = driver.waitWindowTitled(p, "タルヴォインストーラ - 独自の題");
    ASSERT_TRUE(menu);
    EXPECT_EQ("インストールするコンポーネントを選択してください", e2e::dlgItemText(menu, IDC_SEL_HEADING));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(menu, IDC_SEL_ITEM1)));
    e2e::pressButton(menu, IDCANCEL);
    EXPECT_TRUE(exits(p));
}

}  // namespace
