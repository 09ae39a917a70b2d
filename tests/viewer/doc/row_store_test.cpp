#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include "doc_test_support.h"
#include "row_store.h"
#include "settings.h"

using namespace viewer;
using namespace kvtest;

namespace {

class RowStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.fillDefaults();
        store.setMessageSink(&sink);
        ASSERT_TRUE(store.reserve());
    }
    void append(const std::string& line, bool continues = false) {
        ASSERT_TRUE(store.appendLine(line.data(), int(line.size()), continues));
    }
    std::vector<int> lengths() {
        std::vector<int> out;
        for (int r = 0; r < store.lastRow(); ++r) out.push_back(store.length(r));
        return out;
    }
    ViewerSettings s;
    CollectSink sink;
    RowStore store{s};
};

std::string lineText(int i) {
    // Varied lengths, some double-byte characters, every line distinct.
    std::string t = "line " + std::to_string(i) + " ";
    int len = 20 + (i * 37) % 150;
    while (int(t.size()) < len) t += (i % 3 == 0) ? "\x82\xA0" : "xyz";
    return t;
}

}  // namespace

TEST_F(RowStoreTest, EmptyStoreIsOneEofRow) {
    EXPECT_EQ(store.rowCount(), 1);
    EXPECT_EQ(store.length(0), 5);
    EXPECT_EQ(std::string(store.text(0), 5), "[EOF]");
    EXPECT_TRUE(store.resident(0));
    EXPECT_TRUE(store.endsLine(0));
    EXPECT_EQ(store.textLength(0), 0);
    EXPECT_EQ(checkStore(store), "");
}

// A column past the text of the end-of-file row puts the bytes before the
// mark, and a delete there leaves the mark alone, short rows and long ones.
TEST_F(RowStoreTest, EditsOnTheEndOfFileRowKeepItsMark) {
    append("first");
    ASSERT_TRUE(store.insertBytes(store.lastRow(), 35, "ab", 2));
    EXPECT_EQ(std::string(store.text(store.lastRow()), 7), "ab[EOF]");
    ASSERT_TRUE(store.deleteBytes(store.lastRow(), 1, 50));
    EXPECT_EQ(std::string(store.text(store.lastRow()), 6), "a[EOF]");
    ASSERT_TRUE(store.deleteBytes(store.lastRow(), 3, 2));
    EXPECT_EQ(store.textLength(store.lastRow()), 1);
    std::string big(1200, 'z');
    ASSERT_TRUE(store.insertBytes(store.lastRow(), 4, big.data(), int(big.size())));
    const int last = store.lastRow();
    EXPECT_EQ(std::string(store.text(last) + store.textLength(last), 5), "[EOF]");
    EXPECT_EQ(store.textLength(last - 1) + store.textLength(last), 1201);
    EXPECT_EQ(checkStore(store), "");
}

// Text spread over new rows never splits the mark between two of them, at
// every length around a row's size (a fuzzed input found 1001 bytes doing so).
TEST(RowStoreEofMark, LongInsertsIntoTheEndOfFileRowKeepTheMarkWhole) {
    for (int n : {1000, 1001, 1004, 1005, 1006, 2006, 2010, 2011}) {
        ViewerSettings s;
        s.fillDefaults();
        CollectSink sink;
        RowStore store{s};
        store.setMessageSink(&sink);
        ASSERT_TRUE(store.reserve());
        std::string big(size_t(n), 'z');
        ASSERT_TRUE(store.insertBytes(0, 0, big.data(), n)) << n;
        int text = 0;
        for (int r = 0; r <= store.lastRow(); ++r) text += store.textLength(r);
        const int last = store.lastRow();
        EXPECT_EQ(std::string(store.text(last) + store.textLength(last), 5), "[EOF]") << n;
        EXPECT_EQ(text, n);
        EXPECT_EQ(checkStore(store), "") << n;
    }
}

TEST_F(RowStoreTest, WrapAt80) {
    append(std::string(200, 'a'));
    append(std::string(80, 'b'));
    append(std::string(79, 'c'));
    EXPECT_EQ(lengths(), (std::vector<int>{80, 80, 40, 80, 0, 79}));
    EXPECT_FALSE(store.endsLine(0));
    EXPECT_FALSE(store.endsLine(1));
    EXPECT_TRUE(store.endsLine(2));
    EXPECT_FALSE(store.endsLine(3));
    EXPECT_TRUE(store.endsLine(4));
    EXPECT_TRUE(store.endsLine(5));
    EXPECT_EQ(store.lineNumberOfRow(5), 3);
    EXPECT_EQ(store.firstRowOfLine(2), 0);
    EXPECT_EQ(store.lastRowOfLine(0), 2);
    EXPECT_EQ(store.rowOfLineNumber(2), 3);
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, LeadByteAtColumn80BreaksAfter79) {
    append(std::string(79, 'a') + "\x82\xA0" + "b");
    EXPECT_EQ(lengths(), (std::vector<int>{79, 3}));
    // A trail byte that looks like a lead byte at column 80 does not.
    store.clear();
    append(std::string(78, 'a') + "\x82\x88" + "b");
    EXPECT_EQ(lengths(), (std::vector<int>{80, 1}));
}

TEST_F(RowStoreTest, TabPaddingAtARowStartIsDropped) {
    std::string line = std::string(78, 'a') + std::string("\t\0\0\0\0\0\0\0", 8) + "z";
    append(line);
    auto rows = texts(store);
    EXPECT_EQ(rows[0], std::string(78, 'a') + std::string("\t\0", 2));
    EXPECT_EQ(rows[1], "z");
    // Re-wrapping expands the tab again from the collected text: same rows.
    ASSERT_TRUE(store.rewrap(0));
    EXPECT_EQ(texts(store), rows);
}

TEST_F(RowStoreTest, ContinuedAppendsFormOneLogicalLine) {
    std::string a(8186, 'a'), b(8186, 'b');
    append(a, true);
    append(b, true);
    append("tail");
    EXPECT_EQ(logicalLines(store), (std::vector<std::string>{a + b + "tail", ""}));
    for (int r = 0; r < store.lastRow() - 1; ++r) EXPECT_FALSE(store.endsLine(r)) << r;
    EXPECT_EQ(store.lineNumberOfRow(store.lastRow()), 2);
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, InsertBytesSpreadsOver1005ByteRows) {
    std::string big(2500, 'k');
    ASSERT_TRUE(store.insertBytes(store.lastRow(), 0, big.data(), int(big.size())));
    ASSERT_EQ(store.rowCount(), 3);
    EXPECT_EQ(store.length(0), 1005);
    EXPECT_EQ(store.length(1), 1005);
    EXPECT_EQ(store.length(2), 2505 - 2010);
    EXPECT_FALSE(store.endsLine(0));
    EXPECT_FALSE(store.endsLine(1));
    EXPECT_EQ(std::string(store.text(2) + store.length(2) - 5, 5), "[EOF]");
    EXPECT_EQ(checkStore(store), "");
    ASSERT_TRUE(store.rewrap(0));
    EXPECT_EQ(store.length(0), 80);
    EXPECT_EQ(store.textLength(store.lastRow()), 2500 % 80);
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, TenMegabytesKeepAtMost32KbInMemory) {
    std::vector<std::string> lines;
    size_t total = 0;
    for (int i = 0; total < 10u * 1024 * 1024; ++i) {
        lines.push_back(lineText(i));
        total += lines.back().size();
        ASSERT_TRUE(store.appendLine(lines.back().data(), int(lines.back().size())));
        ASSERT_LE(store.windowUsed(), kTextWindowSize);
    }
    EXPECT_GT(store.pages().writes(), 1000u);
    EXPECT_EQ(checkStore(store), "");
    const uint64_t readsBefore = store.pages().reads();
    // Row 0 lives in the first page written; bringing it back reads it.
    EXPECT_FALSE(store.resident(0));
    ASSERT_NE(store.text(0), nullptr);
    EXPECT_EQ(store.pages().reads(), readsBefore + 1);
    EXPECT_EQ(std::string(store.text(0), size_t(store.length(0))),
              lines[0].substr(0, size_t(store.length(0))));
    EXPECT_LE(store.windowUsed(), kTextWindowSize);
    // Walking down the whole document reads every page once and sees every line.
    size_t li = 0;
    std::string cur;
    const uint64_t r0 = store.pages().reads();
    for (int r = 0; r < store.lastRow(); ++r) {
        const char* t = store.text(r);
        ASSERT_NE(t, nullptr);
        cur.append(t, size_t(store.length(r)));
        if (store.endsLine(r)) {
            ASSERT_EQ(cur, lines[li]) << "line " << li;
            ++li;
            cur.clear();
        }
        ASSERT_LE(store.windowUsed(), kTextWindowSize);
    }
    EXPECT_EQ(li, lines.size());
    const uint64_t pagesRead = store.pages().reads() - r0;
    EXPECT_LE(pagesRead, store.pages().writes());
    // And back up again: the window grows at its front.
    for (int r = store.lastRow(); r >= 0; --r) ASSERT_NE(store.text(r), nullptr);
    EXPECT_EQ(checkStore(store), "");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(RowStoreTest, FreedPagesAreReusedLowestFirst) {
    for (int i = 0; i < 3000; ++i) {
        std::string t = lineText(i);
        ASSERT_TRUE(store.appendLine(t.data(), int(t.size())));
    }
    ASSERT_GT(store.pages().fileEnd(), 5u * kPageSize);
    // Bring in row 0 (page 0) and change it: its page returns to the free list...
    ASSERT_NE(store.text(0), nullptr);
    EXPECT_EQ(store.pages().freeCount(), 0);
    ASSERT_TRUE(store.insertBytes(0, 0, "x", 1));
    ASSERT_GE(store.pages().freeCount(), 1);
    EXPECT_EQ(store.pages().freePage(0), 0u);
    const uint32_t end = store.pages().fileEnd();
    // ...and the next page written out takes the lowest free page, not a new one.
    ASSERT_NE(store.text(store.lastRow()), nullptr);
    EXPECT_EQ(store.pages().fileEnd(), end);
    for (int i = 1; i < store.pages().freeCount(); ++i)
        EXPECT_LT(store.pages().freePage(i - 1), store.pages().freePage(i));
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, UnchangedPagesAreNotWrittenAgain) {
    for (bool pool : {false, true}) {
        s.memoryPages = pool;
        store.clear();
        for (int i = 0; i < 4000; ++i) {
            std::string t = lineText(i);
            ASSERT_TRUE(store.appendLine(t.data(), int(t.size())));
        }
        // The first pass down writes out the window the load left behind;
        // every later pass, down or up, only reads.
        for (int r = 0; r <= store.lastRow(); ++r) ASSERT_NE(store.text(r), nullptr);
        const uint64_t writes = store.pages().writes(), reads = store.pages().reads();
        for (int pass = 0; pass < 2; ++pass) {
            for (int r = 0; r <= store.lastRow(); ++r) ASSERT_NE(store.text(r), nullptr);
            for (int r = store.lastRow(); r >= 0; --r) ASSERT_NE(store.text(r), nullptr);
        }
        EXPECT_EQ(store.pages().writes(), writes) << "pool " << pool;
        EXPECT_GT(store.pages().reads(), reads + 100) << "pool " << pool;
        EXPECT_EQ(checkStore(store), "");
        // A changed row's page is written when it leaves the window (split in
        // two when the change no longer fits it), and reads back changed.
        const std::string before(store.text(0), size_t(store.length(0)));
        ASSERT_TRUE(store.insertBytes(0, 0, "Q", 1));
        ASSERT_NE(store.text(store.lastRow()), nullptr);
        ASSERT_FALSE(store.resident(0));
        EXPECT_GE(store.pages().writes(), writes + 1) << "pool " << pool;
        EXPECT_LE(store.pages().writes(), writes + 2) << "pool " << pool;
        EXPECT_EQ(std::string(store.text(0), size_t(store.length(0))), "Q" + before);
        EXPECT_EQ(checkStore(store), "");
    }
}

TEST_F(RowStoreTest, DeletingRowsFreesWholePagesAndTrimsShared) {
    std::vector<std::string> lines;
    for (int i = 0; i < 2000; ++i) {
        lines.push_back(lineText(i));
        ASSERT_TRUE(store.appendLine(lines.back().data(), int(lines.back().size())));
    }
    // Delete a range of paged rows across several pages, mid-page at both ends.
    ASSERT_FALSE(store.resident(100));
    int a = store.firstRowOfLine(100), b = store.lastRowOfLine(900);
    int firstLine = store.lineNumberOfRow(a) - 1, lastLine = store.lineNumberOfRow(b) - 1;
    ASSERT_TRUE(store.deleteRows(a, b - a + 1));
    EXPECT_GT(store.pages().freeCount(), 0);
    EXPECT_EQ(checkStore(store), "");
    lines.erase(lines.begin() + firstLine, lines.begin() + lastLine + 1);
    lines.push_back("");
    EXPECT_EQ(logicalLines(store), lines);
}

TEST_F(RowStoreTest, MemoryPoolPagesStayOutOfTheFile) {
    s.memoryPages = true;
    store.clear();
    for (int i = 0; i < 3000; ++i) {
        std::string t = lineText(i);
        ASSERT_TRUE(store.appendLine(t.data(), int(t.size())));
    }
    EXPECT_FALSE(store.resident(0));
    EXPECT_GE(rowPos(store.word(0)), kFirstPoolPage);
    EXPECT_EQ(store.pages().fileEnd(), 0u);
    EXPECT_GE(store.pages().poolSlots(), 32);
    std::string t0 = lineText(0);
    EXPECT_EQ(std::string(store.text(0), t0.size()), t0);
    EXPECT_EQ(checkStore(store), "");
    store.clear();
    EXPECT_EQ(store.pages().poolSlots(), 0);
}

TEST_F(RowStoreTest, RowLimitStopsInsertsAndReportsOnce) {
    s.maxRows = 100;
    store.release();
    ASSERT_TRUE(store.reserve());
    int appended = 0;
    for (int i = 0; i < 200; ++i) {
        if (!store.appendLine("x", 1)) break;
        ++appended;
    }
    // Rows 0..90: the end-of-file row sits at index maxRows - 10.
    EXPECT_EQ(appended, 90);
    EXPECT_EQ(store.lastRow(), 90);
    EXPECT_TRUE(store.rowLimitHit());
    EXPECT_FALSE(store.appendLine("x", 1));
    EXPECT_EQ(sink.countContaining("行数が制限を越えました"), 1);
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, RowLimitNoticeOncePerHandledNotice) {
    s.maxRows = 30;
    store.release();
    ASSERT_TRUE(store.reserve());
    int notices = 0;
    store.setRowLimitNotice([&notices] { ++notices; });
    for (int i = 0; i < 40; ++i) store.appendLine("y", 1);
    EXPECT_FALSE(store.insertRows(0, 1));
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(sink.messages.empty());  // the window's handler shows text 18
    store.rowLimitNoticeHandled();
    EXPECT_FALSE(store.insertRows(0, 1));
    EXPECT_EQ(notices, 2);
}

TEST_F(RowStoreTest, PartialInsertUpToTheLimit) {
    s.maxRows = 30;
    store.release();
    ASSERT_TRUE(store.reserve());
    EXPECT_FALSE(store.insertRows(0, 50));
    EXPECT_EQ(store.lastRow(), 20);
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, PageFileThatCannotBeCreatedReportsOnceAndFails) {
    TempFolder tmp(workDir("rowstore") + "\\no such folder");
    RowStore other(s);
    other.setMessageSink(&sink);
    ASSERT_TRUE(other.reserve());
    bool failed = false;
    for (int i = 0; i < 2000 && !failed; ++i) {
        std::string t = lineText(i);
        failed = !other.appendLine(t.data(), int(t.size()));
    }
    EXPECT_TRUE(failed);
    EXPECT_TRUE(other.errorReported());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].find("致命的エラー：テンポラリファイルの作成に失敗しました。"), 0u);
    EXPECT_NE(sink.messages[0].find("\ncode = "), std::string::npos);
    EXPECT_NE(sink.messages[0].find("\nfile name = "), std::string::npos);
    // Further attempts stay silent; the rows already there are intact.
    for (int i = 0; i < 5; ++i) other.appendLine("more", 4);
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(checkStore(other), "");
}

TEST_F(RowStoreTest, PageFileReadErrorReportsOnce) {
    for (int i = 0; i < 2000; ++i) {
        std::string t = lineText(i);
        ASSERT_TRUE(store.appendLine(t.data(), int(t.size())));
    }
    // The window now holds the first page only; the next page is read in
    // behind it without writing anything first.
    ASSERT_NE(store.text(0), nullptr);
    const int next = store.windowLast() + 1;
    ASSERT_FALSE(store.resident(next));
    // Another program cuts the page file short.
    HANDLE f = CreateFileA(store.pages().fileName(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetEndOfFile(f));
    CloseHandle(f);
    EXPECT_EQ(store.text(next), nullptr);
    EXPECT_EQ(store.text(next + 1), nullptr);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].find("致命的エラー：テンポラリファイルの読み込みに失敗しました。"), 0u);
    EXPECT_TRUE(store.errorReported());
    EXPECT_EQ(checkStore(store), "");
    // The rows in the window are untouched.
    EXPECT_EQ(std::string(store.text(0), 6), lineText(0).substr(0, 6));
}

TEST_F(RowStoreTest, PageFileWriteErrorReportsOnceAndKeepsTheWindow) {
    for (int i = 0; i < 2000; ++i) {
        std::string t = lineText(i);
        ASSERT_TRUE(store.appendLine(t.data(), int(t.size())));
    }
    ASSERT_TRUE(DeleteFileA(store.pages().fileName()));
    const int last = store.lastRow() - 1;
    const std::string before(store.text(last), size_t(store.length(last)));
    EXPECT_EQ(store.text(0), nullptr);  // needs the window written out first
    EXPECT_EQ(store.text(1), nullptr);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].find("致命的エラー：テンポラリファイルの書き込みに失敗しました。"), 0u);
    EXPECT_EQ(checkStore(store), "");
    ASSERT_TRUE(store.resident(last));
    EXPECT_EQ(std::string(store.text(last), size_t(store.length(last))), before);
}

TEST_F(RowStoreTest, PageFileNameAndDeletion) {
    for (int i = 0; i < 1000; ++i) {
        std::string t = lineText(i);
        ASSERT_TRUE(store.appendLine(t.data(), int(t.size())));
    }
    std::string name = store.pages().fileName();
    const char* base = strrchr(name.c_str(), '\\');
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(std::string(base + 1, 3), "VAN");  // the system keeps three prefix letters
    EXPECT_NE(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
    // Emptying truncates but keeps the file; release deletes it.
    store.clear();
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 0u);
    store.release();
    EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RowStoreTest, DeletedRowsJoinTheLinesAroundThemUnlessTheFirstEndedOne) {
    s.fileType.foldColumns = 4;
    append("aaaabbbbcc");  // aaaa bbbb cc
    append("ddddee");      // dddd ee
    ASSERT_EQ(texts(store), (std::vector<std::string>{"aaaa", "bbbb", "cc", "dddd", "ee", ""}));
    // The first deleted row continued its line: what stays of it runs on
    // into the rows after the range.
    ASSERT_TRUE(store.deleteRows(1, 3));
    EXPECT_EQ(logicalLines(store), (std::vector<std::string>{"aaaaee", ""}));
    EXPECT_EQ(checkStore(store), "");

    store.clear();
    append("aaaabbbbcc");
    append("ddddee");
    // The first deleted row ended its line: the row before it now does.
    ASSERT_TRUE(store.deleteRows(2, 2));
    EXPECT_EQ(logicalLines(store), (std::vector<std::string>{"aaaabbbb", "ee", ""}));
    EXPECT_TRUE(store.endsLine(1));
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(RowStoreTest, RowsPastTheEndReadAsEmptyWithoutTouchingTheTable) {
    append("only line");
    for (int row : {-1, 2, 5, 100000, 2000000000}) {
        EXPECT_EQ(store.length(row), 0) << row;
        EXPECT_EQ(store.textLength(row), 0) << row;
        EXPECT_TRUE(store.endsLine(row)) << row;
        EXPECT_FALSE(store.resident(row)) << row;
        EXPECT_EQ(store.text(row), nullptr) << row;
    }
    EXPECT_EQ(checkStore(store), "");
}

// Reading rows in place for a search, against a plain model of the row
// texts kept through random reads, edits and deletions: a copy of a page
// kept from before a change must never be served.
TEST_F(RowStoreTest, ScannedRowsMatchTheStoreThroughChanges) {
    for (bool pool : {false, true}) {
        s.memoryPages = pool;
        store.clear();
        std::vector<std::string> model;
        for (int i = 0; i < 40000; ++i) {  // about 70 pages
            std::string t = "row " + std::to_string(i) + (i % 4 ? " abc" : " \x82\xA0\x82\xA2");
            append(t);
            model.push_back(t);
        }
        model.push_back("[EOF]");
        ASSERT_EQ(store.rowCount(), int(model.size()));
        ASSERT_FALSE(store.resident(0));

        auto scanMatches = [&](int row) {
            int len = -1;
            const char* t = store.scanText(row, &len);
            if (!t || std::string(t, size_t(len)) != model[size_t(row)]) return false;
            // The rows of the page from this one on, read in place as one run of bytes.
            int n = 0;
            const char* block = store.scanPage(row, &n);
            if (!block) return store.resident(row) || row == store.lastRow();
            std::string want;
            for (int r = row; r < row + n; ++r) want += model[size_t(r)];
            const int next = row + n;
            const bool wholePage = next == store.lastRow() || store.resident(next) ||
                                   rowPos(store.word(next)) != rowPos(store.word(row));
            if (n <= 0 || !wholePage || std::string(block, want.size()) != want) return false;
            // And the rows of the page up to this one.
            const char* upTo = store.scanPageUpTo(row, &n);
            if (!upTo || n <= 0) return false;
            want.clear();
            for (int r = row - n + 1; r <= row; ++r) want += model[size_t(r)];
            const int before = row - n;
            const bool fromPageStart =
                before < 0 || store.resident(before) || rowPos(store.word(before)) != rowPos(store.word(row));
            return fromPageStart && std::string(upTo, want.size()) == want;
        };
        // A whole pass down and up reads pages in runs, not one by one,
        // and leaves the window and the page transfers alone.
        const int first = store.windowFirst(), last = store.windowLast();
        const uint64_t reads = store.pages().reads(), writes = store.pages().writes();
        const uint64_t runs = store.pages().runReads();
        for (int r = 0; r <= store.lastRow(); ++r)
            ASSERT_TRUE(scanMatches(r)) << "pool " << pool << " row " << r;
        for (int r = store.lastRow(); r >= 0; --r)
            ASSERT_TRUE(scanMatches(r)) << "pool " << pool << " row " << r;
        EXPECT_EQ(store.pages().reads(), reads);
        EXPECT_EQ(store.pages().writes(), writes);
        EXPECT_GE(store.pages().runReads() - runs, 2u) << "pool " << pool;
        EXPECT_LE(store.pages().runReads() - runs, 12u) << "pool " << pool;
        EXPECT_EQ(store.windowFirst(), first);
        EXPECT_EQ(store.windowLast(), last);

        // Rows deleted in front of the row just read move it within its page.
        ASSERT_FALSE(store.resident(1000));
        ASSERT_EQ(rowPos(store.word(999)), rowPos(store.word(1001)));
        ASSERT_TRUE(scanMatches(1000));
        ASSERT_TRUE(store.deleteRows(999, 1));
        model.erase(model.begin() + 999);
        ASSERT_TRUE(scanMatches(1000));
        ASSERT_TRUE(scanMatches(999));

        unsigned seed = 7;
        auto rnd = [&](int n) {
            seed = seed * 1103515245u + 12345u;
            return n > 0 ? int((seed >> 8) % unsigned(n)) : 0;
        };
        for (int step = 0; step < 400; ++step) {
            const int row = rnd(store.lastRow());
            switch (store.lastRow() > 0 ? rnd(5) : 4) {
            case 0: {  // a stretch of the pass, down or up
                const bool up = rnd(2) == 1;
                for (int i = 0, r = row; i < 60 && r >= 0 && r <= store.lastRow(); ++i, r += up ? -1 : 1)
                    ASSERT_TRUE(scanMatches(r)) << "pool " << pool << " step " << step << " row " << r;
                break;
            }
            case 1: {  // the row brought into the window
                const char* t = store.text(row);
                ASSERT_NE(t, nullptr);
                ASSERT_EQ(std::string(t, size_t(store.length(row))), model[size_t(row)]);
                break;
            }
            case 2:
                ASSERT_TRUE(store.insertBytes(row, 0, "Q", 1));
                model[size_t(row)] = "Q" + model[size_t(row)];
                break;
            case 3: {
                const int n = 1 + rnd(40);
                const int cut = std::min(n, store.lastRow() - row);
                ASSERT_TRUE(store.deleteRows(row, n));
                model.erase(model.begin() + row, model.begin() + row + cut);
                break;
            }
            default: {  // new pages reuse freed ones
                for (int i = 0; i < 120; ++i) {
                    std::string t = "new " + std::to_string(step) + "." + std::to_string(i);
                    append(t);
                    model.insert(model.end() - 1, t);
                }
                break;
            }
            }
            ASSERT_EQ(store.rowCount(), int(model.size()));
        }
        for (int r = 0; r <= store.lastRow(); ++r)
            ASSERT_TRUE(scanMatches(r)) << "pool " << pool << " row " << r;
        store.endScan();
        EXPECT_EQ(checkStore(store), "");
    }
}
