// The sample disc of the source tree, copied with the built programs into a
// fresh folder as a disc author would lay it out: every entry of every page
// opens without a missing-file warning, the pages and entries look right,
// the RTF popup text shows in the document window with its folder link, and
// the disc's commands start the set's programs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace {

// The layout of sample-disc/MENU.INI.
const int kTabW = 300, kTabH = 34;
const int kColumns = 3, kRows = 2;
const int kMenuButtons = 5;

struct SampleEntry {
    int page;
    std::string title;
    std::vector<std::string> labels;  // execute button labels, in order
    bool popup;
};

// What sample-disc/MENU.DAT promises.
const std::vector<std::string> kPages = {"ようこそ", "収録ソフト"};
const std::vector<SampleEntry> kEntries = {
    {0, "このディスクについて", {"説明を読む", "ビューアで開く"}, true},
    {0, "今月のお知らせ", {"お知らせ", "ホームページ"}, true},
    {1, "テキストビューア", {"起動", "インストール", "EUC-JP の見本"}, true},
    {1, "ツール集", {"選んでインストール", "サンプルツール集", "メモ帳テンプレート", "読んでね"}, true},
    {1, "ムービー設定", {"設定"}, false},
};

// The programs of the set the disc names beside MENU.DAT.
const char* const kPrograms[] = {"Ostrel.exe", "Kelview.exe", "Talinst.exe", "OstrelMovie.exe"};

template <class F>
bool waitFor(F condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool visible(HWND w) { return w && IsWindowVisible(w); }

class SampleDiscE2E : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        disc = e2e::freshFolder("e2e_sample\\" + name);
        ASSERT_FALSE(disc.empty());
        ASSERT_TRUE(e2e::copyTree(e2e::source("sample-disc"), disc));
        for (const char* program : kPrograms) {
            std::string built = e2e::dist(program);
            if (e2e::fileExists(built)) {
                ASSERT_TRUE(e2e::copyFile(built, disc + "\\" + program));
            } else {
                // A program of the set not built in this tree: a placeholder
                // keeps the menu's check of the disc's references meaningful
                // for everything else. Its button is never clicked here.
                ASSERT_TRUE(e2e::writeFile(disc + "\\" + program, "MZ"));
            }
        }
    }

    void TearDown() override { driver.killAll(); }

    // Starts the menu and waits until the timer has shown the first page.
    void startMenu() {
        menu = driver.start(disc + "\\Ostrel.exe");
        ASSERT_NE(0u, menu.pid);
        window = driver.waitWindow(menu, "OstrelClass", 15000);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(waitFor([&] { return pageShown(0); }, 15000)) << "the first page did not appear";
    }

    HWND control(int id) const { return GetDlgItem(window, id); }

    bool pageShown(int page) const {
        for (const SampleEntry& e : kEntries)
            if (e.page == page) return visible(control(200)) && e2e::windowText(control(200)) == e.title;
        return false;
    }

    std::vector<std::string> menuTexts() const {
        std::vector<std::string> out;
        for (int i = 0; i < kMenuButtons; ++i)
            if (visible(control(200 + i))) out.push_back(e2e::windowText(control(200 + i)));
        return out;
    }

    // Labels of the visible execute buttons, in grid order.
    std::vector<std::string> gridTexts() const {
        std::vector<std::string> out;
        for (int i = 0; i < kColumns * kRows; ++i)
            if (visible(control(113 + i))) out.push_back(e2e::windowText(control(113 + i)));
        return out;
    }

    // The execute button of command k of an entry with `count` commands.
    HWND executeButton(int k, int count) const {
        int a = kColumns * kRows - count;
        if (count <= kColumns) a -= (kColumns - count) / 2;
        return control(113 + a + k);
    }

    static bool clickCentre(HWND w) {
        RECT rc;
        if (!w || !GetClientRect(w, &rc)) return false;
        return e2e::clickAt(w, rc.right / 2, rc.bottom / 2);
    }

    // Real click on one of the two fixed-width tabs.
    bool clickTab(int page) {
        HWND tabs = control(102);
        if (!tabs) return false;
        int w = (kTabW - 4) / 2;
        return e2e::clickAt(tabs, 2 + w * page + w / 2, kTabH / 2);
    }

    // Real clicks on the tab and the page-menu button of an entry; waits
    // until its commands are shown.
    void choose(const SampleEntry& entry) {
        if (!pageShown(entry.page)) {
            ASSERT_TRUE(clickTab(entry.page));
            ASSERT_TRUE(waitFor([&] { return pageShown(entry.page); }, 10000)) << entry.title;
        }
        int index = -1;
        for (int i = 0; i < kMenuButtons; ++i)
            if (visible(control(200 + i)) && e2e::windowText(control(200 + i)) == entry.title) index = i;
        ASSERT_GE(index, 0) << entry.title;
        // A click on the entry already selected changes nothing, which is fine.
        ASSERT_TRUE(clickCentre(control(200 + index)));
        ASSERT_TRUE(waitFor([&] { return gridTexts() == entry.labels; }, 10000)) << entry.title << describe();
    }

    // The grid and any message box, for failure messages.
    std::string describe() {
        std::string out = "\ngrid:";
        for (const std::string& label : gridTexts()) out += " '" + label + "'";
        HWND box = driver.waitMessageBox(menu, 100);
        if (box) out += "\nmessage box: " + e2e::messageBoxText(box);
        return out;
    }

    // Screenshots only: the other process's pending paints get a moment.
    static std::string settledScreenshot(HWND w, const std::string& name) {
        waitFor([] { return false; }, 500);
        return e2e::screenshot(w, name);
    }

    std::string disc;
    e2e::Driver driver;
    e2e::Process menu;
    HWND window = nullptr;
};

}  // namespace

TEST_F(SampleDiscE2E, EveryEntryOpensWithoutAMissingFileWarning) {
    // MENU.DAT stays writable, as while the disc is authored: the menu checks
    // every program, argument, popup text and picture of each entry shown.
    ASSERT_NO_FATAL_FAILURE(startMenu());
    EXPECT_EQ("サンプルディスク メニュー", e2e::windowText(window));
    HWND tabs = control(102);
    ASSERT_NE(nullptr, tabs);
    EXPECT_EQ(kPages, e2e::itemTexts(tabs));
    for (const SampleEntry& entry : kEntries) {
        ASSERT_NO_FATAL_FAILURE(choose(entry));
        HWND box = driver.waitMessageBox(menu, 600);
        EXPECT_EQ(nullptr, box) << entry.title << ": " << (box ? e2e::messageBoxText(box) : "");
        if (box) e2e::pressButton(box, IDOK);
        std::vector<std::string> expected;
        for (const SampleEntry& e : kEntries)
            if (e.page == entry.page) expected.push_back(e.title);
        EXPECT_EQ(expected, menuTexts());
        EXPECT_EQ(entry.popup, IsWindowEnabled(control(112)) != FALSE) << entry.title;
    }
}

TEST_F(SampleDiscE2E, ScreenshotsOfAnEntryAndItsRtfPopupText) {
    ASSERT_NO_FATAL_FAILURE(startMenu());
    const SampleEntry& tools = kEntries[3];
    ASSERT_NO_FATAL_FAILURE(choose(tools));
    // The pointer leaves the buttons so that none is drawn lit.
    SetCursorPos(0, 0);
    EXPECT_FALSE(settledScreenshot(window, "ostrel_sample_page_entry").empty());
    // The display picture of the entry is composed at disprect 220,60: its
    // centre ring is a light red, far from the background's blue.
    COLORREF centre = e2e::pixelAt(window, 220 + 200, 60 + 120);
    EXPECT_GT(GetRValue(centre), GetBValue(centre));

    HWND info = control(112);
    ASSERT_TRUE(visible(info) && IsWindowEnabled(info));
    ASSERT_TRUE(clickCentre(info));
    HWND document = driver.waitWindowTitled(menu, "説明", 15000);
    ASSERT_NE(nullptr, document);
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(info); }, 5000));
    // The popup's link names a folder of the disc.
    EXPECT_EQ(disc + "\\INSTALL\\SAMPLE", e2e::dlgItemText(document, 1006));
    EXPECT_EQ("ﾌｫﾙﾀﾞを開く(&O)", e2e::dlgItemText(document, 1007));
    EXPECT_TRUE(visible(e2e::child(document, 1006)));
    // InfoTextPos 120,60 and InfoTextSize 420,320 of MENU.INI.
    POINT origin = {120, 60};
    ClientToScreen(window, &origin);
    RECT r = e2e::windowRect(document);
    EXPECT_EQ(origin.x, r.left);
    EXPECT_EQ(origin.y, r.top);
    EXPECT_EQ(420, r.right - r.left);
    EXPECT_EQ(320, r.bottom - r.top);
    EXPECT_FALSE(settledScreenshot(document, "ostrel_sample_rtf_info").empty());

    // The RTF is shown as text, not as its source: copy it as a reader would.
    HWND text = e2e::child(document, 1005);
    ASSERT_NE(nullptr, text);
    std::string copied;
    EXPECT_TRUE(waitFor(
        [&] {
            e2e::sendKey(text, 'A', false, true);
            e2e::sendKey(text, 'C', false, true);
            copied = e2e::clipboardText();
            return copied.compare(0, std::string("ツール集").size(), "ツール集") == 0;
        },
        10000))
        << copied;
    EXPECT_EQ(std::string::npos, copied.find("\\rtf1"));
    EXPECT_NE(std::string::npos, copied.find("■メモ帳テンプレート\r\n　表示ソフト用のテンプレートです。"))
        << copied;

    // Closing the document enables Info again.
    ASSERT_TRUE(e2e::pressButton(document, 2));
    EXPECT_TRUE(driver.waitGone(document, 10000));
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(info) != FALSE; }, 5000));
}

TEST_F(SampleDiscE2E, ViewerCommandOpensTheDocumentInKelview) {
    if (!e2e::fileExists(e2e::dist("Kelview.exe"))) GTEST_SKIP() << "Kelview.exe is not built";
    ASSERT_NO_FATAL_FAILURE(startMenu());
    const SampleEntry& about = kEntries[0];
    ASSERT_NO_FATAL_FAILURE(choose(about));
    ASSERT_TRUE(clickCentre(executeButton(1, 2)));
    HWND viewer = driver.waitAnyWindow("Kelview32Class", 20000);
    ASSERT_NE(nullptr, viewer);
    EXPECT_TRUE(
        waitFor([&] { return e2e::windowText(viewer).find("about.txt") != std::string::npos; }, 10000))
        << e2e::windowText(viewer);
    EXPECT_TRUE(menu.running());
}

TEST_F(SampleDiscE2E, ReadCommandShowsTheTextInTheDocumentWindow) {
    ASSERT_NO_FATAL_FAILURE(startMenu());
    const SampleEntry& about = kEntries[0];
    ASSERT_NO_FATAL_FAILURE(choose(about));
    ASSERT_TRUE(clickCentre(executeButton(0, 2)));
    HWND document = driver.waitWindowTitled(menu, "説明", 15000);
    ASSERT_NE(nullptr, document);
    // "@view" documents have no link row.
    EXPECT_FALSE(visible(e2e::child(document, 1006)));
    EXPECT_FALSE(visible(e2e::child(document, 1007)));
}

TEST_F(SampleDiscE2E, OpenDocumentFollowsTheChosenEntryAndItsLink) {
    ASSERT_NO_FATAL_FAILURE(startMenu());
    ASSERT_NO_FATAL_FAILURE(choose(kEntries[1]));  // news: a web address as link
    HWND info = control(112);
    ASSERT_TRUE(clickCentre(info));
    HWND document = driver.waitWindowTitled(menu, "説明", 15000);
    ASSERT_NE(nullptr, document);
    EXPECT_TRUE(waitFor([&] { return e2e::dlgItemText(document, 1006) == "http://www.example.com/"; }, 5000))
        << e2e::dlgItemText(document, 1006);
    EXPECT_EQ("ﾎｰﾑﾍﾟｰｼﾞへ(&H)", e2e::dlgItemText(document, 1007));
    EXPECT_TRUE(visible(e2e::child(document, 1007)));
    RECT before = e2e::windowRect(document);

    // Another entry with a popup text: the same window shows it, in the same
    // place, with the folder link and the folder caption back.
    ASSERT_NO_FATAL_FAILURE(choose(kEntries[3]));
    EXPECT_TRUE(waitFor([&] { return e2e::dlgItemText(document, 1006) == disc + "\\INSTALL\\SAMPLE"; }, 5000))
        << e2e::dlgItemText(document, 1006);
    EXPECT_EQ("ﾌｫﾙﾀﾞを開く(&O)", e2e::dlgItemText(document, 1007));
    EXPECT_TRUE(IsWindow(document));
    RECT after = e2e::windowRect(document);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_FALSE(IsWindowEnabled(info));

    // An entry without a popup text closes the window and leaves Info off.
    ASSERT_NO_FATAL_FAILURE(choose(kEntries[4]));
    EXPECT_TRUE(driver.waitGone(document, 10000));
    EXPECT_FALSE(IsWindowEnabled(info));
}

TEST_F(SampleDiscE2E, InstallCommandStartsTheInstallerWithItsSection) {
    if (!e2e::fileExists(e2e::dist("Talinst.exe"))) GTEST_SKIP() << "Talinst.exe is not built";
    ASSERT_NO_FATAL_FAILURE(startMenu());
    const SampleEntry& tools = kEntries[3];
    ASSERT_NO_FATAL_FAILURE(choose(tools));
    ASSERT_EQ("サンプルツール集", e2e::windowText(executeButton(1, 4)));
    ASSERT_TRUE(clickCentre(executeButton(1, 4)));
    // The section's opening question ($FIRST of the disc's TALINST.INI) tells
    // that the installer found its script and the section named by MENU.DAT.
    HWND question = driver.waitAnyWindow("#32770", 20000);
    ASSERT_NE(nullptr, question);
    DWORD pid = 0;
    GetWindowThreadProcessId(question, &pid);
    EXPECT_NE(menu.pid, pid);
    const int kFirstText = 1001;  // the text of the installer's question dialog
    EXPECT_EQ("サンプルツール集\n\nインストールを開始します。よろしいですか？",
              e2e::dlgItemText(question, kFirstText));
    EXPECT_TRUE(menu.running());
}
