// Searching display rows: logical lines joined across wraps, never across
// line breaks, the end mark, and the bounds of a selection.
#include "text_search.h"
#include <gtest/gtest.h>
#include <random>
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

protected:
    std::vector<Row> rows_;
};

// The same rows, also handed out in blocks as a paging store hands out the
// rows of one page: each block's texts follow each other in one buffer. A
// block is copied afresh on every call and the old copy overwritten, so a
// searcher that kept a pointer from an earlier call would read garbage.
class BlockRows : public FakeRows {
public:
    BlockRows(std::vector<Row> rows, std::vector<int> blockStarts)
        : FakeRows(std::move(rows)), starts_(std::move(blockStarts)) {}
    int scanBlock(int row, const unsigned char** bytes, std::vector<int>* ends) override {
        ++blocks;
        int eof = rowCount() - 1;
        if (row >= eof) return 0;
        auto next = std::upper_bound(starts_.begin(), starts_.end(), row);
        int end = next == starts_.end() ? eof : std::min(*next, eof);
        return fill(row, end, bytes, ends);
    }
    int scanBlockEndingAt(int row, const unsigned char** bytes, std::vector<int>* ends) override {
        ++blocks;
        if (row >= rowCount() - 1) return 0;
        auto start = std::upper_bound(starts_.begin(), starts_.end(), row);
        int first = start == starts_.begin() ? 0 : *(start - 1);
        return fill(first, row + 1, bytes, ends);
    }
    int blocks = 0;

private:
    int fill(int first, int end, const unsigned char** bytes, std::vector<int>* ends) {
        std::fill(buffer_.begin(), buffer_.end(), '~');
        buffer_.clear();
        ends->clear();
        for (int r = first; r < end; ++r) {
            buffer_ += rows_[r].text;
            ends->push_back(int(buffer_.size()));
        }
        *bytes = reinterpret_cast<const unsigned char*>(buffer_.data());
        return end - first;
    }

    std::vector<int> starts_;
    std::string buffer_;
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

TEST(TextSearch, SearchingThroughBlocksFindsWhatRowByRowFinds) {
    // Pieces with letters of both cases, a digit, a blank, tab fill and
    // double-byte characters whose second byte is a letter, so that the
    // bytes of a key often stand where no match may start.
    const std::vector<std::string> pieces = {"a",
                                             "A",
                                             "b",
                                             "7",
                                             " ",
                                             std::string("\t\0\0\0", 4),
                                             "\x83"
                                             "a",
                                             "\x83"
                                             "A",
                                             "\x82\xA0",
                                             "ab",
                                             "\x83"};
    const std::vector<std::string> keys = {"a",
                                           "ab",
                                           "A7",
                                           "aa",
                                           "\x83"
                                           "a",
                                           "a\x83",
                                           "b a",
                                           "\x82\xA0"
                                           "a"};
    std::mt19937 rng(20261209);
    int found = 0, skipped = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<FakeRows::Row> rows;
        int count = 2 + int(rng() % 30);
        for (int i = 0; i < count; ++i) {
            std::string t;
            for (int k = int(rng() % 6); k > 0; --k) t += pieces[rng() % pieces.size()];
            rows.push_back({t, i == count - 1 || rng() % 3 != 0});
        }
        std::vector<int> starts;
        for (int i = 0; i < count; ++i)
            if (rng() % 4 == 0) starts.push_back(i);
        FakeRows plain(rows);
        BlockRows blocks(rows, starts);
        TextSearcher a(&plain), b(&blocks);
        if (rng() % 4 == 0) {
            int first = int(rng() % count), last = first + int(rng() % (count - first));
            a.setBounds(first, last);
            b.setBounds(first, last);
        }
        SearchKey key = makeSearchKey(keys[rng() % keys.size()], rng() % 2, rng() % 4 == 0);
        for (int row = 0; row < count; ++row) {
            for (int col = 0; col <= int(rows[row].text.size()); col += 1 + int(rng() % 3)) {
                bool step = rng() % 2;
                TextPosition pa{-1, -1}, pb{-1, -1};
                bool fa = a.findDown(key, {row, col}, step, &pa);
                bool fb = b.findDown(key, {row, col}, step, &pb);
                ASSERT_EQ(fa, fb) << "round " << round << " row " << row << " col " << col;
                if (fa) {
                    ASSERT_EQ(pa.row, pb.row) << "round " << round;
                    ASSERT_EQ(pa.column, pb.column) << "round " << round;
                    ++found;
                }
                fa = a.findUp(key, {row, col}, &pa);
                fb = b.findUp(key, {row, col}, &pb);
                ASSERT_EQ(fa, fb) << "up: round " << round << " row " << row << " col " << col;
                if (fa) {
                    ASSERT_EQ(pa.row, pb.row) << "up: round " << round;
                    ASSERT_EQ(pa.column, pb.column) << "up: round " << round;
                    ++found;
                }
            }
        }
        skipped += blocks.scans < plain.scans;
    }
    EXPECT_GT(found, 1000);
    // The blocks must actually spare rows being read one by one.
    EXPECT_GT(skipped, 100);
}
