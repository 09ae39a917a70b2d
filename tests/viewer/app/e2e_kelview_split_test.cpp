// Kelview's split window as the user drives it: splitting with the caret in
// the lower half, switching panes with F6, each pane's own view and
// selection, and the bar dragged to the top.
#include "kelview_e2e.h"
#include "capture.h"

using namespace kvtest;

namespace {

constexpr int kSplit = VIEW_QUERY_SPLIT;
constexpr int kOtherTop = VIEW_QUERY_OTHER_TOP_ROW;
constexpr int kOtherHeight = VIEW_QUERY_OTHER_HEIGHT;
constexpr int kLiveTop = VIEW_QUERY_LIVE_TOP;

using Viewer = RunningViewer;

// y of the caret's row in the client window.
int caretY(HWND client) {
    int row = position(client).first - 1;
    return static_cast<int>(query(client, kLiveTop)) +
           (row - static_cast<int>(query(client, kTopRow))) * cell().cy;
}

}  // namespace

TEST(KelviewSplit, LowerHalfSplitF6PanesKeepTheirViewsAndTheBarClosesAtTheTop) {
    std::string folder = e2e::freshFolder("kelview_split");
    std::string text;
    for (int i = 1; i <= 300; ++i) text += "row " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(folder + "\\s.txt", text));
    Viewer v(folder + "\\s.txt");
    ASSERT_NE(nullptr, v.client);
    int visible = static_cast<int>(query(v.client, kVisibleRows));
    ASSERT_GT(visible, 8);
    int rowH = cell().cy;

    // The caret three quarters down the window, in the lower half.
    int caretRow = visible * 3 / 4;
    SendMessageA(v.client, WMU_GO_TO_ROW, 0, caretRow);
    ASSERT_EQ(caretRow + 1, position(v.client).first);
    ASSERT_EQ(0, query(v.client, kTopRow));
    int yBefore = caretY(v.client);

    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(2, waitQuery(v.client, kSplit, 2));  // the lower pane is live
    int otherRows = visible / 2;
    EXPECT_EQ(otherRows * rowH, query(v.client, kOtherHeight));
    EXPECT_EQ(0, query(v.client, kOtherTop));
    EXPECT_EQ(otherRows, query(v.client, kTopRow));
    EXPECT_EQ(caretRow + 1, position(v.client).first);
    // The caret's text stays where it was, below the 2-pixel bar.
    EXPECT_EQ(yBefore + 2, caretY(v.client));
    e2e::settlePainting(v.client);
    EXPECT_FALSE(e2e::screenshot(v.frame, "kelview_split_lower_live").empty());
    // The bar is a band in the text colour across the window.
    int barY = static_cast<int>(query(v.client, kLiveTop)) - 2;
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), e2e::pixelAt(v.client, 40, barY));

    // A selection in the lower pane; F6 shows the upper pane without it.
    ASSERT_TRUE(e2e::command(v.frame, IDM_RANGE_SELECT));
    ASSERT_EQ(0, waitQuery(v.client, kBrowse, 0));
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_DOWN, true));
    ASSERT_EQ(1, waitQuery(v.client, kHasSelection, 1));
    ASSERT_EQ(otherRows, query(v.client, kTopRow));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_F6));
    ASSERT_EQ(1, waitQuery(v.client, kSplit, 1));
    EXPECT_EQ(0, query(v.client, kHasSelection));
    EXPECT_EQ(0, query(v.client, kTopRow));
    int lowerTop = static_cast<int>(query(v.client, kOtherTop));
    EXPECT_EQ(otherRows, lowerTop);

    // The upper pane goes elsewhere; the lower one keeps its view and selection.
    SendMessageA(v.client, WMU_GO_TO_ROW, 0, 200);
    int upperTop = static_cast<int>(query(v.client, kTopRow));
    ASSERT_GT(upperTop, 100);
    ASSERT_TRUE(e2e::sendKey(v.client, VK_F6));
    ASSERT_EQ(2, waitQuery(v.client, kSplit, 2));
    EXPECT_EQ(1, query(v.client, kHasSelection));
    EXPECT_EQ(lowerTop, query(v.client, kTopRow));
    EXPECT_EQ(upperTop, query(v.client, kOtherTop));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_F6));
    ASSERT_EQ(1, waitQuery(v.client, kSplit, 1));
    EXPECT_EQ(upperTop, query(v.client, kTopRow));
    EXPECT_EQ(201, position(v.client).first);
    EXPECT_EQ(0, query(v.client, kHasSelection));

    // The bar dragged to the very top closes the upper pane (the live one):
    // the lower pane stays, its rows where they were.
    int otherH = static_cast<int>(query(v.client, kOtherHeight));
    int liveH = static_cast<int>(e2e::clientSize(v.client).cy) - 10 - otherH - 2;
    barY = 10 + liveH;  // the upper pane is live: the bar lies below it
    ASSERT_TRUE(e2e::dragTo(v.client, 40, barY + 1, 40, 0));
    ASSERT_EQ(0, waitQuery(v.client, kSplit, 0));
    EXPECT_TRUE(waitMouseReleased(v.client));
    int shift = (liveH + 2 + rowH / 2) / rowH;
    EXPECT_EQ(std::max(0, lowerTop - shift), query(v.client, kTopRow));
    EXPECT_EQ(1, query(v.client, kHasSelection));  // the lower pane's selection came along
    EXPECT_EQ(visible, query(v.client, kVisibleRows));
    EXPECT_TRUE(v.p.running());
}

TEST(KelviewSplit, UpperHalfSplitAndTheSmallWindowBeep) {
    std::string folder = e2e::freshFolder("kelview_split_upper");
    std::string text;
    for (int i = 1; i <= 100; ++i) text += "row " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(folder + "\\u.txt", text));
    Viewer v(folder + "\\u.txt");
    ASSERT_NE(nullptr, v.client);
    int visible = static_cast<int>(query(v.client, kVisibleRows));
    ASSERT_GT(visible, 8);
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(1, waitQuery(v.client, kSplit, 1));  // caret on row 1: the upper pane is live
    EXPECT_EQ(0, query(v.client, kTopRow));
    EXPECT_EQ(visible - visible / 2, query(v.client, kOtherTop));
    // The bar dragged to the very bottom closes the lower pane; the upper one stays as it was.
    SIZE size = e2e::clientSize(v.client);
    int barY = 10 + (size.cy - 10 - static_cast<int>(query(v.client, kOtherHeight)) - 2);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::dragTo(v.client, 40, barY + 1, 40, size.cy - 1));
    ASSERT_EQ(0, waitQuery(v.client, kSplit, 0));
    EXPECT_TRUE(waitMouseReleased(v.client));
    EXPECT_EQ(0, query(v.client, kTopRow));
    EXPECT_EQ(visible, query(v.client, kVisibleRows));
    // A release with no move before it ends the drag where the release is:
    // three rows above the bar, not at the bottom where the pointer rests.
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(1, waitQuery(v.client, kSplit, 1));
    ASSERT_TRUE(e2e::activate(v.client));
    int rowH = cell().cy;
    PostMessageA(v.client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, barY + 1));
    PostMessageA(v.client, WM_LBUTTONUP, 0, MAKELPARAM(40, 10 + 3 * rowH));
    EXPECT_TRUE(waitMouseReleased(v.client));
    EXPECT_EQ(size.cy - 10 - 3 * rowH - 2, waitQuery(v.client, kOtherHeight, size.cy - 10 - 3 * rowH - 2));
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(0, waitQuery(v.client, kSplit, 0));
    // Split and split again: joined, the rows stay.
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(1, waitQuery(v.client, kSplit, 1));
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(0, waitQuery(v.client, kSplit, 0));
    EXPECT_EQ(0, query(v.client, kTopRow));
    EXPECT_EQ(visible, query(v.client, kVisibleRows));
    // Resizing keeps the other pane's height while the live pane keeps a row.
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    ASSERT_EQ(1, waitQuery(v.client, kSplit, 1));
    int otherH = static_cast<int>(query(v.client, kOtherHeight));
    int liveRows = static_cast<int>(query(v.client, kVisibleRows));
    RECT wr = e2e::windowRect(v.frame);
    SetWindowPos(v.frame, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - 2 * cell().cy,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(liveRows - 2, waitQuery(v.client, kVisibleRows, liveRows - 2));
    EXPECT_EQ(1, query(v.client, kSplit));
    EXPECT_EQ(otherH, query(v.client, kOtherHeight));
    // Too small for the other pane: one pane again.
    wr = e2e::windowRect(v.frame);
    SIZE cs = e2e::clientSize(v.client);
    SetWindowPos(v.frame, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - (cs.cy - otherH),
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(0, waitQuery(v.client, kSplit, 0));

    // A window of two rows does not split.
    wr = e2e::windowRect(v.frame);
    cs = e2e::clientSize(v.client);
    int shrink = cs.cy - (10 + 2 * cell().cy + 2);
    SetWindowPos(v.frame, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - shrink,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(2, waitQuery(v.client, kVisibleRows, 2));
    ASSERT_TRUE(e2e::command(v.frame, IDM_SPLIT));
    // Commands run in order: once the next one's dialog shows, the split was refused.
    ASSERT_TRUE(e2e::command(v.frame, IDM_GO_TO_LINE));
    HWND dlg = v.d.waitDialog(v.p);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(0, query(v.client, kSplit));
    ASSERT_TRUE(e2e::pressButton(dlg, IDCANCEL));
    EXPECT_TRUE(v.d.waitGone(dlg));
    EXPECT_TRUE(v.p.running());
}
