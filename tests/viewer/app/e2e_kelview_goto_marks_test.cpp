// Kelview's go-to-line dialog and mark list as the user drives them: absolute
// and relative line numbers, the not-found message, the 20-mark limit, a row
// marked again, the excerpts in the list and the marked line numbers' colour.
#include "kelview_e2e.h"
#include "capture.h"

using namespace kvtest;

namespace {

using Viewer = RunningViewer;

int caretLine(HWND client) { return position(client).first; }

bool waitCaretLine(HWND client, int line) {
    DWORD start = GetTickCount();
    while (caretLine(client) != line) {
        if (GetTickCount() - start > 5000) return false;
        Sleep(20);
    }
    return true;
}

// Opens the go-to-line dialog, enters the text and presses 移動.
HWND enterLine(Viewer& v, const std::string& text) {
    if (!e2e::command(v.frame, IDM_GO_TO_LINE)) return nullptr;
    HWND dlg = v.d.waitDialog(v.p);
    if (!dlg) return nullptr;
    EXPECT_EQ("指定行への移動", e2e::windowText(dlg));
    EXPECT_TRUE(e2e::setText(e2e::child(dlg, IDC_LINE_ENTRY), text));
    EXPECT_TRUE(e2e::pressButton(dlg, IDOK));
    EXPECT_TRUE(v.d.waitGone(dlg));
    return dlg;
}

// No dialog or message box of the viewer is showing once it answers again:
// a box after the dialog would be up before the viewer took the next message.
bool noBoxShowing(Viewer& v) {
    query(v.client, kPosition);
    for (HWND w : e2e::topWindows(v.p.pid))
        if (e2e::className(w) == "#32770") return false;
    return true;
}

// The list is read item by item from outside, so a rebuild can fall between
// two reads: only a reading that a second one repeats counts.
std::vector<std::string> waitItems(HWND list, size_t count, const std::string& last = "") {
    DWORD start = GetTickCount();
    auto done = [&](const std::vector<std::string>& items) {
        return items.size() == count && (last.empty() || (!items.empty() && items.back() == last));
    };
    std::vector<std::string> items = e2e::itemTexts(list);
    for (;;) {
        std::vector<std::string> again = e2e::itemTexts(list);
        if (done(items) && again == items) return items;
        if (GetTickCount() - start >= 5000) return again;
        Sleep(20);
        items = e2e::itemTexts(list);
    }
}

// Share of the margin cell of screen row `screenRow` in the marked colour (green background).
double greenInMargin(HWND client, int screenRow) {
    SIZE c = cell();
    int margin = static_cast<int>(query(client, kMarginWidth));
    int top = static_cast<int>(query(client, VIEW_QUERY_LIVE_TOP));
    POINT tl = {0, top + screenRow * c.cy};
    ClientToScreen(client, &tl);
    RECT r = {tl.x, tl.y, tl.x + margin - c.cx, tl.y + c.cy};
    e2e::Image image;
    if (!e2e::captureScreen(r, &image) || image.width == 0) return -1;
    int green = 0, all = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x, ++all)
            if (image.at(x, y) == RGB(0, 128, 0)) ++green;
    return all ? static_cast<double>(green) / all : -1;
}

}  // namespace

TEST(KelviewGoToLine, AbsoluteRelativeNotFoundAndWrappedRows) {
    std::string folder = e2e::freshFolder("kelview_goto");
    // The first logical line wraps into three display rows (80 columns each).
    std::string text = std::string(200, 'w') + "\r\n";
    for (int i = 2; i <= 40; ++i) text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(folder + "\\g.txt", text));
    Viewer v(folder + "\\g.txt");
    ASSERT_NE(nullptr, v.client);
    ASSERT_EQ(3 + 39 + 1, query(v.client, kRowCount));

    // Lines are display rows: line 4 is the second logical line.
    ASSERT_TRUE(enterLine(v, "4"));
    ASSERT_TRUE(waitCaretLine(v.client, 4));
    EXPECT_EQ(1, position(v.client).second);
    // The line end of row 4 is that of "line 2": the caret mode's End key shows it.
    ASSERT_TRUE(e2e::command(v.frame, IDM_RANGE_SELECT));
    ASSERT_EQ(0, waitQuery(v.client, kBrowse, 0));
    ASSERT_TRUE(e2e::command(v.frame, IDM_LINE_END));
    DWORD start = GetTickCount();
    while (position(v.client).second == 1 && GetTickCount() - start < 5000) Sleep(20);
    EXPECT_EQ(std::make_pair(4, 7), position(v.client));

    ASSERT_TRUE(enterLine(v, "10"));
    ASSERT_TRUE(waitCaretLine(v.client, 10));
    ASSERT_TRUE(enterLine(v, "+5"));
    EXPECT_TRUE(waitCaretLine(v.client, 15));

    ASSERT_TRUE(enterLine(v, "10"));
    ASSERT_TRUE(waitCaretLine(v.client, 10));
    ASSERT_TRUE(enterLine(v, "-20"));
    HWND box = v.d.waitMessageBox(v.p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("指定された行が見つかりませんでした。行番号：-10", e2e::messageBoxText(box));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(v.d.waitGone(box));
    EXPECT_EQ(10, caretLine(v.client));

    // Line 0 does nothing, quietly.
    ASSERT_TRUE(enterLine(v, "-10"));
    EXPECT_TRUE(noBoxShowing(v));
    EXPECT_EQ(10, caretLine(v.client));

    // Past the end-of-file row (row 43 is line 43).
    ASSERT_TRUE(enterLine(v, "44"));
    box = v.d.waitMessageBox(v.p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("指定された行が見つかりませんでした。行番号：44", e2e::messageBoxText(box));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(v.d.waitGone(box));
    ASSERT_TRUE(enterLine(v, "43"));
    EXPECT_TRUE(waitCaretLine(v.client, 43));
    EXPECT_TRUE(v.p.running());
}

TEST(KelviewMarks, LimitRemarkExcerptsColourAndJump) {
    std::string folder = e2e::freshFolder("kelview_marks");
    std::string text = "  \tindented text that is long\r\n";
    text += "0123456789abcdefgあいう\r\n";
    for (int i = 3; i <= 40; ++i) text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(folder + "\\m.txt", text));
    Viewer v(folder + "\\m.txt");
    ASSERT_NE(nullptr, v.client);

    ASSERT_TRUE(e2e::command(v.frame, IDM_MARK_LIST));
    DWORD start = 0;
    HWND dlg = v.d.waitDialog(v.p);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ("マーク一覧", e2e::windowText(dlg));
    HWND list = e2e::child(dlg, IDC_MARK_LIST);
    ASSERT_NE(nullptr, list);
    EXPECT_TRUE(e2e::itemTexts(list).empty());
    EXPECT_EQ("ｷｬﾝｾﾙ", e2e::dlgItemText(dlg, IDCANCEL));

    // The caret is moved under the open list; 追加 marks its row.
    auto markRow = [&](int row, size_t count) {
        SendMessageA(v.client, WMU_GO_TO_ROW, 0, row);
        EXPECT_TRUE(e2e::pressButton(dlg, IDC_MARK_ADD));
        std::string excerpt = row == 0   ? "indented text that"
                              : row == 1 ? "0123456789abcdefgあ"
                                         : "line " + std::to_string(row + 1);
        return waitItems(list, count, "m.txt - " + std::to_string(row + 1) + ": " + excerpt);
    };
    std::vector<std::string> items;
    for (int row = 0; row < 20; ++row) items = markRow(row, row + 1);
    ASSERT_EQ(20u, items.size());
    EXPECT_EQ("m.txt - 1: indented text that", items[0]);
    EXPECT_EQ("m.txt - 2: 0123456789abcdefgあ", items[1]);
    EXPECT_EQ("m.txt - 20: line 20", items[19]);
    EXPECT_EQ("終了", e2e::dlgItemText(dlg, IDCANCEL));
    EXPECT_EQ(LB_ERR, SendMessageA(list, LB_GETCURSEL, 0, 0));

    // The 21st mark drops the oldest.
    items = markRow(20, 20);
    ASSERT_EQ(20u, items.size());
    EXPECT_EQ("m.txt - 2: 0123456789abcdefgあ", items[0]);
    EXPECT_EQ("m.txt - 21: line 21", items[19]);

    // Marking row 6 again moves its entry to the end; nothing else goes.
    items = markRow(5, 20);
    ASSERT_EQ(20u, items.size());
    EXPECT_EQ("m.txt - 2: 0123456789abcdefgあ", items[0]);
    EXPECT_EQ("m.txt - 7: line 7", items[4]);
    EXPECT_EQ("m.txt - 6: line 6", items[19]);

    // 削除 without a selection removes nothing; with one, that mark.
    ASSERT_TRUE(e2e::pressButton(dlg, IDC_MARK_DELETE));
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(e2e::pressButton(dlg, IDC_MARK_DELETE));
    items = waitItems(list, 19);
    ASSERT_EQ(19u, items.size());
    EXPECT_EQ("m.txt - 4: line 4", items[1]);

    // In the list the Insert key adds (the caret's row 6 again) and Delete removes.
    ASSERT_TRUE(e2e::activate(list));
    ASSERT_TRUE(e2e::sendKey(list, VK_INSERT));
    items = waitItems(list, 19, "m.txt - 6: line 6");
    ASSERT_EQ(19u, items.size());
    EXPECT_EQ("m.txt - 6: line 6", items.back());
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(e2e::sendKey(list, VK_DELETE));
    items = waitItems(list, 18);
    ASSERT_EQ(18u, items.size());
    EXPECT_EQ("m.txt - 4: line 4", items[0]);
    ASSERT_TRUE(e2e::pressButton(dlg, IDCANCEL));
    ASSERT_TRUE(v.d.waitGone(dlg));

    // Marked rows (4 to 21) show their numbers on green; rows 1 to 3 do not.
    if (query(v.client, kMarginWidth) == 0) {
        ASSERT_TRUE(e2e::command(v.frame, IDM_LINE_NUMBERS));
    }
    ASSERT_TRUE(e2e::command(v.frame, IDM_FILE_TOP));
    start = GetTickCount();
    while ((query(v.client, kMarginWidth) <= 0 || query(v.client, kTopRow) != 0) &&
           GetTickCount() - start < 5000)
        Sleep(20);
    ASSERT_EQ(0, query(v.client, kTopRow));
    e2e::settlePainting(v.client);
    EXPECT_GT(greenInMargin(v.client, 3), 0.05);
    EXPECT_GT(greenInMargin(v.client, 20), 0.05);
    EXPECT_EQ(0.0, greenInMargin(v.client, 0));
    EXPECT_EQ(0.0, greenInMargin(v.client, 1));
    EXPECT_EQ(0.0, greenInMargin(v.client, 2));
    EXPECT_EQ(0.0, greenInMargin(v.client, 21));
    EXPECT_FALSE(e2e::screenshot(v.frame, "kelview_marked_line_numbers").empty());

    // 移動 on the last entry goes to row 6.
    ASSERT_TRUE(e2e::command(v.frame, IDM_MARK_LIST));
    dlg = v.d.waitDialog(v.p);
    ASSERT_NE(nullptr, dlg);
    list = e2e::child(dlg, IDC_MARK_LIST);
    EXPECT_EQ(17, SendMessageA(list, LB_GETCURSEL, 0, 0));  // the last one is selected
    ASSERT_TRUE(e2e::pressButton(dlg, IDOK));
    ASSERT_TRUE(v.d.waitGone(dlg));
    EXPECT_TRUE(waitCaretLine(v.client, 6));

    // 全てクリア empties the list and the margin.
    ASSERT_TRUE(e2e::command(v.frame, IDM_MARK_LIST));
    dlg = v.d.waitDialog(v.p);
    ASSERT_NE(nullptr, dlg);
    list = e2e::child(dlg, IDC_MARK_LIST);
    ASSERT_TRUE(e2e::pressButton(dlg, IDC_MARK_CLEAR));
    EXPECT_TRUE(waitItems(list, 0).empty());
    ASSERT_TRUE(e2e::pressButton(dlg, IDCANCEL));
    ASSERT_TRUE(v.d.waitGone(dlg));
    ASSERT_TRUE(e2e::command(v.frame, IDM_FILE_TOP));
    e2e::settlePainting(v.client);
    EXPECT_EQ(0.0, greenInMargin(v.client, 1));
    EXPECT_TRUE(v.p.running());
}
