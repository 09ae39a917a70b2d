// Kelview's selection, clipboard copy, paging, line numbers, and how it looks.
#include "kelview_e2e.h"

using namespace kvtest;

namespace {

std::string sampleDoc() { return e2e::source("sample-disc/docs/readme_sjis.txt"); }

struct Viewer {
    e2e::Driver d;
    e2e::Process p;
    HWND frame = nullptr;
    HWND client = nullptr;
    explicit Viewer(const std::string& args) {
        p = d.start(viewer(), args);
        frame = d.waitWindow(p, "Kelview32Class");
        if (frame) client = clientOf(frame);
    }
};

std::string numberedLines(int n, const char* extra = "") {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "line " + std::to_string(i) + extra + "\r\n";
    return s;
}

// Client coordinates of the middle of a cell.
POINT cellPoint(HWND client, int row, int column) {
    SIZE c = cell();
    int margin = static_cast<int>(query(client, kMarginWidth));
    return POINT{margin + column * c.cx + c.cx / 2, 10 + row * c.cy + c.cy / 2};
}

// A key stroke to whatever has the focus, without activating anything first:
// activation would close an open popup menu.
void rawKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

}  // namespace

TEST(KelviewCopy, SelectAllThenCopyGivesTheWholeTextWithCrLfAndNoEofMark) {
    std::string original;
    ASSERT_TRUE(e2e::readFile(sampleDoc(), &original));
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    clearClipboard();
    ASSERT_TRUE(e2e::sendKey(v.client, 'A', false, true));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_TRUE(e2e::sendKey(v.client, 'C', false, true));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ(original, copied);
    EXPECT_EQ(std::string::npos, copied.find("[EOF]"));
    // Copying ends the selection.
    EXPECT_EQ(0, waitQuery(v.client, kHasSelection, 0));
}

TEST(KelviewCopy, WrappedLineJoinsWithoutBreakAndLastLineHasNoCrLf) {
    std::string folder = e2e::freshFolder("kelview_wrap");
    std::string longLine(200, 'x');
    std::string text = "short\r\n" + longLine + "\r\ntail";
    ASSERT_TRUE(e2e::writeFile(folder + "\\w.txt", text));
    Viewer v("\"" + folder + "\\w.txt\"");
    ASSERT_NE(nullptr, v.client);
    EXPECT_EQ(5, query(v.client, kRowCount));  // short, 80, 80, 40, tail+[EOF]
    clearClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 39));
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ(text, copied);
}

TEST(KelviewCopy, BoxSelectionWithCtrlDragCopiesColumnsAndMarksBox) {
    std::string folder = e2e::freshFolder("kelview_box");
    ASSERT_TRUE(e2e::writeFile(folder + "\\b.txt", "0123456789\r\nab\r\n表示テキスト\r\nlast line\r\n"));
    Viewer v("\"" + folder + "\\b.txt\"");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    clearClipboard();
    // Columns 3 to 8 of rows 0 to 2: the bound at column 3 splits "示" and takes it whole.
    POINT a = cellPoint(v.client, 0, 3), b = cellPoint(v.client, 2, 8);
    a.x -= cell().cx / 2;
    b.x -= cell().cx / 2;
    // The drag is posted with Ctrl in the key flags: a real Ctrl press does not
    // survive the focus change that the driver's activation makes under X.
    PostMessageA(v.client, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(a.x, a.y));
    PostMessageA(v.client, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL,
                 MAKELPARAM((a.x + b.x) / 2, (a.y + b.y) / 2));
    PostMessageA(v.client, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(b.x, b.y));
    PostMessageA(v.client, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(b.x, b.y));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ("34567\r\n\r\n示テキ\r\n", copied);
    std::string marker;
    ASSERT_TRUE(clipboardData(CF_DSPTEXT, &marker));
    EXPECT_EQ("BOX", marker);
}

TEST(KelviewCopy, CopyWithoutSelectionLeavesTheClipboardAlone) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(h), "keep!", 6);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 40));
    Sleep(300);  // nothing to wait for: the command must change nothing
    std::string text;
    ASSERT_TRUE(clipboardData(CF_TEXT, &text));
    EXPECT_EQ("keep!", text);
    EXPECT_TRUE(v.p.running());
}

TEST(KelviewPaging, PageDownStopsWithTheEndOfFileRowInTheMiddle) {
    std::string folder = e2e::freshFolder("kelview_page");
    ASSERT_TRUE(e2e::writeFile(folder + "\\p.txt", numberedLines(300)));
    Viewer v("\"" + folder + "\\p.txt\"");
    ASSERT_NE(nullptr, v.client);
    int rows = static_cast<int>(query(v.client, kRowCount));
    int visible = static_cast<int>(query(v.client, kVisibleRows));
    ASSERT_EQ(301, rows);
    ASSERT_GT(visible, 4);
    int expectedTop = rows - visible / 2;
    for (int i = 0; i < 300 / (visible - 1) + 3; ++i) ASSERT_TRUE(e2e::sendKey(v.client, VK_NEXT));
    EXPECT_EQ(expectedTop, waitQuery(v.client, kTopRow, expectedTop));
    // The end-of-file row (row 300) stands in the middle of the window.
    int eofScreenRow = 300 - static_cast<int>(query(v.client, kTopRow));
    EXPECT_NEAR(visible / 2, eofScreenRow, 1);
    EXPECT_EQ(1, query(v.client, kBrowse));  // nothing more happens in browse mode
    ASSERT_TRUE(e2e::sendKey(v.client, VK_HOME, false, true));
    EXPECT_EQ(0, waitQuery(v.client, kTopRow, 0));
}

TEST(KelviewPaging, WheelScrollsByTheSystemSetting) {
    std::string folder = e2e::freshFolder("kelview_wheel");
    ASSERT_TRUE(e2e::writeFile(folder + "\\p.txt", numberedLines(300)));
    Viewer v("\"" + folder + "\\p.txt\"");
    ASSERT_NE(nullptr, v.client);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    POINT p = cellPoint(v.client, 3, 3);
    ASSERT_TRUE(e2e::wheelAt(v.client, p.x, p.y, -WHEEL_DELTA));
    EXPECT_EQ(static_cast<LRESULT>(lines), waitQuery(v.client, kTopRow, lines));
    ASSERT_TRUE(e2e::wheelAt(v.client, p.x, p.y, WHEEL_DELTA));
    EXPECT_EQ(0, waitQuery(v.client, kTopRow, 0));
}

TEST(KelviewLineNumbers, F12TogglesAndTheMarginWidensAtTenThousandRows) {
    std::string folder = e2e::freshFolder("kelview_numbers");
    ASSERT_TRUE(e2e::writeFile(folder + "\\9999.txt", numberedLines(9998)));   // 9,999 rows with [EOF]
    ASSERT_TRUE(e2e::writeFile(folder + "\\10000.txt", numberedLines(9999)));  // 10,000 rows
    int n = digitWidth();
    int small = 0;
    {
        Viewer v("\"" + folder + "\\9999.txt\"");
        ASSERT_NE(nullptr, v.client);
        ASSERT_EQ(9999, query(v.client, kRowCount));
        EXPECT_EQ(0, query(v.client, kMarginWidth));
        RECT before = e2e::windowRect(v.frame);
        ASSERT_TRUE(e2e::sendKey(v.client, VK_F12));
        small = static_cast<int>(waitQuery(v.client, kMarginWidth, 5 * n + 8));
        EXPECT_EQ(5 * n + 8, small);
        RECT after = e2e::windowRect(v.frame);
        // The frame grows by the margin unless the screen edge stops it.
        EXPECT_GE(after.right - after.left, before.right - before.left);
        ASSERT_TRUE(e2e::sendKey(v.client, VK_F12));
        EXPECT_EQ(0, waitQuery(v.client, kMarginWidth, 0));
    }
    {
        Viewer v("\"" + folder + "\\10000.txt\"");
        ASSERT_NE(nullptr, v.client);
        ASSERT_EQ(10000, query(v.client, kRowCount));
        // Line numbers start hidden in every new viewer.
        EXPECT_EQ(0, query(v.client, kMarginWidth));
        ASSERT_TRUE(e2e::sendKey(v.client, VK_F12));
        EXPECT_EQ(6 * n + 8, waitQuery(v.client, kMarginWidth, 6 * n + 8));
        EXPECT_EQ(small + n, query(v.client, kMarginWidth));
    }
}

TEST(KelviewLooks, JapaneseDocumentWithNumbersSelectionAndAddress) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_F12));
    ASSERT_GT(waitQuery(v.client, kMarginWidth, 5 * digitWidth() + 8), 0);
    // Caret mode (Ctrl+B), down to row 14, then Shift+Down twice and Shift+End: a selection.
    ASSERT_TRUE(e2e::sendKey(v.client, 'B', false, true));
    ASSERT_EQ(0, waitQuery(v.client, kBrowse, 0));
    for (int i = 0; i < 14; ++i) ASSERT_TRUE(e2e::sendKey(v.client, VK_DOWN));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_RIGHT, true));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_RIGHT, true));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_DOWN, true));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_DOWN, true));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_END, true));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    // Keys arrive in order: the last one has moved the caret to the end of row 17.
    DWORD start = GetTickCount();
    while (position(v.client).second < 40 && GetTickCount() - start < 5000) Sleep(20);
    EXPECT_EQ(17, position(v.client).first);
    Sleep(200);  // let the last repaint reach the screen before the capture
    std::string png = e2e::screenshot(v.frame, "kelview_japanese_numbers_selection");
    EXPECT_FALSE(png.empty());
    // The web address on row 27 is drawn in its own colour (purple), the text around it is not.
    SIZE c = cell();
    int margin = static_cast<int>(query(v.client, kMarginWidth));
    int y = 10 + 27 * c.cy;
    bool purple = false;
    for (int col = 38; col < 60 && !purple; ++col)
        for (int dy = 0; dy < c.cy && !purple; ++dy) {
            COLORREF px = e2e::pixelAt(v.client, margin + col * c.cx + c.cx / 2, y + dy);
            purple = px == RGB(128, 0, 128);
        }
    EXPECT_TRUE(purple);
}

TEST(KelviewMouse, ClickOnWebAddressSelectsIt) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    // Row 27: "最新情報はホームページ http://www.example.co.jp/disc/ をご覧ください。"
    POINT p = cellPoint(v.client, 27, 30);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::clickAt(v.client, p.x, p.y));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_TRUE(waitMouseReleased(v.client));
    clearClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ("http://www.example.co.jp/disc/", copied);
}

TEST(KelviewMouse, ClickOnMailAddressSelectsIt) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    POINT p = cellPoint(v.client, 28, 24);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::clickAt(v.client, p.x, p.y));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_TRUE(waitMouseReleased(v.client));
    clearClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ("support@example.co.jp", copied);
}

TEST(KelviewMouse, MarginClickSelectsTheWholeRow) {
    std::string folder = e2e::freshFolder("kelview_margin");
    ASSERT_TRUE(e2e::writeFile(folder + "\\m.txt", numberedLines(20)));
    Viewer v("\"" + folder + "\\m.txt\"");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::sendKey(v.client, VK_F12));
    int margin = static_cast<int>(waitQuery(v.client, kMarginWidth, 5 * digitWidth() + 8));
    ASSERT_GT(margin, 0);
    POINT p = cellPoint(v.client, 4, 0);
    ASSERT_TRUE(e2e::clickAt(v.client, margin / 2, p.y));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_TRUE(waitMouseReleased(v.client));
    clearClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ("line 5\r\n", copied);
}

TEST(KelviewMouse, RightClickMenuCopiesTheSelection) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    POINT p = cellPoint(v.client, 5, 5);
    // Without a selection a right click does nothing.
    ASSERT_TRUE(e2e::clickAt(v.client, p.x, p.y, true));
    Sleep(300);  // nothing to wait for: no menu may appear
    EXPECT_TRUE(e2e::topWindows(v.p.pid).size() == 1);
    ASSERT_TRUE(e2e::command(v.frame, 39));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    clearClipboard();
    // The menu opens with its one item under the pointer.
    ASSERT_TRUE(e2e::clickAt(v.client, p.x, p.y, true));
    HWND menu = v.d.waitWindow(v.p, "#32768", 5000);
    ASSERT_NE(nullptr, menu);
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r = e2e::windowRect(menu);
    EXPECT_TRUE(PtInRect(&r, cursor));
    rawKey(VK_DOWN);
    rawKey(VK_RETURN);
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ(0u, copied.find("■ 付録ディスクについて\r\n"));
}

TEST(KelviewMouse, ContextMenuKeyOpensTheMenuBelowTheCaret) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::command(v.frame, 39));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    clearClipboard();
    ASSERT_TRUE(e2e::sendKey(v.client, VK_APPS));
    HWND menu = v.d.waitWindow(v.p, "#32768", 5000);
    ASSERT_NE(nullptr, menu);
    rawKey(VK_DOWN);
    rawKey(VK_RETURN);
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    EXPECT_EQ(0u, copied.find("■ 付録ディスクについて\r\n"));
}

TEST(KelviewMouse, DragBelowTheWindowKeepsScrollingAndSelecting) {
    std::string folder = e2e::freshFolder("kelview_autoscroll");
    ASSERT_TRUE(e2e::writeFile(folder + "\\s.txt", numberedLines(400)));
    Viewer v("\"" + folder + "\\s.txt\"");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    POINT a = cellPoint(v.client, 2, 0);
    a.x -= cell().cx / 2;  // the left edge of the row: a press rounds to the nearer cell boundary
    SIZE size = e2e::clientSize(v.client);
    // Every event carries its own screen position, so a press lands where it
    // is meant to however late the window sees the move before it.
    auto mouse = [](POINT screen, DWORD flags) {
        const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + cx - 1) / cx);
        in.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + cy - 1) / cy);
        in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof in);
    };
    // A press on a window without the focus only gives it the focus.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    DWORD thread = GetWindowThreadProcessId(v.client, nullptr);
    DWORD t0 = GetTickCount();
    while (!(GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == v.client) && GetTickCount() - t0 < 5000)
        Sleep(20);
    ASSERT_EQ(v.client, gui.hwndFocus);
    POINT down = a;
    ClientToScreen(v.client, &down);
    mouse(down, 0);
    mouse(down, MOUSEEVENTF_LEFTDOWN);
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    // The pointer stays below the text: the one-shot timer keeps the view moving.
    POINT below = {a.x, size.cy + 20};
    ClientToScreen(v.client, &below);
    // The move is repeated while waiting: a late X motion event of the press
    // can still put Wine's pointer back inside the window, where a real
    // pointer held below it would never be.
    DWORD start = GetTickCount(), moved = 0;
    while (query(v.client, kTopRow) < 30 && GetTickCount() - start < 10000) {
        if (GetTickCount() - moved >= 250) {
            mouse(below, 0);
            moved = GetTickCount();
        }
        Sleep(20);
    }
    mouse(below, MOUSEEVENTF_LEFTUP);
    EXPECT_GE(query(v.client, kTopRow), 30);
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_TRUE(waitMouseReleased(v.client));
    clearClipboard();
    ASSERT_TRUE(e2e::command(v.frame, 40));
    std::string copied;
    ASSERT_TRUE(waitClipboard(&copied));
    // From the pressed row on, over every row the view scrolled past.
    EXPECT_LT(copied.find("3\r\nline 4\r\nline 5\r\n"), 8u) << copied.substr(0, 40);
    EXPECT_GT(copied.size(), 30u * 8u);
}

TEST(KelviewMouse, DoubleClickBesideAnAddressDoesNothing) {
    Viewer v("\"" + sampleDoc() + "\"");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    POINT p = cellPoint(v.client, 2, 4);
    ASSERT_TRUE(e2e::doubleClickAt(v.client, p.x, p.y));
    Sleep(300);  // nothing to wait for: nothing may happen
    EXPECT_EQ(0, query(v.client, kHasSelection));
    EXPECT_EQ(1u, e2e::topWindows(v.p.pid).size());
    EXPECT_TRUE(v.p.running());
}
