// Searching display rows: logical lines joined across wraps, never across
// line breaks, the end mark, and the bounds of a selection.
#include "text_search.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace viewer;

namespace {

class FakeRows : public TextRows {
public:
    struct Row {
        std::string text;
        bool ends;
    };
    explicit FakeRows(std::vector<Row> rows) : rows_(std::move(rows)) { rows_.back().text += "[EOF]"; }
    int rowCount() const override { return int(rows_.size()); }
    const unsigned char* rowText(int row, int* length) override {
        ++reads;
        *length = int(rows_[row].text.size());
        return reinterpret_cast<const unsigned char*>(rows_[row].text.data());
    }
    const unsigned char* scanRowText(int row, int* length) override {
        ++scans;
        return rowText(row, length);
    }
    void endScan() override { ++passes; }
    bool endsLine(int row) const override { return rows_[row].ends; }
    int reads = 0, scans = 0, passes = 0;

private:
    std::vector<Row> rows_;
};

}  // namespace

TEST(TextSearch, FindsAcrossAWrapButNotAcrossALineBreakAndNeverTheEndMark) {
    FakeRows rows({{"one wr", false}, {"ap two", true}, {"thre", true}, {"e EOF", true}, {"", true}});
    TextSearcher s(&rows);
    TextPosition p;
    struct Case {
        const char* key;
        bool down;
        TextPosition from;
        bool found;
        int row, col;
    } cases[] = {
        {"wrap", true, {0, 0}, true, 0, 4},    // spans rows 0 and 1 of one logical line
        {"three", true, {0, 0}, false, 0, 0},  // rows 2 and 3 are two logical lines
        {"[eof]", true, {0, 0}, false, 0, 0},  // the end mark is not text
        {"eof", true, {0, 0}, true, 3, 2},     // case folded
        {"two", false, {4, 0}, true, 1, 3},    // up from the end-of-file row
        {"wrap", false, {0, 4}, false, 0, 0},  // must start before the caret
        {"wrap", false, {0, 5}, true, 0, 4},
        {"one", true, {0, 0}, false, 0, 0},  // the caret's own character is stepped over
    };
    for (const Case& c : cases) {
        SearchKey key = makeSearchKey(c.key, false, false);
        bool ok = c.down ? s.findDown(key, c.from, true, &p) : s.findUp(key, c.from, &p);
        EXPECT_EQ(c.found, ok) << c.key;
        if (ok && c.found) {
            EXPECT_EQ(c.row, p.row) << c.key;
            EXPECT_EQ(c.col, p.column) << c.key;
        }
    }
}

TEST(TextSearch, StaysInsideTheSelectedRows) {
    FakeRows rows({{"x", true}, {"ab x", false}, {"x", true}, {"x", true}, {"", true}});
    TextSearcher s(&rows);
    s.setBounds(1, 1);
    TextPosition p;
    SearchKey key = makeSearchKey("x", false, false);
    ASSERT_TRUE(s.findDown(key, {1, 0}, false, &p));
    EXPECT_EQ(1, p.row);
    EXPECT_EQ(3, p.column);
    // The next one is on row 2, which continues the same logical line but lies outside.
    EXPECT_FALSE(s.findDown(key, {1, 3}, true, &p));
    EXPECT_FALSE(s.findUp(key, {1, 3}, &p));  // row 0 is above the bounds
    ASSERT_TRUE(s.findUp(key, {2, 1}, &p));   // from outside below, the one inside is found
    EXPECT_EQ(1, p.row);
}

TEST(TextSearch, ReadsEachRowOnceForADownwardSearch) {
    std::vector<FakeRows::Row> r;
    for (int i = 0; i < 500; ++i) r.push_back({"abcdefgh", i % 5 == 4});
    r.push_back({"needle", true});
    FakeRows rows(r);
    TextSearcher s(&rows);
    TextPosition p;
    ASSERT_TRUE(s.findDown(makeSearchKey("needle", false, false), {0, 0}, true, &p));
    EXPECT_EQ(500, p.row);
    EXPECT_LE(rows.reads, 501 + 1);
    // Searches read as one pass through the rows, which they end however
    // they return, found or not.
    EXPECT_EQ(rows.scans, rows.reads);
    EXPECT_EQ(1, rows.passes);
    EXPECT_FALSE(s.findUp(makeSearchKey("missing", false, false), {500, 0}, &p));
    EXPECT_EQ(rows.scans, rows.reads);
    EXPECT_EQ(2, rows.passes);
}
