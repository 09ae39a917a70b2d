// The real menu program on generated disc folders: tabs, page-menu buttons,
// the execute grid, the Info button, the first-page timer, awkward MENU.DAT
// contents, and screenshots of the screen.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "driver.h"
#include "screen_fixture.h"

namespace {

const char* const kCaption = "画面テスト";
const int kTabX = 16, kTabY = 14, kTabW = 300, kTabH = 34;
const int kMenuX = 16, kMenuY = 64, kMenuW = 180, kMenuH = 36, kMenuStep = 44;
const int kMenuButtons = 4;
const int kExecX = 222, kExecY = 310, kExecW = 130, kExecH = 30;
const int kColumns = 3, kRows = 3;
const UINT kShowPage = WM_USER + 5;
const UINT kShowEntry = WM_USER + 6;

struct Entry {
    std::string title;
    std::vector<std::string> commands;  // command values as written in MENU.DAT
    bool popup = false;
    std::string picture = "pic0.bmp";
};

struct Page {
    std::string title;
    std::vector<Entry> entries;
};

template <class F>
bool waitFor(F condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

BOOL CALLBACK addChild(HWND w, LPARAM lp) {
    std::string& out = *reinterpret_cast<std::string*>(lp);
    out += e2e::className(w) + " id " + std::to_string(GetDlgCtrlID(w)) +
           (IsWindowVisible(w) ? " visible" : " hidden") + (IsWindowEnabled(w) ? "" : " disabled") + " '" +
           e2e::windowText(w) + "'\n";
    return TRUE;
}

// The child windows of the menu, for failure messages.
std::string children(HWND main) {
    std::string out;
    EnumChildWindows(main, addChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

class MenuScreenE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = e2e::freshFolder(std::string("e2e_screen\\") + info->name());
        ASSERT_FALSE(folder_.empty());
        ASSERT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), path("Ostrel.exe")));
        writePictures();
    }

    std::string path(const std::string& name) const { return folder_ + "\\" + name; }
    void write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(e2e::writeFile(path(name), bytes));
    }

    void writePictures() {
        write("back.bmp",
              fixture::bmp24(640, 455, [](int row) { return RGB(10, 20 + row / 8, 60 + row / 5); }));
        for (int i = 0; i < 4; ++i) {
            COLORREF colours[] = {RGB(200, 180, 120), RGB(120, 190, 200), RGB(190, 140, 200),
                                  RGB(150, 200, 120)};
            COLORREF c = colours[i];
            write("pic" + std::to_string(i) + ".bmp",
                  fixture::bmp24(400 - 40 * i, 220 - 30 * i, [c](int row) {
                      return (row / 20) % 2
                                 ? c
                                 : RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4);
                  }));
        }
        write("exit.bmp", fixture::strip(90, 30, {RGB(150, 40, 40), RGB(220, 80, 80)}));
        write("info.bmp", fixture::strip(90, 30, {RGB(40, 120, 60), RGB(80, 200, 110), fixture::kDisabled}));
        write("exec.bmp", fixture::strip(kExecW, kExecH, {RGB(210, 210, 225), RGB(250, 220, 150)}));
        write("menu.bmp",
              fixture::strip(kMenuW, kMenuH, {RGB(180, 190, 215), RGB(200, 210, 235), RGB(30, 60, 140)}));
        write("pop.txt", "説明の本文です。\r\n");
    }

    void writeIni(const std::string& margin = "6,4", const std::string& executeImage = "exec.bmp") {
        std::string ini =
            std::string("[OSTREL]\nCaption=") + kCaption +
            "\nBackGround=back.bmp\ndisprect=220,60\n"
            "[BUTTON.Exit]\nBitmap=exit.bmp\nPosition=540,418\nHintText=終了します\n"
            "[BUTTON.Info]\nBitmap=info.bmp\nPosition=444,418\nHintText=説明を表示します\n"
            "[BUTTON.TAB]\nPosition=" +
            std::to_string(kTabX) + "," + std::to_string(kTabY) + "\nSize=" + std::to_string(kTabW) + "," +
            std::to_string(kTabH) +
            "\nPadding=4,3\nBGCOLOR=8,24,72\nColor.Normal=200,210,230\nColor.Select=250,210,90\n"
            "FontSize.Normal=14\nFontSize.Select=14\nDecoration=outset\n"
            "[BUTTON.Execute]\nBitmap=" +
            executeImage + "\nPosition=" + std::to_string(kExecX) + "," + std::to_string(kExecY) +
            "\nColumn=3\nRow=3\nMargin=" + margin +
            "\n"
            "Color.Normal=20,20,40\nColor.Activate=120,40,0\nFontSize.Normal=14\nFontSize.Activate=14\n"
            "[BUTTON.MENU]\n";
        for (int i = 1; i <= kMenuButtons; ++i)
            ini += "BitMap" + std::to_string(i) + "=menu.bmp\nPosition" + std::to_string(i) + "=" +
                   std::to_string(kMenuX) + "," + std::to_string(kMenuY + (i - 1) * kMenuStep) + "\n";
        ini += "Color.Normal=20,20,40\nColor.Select=255,255,255\nFontSize.Normal=15\nFontSize.Select=15\n"
               "Decoration=inset\n";
        write("MENU.INI", ini);
    }

    void writeDat(const std::vector<Page>& pages) {
        std::string dat = "[MENU]\nBmp1=pic3.bmp\n";
        for (size_t p = 0; p < pages.size(); ++p)
            dat += "Page" + std::to_string(p + 1) + "=P" + std::to_string(p) + "\n";
        for (size_t p = 0; p < pages.size(); ++p) {
            dat += "[P" + std::to_string(p) + "]\nTitle=" + pages[p].title + "\n";
            for (size_t e = 0; e < pages[p].entries.size(); ++e)
                dat += "Menu" + std::to_string(e + 1) + "=E" + std::to_string(p) + "_" + std::to_string(e) +
                       "\n";
            for (size_t e = 0; e < pages[p].entries.size(); ++e) {
                const Entry& en = pages[p].entries[e];
                dat += "[E" + std::to_string(p) + "_" + std::to_string(e) + "]\nTitle=" + en.title + "\n";
                for (size_t c = 0; c < en.commands.size(); ++c)
                    dat += "command" + std::to_string(c + 1) + "=" + en.commands[c] + "\n";
                if (en.popup) dat += "Text=pop.txt\n";
                if (!en.picture.empty()) dat += "Bmp1=" + en.picture + "\n";
            }
        }
        write("MENU.DAT", dat);
    }

    // A page of `entries` entries; entry e has e+1 commands labelled "<page>-<entry>-<k>".
    static Page page(const std::string& title, int number, int entries) {
        Page p;
        p.title = title;
        for (int e = 0; e < entries; ++e) {
            Entry en;
            en.title = "項目" + std::to_string(number) + "-" + std::to_string(e);
            for (int c = 0; c <= e; ++c)
                en.commands.push_back("操作" + std::to_string(number) + "-" + std::to_string(e) + "-" +
                                      std::to_string(c) + ";ヒント" + std::to_string(c) +
                                      ",@http://example.invalid/");
            en.popup = e % 2 == 0;
            en.picture = "pic" + std::to_string((number + e) % 3) + ".bmp";
            p.entries.push_back(en);
        }
        return p;
    }

    // Starts the menu and waits for its screen; with tabs, also for the tab row, made last.
    HWND start(bool tabs = true) {
        process_ = driver_.start(path("Ostrel.exe"));
        if (!process_.pid) return nullptr;
        HWND main = driver_.waitWindow(process_, "OstrelClass", 20000);
        // The screen is built from a message the window posts itself: the Exit button tells it is there.
        if (main && !waitFor([main] { return visible(GetDlgItem(main, 111)); }, 10000)) return nullptr;
        if (main && tabs && !waitFor([main] { return visible(GetDlgItem(main, 102)); }, 10000))
            return nullptr;
        return main;
    }

    static HWND control(HWND main, int id) { return GetDlgItem(main, id); }
    static HWND menuButton(HWND main, int i) { return control(main, 200 + i); }
    static HWND executeButton(HWND main, int i) { return control(main, 113 + i); }
    static bool visible(HWND w) { return w && IsWindowVisible(w); }

    // Texts of the visible page-menu buttons, in order.
    static std::vector<std::string> menuTexts(HWND main) {
        std::vector<std::string> out;
        for (int i = 0; i < kMenuButtons; ++i)
            if (visible(menuButton(main, i))) out.push_back(e2e::windowText(menuButton(main, i)));
        return out;
    }
    // The execute grid: label of each visible button, "" for hidden ones.
    static std::vector<std::string> grid(HWND main) {
        std::vector<std::string> out;
        for (int i = 0; i < kColumns * kRows; ++i) {
            HWND b = executeButton(main, i);
            out.push_back(visible(b) ? e2e::windowText(b) : std::string());
        }
        return out;
    }
    static bool pageShown(HWND main, const std::string& firstEntry) {
        return visible(menuButton(main, 0)) && e2e::windowText(menuButton(main, 0)) == firstEntry;
    }
    // Screenshots only: a repaint of another process cannot be waited for, so
    // give its pending WM_PAINT messages a moment.
    static std::string settledScreenshot(HWND main, const std::string& name) {
        waitFor([] { return false; }, 400);
        return e2e::screenshot(main, name);
    }
    // Real click in the middle of a child window.
    static bool clickCentre(HWND w) {
        RECT rc;
        GetClientRect(w, &rc);
        return e2e::clickAt(w, rc.right / 2, rc.bottom / 2);
    }
    // Real click on tab i of a row of two fixed-width tabs.
    static bool clickTab(HWND main, int i) {
        HWND tabs = e2e::findChild(main, "SysTabControl32");
        if (!tabs) return false;
        int w = (kTabW - 4) / 2;
        return e2e::clickAt(tabs, 2 + w * i + w / 2, kTabH / 2);
    }

    std::string folder_;
    e2e::Driver driver_;
    e2e::Process process_;
};

TEST_F(MenuScreenE2E, ClickingATabShowsThatPagesEntries) {
    writeIni();
    writeDat({page("はじめに", 0, 3), page("体験版", 1, 2)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    HWND tabs = e2e::findChild(main, "SysTabControl32");
    ASSERT_NE(nullptr, tabs) << children(main);
    EXPECT_EQ(102, GetDlgCtrlID(tabs));
    EXPECT_EQ((std::vector<std::string>{"はじめに", "体験版"}), e2e::itemTexts(tabs));

    ASSERT_TRUE(clickTab(main, 1));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目1-0"); }, 5000)) << children(main);
    EXPECT_EQ((std::vector<std::string>{"項目1-0", "項目1-1"}), menuTexts(main));
    EXPECT_FALSE(visible(menuButton(main, 2)));
    // Entry 0 of the page: its one command centred in the last row.
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", "", "", "操作1-0-0", ""}), grid(main));

    ASSERT_TRUE(clickTab(main, 0));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 5000)) << children(main);
    EXPECT_EQ((std::vector<std::string>{"項目0-0", "項目0-1", "項目0-2"}), menuTexts(main));
    settledScreenshot(main, "menu_screen_tabs");
}

TEST_F(MenuScreenE2E, PageMenuButtonFillsGridAndSetsInfo) {
    writeIni();
    writeDat({page("ページ", 0, 4), page("別のページ", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    HWND info = control(main, 112);
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(IsWindowEnabled(info));  // entry 0 has a popup text

    // Entry 1: two commands on the last two buttons, no popup text.
    ASSERT_TRUE(clickCentre(menuButton(main, 1)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[7] == "操作0-1-0"; }, 5000)) << children(main);
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", "", "", "操作0-1-0", "操作0-1-1"}), grid(main));
    EXPECT_FALSE(IsWindowEnabled(info));
    EXPECT_TRUE(IsWindowVisible(info));  // greyed, not hidden: its strip has a disabled frame
    HWND tabs = e2e::findChild(main, "SysTabControl32");
    EXPECT_TRUE(IsWindowEnabled(tabs));  // enabled again once the entry is shown

    // Entry 3: four commands, the last row and the last button above it.
    ASSERT_TRUE(clickCentre(menuButton(main, 3)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[5] == "操作0-3-0"; }, 5000)) << children(main);
    EXPECT_EQ(
        (std::vector<std::string>{"", "", "", "", "", "操作0-3-0", "操作0-3-1", "操作0-3-2", "操作0-3-3"}),
        grid(main));
    // Entry 2: three commands and a popup text.
    ASSERT_TRUE(clickCentre(menuButton(main, 2)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[6] == "操作0-2-0"; }, 5000)) << children(main);
    EXPECT_TRUE(IsWindowEnabled(info));
    EXPECT_FALSE(visible(executeButton(main, 5)));
    EXPECT_FALSE(settledScreenshot(main, "menu_screen_entry").empty());
}

TEST_F(MenuScreenE2E, ClickingTheSelectedPageMenuButtonDoesNothing) {
    writeIni();
    writeDat({page("ページ", 0, 2), page("次", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    ASSERT_EQ("操作0-0-0", grid(main)[7]);

    // Change the entry on disk: any reload of it would show the new label.
    Page changed = page("ページ", 0, 2);
    changed.entries[0].commands[0] = "変更後;ヒント,@http://example.invalid/";
    writeDat({changed, page("次", 1, 1)});
    ASSERT_TRUE(clickCentre(menuButton(main, 0)));
    EXPECT_FALSE(waitFor([&] { return grid(main)[7] == "変更後"; }, 1500)) << children(main);

    // The other button does react, and reads the file as it is now.
    ASSERT_TRUE(clickCentre(menuButton(main, 1)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[7] == "操作0-1-0"; }, 5000)) << children(main);
    ASSERT_TRUE(clickCentre(menuButton(main, 0)));
    EXPECT_TRUE(waitFor([&] { return grid(main)[7] == "変更後"; }, 5000)) << children(main);
}

TEST_F(MenuScreenE2E, TimerShowsPageZeroAfterThreeSeconds) {
    writeIni();
    writeDat({page("最初", 0, 2), page("二番目", 1, 2)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    DWORD shownAt = GetTickCount();
    // Until then: background, start picture, Exit, Info and the tab row.
    EXPECT_FALSE(visible(menuButton(main, 0)));
    EXPECT_TRUE(visible(control(main, 111)));
    EXPECT_TRUE(visible(control(main, 112)));
    EXPECT_FALSE(IsWindowEnabled(control(main, 112)));
    EXPECT_TRUE(visible(e2e::findChild(main, "SysTabControl32")));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    EXPECT_GE(GetTickCount() - shownAt, 2000u);
    EXPECT_EQ((std::vector<std::string>{"項目0-0", "項目0-1"}), menuTexts(main));

    // The page the timer showed is the tab shown: clicking that tab reloads nothing.
    Page changed = page("最初", 0, 2);
    changed.entries[0].title = "変更後";
    writeDat({changed, page("二番目", 1, 2)});
    ASSERT_TRUE(clickTab(main, 0));
    EXPECT_FALSE(waitFor([&] { return pageShown(main, "変更後"); }, 1500)) << children(main);
    ASSERT_TRUE(clickTab(main, 1));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目1-0"); }, 5000)) << children(main);
    ASSERT_TRUE(clickTab(main, 0));
    EXPECT_TRUE(waitFor([&] { return pageShown(main, "変更後"); }, 5000)) << children(main);
}

TEST_F(MenuScreenE2E, TabUsedBeforeTheTimerKeepsItsPage) {
    writeIni();
    writeDat({page("最初", 0, 2), page("二番目", 1, 2)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    DWORD shownAt = GetTickCount();
    ASSERT_TRUE(clickTab(main, 1));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目1-0"); }, 5000)) << children(main);
    // Well past the three seconds the page is still the chosen one.
    waitFor([&] { return GetTickCount() - shownAt > 4500; }, 6000);
    EXPECT_TRUE(pageShown(main, "項目1-0")) << children(main);
}

TEST_F(MenuScreenE2E, EachTabRemembersItsEntry) {
    writeIni();
    writeDat({page("最初", 0, 3), page("二番目", 1, 2)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    ASSERT_TRUE(clickCentre(menuButton(main, 2)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[6] == "操作0-2-0"; }, 5000)) << children(main);
    ASSERT_TRUE(clickTab(main, 1));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目1-0"); }, 5000)) << children(main);
    ASSERT_TRUE(waitFor([&] { return grid(main)[7] == "操作1-0-0"; }, 5000)) << children(main);
    ASSERT_TRUE(clickTab(main, 0));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 5000)) << children(main);
    EXPECT_TRUE(waitFor([&] { return grid(main)[6] == "操作0-2-0"; }, 5000)) << children(main);
}

TEST_F(MenuScreenE2E, OnePageHasNoTabRow) {
    writeIni();
    writeDat({page("だけ", 0, 2)});
    HWND main = start(false);
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(nullptr, e2e::findChild(main, "SysTabControl32"));
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
}

TEST_F(MenuScreenE2E, NoPagesShowsOnlyExitAndInfo) {
    writeIni();
    writeDat({});
    HWND main = start(false);
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(nullptr, e2e::findChild(main, "SysTabControl32"));
    DWORD shownAt = GetTickCount();
    waitFor([&] { return GetTickCount() - shownAt > 4000; }, 5000);
    EXPECT_TRUE(menuTexts(main).empty()) << children(main);
    EXPECT_EQ(std::vector<std::string>(9, ""), grid(main));
    EXPECT_TRUE(visible(control(main, 111)));
    EXPECT_FALSE(IsWindowEnabled(control(main, 112)));
    EXPECT_TRUE(process_.running());
}

TEST_F(MenuScreenE2E, ThirtyPagesAllBecomeTabs) {
    writeIni();
    std::vector<Page> pages;
    for (int i = 0; i < 30; ++i) pages.push_back(page("頁" + std::to_string(i), i, 1 + i % 3));
    writeDat(pages);
    HWND main = start();
    ASSERT_NE(nullptr, main);
    HWND tabs = e2e::findChild(main, "SysTabControl32");
    ASSERT_NE(nullptr, tabs);
    std::vector<std::string> titles = e2e::itemTexts(tabs);
    ASSERT_EQ(30u, titles.size());
    EXPECT_EQ("頁29", titles[29]);
    PostMessageA(main, kShowPage, 29, 0);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目29-0"); }, 5000)) << children(main);
    EXPECT_EQ(3u, menuTexts(main).size());
    // A page number beyond the pages, or an entry beyond the entries, changes nothing.
    PostMessageA(main, kShowPage, 30, 0);
    PostMessageA(main, kShowEntry, 999, 0);
    PostMessageA(main, kShowPage, 12, 0);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目12-0"); }, 5000)) << children(main);
    EXPECT_EQ("操作12-0-0", grid(main)[7]);
    settledScreenshot(main, "menu_screen_30_pages");
}

TEST_F(MenuScreenE2E, LongTextsAreCutAndExtraEntriesAndCommandsDropped) {
    writeIni();
    Page p;
    p.title = std::string(120, 'T');
    for (int e = 0; e < 6; ++e) {  // more entries than the four page-menu buttons
        Entry en;
        en.title = e == 0 ? std::string(40, 'x') + std::string("あ", 2) + std::string(200, 'y')
                          : "項目" + std::to_string(e);
        for (int c = 0; c < 12; ++c)  // more commands than the nine execute buttons
            en.commands.push_back((c == 0 ? std::string(150, 'L') : "コマンド" + std::to_string(c)) + ";" +
                                  std::string(150, 'h') + ",@http://example.invalid/");
        en.popup = true;
        p.entries.push_back(en);
    }
    writeDat({p, page("二", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return visible(menuButton(main, 0)); }, 10000)) << children(main);
    std::vector<std::string> texts = menuTexts(main);
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ(std::string(40, 'x') + "あ" + std::string(37, 'y'), texts[0]);  // 79 bytes
    EXPECT_EQ("項目3", texts[3]);
    std::vector<std::string> g = grid(main);
    EXPECT_EQ(std::string(79, 'L'), g[0]);
    for (int i = 1; i < 9; ++i) EXPECT_EQ("コマンド" + std::to_string(i), g[size_t(i)]);
    EXPECT_TRUE(process_.running());
    settledScreenshot(main, "menu_screen_long_texts");
}

TEST_F(MenuScreenE2E, ScreenshotOfPageAndEntry) {
    writeIni();
    Page p;
    p.title = "ソフトウェア";
    const char* titles[] = {"表示ソフト", "ゲーム体験版", "ユーティリティ"};
    for (int e = 0; e < 3; ++e) {
        Entry en;
        en.title = titles[e];
        en.commands = {"インストール;ハードディスクに組み込みます,@http://example.invalid/",
                       "説明を読む,@view pop.txt", "ホームページ;作者のページ,@http://example.invalid/"};
        en.popup = true;
        en.picture = "pic" + std::to_string(e) + ".bmp";
        p.entries.push_back(en);
    }
    writeDat({p, page("データ集", 1, 2), page("その他", 2, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "表示ソフト"); }, 10000)) << children(main);
    ASSERT_TRUE(clickCentre(menuButton(main, 1)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[6] == "インストール"; }, 5000)) << children(main);
    // Move the pointer off the buttons so that nothing is lit.
    e2e::clickAt(main, 630, 300);
    std::string shot = settledScreenshot(main, "menu_screen_page_entry");
    EXPECT_FALSE(shot.empty());
    // The display picture of entry 1 (pic1: 360 x 190 at 220,60) is composed into the background.
    COLORREF inside = e2e::pixelAt(main, 230, 65);
    COLORREF outside = e2e::pixelAt(main, 220 + 365, 60 + 195);
    EXPECT_NE(inside, outside);
    EXPECT_EQ(RGB(120 * 3 / 4, 190 * 3 / 4, 200 * 3 / 4), inside);
}

TEST_F(MenuScreenE2E, InfoOpensThePopupTextAndFollowsTheEntry) {
    writeIni();
    // Entries 0 and 2 have a popup text, entry 1 has none.
    writeDat({page("ページ", 0, 3), page("次", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    HWND info = control(main, 112);
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(info) != FALSE; }, 5000));

    ASSERT_TRUE(clickCentre(info));
    HWND doc = driver_.waitDialog(process_, 10000);
    ASSERT_NE(nullptr, doc) << children(main);
    EXPECT_EQ("説明", e2e::windowText(doc));
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(info); }, 5000));

    // Another entry with a popup text: the open window takes it, Info stays off.
    ASSERT_TRUE(clickCentre(menuButton(main, 2)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[6] == "操作0-2-0"; }, 5000)) << children(main);
    EXPECT_TRUE(IsWindow(doc));
    EXPECT_FALSE(IsWindowEnabled(info));

    // Closing the window gives Info back.
    ASSERT_TRUE(e2e::pressButton(doc, IDCANCEL));
    ASSERT_TRUE(driver_.waitGone(doc, 5000));
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(info) != FALSE; }, 5000));

    // An entry without a popup text closes an open window and leaves Info off.
    ASSERT_TRUE(clickCentre(info));
    doc = driver_.waitDialog(process_, 10000);
    ASSERT_NE(nullptr, doc);
    ASSERT_TRUE(clickCentre(menuButton(main, 1)));
    EXPECT_TRUE(driver_.waitGone(doc, 5000));
    EXPECT_TRUE(waitFor([&] { return grid(main)[7] == "操作0-1-0"; }, 5000)) << children(main);
    EXPECT_FALSE(IsWindowEnabled(info));
}

TEST_F(MenuScreenE2E, EntryWithoutPictureStillShowsItsCommandsAndFreesTheTabs) {
    writeIni();
    Page p = page("ページ", 0, 3);
    p.entries[0].picture = "pic0.bmp";  // 400 x 220
    p.entries[1].picture = "";          // none
    p.entries[2].picture = "pic3.bmp";  // 280 x 130
    writeDat({p, page("次", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);

    ASSERT_TRUE(clickCentre(menuButton(main, 1)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[7] == "操作0-1-0"; }, 5000)) << children(main);
    HWND tabs = e2e::findChild(main, "SysTabControl32");
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(tabs) != FALSE; }, 5000));
    EXPECT_FALSE(IsWindowEnabled(control(main, 112)));  // entry 1 has no popup text
    // The picture area shows the bare background again, not the previous picture.
    EXPECT_TRUE(waitFor([&] { return e2e::pixelAt(main, 610, 270) == e2e::pixelAt(main, 630, 270); }, 3000));

    // A smaller picture after a larger one leaves nothing of the larger behind.
    ASSERT_TRUE(clickCentre(menuButton(main, 0)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[7] == "操作0-0-0"; }, 5000));
    ASSERT_TRUE(waitFor([&] { return e2e::pixelAt(main, 610, 270) != e2e::pixelAt(main, 630, 270); }, 3000));
    ASSERT_TRUE(clickCentre(menuButton(main, 2)));
    ASSERT_TRUE(waitFor([&] { return grid(main)[6] == "操作0-2-0"; }, 5000));
    EXPECT_TRUE(waitFor([&] { return e2e::pixelAt(main, 610, 270) == e2e::pixelAt(main, 630, 270); }, 3000))
        << settledScreenshot(main, "menu_screen_smaller_picture");
}

TEST_F(MenuScreenE2E, PageWithoutEntriesShowsNoneOfAnotherPage) {
    writeIni();
    Page empty;
    empty.title = "空";
    writeDat({page("ページ", 0, 2), empty});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    HWND info = control(main, 112);
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(info) != FALSE; }, 5000));
    ASSERT_TRUE(clickCentre(info));
    HWND doc = driver_.waitDialog(process_, 10000);
    ASSERT_NE(nullptr, doc);

    ASSERT_TRUE(clickTab(main, 1));
    EXPECT_TRUE(waitFor([&] { return menuTexts(main).empty(); }, 5000)) << children(main);
    EXPECT_EQ(std::vector<std::string>(9, ""), grid(main));
    // The previous entry's popup text went with it: the closed document does not bring Info back.
    EXPECT_TRUE(driver_.waitGone(doc, 5000));
    EXPECT_FALSE(waitFor([&] { return IsWindowEnabled(info) != FALSE; }, 1000));
    ASSERT_TRUE(clickTab(main, 0));
    EXPECT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 5000)) << children(main);
    EXPECT_EQ("操作0-0-0", grid(main)[7]);
}

// Rests the real pointer on a child window so that it gets WM_MOUSEMOVE.
bool hover(HWND w) {
    RECT rc;
    GetClientRect(w, &rc);
    POINT pt = {rc.right / 2, rc.bottom / 2};
    if (!e2e::activate(GetAncestor(w, GA_ROOT)) || !ClientToScreen(w, &pt) || !SetCursorPos(pt.x, pt.y))
        return false;
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    return SendInput(1, &in, sizeof in) == 1;
}

TEST_F(MenuScreenE2E, RestingOnAButtonShowsItsHint) {
    writeIni();
    writeDat({page("ページ", 0, 2), page("次", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitFor([&] { return pageShown(main, "項目0-0"); }, 10000)) << children(main);
    ASSERT_TRUE(hover(executeButton(main, 7)));
    HWND tip = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            for (HWND w : e2e::topWindows(process_.pid))
                if (e2e::className(w) == "tooltips_class32") tip = w;
            return tip != nullptr;
        },
        5000));
    EXPECT_TRUE(waitFor([&] { return e2e::windowText(tip) == "ヒント0"; }, 3000)) << e2e::windowText(tip);
    settledScreenshot(main, "menu_screen_hint");
}

// Position of a child window in the client area of its parent.
POINT placeOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    POINT p = {r.left, r.top};
    ScreenToClient(GetParent(child), &p);
    return p;
}

TEST_F(MenuScreenE2E, NegativeRowMarginStacksTheGridUpward) {
    writeIni("-10,-4");
    writeDat({page("ページ", 0, 1), page("次", 1, 1)});
    HWND main = start();
    ASSERT_NE(nullptr, main);
    POINT first = placeOf(executeButton(main, 0));
    EXPECT_EQ(kExecX, first.x);
    EXPECT_EQ(kExecY, first.y);
    POINT second = placeOf(executeButton(main, 1));
    EXPECT_EQ(kExecX + kExecW - 10, second.x);
    POINT below = placeOf(executeButton(main, 3));
    EXPECT_EQ(kExecX, below.x);
    EXPECT_EQ(kExecY - 4 - kExecH, below.y);
    EXPECT_EQ(kExecY - 2 * (4 + kExecH), placeOf(executeButton(main, 8)).y);
}

TEST_F(MenuScreenE2E, UnreadableExecuteImageIsReportedAtStartUp) {
    write("broken.bmp", "BM not really a picture");
    writeIni("6,4", "broken.bmp");
    writeDat({page("ページ", 0, 1)});
    e2e::Process p = driver_.start(path("Ostrel.exe"));
    ASSERT_NE(0u, p.pid);
    HWND box = driver_.waitMessageBox(p, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("セクション[BUTTON.Execute]\nBitmap のボタン画像\n '" + path("broken.bmp") +
                  "' が見つかりません",
              e2e::messageBoxText(box));
    EXPECT_EQ(kCaption, e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    DWORD code = 1;
    ASSERT_TRUE(p.waitExit(15000, &code));
    EXPECT_EQ(0u, code);
}

}  // namespace
