// The mark table: order, the limit of 20, moving a re-marked row to the end,
// what a closed document leaves, and the excerpts shown in the list.
#include "mark_table.h"
#include "sjis.h"
#include "start_request.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>

using namespace viewer;

namespace {

Mark mark(MarkWindow w, int row, const char* path = "C:\\docs\\a.txt") {
    Mark m;
    m.window = w;
    m.row = row;
    std::strcpy(m.path, path);
    std::strcpy(m.excerpt, "text");
    return m;
}

std::vector<int> rows(const MarkTable& t) {
    std::vector<int> r;
    for (std::size_t i = 0; i < t.size(); ++i) r.push_back(t.at(i).row);
    return r;
}

}  // namespace

TEST(MarkTable, TwentyFirstMarkDropsTheOldest) {
    MarkTable t;
    for (int r = 0; r < 20; ++r) t.add(mark(1, r * 10));
    ASSERT_EQ(20u, t.size());
    std::vector<MarkWindow> touched = t.add(mark(1, 500));
    EXPECT_EQ(20u, t.size());
    EXPECT_EQ(10, t.at(0).row);
    EXPECT_EQ(500, t.at(19).row);
    EXPECT_FALSE(t.isMarked(1, 0));
    EXPECT_TRUE(t.isMarked(1, 500));
    EXPECT_FALSE(touched.empty());
}

TEST(MarkTable, MarkingARowAgainMovesItToTheEnd) {
    MarkTable t;
    t.add(mark(1, 3));
    t.add(mark(1, 7));
    t.add(mark(2, 3));  // the same row of another window is another mark
    t.add(mark(1, 3));
    EXPECT_EQ((std::vector<int>{7, 3, 3}), rows(t));
    EXPECT_EQ(2u, t.at(1).window);
    EXPECT_EQ(1u, t.at(2).window);
}

TEST(MarkTable, RemarkingInAFullTableKeepsTheOldest) {
    MarkTable t;
    for (int r = 0; r < 20; ++r) t.add(mark(1, r));
    t.add(mark(1, 5));
    EXPECT_EQ(20u, t.size());
    EXPECT_EQ(0, t.at(0).row);
    EXPECT_EQ(5, t.at(19).row);
}

TEST(MarkTable, RemoveAndClear) {
    MarkTable t;
    t.add(mark(1, 1));
    t.add(mark(2, 2));
    t.add(mark(1, 3));
    EXPECT_EQ(2u, t.remove(1));
    EXPECT_EQ((std::vector<int>{1, 3}), rows(t));
    EXPECT_EQ(0u, t.remove(5));
    std::vector<MarkWindow> held = t.clear();
    EXPECT_EQ(1u, held.size());
    EXPECT_EQ(0u, t.size());
}

TEST(MarkTable, ClosedDocumentForgetsItsWindowOrGoesWithoutAName) {
    MarkTable t;
    t.add(mark(1, 4));
    t.add(mark(2, 5));
    t.documentClosed(1, true);
    ASSERT_EQ(2u, t.size());
    EXPECT_EQ(0u, t.at(0).window);
    EXPECT_STREQ("C:\\docs\\a.txt", t.at(0).path);
    EXPECT_FALSE(t.isMarked(1, 4));
    EXPECT_FALSE(t.isMarked(0, 4));  // a cleared handle marks nothing
    t.documentClosed(2, false);
    EXPECT_EQ(1u, t.size());
    // A cleared mark is not taken for a new mark of another window on its row.
    t.add(mark(3, 4));
    EXPECT_EQ(2u, t.size());
}

TEST(MarkTable, ListTextIsTheFileNameLineAndExcerpt) {
    Mark m = mark(1, 11, "C:\\\x95\x5C\\doc.txt");  // a folder ending in a trail byte 0x5C
    std::strcpy(m.excerpt, "abc");
    EXPECT_EQ("doc.txt - 12: abc", MarkTable::listText(m));
    Mark bare = mark(1, 0, "");
    EXPECT_EQ(" - 1: text", MarkTable::listText(bare));
}

TEST(MarkExcerpt, Rules) {
    struct Case {
        std::string row;
        int column;
        std::string expected;
    } cases[] = {
        {std::string("  \t\x00\x00hello world", 16), 0, "hello world"},
        {"\x82\x10x", 0, "\x82 x"},  // no character pairs a lead byte with a control byte
        {"abc\tdef", 0, "abc def"},
        {"0123456789abcdefghijk", 0, "0123456789abcdefgh"},
        {"0123456789abcdefghijk", 5, "56789abcdefghijk"},
        // A double-byte character starting at the 18th byte is kept whole.
        {"01234567890123456\x82\xA0xyz", 0, "01234567890123456\x82\xA0"},
        {"\x82\xA0\x82\xA2", 0, "\x82\xA0\x82\xA2"},
        {"abc", 3, ""},
        {"abc", 10, ""},
        {"ab\x82", 0, "ab\x82"},  // a lead byte at the row end alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, markExcerpt(reinterpret_cast<const unsigned char*>(c.row.data()),
                                          int(c.row.size()), c.column))
            << c.row;
}

TEST(MarkExcerpt, IsTheBlankedTailCutBetweenCharactersAndFitsItsField) {
    std::mt19937 rng(17);
    const unsigned char alphabet[] = {' ',  '\t', 0,    'a',  'Z',  '!',  0x82,
                                      0xA0, 0x5C, 0x95, 0xE0, 0x40, 0x7F, 0x10};
    for (int n = 0; n < 5000; ++n) {
        std::string row;
        int len = rng() % 40;
        for (int i = 0; i < len; ++i) row += char(alphabet[rng() % sizeof alphabet]);
        int column = len ? int(rng() % (len + 1)) : 0;
        std::string got = markExcerpt(reinterpret_cast<const unsigned char*>(row.data()), len, column);
        ASSERT_LT(got.size(), sizeof(Mark().excerpt));
        // The tail from the first byte at or above '!', every lower byte a blank.
        size_t start = column;
        while (start < row.size() && static_cast<unsigned char>(row[start]) < '!') ++start;
        std::string tail = row.substr(std::min(start, row.size()));
        for (char& c : tail)
            if (static_cast<unsigned char>(c) < '!') c = ' ';
        ASSERT_EQ(tail.substr(0, got.size()), got) << row;
        // Cut only at the limit or the row's end, and never inside a character.
        ASSERT_TRUE(got.size() >= 18 || got.size() == tail.size());
        size_t i = 0;
        while (i < got.size())
            i += common::isCp932LeadByte(got[i]) && i + 1 < tail.size() &&
                         static_cast<unsigned char>(tail[i + 1]) >= 0x40
                     ? 2
                     : 1;
        ASSERT_EQ(got.size(), i) << row;
    }
}

TEST(MarkViewerArguments, EucJpIsForcedAndThePathQuoted) {
    Mark m = mark(0, 41, "C:\\my docs\\a b.txt");
    m.code = 3 | 0x40;  // EUC-JP with LF line ends
    EXPECT_EQ("/! /fe /k 41 \"C:\\my docs\\a b.txt\"", markViewerArguments(m));
    for (unsigned char code : {0, 1, 2, 4}) {
        m.code = code;
        EXPECT_EQ("/! /k 41 \"C:\\my docs\\a b.txt\"", markViewerArguments(m));
    }
}

TEST(MarkViewerArguments, TheNewViewerReadsTheRowCodeAndPathBack) {
    Mark m = mark(0, 7, "C:\\a \\b\\x.txt");  // a folder ending in a blank
    m.code = 3;
    StartRequest r = parseCommandLine(markViewerArguments(m));
    EXPECT_EQ(7, r.jumpRow);
    EXPECT_EQ(3, r.forcedCode);
    EXPECT_EQ("C:\\a \\b\\x.txt", r.fileName);
    EXPECT_TRUE(r.badOptions.empty());
}
