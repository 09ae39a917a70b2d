// The line store: the document as display rows. Row words live in a table in
// reserved address space; row texts live in a 32 KB text window and, when
// they do not fit there, in 8 KB pages of a temporary page file (or of a
// memory page pool). Every reader calls makeResident before touching a row.
#pragma once
#include <cstdint>
#include <functional>
#include "row_word.h"
#include "page_file.h"

namespace viewer {

struct ViewerSettings;
class MessageSink;

constexpr int kTextWindowSize = 32768;
constexpr int kWindowInsertLimit = 32752;  // insertions keep the used size below this
constexpr int kWindowReadInLevel = 24559;  // above it, pages are written out before one is read in
constexpr int kMaxRowBytes = 1005;
constexpr int kWrapSegment = 8186;
constexpr int kEofMarkLen = 5;  // "[EOF]"

class RowStore {
public:
    explicit RowStore(const ViewerSettings& settings);
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Start-up: reserves the row table and allocates the text window, then
    // empties the store. Shows text 12 and returns false on failure.
    bool reserve();
    // Deletes the page file and releases the pool, the row table and the window.
    void release();
    bool reserved() const { return rows_ != nullptr; }

    // One row holding "[EOF]"; the page file is truncated, the free-page list
    // emptied, the pool released; caret counters 0.
    void clear();

    // Counters.
    int rowCount() const { return lastRow_ + 1; }
    int lastRow() const { return lastRow_; }  // the end-of-file row
    int currentRow = 0;                       // caret row, kept for the store's users
    int currentColumn = 0;                    // byte column within the current row

    // Row words and texts. A row past the end (a window that still holds the
    // caret of the document before a failed reload) reads as an empty row
    // that ends its line; nothing beyond the table is touched.
    bool validRow(int row) const { return rows_ && row >= 0 && row <= lastRow_; }
    uint32_t word(int row) const { return validRow(row) ? rows_[row] : kRowEndsLine; }
    int length(int row) const { return rowLen(word(row)); }
    // Length without the "[EOF]" mark on the end-of-file row.
    int textLength(int row) const;
    bool endsLine(int row) const { return rowEndsLine(word(row)); }
    bool resident(int row) const { return rowResident(word(row)); }
    bool isEofRow(int row) const { return row == lastRow_; }
    bool makeResident(int row);
    // The row's bytes (made resident first); nullptr when the page cannot be read.
    const char* text(int row);

    // Reading through the document (searching): the row's bytes without
    // making it resident. Pages are read in place, several per transfer,
    // into a scan buffer that stays valid until the store changes, so a
    // pass through a large document neither slides the window page by page
    // nor pays the page file's opening once per page. nullptr when the page
    // cannot be had this way: the caller then uses text(), which reports.
    // The pointer is valid until the next call. endScan gives the buffer back.
    const char* scanText(int row, int* len);
    void endScan();
    // For a pass, the rows from `row` on that lie in the same page as it,
    // read in place as scanText reads them: their bytes follow each other
    // from the returned pointer; *rows says how many there are. nullptr when
    // the row is resident, the end-of-file row or cannot be read this way.
    const char* scanPage(int row, int* rows);
    // The same for the rows up to `row` (included) that lie in its page:
    // the pointer is to the first of the *rows rows that end at `row`.
    const char* scanPageUpTo(int row, int* rows);

    // Logical lines.
    int firstRowOfLine(int row) const;
    int lastRowOfLine(int row) const;
    int lineNumberOfRow(int row) const;   // 1-based
    int rowOfLineNumber(int line) const;  // first row of the 1-based line; the last line when beyond

    // Loading: appends a logical line's bytes (tabs padded) as rows before the
    // end-of-file row. With `continues` the line goes on in the next call: the
    // last row is marked as continued.
    bool appendLine(const char* bytes, int len, bool continues = false);
    // Re-wraps the logical line containing the row at the fold width.
    bool rewrap(int row);

    // General edits.
    bool insertBytes(int row, int column, const char* bytes, int n);
    bool deleteBytes(int row, int column, int n);
    bool insertRows(int index, int n);
    bool deleteRows(int index, int n);
    void setEndsLine(int row, bool ends);

    // Failure reporting: the page file's three messages are shown once until
    // clearError(); the load in progress fails while errorReported() is set.
    void setMessageSink(MessageSink* sink) {
        sink_ = sink;
        pages_.setMessageSink(sink);
    }
    MessageSink* messageSink() const { return sink_; }
    bool errorReported() const { return errorReported_ || pages_.errorReported(); }
    void clearError();
    // The row limit is announced through this notice (called again only after
    // rowLimitNoticeHandled), so that the window can show text 18 once the
    // load has unwound; without a notice the sink shows text 18 directly.
    void setRowLimitNotice(std::function<void()> notice) { rowLimitNotice_ = std::move(notice); }
    void rowLimitNoticeHandled() { limitNoticePending_ = false; }
    // Whether the row limit stopped the last load; stays set after the failed
    // load (whose notice may never be handled when start-up ends) until
    // the next load begins.
    bool rowLimitHit() const { return rowLimitHit_; }
    void resetRowLimit() { rowLimitHit_ = false; }

    // The size of the file being loaded, for sizing the memory page pool.
    void setFileSizeHint(uint64_t bytes) { pages_.setFileSizeHint(bytes); }

    // Introspection for tests and benchmarks.
    int windowFirst() const { return winFirst_; }
    int windowLast() const { return winLast_; }
    int windowUsed() const { return winUsed_; }
    bool windowEmpty() const { return winFirst_ > winLast_; }
    const char* windowBytes() const { return win_; }
    const PageStore& pages() const { return pages_; }
    int cleanPages() const { return cleanCount_; }  // pages kept for unchanged resident rows
    // Checks every invariant of the row table and the text window; on a
    // breach returns false with a description.
    bool checkInvariants(char* why, int whySize) const;

private:
    bool reserveTable();
    bool ensureCommitted(int rowsNeeded);
    bool makeRoom(int row, int n);
    bool writeOutFront();
    bool writeOutBack();
    bool writeOutWindow();
    void compact();
    bool writeRowsToPage(int first, int last);
    int cleanStartingAt(int row) const;
    int cleanEndingAt(int row) const;
    void keepClean(unsigned page, int first, int last);
    void dropClean(int first, int last);
    void shiftClean(int from, int delta);
    bool replaceText(int row, const char* bytes, int newLen);
    bool rewritePartialPage(unsigned page, int pageFirst, int delFirst, int delLast);
    bool placeSegment(int first, int last, const char* text, int len, bool endsLogical, int* rowsOut);
    int foldWidth() const;
    void reportRowLimit();
    void showText(int id);

    const ViewerSettings& settings_;
    MessageSink* sink_ = nullptr;
    std::function<void()> rowLimitNotice_;
    bool limitNoticePending_ = false;
    bool rowLimitHit_ = false;
    bool limitShown_ = false;
    bool errorReported_ = false;
    bool continuing_ = false;  // the last appended line goes on

    uint32_t* rows_ = nullptr;
    int reservedRows_ = 0;
    int committedBytes_ = 0;
    int lastRow_ = 0;

    char* win_ = nullptr;
    int winFirst_ = 0, winLast_ = -1, winUsed_ = 0;
    bool needsCompact_ = false;

    // Pages read into the window whose rows have not changed since: the page
    // still holds exactly those rows' bytes, so writing the rows out again
    // only hands the page back instead of transferring it. A reading pass
    // through the document thus costs one read per page and no writes.
    struct CleanPage {
        unsigned page;
        int first, last;  // the rows the page holds, all resident
    };
    static constexpr int kMaxCleanPages = 16;
    CleanPage clean_[kMaxCleanPages] = {};
    int cleanCount_ = 0;

    // Scanning: the pages [scanFirst_, scanFirst_ + scanCount_) as read by
    // PageStore::readRun at generation scanGeneration_; the run read next
    // grows from kScanRunMin to kScanRunMax pages, so that a search that
    // stops near the caret reads little. changes_ counts the changes of row
    // words that move a row's text within or out of its page; the last
    // row's offset in its page is remembered while it stays the same.
    static constexpr int kScanRunMin = 8;
    static constexpr int kScanRunMax = 128;  // 1 MB
    bool fillScan(unsigned page);
    int scanOffset(int row, unsigned page);
    const char* scanBytes(unsigned page, int offset, int end, int n, int* rows);
    char* scanBuf_ = nullptr;
    unsigned scanFirst_ = 0;
    int scanCount_ = 0;
    int scanRun_ = kScanRunMin;
    unsigned scanLastMiss_ = kNoPage;
    uint64_t scanGeneration_ = 0;
    uint64_t changes_ = 0;
    int memoRow_ = -1, memoOffset_ = 0;
    uint64_t memoChanges_ = 0;

    PageStore pages_;
    char* pageBuf_ = nullptr;
    char* wrapBuf_ = nullptr;
};

}  // namespace viewer
