// Caret rules, paging, selection and the copied text, on an in-memory document.
#include "view_model.h"
#include "layout.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace viewer;

namespace {

// Rows as the row store gives them: the last row ends with "[EOF]".
class FakeRows : public TextRows {
public:
    struct Row {
        std::string text;
        bool ends;
    };
    explicit FakeRows(std::vector<Row> rows) : rows_(std::move(rows)) { rows_.back().text += "[EOF]"; }
    int rowCount() const override { return int(rows_.size()); }
    const unsigned char* rowText(int row, int* length) override {
        *length = int(rows_[row].text.size());
        return reinterpret_cast<const unsigned char*>(rows_[row].text.data());
    }
    bool endsLine(int row) const override { return rows_[row].ends; }

private:
    std::vector<Row> rows_;
};

FakeRows numbered(int n) {
    std::vector<FakeRows::Row> rows;
    for (int i = 0; i < n; ++i) rows.push_back({"line " + std::to_string(i + 1), true});
    rows.push_back({"", true});
    return FakeRows(rows);
}

}  // namespace

TEST(CaretRules, BrowseModeAllowsFoldWidthCaretModeClamps) {
    FakeRows rows({{"abc", true}, {"", true}});
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    EXPECT_EQ(79, v.fixColumn(0, 200));
    v.setBrowseMode(false);
    EXPECT_EQ(3, v.fixColumn(0, 200));
}

TEST(CaretRules, SecondByteAndTabFillMoveLeft) {
    std::string tabRow = std::string("a\t") + std::string(6, '\0') + "b";
    FakeRows rows({{"x表y", true}, {tabRow, true}, {"", true}});
    ViewModel v(&rows);
    v.setBrowseMode(false);
    EXPECT_EQ(1, v.fixColumn(0, 2));
    EXPECT_EQ(3, v.fixColumn(0, 3));
    EXPECT_EQ(1, v.fixColumn(1, 5));
    EXPECT_EQ(8, v.fixColumn(1, 8));
}

TEST(CaretRules, EndOfFileRowNeverPassesTheMark) {
    FakeRows rows({{"ab", true}, {"tail", true}});
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    EXPECT_EQ(4, v.fixColumn(1, 60));
    v.fileEnd();
    EXPECT_EQ(1, v.caretRow());
    EXPECT_EQ(4, v.caretColumn());
}

TEST(Paging, PageDownStopsWithEndOfFileRowInTheMiddle) {
    FakeRows rows = numbered(100);  // rows 0..99 text, row 100 [EOF]
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    for (int i = 0; i < 20; ++i) v.pageDown(v.pageRows());
    EXPECT_EQ(101 - 10, v.topRow());
    EXPECT_EQ(100 - v.topRow(), 9);  // the end-of-file row sits in the middle of 20 rows
    int before = v.topRow();
    v.pageDown(v.pageRows());
    EXPECT_EQ(before, v.topRow());
    for (int i = 0; i < 20; ++i) v.pageUp(v.pageRows());
    EXPECT_EQ(0, v.topRow());
}

TEST(Paging, CaretModeMovesCaretWhenNoScrollIsLeft) {
    FakeRows rows = numbered(5);
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    v.setBrowseMode(false);
    v.pageDown(v.pageRows());
    EXPECT_EQ(0, v.topRow());
    EXPECT_EQ(5, v.caretRow());
}

TEST(Moves, CaretModeDownScrollsOnlyByTheExcessAtTheMargin) {
    FakeRows rows = numbered(100);
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    v.setBrowseMode(false);
    for (int i = 0; i < 17; ++i) v.lineDown(1);
    EXPECT_EQ(0, v.topRow());  // bottom margin 2: screen rows 0..17 need no scroll
    v.lineDown(1);
    EXPECT_EQ(1, v.topRow());
    EXPECT_EQ(18, v.caretRow());
    v.lineDown(2);
    EXPECT_EQ(3, v.topRow());
}

TEST(Moves, BrowseDownScrollsTheViewAndKeepsTheScreenRow) {
    FakeRows rows = numbered(100);
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    v.lineDown(2);
    EXPECT_EQ(2, v.topRow());
    EXPECT_EQ(2, v.caretRow());
    v.lineUp(5);
    EXPECT_EQ(0, v.topRow());
}

TEST(Moves, JumpFarDownCentresByAThird) {
    FakeRows rows = numbered(1000);
    ViewModel v(&rows);
    v.setViewport(30, 80, false);
    v.moveCaretTo(500, 3);
    EXPECT_EQ(500, v.caretRow());
    EXPECT_EQ(500 + 10 - 30 + 1, v.topRow());
    v.moveCaretTo(0, 0);
    EXPECT_EQ(0, v.topRow());
}

TEST(Moves, HorizontalMarginScrollsColumns) {
    FakeRows rows({{std::string(79, 'a'), true}, {"", true}});
    ViewModel v(&rows);
    v.setViewport(10, 40, false);
    v.moveCaretTo(0, 60);
    EXPECT_EQ(60 - 40 + 4 + 1, v.firstColumn());
    v.lineStart();
    EXPECT_EQ(0, v.firstColumn());
}

TEST(Moves, RightAndLeftStepOverDoubleBytesAndTabs) {
    std::string row = std::string("表\t") + std::string(5, '\0') + "z";
    FakeRows rows({{row, true}, {"", true}});
    ViewModel v(&rows);
    v.setViewport(10, 80, false);
    v.setBrowseMode(false);
    v.charRight();
    EXPECT_EQ(2, v.caretColumn());
    v.charRight();
    EXPECT_EQ(8, v.caretColumn());
    v.charLeft();
    EXPECT_EQ(2, v.caretColumn());
    v.charLeft();
    EXPECT_EQ(0, v.caretColumn());
}

TEST(Moves, LineEndOfContinuedRowStaysOnTheRow) {
    FakeRows rows({{"abcd表", false}, {"ef", true}, {"", true}});
    ViewModel v(&rows);
    v.setBrowseMode(false);
    v.lineEnd();
    EXPECT_EQ(0, v.caretRow());
    EXPECT_EQ(4, v.caretColumn());
}

TEST(Copy, SelectAllJoinsWrappedRowsAndEndsLinesWithCrLf) {
    FakeRows rows({{"abc", false}, {"def", true}, {"表示", true}, {"last", true}});
    ViewModel v(&rows);
    v.selectAll();
    EXPECT_EQ("abcdef\r\n表示\r\nlast", v.selectionText());
    EXPECT_EQ(0, v.caretRow());
}

TEST(Copy, TabFillIsDropped) {
    std::string row = std::string("a\t") + std::string(6, '\0') + "b";
    FakeRows rows({{row, true}, {"", true}});
    ViewModel v(&rows);
    v.selectAll();
    EXPECT_EQ("a\tb\r\n", v.selectionText());
}

TEST(Copy, BoxSelectionWidensSplitCharactersAndPadsShortRows) {
    FakeRows rows({{"ab表cd", true}, {"x", true}, {"0123456", true}, {"", true}});
    ViewModel v(&rows);
    v.selectRange(0, 3, 2, 5, false);
    v.setSelectionBox(true);
    EXPECT_EQ("表c\r\n\r\n34\r\n", v.selectionText());
}

TEST(Copy, PartialSelectionAcrossRows) {
    FakeRows rows({{"hello", true}, {"world", true}, {"", true}});
    ViewModel v(&rows);
    v.selectRange(1, 2, 0, 3, false);  // made backwards: the bounds are ordered
    EXPECT_EQ("lo\r\nwo", v.selectionText());
    RowSelection r0 = v.rowSelection(0);
    EXPECT_EQ(3, r0.from);
    EXPECT_EQ(5, r0.to);
    EXPECT_TRUE(r0.lineEnd);
    EXPECT_FALSE(v.rowSelection(1).lineEnd);
}

TEST(Copy, NothingWithoutSelection) {
    FakeRows rows({{"x", true}, {"", true}});
    ViewModel v(&rows);
    EXPECT_EQ("", v.selectionText());
}

TEST(Layout, MarginWidensAtTenThousandRows) {
    EXPECT_EQ(5 * 8 + 8, lineNumberMarginWidth(true, 9999, 8));
    EXPECT_EQ(6 * 8 + 8, lineNumberMarginWidth(true, 10000, 8));
    EXPECT_EQ(8, lineNumberCells(1000000));
    EXPECT_EQ(0, lineNumberMarginWidth(false, 10000, 8));
    EXPECT_EQ("  12", lineNumberText(11, 5));
    EXPECT_EQ("12345", lineNumberText(12344, 6));
    EXPECT_EQ("120:5", positionText(119, 4));
    EXPECT_EQ("1:9999", positionText(0, 20000));
}

TEST(ScrollBar, Scale) {
    EXPECT_EQ(1, ViewModel::scrollScale(999));
    EXPECT_EQ(8, ViewModel::scrollScale(1000));
    EXPECT_EQ(32, ViewModel::scrollScale(10000));
    EXPECT_EQ(256, ViewModel::scrollScale(1000000));
}

TEST(Moves, TopAndBottomOfFileRememberWhereTheCaretWas) {
    FakeRows rows = numbered(100);
    ViewModel v(&rows);
    v.setViewport(20, 80, false);
    v.setBrowseMode(false);
    v.moveCaretTo(40, 3);
    v.fileEnd();
    EXPECT_EQ(100, v.caretRow());
    EXPECT_EQ(40, v.previousRow());
    EXPECT_EQ(3, v.previousColumn());
    v.fileTop();
    EXPECT_EQ(0, v.caretRow());
    EXPECT_EQ(100, v.previousRow());
    EXPECT_EQ(0, v.previousColumn());
    // An ordinary move is not a jump.
    v.lineDown(1);
    EXPECT_EQ(100, v.previousRow());
}
