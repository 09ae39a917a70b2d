// The tab row in this process over a MENU.DAT written by the test: whether
// a row exists, its style and tab sizes, the notifications that show a page,
// the remembered entries and the style each tab is drawn with.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "menu_data.h"
#include "messages.h"
#include "palette.h"
#include "screen_fixture.h"
#include "tab_row.h"

using namespace menu;

namespace {

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class TabRowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InitCommonControls();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TabRowTestParent";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        RegisterClassA(&wc);
    }
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = e2e::freshFolder(std::string("tab_row\\") + info->name());
        ASSERT_FALSE(folder_.empty());
        parent_ = CreateWindowExA(0, "TabRowTestParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, parent_);
        desc_.x = 16;
        desc_.y = 14;
        desc_.width = 300;
        desc_.height = 34;
        desc_.styles[StyleNormal].textColor = RGB(200, 210, 230);
        desc_.styles[StyleSelect].textColor = RGB(250, 210, 90);
    }
    void TearDown() override {
        row_.destroy();
        if (parent_) DestroyWindow(parent_);
    }
    void pages(int n) {
        std::string dat = "[MENU]\n";
        for (int i = 1; i <= n; ++i) dat += "Page" + std::to_string(i) + "=P" + std::to_string(i) + "\n";
        for (int i = 1; i <= n; ++i)
            dat += "[P" + std::to_string(i) + "]\nTitle=頁" + std::to_string(i) + "\n";
        std::string path = folder_ + "\\MENU.DAT";
        ASSERT_TRUE(e2e::writeFile(path, dat));
        ASSERT_TRUE(data_.locate(GetModuleHandleA(nullptr), path.c_str()));
    }
    int create() { return row_.create(parent_, GetModuleHandleA(nullptr), desc_, data_); }
    NMHDR header(UINT code) {
        NMHDR h = {};
        h.hwndFrom = row_.window();
        h.idFrom = IDC_TAB_ROW;
        h.code = code;
        return h;
    }

    std::string folder_;
    HWND parent_ = nullptr;
    TabDesc desc_;
    MenuData data_;
    TabRow row_;
};

TEST_F(TabRowTest, NoPagesOrOnePageMakeNoWindow) {
    pages(0);
    EXPECT_EQ(0, create());
    EXPECT_EQ(nullptr, row_.window());
    EXPECT_EQ(0, row_.remembered(0));
    row_.remember(0, 3);
    EXPECT_EQ(3, row_.remembered(0));  // one slot exists even without pages

    pages(1);
    EXPECT_EQ(1, create());
    EXPECT_EQ(nullptr, row_.window());
    EXPECT_EQ(nullptr, GetDlgItem(parent_, IDC_TAB_ROW));
}

TEST_F(TabRowTest, TwoPagesShareTheWidthInOneLine) {
    pages(2);
    EXPECT_EQ(2, create());
    HWND w = row_.window();
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(IDC_TAB_ROW, GetDlgCtrlID(w));
    LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_TRUE(style & TCS_FIXEDWIDTH);
    EXPECT_FALSE(style & TCS_MULTILINE);
    EXPECT_TRUE(style & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(2, SendMessageA(w, TCM_GETITEMCOUNT, 0, 0));
    RECT r0, r1;
    SendMessageA(w, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    SendMessageA(w, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r1));
    EXPECT_EQ(148, r0.right - r0.left);
    EXPECT_EQ(148, r1.right - r1.left);
    RECT wr;
    GetWindowRect(w, &wr);
    EXPECT_EQ(300, wr.right - wr.left);
    EXPECT_EQ(34, wr.bottom - wr.top);
}

TEST_F(TabRowTest, ThreePagesKeepMultilineAndTitles) {
    pages(3);
    EXPECT_EQ(3, create());
    HWND w = row_.window();
    ASSERT_NE(nullptr, w);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & TCS_MULTILINE);
    char text[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(w, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ("頁3", text);
}

TEST_F(TabRowTest, SelectionChangeShowsThePageAndRemembersItAsShown) {
    pages(3);
    create();
    SendMessageA(row_.window(), TCM_SETCURSEL, 2, 0);
    NMHDR change = header(TCN_SELCHANGE);
    EXPECT_EQ(2, row_.notified(&change, data_));
    EXPECT_EQ(2, row_.lastShown());
    EXPECT_EQ(2, data_.pages.current);
    // A click on the tab already shown asks for nothing; a selection change always does.
    NMHDR click = header(NM_CLICK);
    EXPECT_EQ(-1, row_.notified(&click, data_));
    EXPECT_EQ(2, row_.notified(&change, data_));
    SendMessageA(row_.window(), TCM_SETCURSEL, 0, 0);
    EXPECT_EQ(0, row_.notified(&click, data_));
    NMHDR other = header(TCN_KEYDOWN);
    EXPECT_EQ(-1, row_.notified(&other, data_));
}

TEST_F(TabRowTest, EachTabRemembersItsEntry) {
    pages(3);
    create();
    row_.remember(1, 2);
    row_.remember(2, 1);
    EXPECT_EQ(0, row_.remembered(0));
    EXPECT_EQ(2, row_.remembered(1));
    EXPECT_EQ(1, row_.remembered(2));
    row_.remember(7, 5);  // no such tab: ignored
    EXPECT_EQ(0, row_.remembered(7));
    EXPECT_EQ(0, row_.remembered(-1));
}

TEST_F(TabRowTest, CurrentTabStaysWithinTheRow) {
    pages(2);
    create();
    row_.setCurrent(1);
    EXPECT_EQ(1, row_.current());
    row_.setCurrent(2);
    EXPECT_EQ(1, row_.current());
    row_.setCurrent(-1);
    EXPECT_EQ(1, row_.current());
}

// Draws tab `item` into a memory bitmap and returns how many pixels have the colour.
int pixelsOfColour(TabRow& row, int item, COLORREF colour, Palette& palette) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 150;
    bi.bmiHeader.biHeight = 34;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_TAB;
    dis.CtlID = IDC_TAB_ROW;
    dis.itemID = static_cast<UINT>(item);
    dis.hwndItem = row.window();
    dis.hDC = dc;
    SetRect(&dis.rcItem, 0, 0, 150, 34);
    EXPECT_TRUE(row.drawItem(&dis, &palette));
    GdiFlush();
    int n = 0;
    const DWORD* p = static_cast<const DWORD*>(bits);
    DWORD want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < 150 * 34; ++i)
        if ((p[i] & 0xFFFFFF) == want) ++n;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return n;
}

TEST_F(TabRowTest, SelectedTabIsDrawnInTheSelectStyle) {
    pages(2);
    desc_.bgColor = RGB(8, 24, 72);
    create();
    Palette palette;
    SendMessageA(row_.window(), TCM_SETCURSEL, 1, 0);
    EXPECT_GT(pixelsOfColour(row_, 1, RGB(250, 210, 90), palette), 10);
    EXPECT_EQ(0, pixelsOfColour(row_, 1, RGB(200, 210, 230), palette));
    EXPECT_GT(pixelsOfColour(row_, 0, RGB(200, 210, 230), palette), 10);
    EXPECT_EQ(0, pixelsOfColour(row_, 0, RGB(250, 210, 90), palette));
    // The item is filled with the row's colour.
    EXPECT_GT(pixelsOfColour(row_, 0, RGB(8, 24, 72), palette), 150 * 34 / 2);
}

TEST_F(TabRowTest, DrawingAnItemOfAnotherControlIsRefused) {
    pages(2);
    create();
    Palette palette;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_TAB;
    dis.itemID = 0;
    dis.hwndItem = parent_;
    EXPECT_FALSE(row_.drawItem(&dis, &palette));
    dis.hwndItem = row_.window();
    dis.itemID = 5;
    EXPECT_FALSE(row_.drawItem(&dis, &palette));
}

}  // namespace
