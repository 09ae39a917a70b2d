#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "print_layout.h"

using namespace viewer;

namespace {

// Pages as lists of lines; every page must end before the next begins.
class Pages : public PageSink {
public:
    void startPage(int page) override {
        EXPECT_FALSE(open) << "page " << page << " begun inside another";
        EXPECT_EQ(int(pages.size()) + 1, page);
        pages.emplace_back();
        open = true;
    }
    void line(int index, const std::string& text) override {
        ASSERT_TRUE(open);
        EXPECT_EQ(int(pages.back().size()), index);
        pages.back().push_back(text);
    }
    void endPage(int page) override {
        EXPECT_TRUE(open);
        EXPECT_EQ(int(pages.size()), page);
        open = false;
    }
    std::vector<std::vector<std::string>> pages;
    bool open = false;
};

std::vector<std::vector<std::string>> layOut(const std::vector<std::string>& rows, int perPage, bool numbers,
                                             int first = 1, bool tabs = false) {
    Pages sink;
    PagePrinter p(sink, perPage, numbers, tabs, first);
    for (const auto& r : rows) p.addRow(reinterpret_cast<const unsigned char*>(r.data()), int(r.size()));
    p.finish();
    EXPECT_FALSE(sink.open);
    return sink.pages;
}

using P = std::vector<std::vector<std::string>>;

}  // namespace

TEST(PrintLayout, LineNumberTexts) {
    struct {
        int row;
        const char* text;
    } cases[] = {{1, "   1 "},     {12, "  12 "},    {999, " 999 "},  {9999, "9999 "},
                 {10000, "     "}, {10001, "   1 "}, {20012, "  12 "}};
    for (auto& c : cases) EXPECT_EQ(c.text, lineNumberText(c.row)) << c.row;
}

TEST(PrintLayout, HeaderTexts) {
    EXPECT_EQ("", headerText("a.txt", false, false, 3, "Page %d"));
    EXPECT_EQ("a.txt     ", headerText("a.txt", true, false, 3, "Page %d"));
    EXPECT_EQ("Page 3", headerText("a.txt", false, true, 3, "Page %d"));
    EXPECT_EQ("\x95\x5C.txt     Page 1", headerText("\x95\x5C.txt", true, true, 1, "Page %d"));
    EXPECT_EQ("Page 0", headerText("a", false, true, 65536, "Page %d"));
    EXPECT_EQ("Page 4", headerText("a", false, true, 65540, "Page %d"));
    EXPECT_EQ("%s 7 頁", headerText("a", false, true, 7, "%s %d 頁"));
}

TEST(PrintLayout, MarginsAndRows) {
    // Letter at 300 dpi with a 50-pixel offset on every side.
    UnprintableMargins m = unprintableMargins(50, 59, 3400, 2450, 3282, 207, 277);
    EXPECT_EQ(4, m.top);     // 59 * 277 / 3282
    EXPECT_EQ(4, m.left);    // 50 * 207 / 2450
    EXPECT_EQ(4, m.bottom);  // (3400 - 3282 - 59) * 277 / 3282
    UnprintableMargins zero = unprintableMargins(50, 50, 3300, 0, 0, 0, 0);
    EXPECT_EQ(0, zero.top);
    EXPECT_EQ(0, zero.left);
    EXPECT_EQ(0, zero.bottom);

    EXPECT_EQ(236, marginPixels(25, 5, 2950, 250));
    EXPECT_EQ(0, marginPixels(25, 5, 2950, 0));
    EXPECT_EQ(50, printLineHeight(40, 0, false) + printLineHeight(8, 2, false));
    EXPECT_EQ(62, printLineHeight(48, 2, true));  // 50 + 12

    EXPECT_EQ(66, rowsPerPage(3300, 0, 0, 50, false));
    EXPECT_EQ(64, rowsPerPage(3300, 0, 0, 50, true));
    EXPECT_EQ(1, rowsPerPage(100, 0, 0, 50, true));
    EXPECT_EQ(1, rowsPerPage(100, 60, 60, 50, false));
}

TEST(PrintLayout, WidthCheck) {
    // 80 columns of 30 pixels with 100 pixels of margin on a 2500-pixel line fit.
    EXPECT_EQ(0, overflowColumns(30, 80, false, 100, 2500));
    // With line numbers: 85 * 30 + 100 - 2500 = 150 -> 5 columns.
    EXPECT_EQ(5, overflowColumns(30, 80, true, 100, 2500));
    // 151 pixels over rounds up.
    EXPECT_EQ(6, overflowColumns(30, 80, true, 101, 2500));
    // Short rows fit where 80 columns would not.
    EXPECT_EQ(0, overflowColumns(30, 60, true, 101, 2500));
    EXPECT_EQ(70, narrowedFold(80, 10));
    EXPECT_EQ(kMinPrintFold, narrowedFold(80, 75));
}

TEST(PrintLayout, Ranges) {
    PrintRange all = printRange(20, false, 3, 5, 0);
    EXPECT_EQ(0, all.first);
    EXPECT_EQ(20, all.last);
    EXPECT_EQ(1, all.number);
    // A selection ending at column 0 of row 5 (index 4) prints up to row 4.
    PrintRange sel = printRange(20, true, 1, 4, 0);
    EXPECT_EQ(1, sel.first);
    EXPECT_EQ(3, sel.last);
    EXPECT_EQ(2, sel.number);
    PrintRange inRow = printRange(20, true, 1, 4, 3);
    EXPECT_EQ(4, inRow.last);
}

TEST(PrintLayout, RowsBecomeLinesAndPages) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        int perPage;
        bool numbers;
        P pages;
    } cases[] = {
        {"plain rows fill pages", {"a", "b", "c"}, 2, false, {{"a", "b"}, {"c"}}},
        {"an exact fill leaves no empty sheet", {"a", "b"}, 2, false, {{"a", "b"}}},
        {"nothing to print is one empty page", {}, 5, false, {{}}},
        {"control bytes and tab padding become blanks",
         {std::string("a\tb\0\0\0c\x01\x7f", 9)},
         5,
         false,
         {{"a b   c \x7f"}}},
        {"double-byte text is copied", {"\x95\x5C\x8E\xA6"}, 5, false, {{"\x95\x5C\x8E\xA6"}}},
        {"form feed inside a row",
         {"abc\x0c"
          "def",
          "g"},
         5,
         false,
         {{"abc"}, {"def", "g"}}},
        {"row beginning with a form feed ends the page before it",
         {"a", "\x0c"
               "b"},
         5,
         false,
         {{"a"}, {"b"}}},
        {"form feed at the top of a page is dropped",
         {"\x0c"
          "a",
          "b"},
         5,
         false,
         {{"a", "b"}}},
        {"form feed at a row's end",
         {"a\x0c", "\x0c"
                   "b"},
         5,
         false,
         {{"a"}, {"b"}}},
        {"line numbers", {"x", "", "y"}, 5, true, {{"   1 x", "   2 ", "   3 y"}}},
        {"the text after a form feed keeps the column",
         {"ab\x0c"
          "cd"},
         5,
         true,
         {{"   1 ab"}, {"     cd"}}},
    };
    for (auto& c : cases) EXPECT_EQ(c.pages, layOut(c.rows, c.perPage, c.numbers)) << c.what;
}

TEST(PrintLayout, NumbersCountFromTheFirstPrintedRow) {
    P p = layOut({"a", "b"}, 5, true, 9999);
    EXPECT_EQ((P{{"9999 a", "     b"}}), p);
    P tabs = layOut({"a\tb"}, 5, false, 1, true);
    EXPECT_EQ((P{{"a\tb"}}), tabs);
}

// Property: without form feeds, the lines are the rows in order, cut every
// perPage lines, and no page is empty.
TEST(PrintLayout, PagesCutEveryRowsPerPage) {
    for (int n = 0; n < 40; ++n) {
        for (int perPage = 1; perPage < 7; ++perPage) {
            std::vector<std::string> rows;
            for (int i = 0; i < n; ++i) rows.push_back(std::string(size_t(i % 3), char('a' + i % 26)));
            P pages = layOut(rows, perPage, false);
            P expected;
            for (int i = 0; i < n; ++i) {
                if (i % perPage == 0) expected.emplace_back();
                expected.back().push_back(rows[size_t(i)]);
            }
            if (expected.empty()) expected.emplace_back();
            ASSERT_EQ(expected, pages) << n << " rows, " << perPage << " per page";
        }
    }
}
