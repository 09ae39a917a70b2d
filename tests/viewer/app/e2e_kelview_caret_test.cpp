// Kelview's caret mode as the user sees it: the ruler's caret-column cell and
// selections made with the paging keys.
#include "kelview_e2e.h"
#include "capture.h"

using namespace kvtest;

namespace {

std::string numberedLines(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "line " + std::to_string(i) + "\r\n";
    return s;
}

using Viewer = RunningViewer;

// Waits until the client window holds the keyboard focus of its thread.
bool waitFocus(HWND client, DWORD timeoutMs = 5000) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    DWORD thread = GetWindowThreadProcessId(client, nullptr);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == client) return true;
        Sleep(20);
    }
    return false;
}

// Share of the pixels of the ruler cell over `column` (rows 0-8 of the band,
// the cell's inner width) that are NOT in the ruler's background colour.
double inkInRulerCell(HWND client, int column) {
    SIZE c = cell();
    e2e::settlePainting(client);
    POINT tl = {column * c.cx + 1, 0};
    ClientToScreen(client, &tl);
    RECT r = {tl.x, tl.y, tl.x + c.cx - 1, tl.y + 9};
    e2e::Image image;
    if (!e2e::captureScreen(r, &image) || image.width == 0) return -1;
    COLORREF paper = GetSysColor(COLOR_WINDOW);
    int ink = 0, all = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x, ++all)
            if (image.at(x, y) != paper) ++ink;
    return all ? static_cast<double>(ink) / all : -1;
}

// Polls until the ruler cell is mostly inverted (inverted = true) or mostly
// background (false); returns the last share of ink seen.
double waitRulerCell(HWND client, int column, bool inverted, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    double share = inkInRulerCell(client, column);
    while ((inverted ? share <= 0.5 : share >= 0.5) && GetTickCount() - start < timeoutMs) {
        Sleep(50);
        share = inkInRulerCell(client, column);
    }
    return share;
}

}  // namespace

TEST(KelviewRuler, CaretColumnCellShowsInCaretModeOnlyAndFollowsTheModeAlone) {
    std::string folder = e2e::freshFolder("kelview_ruler_mode");
    ASSERT_TRUE(e2e::writeFile(folder + "\\r.txt", numberedLines(20)));
    Viewer v(folder + "\\r.txt");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(waitFocus(v.client));
    // Browse mode: the hidden caret moves to column 3, the ruler shows no cell.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(e2e::sendKey(v.client, VK_RIGHT));
    DWORD start = GetTickCount();
    while (position(v.client).second != 4 && GetTickCount() - start < 5000) Sleep(20);
    ASSERT_EQ(4, position(v.client).second);
    EXPECT_LT(waitRulerCell(v.client, 3, false), 0.5);
    // Range selection (Ctrl+B) enters caret mode where the caret stands: only the mode changes.
    ASSERT_TRUE(e2e::sendKey(v.client, 'B', false, true));
    ASSERT_EQ(0, waitQuery(v.client, kBrowse, 0));
    ASSERT_EQ(4, position(v.client).second);
    EXPECT_GT(waitRulerCell(v.client, 3, true), 0.5);
    // The cells beside it stay as they were.
    EXPECT_LT(inkInRulerCell(v.client, 4), 0.5);
    // Escape without a selection goes back to browse mode: the cell goes.
    ASSERT_TRUE(e2e::sendKey(v.client, VK_ESCAPE));
    ASSERT_EQ(1, waitQuery(v.client, kBrowse, 1));
    EXPECT_LT(waitRulerCell(v.client, 3, false), 0.5);
    EXPECT_TRUE(v.p.running());
}

TEST(KelviewKeys, ShiftPageDownAndUpExtendTheSelection) {
    std::string folder = e2e::freshFolder("kelview_shift_page");
    ASSERT_TRUE(e2e::writeFile(folder + "\\p.txt", numberedLines(300)));
    Viewer v(folder + "\\p.txt");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::sendKey(v.client, 'B', false, true));
    ASSERT_EQ(0, waitQuery(v.client, kBrowse, 0));
    int visible = static_cast<int>(query(v.client, kVisibleRows));
    ASSERT_GT(visible, 4);
    ASSERT_TRUE(e2e::sendKey(v.client, VK_NEXT, true));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    DWORD start = GetTickCount();
    while (position(v.client).first == 1 && GetTickCount() - start < 5000) Sleep(20);
    int row = position(v.client).first;  // 1-based
    ASSERT_GT(row, 1);
    clearClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    // From the start of the document to the start of the caret's row.
    EXPECT_EQ(numberedLines(row - 1), copied);

    // Shift+Page Up from further down selects back up to the new caret row.
    ASSERT_EQ(0, waitQuery(v.client, kHasSelection, 0));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_NEXT));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_NEXT));
    start = GetTickCount();
    while (position(v.client).first <= row && GetTickCount() - start < 5000) Sleep(20);
    ASSERT_EQ(0, query(v.client, kHasSelection));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_PRIOR, true));
    EXPECT_EQ(1, waitQuery(v.client, kHasSelection, 1));
}

namespace {

// Pixels in the given colour within the right half of the frame's menu bar.
int menuBarPixels(HWND frame, COLORREF colour) {
    e2e::settlePainting(frame);
    POINT clientTop = {0, 0};
    ClientToScreen(frame, &clientTop);
    RECT w = e2e::windowRect(frame);
    int menuH = GetSystemMetrics(SM_CYMENU);
    RECT r = {(w.left + w.right) / 2, clientTop.y - menuH + 1, w.right - 4, clientTop.y - 1};
    e2e::Image image;
    if (!e2e::captureScreen(r, &image)) return -1;
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) == colour) ++n;
    return n;
}

int waitMenuBarPixels(HWND frame, COLORREF colour, bool wantSome, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    int n = menuBarPixels(frame, colour);
    while ((wantSome ? n <= 0 : n != 0) && GetTickCount() - start < timeoutMs) {
        Sleep(50);
        n = menuBarPixels(frame, colour);
    }
    return n;
}

}  // namespace

TEST(KelviewIndicator, PositionIsGreyWhileTheFrameIsInactive) {
    std::string folder = e2e::freshFolder("kelview_indicator");
    ASSERT_TRUE(e2e::writeFile(folder + "\\a.txt", numberedLines(20)));
    e2e::Driver d;
    e2e::Process pa = d.start(viewer(), "/(0,0,640,300) \"" + folder + "\\a.txt\"");
    HWND a = d.waitWindow(pa, "Kelview32Class");
    ASSERT_NE(nullptr, a);
    ASSERT_TRUE(e2e::activate(a));
    COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    // Active: the indicator is in the menu text colour, nothing there is grey.
    EXPECT_EQ(0, waitMenuBarPixels(a, grey, false));
    EXPECT_GT(menuBarPixels(a, GetSysColor(COLOR_MENUTEXT)), 0);
    // A second viewer below takes the foreground: the first one's indicator turns grey.
    // It shows another file: the same one would bring up the question whether to open it twice.
    ASSERT_TRUE(e2e::writeFile(folder + "\\b.txt", numberedLines(20)));
    e2e::Process pb = d.start(viewer(), "/(0,400,640,300) \"" + folder + "\\b.txt\"");
    HWND b = d.waitWindow(pb, "Kelview32Class");
    ASSERT_NE(nullptr, b);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != b && GetTickCount() - start < 5000) Sleep(20);
    ASSERT_EQ(b, GetForegroundWindow());
    EXPECT_GT(waitMenuBarPixels(a, grey, true), 0);
    // Back in front, it is drawn in the menu text colour again.
    ASSERT_TRUE(e2e::activate(a));
    EXPECT_EQ(0, waitMenuBarPixels(a, grey, false));
}

TEST(KelviewReload, FileThatCannotBeOpenedAgainLeavesAnEmptyUntitledWindow) {
    std::string folder = e2e::freshFolder("kelview_reload_locked");
    std::string file = folder + "\\r.txt";
    ASSERT_TRUE(e2e::writeFile(file, numberedLines(200)));
    Viewer v(file);
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(waitCaptionHas(v.frame, "r.txt"));
    ASSERT_EQ(201, query(v.client, kRowCount));
    // Far down in the document, then another program takes the file for itself.
    ASSERT_TRUE(e2e::sendKey(v.client, VK_END, false, true));
    DWORD start = GetTickCount();
    while (position(v.client).first != 201 && GetTickCount() - start < 5000) Sleep(20);
    ASSERT_EQ(201, position(v.client).first);
    HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    ASSERT_TRUE(e2e::command(v.frame, 13));
    HWND box = v.d.waitMessageBox(v.p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("r.txt は他のプログラムが使用中等の理由により開けません。", e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);
    CloseHandle(lock);
    EXPECT_TRUE(waitCaptionHas(v.frame, "(無題) - Kelview")) << e2e::windowText(v.frame);
    EXPECT_EQ(1, waitQuery(v.client, kRowCount, 1));
    EXPECT_EQ(0, query(v.client, kTopRow));
    EXPECT_EQ(1, position(v.client).first);
    // An emptied window is no longer in browse mode: Escape leaves it open.
    EXPECT_EQ(0, query(v.client, kBrowse));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_ESCAPE));
    EXPECT_EQ(0, waitQuery(v.client, kHasSelection, 0));
    EXPECT_TRUE(v.p.running());
}
