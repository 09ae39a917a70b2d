#include <windows.h>
#include <cstdio>
#include <cstring>
#include <new>
#include <algorithm>
#include <vector>
#include "row_store.h"
#include "settings.h"
#include "doc_texts.h"
#include "wrap.h"

namespace viewer {

namespace {

const char kEofMark[] = "[EOF]";
constexpr int kInitialCommit = 4096;
constexpr int kCommitStep = 1024;
// Collected text of one wrapping segment: 8186 bytes plus one row, with tabs
// expanded again.
constexpr int kWrapBufferSize = 2 * 8192 + 2048;

}  // namespace

RowStore::RowStore(const ViewerSettings& settings) : settings_(settings) {}

RowStore::~RowStore() { release(); }

void RowStore::showText(int id) {
    if (sink_) sink_->show(docText(id));
}

bool RowStore::reserve() {
    release();
    int maxRows = settings_.maxRows > 16 ? settings_.maxRows : 16;
    reservedRows_ = maxRows + 10;
    win_ = static_cast<char*>(VirtualAlloc(nullptr, kTextWindowSize, MEM_COMMIT, PAGE_READWRITE));
    pageBuf_ = new (std::nothrow) char[kPageSize];
    wrapBuf_ = new (std::nothrow) char[kWrapBufferSize];
    if (!win_ || !pageBuf_ || !wrapBuf_) {
        showText(kTextNoMemory);
        release();
        return false;
    }
    pages_.setMessageSink(sink_);
    if (!reserveTable()) {
        showText(kTextNoMemory);
        release();
        return false;
    }
    clear();
    return true;
}

bool RowStore::reserveTable() {
    if (rows_) VirtualFree(rows_, 0, MEM_RELEASE);
    committedBytes_ = 0;
    SIZE_T bytes = SIZE_T(reservedRows_ - 10) * 4 + 40;
    rows_ = static_cast<uint32_t*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_READWRITE));
    if (!rows_) return false;
    if (!VirtualAlloc(rows_, kInitialCommit, MEM_COMMIT, PAGE_READWRITE)) {
        VirtualFree(rows_, 0, MEM_RELEASE);
        rows_ = nullptr;
        return false;
    }
    committedBytes_ = kInitialCommit;
    return true;
}

void RowStore::release() {
    endScan();
    ++changes_;
    pages_.release();
    cleanCount_ = 0;
    if (rows_) VirtualFree(rows_, 0, MEM_RELEASE);
    rows_ = nullptr;
    committedBytes_ = 0;
    if (win_) VirtualFree(win_, 0, MEM_RELEASE);
    win_ = nullptr;
    delete[] pageBuf_;
    pageBuf_ = nullptr;
    delete[] wrapBuf_;
    wrapBuf_ = nullptr;
    lastRow_ = 0;
    winFirst_ = 0;
    winLast_ = -1;
    winUsed_ = 0;
}

void RowStore::clear() {
    if (!win_) return;
    pages_.setMessageSink(sink_);
    pages_.setUsePool(settings_.memoryPages);
    pages_.reset();
    endScan();
    ++changes_;
    cleanCount_ = 0;
    // Re-reserving gives the committed memory of a big document back.
    if (committedBytes_ > kInitialCommit || !rows_) {
        if (!reserveTable()) {
            showText(kTextNoMemory);
            return;
        }
    }
    std::memcpy(win_, kEofMark, kEofMarkLen);
    rows_[0] = kRowResident | kRowEndsLine | (uint32_t(kEofMarkLen) << kRowLenShift);
    lastRow_ = 0;
    winFirst_ = 0;
    winLast_ = 0;
    winUsed_ = kEofMarkLen;
    needsCompact_ = false;
    continuing_ = false;
    currentRow = 0;
    currentColumn = 0;
}

void RowStore::clearError() {
    errorReported_ = false;
    limitShown_ = false;
    pages_.clearError();
}

int RowStore::textLength(int row) const {
    int len = length(row);
    return row == lastRow_ ? (len >= kEofMarkLen ? len - kEofMarkLen : 0) : len;
}

bool RowStore::ensureCommitted(int rowsNeeded) {
    int64_t need = int64_t(rowsNeeded) * 4;
    int64_t limit = int64_t(reservedRows_ - 10) * 4 + 40;
    if (need > limit) return false;
    while (committedBytes_ < need) {
        int step = kCommitStep;
        if (committedBytes_ + step > limit) step = int(limit - committedBytes_);
        if (!VirtualAlloc(reinterpret_cast<char*>(rows_) + committedBytes_, step, MEM_COMMIT,
                          PAGE_READWRITE)) {
            showText(kTextNoMemory);
            errorReported_ = true;
            return false;
        }
        committedBytes_ += step;
    }
    return true;
}

// ---------------------------------------------------------------- window

void RowStore::compact() {
    if (!needsCompact_) return;
    int off = 0;
    for (int r = winFirst_; r <= winLast_; ++r) {
        uint32_t w = rows_[r];
        int len = rowLen(w);
        int pos = int(rowPos(w));
        if (pos != off) std::memmove(win_ + off, win_ + pos, size_t(len));
        rows_[r] = withPos(w, unsigned(off));
        off += len;
    }
    winUsed_ = off;
    needsCompact_ = false;
}

int RowStore::cleanStartingAt(int row) const {
    for (int i = 0; i < cleanCount_; ++i)
        if (clean_[i].first == row) return i;
    return -1;
}

int RowStore::cleanEndingAt(int row) const {
    for (int i = 0; i < cleanCount_; ++i)
        if (clean_[i].last == row) return i;
    return -1;
}

void RowStore::keepClean(unsigned page, int first, int last) {
    if (cleanCount_ == kMaxCleanPages) {
        pages_.free(page, uint32_t(first));
        return;
    }
    clean_[cleanCount_++] = CleanPage{page, first, last};
}

// Rows [first, last] change or leave the window by another page: the clean
// pages holding any of them no longer match and go back to the free list.
void RowStore::dropClean(int first, int last) {
    for (int i = 0; i < cleanCount_;) {
        if (clean_[i].last < first || clean_[i].first > last) {
            ++i;
            continue;
        }
        pages_.free(clean_[i].page, uint32_t(clean_[i].first));
        clean_[i] = clean_[--cleanCount_];
    }
}

// Rows from `from` on moved by `delta` (rows inserted or deleted before them).
void RowStore::shiftClean(int from, int delta) {
    for (int i = 0; i < cleanCount_; ++i)
        if (clean_[i].first >= from) {
            clean_[i].first += delta;
            clean_[i].last += delta;
        }
}

bool RowStore::writeRowsToPage(int first, int last) {
    ++changes_;
    const int c = cleanStartingAt(first);
    if (c >= 0 && clean_[c].last == last) {
        // The page still holds exactly these rows: nothing to write.
        const unsigned page = clean_[c].page;
        clean_[c] = clean_[--cleanCount_];
        for (int r = first; r <= last; ++r) rows_[r] = withPos(rows_[r] & ~kRowResident, page);
        return true;
    }
    dropClean(first, last);
    unsigned page = pages_.allocate();
    if (page == kNoPage) return false;
    int off = 0;
    for (int r = first; r <= last; ++r) {
        int len = length(r);
        std::memcpy(pageBuf_ + off, win_ + rowPos(rows_[r]), size_t(len));
        off += len;
    }
    std::memset(pageBuf_ + off, 0, size_t(kPageSize - off));
    if (!pages_.write(page, pageBuf_)) {
        pages_.free(page);
        return false;
    }
    for (int r = first; r <= last; ++r) rows_[r] = withPos(rows_[r] & ~kRowResident, page);
    return true;
}

bool RowStore::writeOutFront() {
    compact();
    if (windowEmpty()) return true;
    int last = winFirst_ - 1, total = 0;
    const int c = cleanStartingAt(winFirst_);
    if (c >= 0 && clean_[c].last <= winLast_) {
        while (last < clean_[c].last) total += length(++last);
    } else {
        // Stopping short of a clean page keeps it whole, so that it need not be written.
        while (last < winLast_ && total + length(last + 1) <= kPageSize &&
               !(last >= winFirst_ && cleanStartingAt(last + 1) >= 0))
            total += length(++last);
    }
    if (last < winFirst_) return false;
    if (!writeRowsToPage(winFirst_, last)) return false;
    std::memmove(win_, win_ + total, size_t(winUsed_ - total));
    for (int r = last + 1; r <= winLast_; ++r)
        rows_[r] = withPos(rows_[r], rowPos(rows_[r]) - unsigned(total));
    winUsed_ -= total;
    winFirst_ = last + 1;
    if (windowEmpty()) winUsed_ = 0;
    return true;
}

bool RowStore::writeOutBack() {
    compact();
    if (windowEmpty()) return true;
    int first = winLast_ + 1, total = 0;
    const int c = cleanEndingAt(winLast_);
    if (c >= 0 && clean_[c].first >= winFirst_) {
        while (first > clean_[c].first) total += length(--first);
    } else {
        while (first > winFirst_ && total + length(first - 1) <= kPageSize &&
               !(first <= winLast_ && cleanEndingAt(first - 1) >= 0))
            total += length(--first);
    }
    if (first > winLast_) return false;
    if (!writeRowsToPage(first, winLast_)) return false;
    winLast_ = first - 1;
    winUsed_ -= total;
    if (windowEmpty()) winUsed_ = 0;
    return true;
}

bool RowStore::writeOutWindow() {
    while (!windowEmpty())
        if (!writeOutFront()) return false;
    return true;
}

bool RowStore::makeRoom(int row, int n) {
    if (winUsed_ < kWindowInsertLimit - n) return true;
    compact();
    while (winUsed_ >= kWindowInsertLimit - n) {
        bool ok = int(rowPos(rows_[row])) < kTextWindowSize / 2 ? writeOutBack() : writeOutFront();
        if (!ok) return false;
        if (!resident(row)) return false;  // cannot happen for rows of at most 1005 bytes
    }
    return true;
}

bool RowStore::makeResident(int row) {
    if (row < 0 || row > lastRow_) return false;
    if (resident(row)) return true;
    ++changes_;
    const unsigned page = rowPos(rows_[row]);
    // The run of rows carrying this page number is exactly the page's content.
    int a = row, b = row;
    while (a > 0 && !resident(a - 1) && rowPos(rows_[a - 1]) == page) --a;
    while (b < lastRow_ && !resident(b + 1) && rowPos(rows_[b + 1]) == page) ++b;
    int runLen = 0;
    for (int r = a; r <= b; ++r) runLen += length(r);

    if (!windowEmpty() && b == winFirst_ - 1) {
        // The page goes in front of the window.
        while (winUsed_ > kWindowReadInLevel && !windowEmpty())
            if (!writeOutBack()) return false;
        if (!windowEmpty()) {
            if (!pages_.read(page, pageBuf_)) return false;
            std::memmove(win_ + runLen, win_, size_t(winUsed_));
            std::memcpy(win_, pageBuf_, size_t(runLen));
            for (int r = winFirst_; r <= winLast_; ++r)
                rows_[r] = withPos(rows_[r], rowPos(rows_[r]) + unsigned(runLen));
            int off = 0;
            for (int r = a; r <= b; ++r) {
                rows_[r] = withPos(rows_[r], unsigned(off)) | kRowResident;
                off += length(r);
            }
            winFirst_ = a;
            winUsed_ += runLen;
            keepClean(page, a, b);
            return true;
        }
    } else if (!windowEmpty() && a == winLast_ + 1) {
        // The page follows the window.
        while (winUsed_ > kWindowReadInLevel && !windowEmpty())
            if (!writeOutFront()) return false;
        if (!windowEmpty()) {
            if (!pages_.read(page, pageBuf_)) return false;
            std::memcpy(win_ + winUsed_, pageBuf_, size_t(runLen));
            int off = winUsed_;
            for (int r = a; r <= b; ++r) {
                rows_[r] = withPos(rows_[r], unsigned(off)) | kRowResident;
                off += length(r);
            }
            winLast_ = b;
            winUsed_ += runLen;
            keepClean(page, a, b);
            return true;
        }
    } else if (!writeOutWindow()) {
        return false;
    }
    // Elsewhere: the page becomes the whole window.
    if (!pages_.read(page, pageBuf_)) return false;
    std::memcpy(win_, pageBuf_, size_t(runLen));
    int off = 0;
    for (int r = a; r <= b; ++r) {
        rows_[r] = withPos(rows_[r], unsigned(off)) | kRowResident;
        off += length(r);
    }
    winFirst_ = a;
    winLast_ = b;
    winUsed_ = runLen;
    needsCompact_ = false;
    keepClean(page, a, b);
    return true;
}

const char* RowStore::text(int row) {
    if (!makeResident(row)) return nullptr;
    return win_ + rowPos(rows_[row]);
}

// ---------------------------------------------------------------- scanning

void RowStore::endScan() {
    delete[] scanBuf_;
    scanBuf_ = nullptr;
    scanCount_ = 0;
    scanRun_ = kScanRunMin;
    scanLastMiss_ = kNoPage;
}

int RowStore::scanOffset(int row, unsigned page) {
    // Consecutive rows of one page follow each other from its offset 0, so
    // a row's offset is the sum of the lengths of the page's rows before it.
    // A pass through the document asks for neighbouring rows in turn.
    if (memoRow_ >= 0 && memoChanges_ == changes_ && memoRow_ <= lastRow_ && !resident(memoRow_) &&
        rowPos(rows_[memoRow_]) == page) {
        if (row == memoRow_ + 1) {
            memoOffset_ += length(memoRow_);
            memoRow_ = row;
            return memoOffset_;
        }
        if (row == memoRow_) return memoOffset_;
        if (row == memoRow_ - 1) {
            memoOffset_ -= length(row);
            memoRow_ = row;
            return memoOffset_;
        }
    }
    int offset = 0;
    for (int r = row; r > 0 && !resident(r - 1) && rowPos(rows_[r - 1]) == page;) offset += length(--r);
    memoRow_ = row;
    memoOffset_ = offset;
    memoChanges_ = changes_;
    return offset;
}

bool RowStore::fillScan(unsigned page) {
    if (!scanBuf_) {
        scanBuf_ = new (std::nothrow) char[size_t(kScanRunMax) * kPageSize];
        if (!scanBuf_) return false;
    }
    // Read ahead in the direction the pass is going: upwards when this page
    // lies below the one missed last.
    const bool upwards = scanLastMiss_ != kNoPage && page < scanLastMiss_;
    scanLastMiss_ = page;
    const unsigned kindFirst = page >= kFirstPoolPage ? kFirstPoolPage : 0;
    unsigned first = page;
    if (upwards)
        first = page - kindFirst >= unsigned(scanRun_ - 1) ? page - unsigned(scanRun_ - 1) : kindFirst;
    scanCount_ = pages_.readRun(first, scanRun_, scanBuf_);
    scanFirst_ = first;
    scanGeneration_ = pages_.generation();
    if (scanRun_ < kScanRunMax) scanRun_ *= 2;
    return page - first < unsigned(scanCount_);
}

const char* RowStore::scanText(int row, int* len) {
    if (!validRow(row)) return nullptr;
    *len = length(row);
    if (resident(row)) return win_ + rowPos(rows_[row]);
    const unsigned page = rowPos(rows_[row]);
    const int offset = scanOffset(row, page);
    int n = 0;
    return scanBytes(page, offset, offset + *len, 1, &n);
}

const char* RowStore::scanPage(int row, int* rows) {
    if (!validRow(row) || row >= lastRow_ || resident(row)) return nullptr;
    const unsigned page = rowPos(rows_[row]);
    const int offset = scanOffset(row, page);
    int end = offset, n = 0;
    for (int r = row; r < lastRow_ && !resident(r) && rowPos(rows_[r]) == page; ++r, ++n) end += length(r);
    return scanBytes(page, offset, end, n, rows);
}

const char* RowStore::scanPageUpTo(int row, int* rows) {
    if (!validRow(row) || row >= lastRow_ || resident(row)) return nullptr;
    const unsigned page = rowPos(rows_[row]);
    int first = row;
    while (first > 0 && !resident(first - 1) && rowPos(rows_[first - 1]) == page) --first;
    // The page's rows lie from its start, so the first of them is at offset 0.
    int end = 0;
    for (int r = first; r <= row; ++r) end += length(r);
    return scanBytes(page, 0, end, row - first + 1, rows);
}

const char* RowStore::scanBytes(unsigned page, int offset, int end, int n, int* rows) {
    if (end > kPageSize) return nullptr;
    const bool held = scanBuf_ && scanGeneration_ == pages_.generation() && page >= scanFirst_ &&
                      page - scanFirst_ < unsigned(scanCount_);
    if (!held && !fillScan(page)) return nullptr;
    *rows = n;
    return scanBuf_ + size_t(page - scanFirst_) * kPageSize + offset;
}

// ---------------------------------------------------------------- lines

int RowStore::firstRowOfLine(int row) const {
    while (row > 0 && !endsLine(row - 1)) --row;
    return row;
}

int RowStore::lastRowOfLine(int row) const {
    while (row < lastRow_ && !endsLine(row)) ++row;
    return row;
}

int RowStore::lineNumberOfRow(int row) const {
    int n = 1;
    for (int r = 0; r < row && r <= lastRow_; ++r)
        if (endsLine(r)) ++n;
    return n;
}

int RowStore::rowOfLineNumber(int line) const {
    int n = 1, r = 0;
    while (n < line && r < lastRow_) {
        if (endsLine(r)) ++n;
        ++r;
    }
    return firstRowOfLine(r);
}

void RowStore::setEndsLine(int row, bool ends) {
    if (row < 0 || row > lastRow_) return;
    if (ends)
        rows_[row] |= kRowEndsLine;
    else
        rows_[row] &= ~kRowEndsLine;
}

// ---------------------------------------------------------------- edits

void RowStore::reportRowLimit() {
    rowLimitHit_ = true;
    errorReported_ = true;
    if (rowLimitNotice_) {
        if (!limitNoticePending_) {
            limitNoticePending_ = true;
            rowLimitNotice_();
        }
    } else if (!limitShown_) {
        limitShown_ = true;
        showText(kTextRowLimit);
    }
}

bool RowStore::insertRows(int index, int n) {
    ++changes_;
    if (!rows_ || index < 0 || index > lastRow_ || n < 0) return false;
    if (n == 0) return true;
    const int room = settings_.maxRows - 10 - lastRow_;
    if (room <= 0) {
        reportRowLimit();
        return false;
    }
    bool partial = n > room;
    if (partial) n = room;
    bool prevIn = index > 0 && index - 1 >= winFirst_ && index - 1 <= winLast_;
    bool atIn = index >= winFirst_ && index <= winLast_;
    if (!prevIn && !atIn) {
        if (!makeResident(index)) return false;
        prevIn = index > 0 && index - 1 >= winFirst_ && index - 1 <= winLast_;
    }
    if (!ensureCommitted(lastRow_ + 1 + n)) return false;
    unsigned off = prevIn ? rowPos(rows_[index - 1]) + unsigned(length(index - 1)) : 0;
    // A clean page whose rows the new ones split no longer matches them.
    for (int i = 0; i < cleanCount_;)
        if (clean_[i].first < index && clean_[i].last >= index)
            dropClean(clean_[i].first, clean_[i].first);
        else
            ++i;
    shiftClean(index, n);
    std::memmove(rows_ + index + n, rows_ + index, sizeof(uint32_t) * size_t(lastRow_ - index + 1));
    const uint32_t fresh = kRowResident | kRowEndsLine | off;
    for (int i = 0; i < n; ++i) rows_[index + i] = fresh;
    lastRow_ += n;
    winLast_ += n;
    if (currentRow >= index) currentRow += n;
    if (partial) {
        reportRowLimit();
        return false;
    }
    return true;
}

bool RowStore::replaceText(int row, const char* bytes, int newLen) {
    if (!makeResident(row)) return false;
    const int oldLen = length(row);
    // Re-wrapping puts most rows back as they were; those keep their page.
    if (newLen == oldLen &&
        (newLen == 0 || std::memcmp(win_ + rowPos(rows_[row]), bytes, size_t(newLen)) == 0))
        return true;
    dropClean(row, row);
    const int delta = newLen - oldLen;
    if (delta > 0 && !makeRoom(row, delta)) return false;
    const int pos = int(rowPos(rows_[row]));
    if (delta != 0) {
        std::memmove(win_ + pos + newLen, win_ + pos + oldLen, size_t(winUsed_ - (pos + oldLen)));
        for (int r = row + 1; r <= winLast_; ++r)
            rows_[r] = withPos(rows_[r], unsigned(int(rowPos(rows_[r])) + delta));
        winUsed_ += delta;
    }
    if (newLen > 0) std::memcpy(win_ + pos, bytes, size_t(newLen));
    rows_[row] = withLen(rows_[row], newLen);
    return true;
}

bool RowStore::insertBytes(int row, int column, const char* bytes, int n) {
    if (row < 0 || row > lastRow_ || n < 0) return false;
    if (n == 0) return true;
    if (!makeResident(row)) return false;
    const int len = length(row);
    // On the end-of-file row the "[EOF]" mark stays whole at the end: bytes
    // go in before it, never into or after it.
    const bool eof = row == lastRow_;
    const int markLen = eof ? kEofMarkLen : 0;
    if (column < 0) column = 0;
    if (column > len - markLen) column = len - markLen;
    if (len + n <= kMaxRowBytes) {
        dropClean(row, row);
        if (!makeRoom(row, n)) return false;
        const int pos = int(rowPos(rows_[row]));
        std::memmove(win_ + pos + column + n, win_ + pos + column, size_t(winUsed_ - (pos + column)));
        std::memcpy(win_ + pos + column, bytes, size_t(n));
        for (int r = row + 1; r <= winLast_; ++r)
            rows_[r] = withPos(rows_[r], rowPos(rows_[r]) + unsigned(n));
        winUsed_ += n;
        rows_[row] = withLen(rows_[row], len + n);
        return true;
    }
    // Spread over new rows after this one, 1005 bytes each. On the end-of-
    // file row the mark stays whole at the end of the last of them.
    const int content = len - markLen + n;
    char* all = new (std::nothrow) char[size_t(content + kEofMarkLen)];
    if (!all) {
        showText(kTextNoMemory);
        return false;
    }
    const char* old = text(row);
    std::memcpy(all, old, size_t(column));
    std::memcpy(all + column, bytes, size_t(n));
    std::memcpy(all + column + n, old + column, size_t(len - column));  // the mark comes along
    int extra = 0;
    for (int rest = content; rest > kMaxRowBytes - markLen; rest -= kMaxRowBytes) ++extra;
    const bool ends = endsLine(row);
    const int first = row;
    bool ok = insertRows(eof ? row : row + 1, extra);
    for (int i = 0, at = 0; ok && i <= extra; ++i) {
        // Only the last piece carries the mark: an earlier piece takes text
        // alone, so a mark that would straddle two rows stays whole.
        int piece = i < extra ? std::min(kMaxRowBytes, content - at) : content - at + markLen;
        ok = replaceText(first + i, all + at, piece);
        setEndsLine(first + i, i == extra ? ends : false);
        at += piece;
    }
    delete[] all;
    return ok;
}

bool RowStore::deleteBytes(int row, int column, int n) {
    if (row < 0 || row > lastRow_ || n <= 0) return n == 0;
    if (!makeResident(row)) return false;
    const int len = length(row);
    // The "[EOF]" mark of the end-of-file row is not text: it is never deleted.
    const int textLen = textLength(row);
    if (column < 0) column = 0;
    if (column >= textLen) return true;
    if (n > textLen - column) n = textLen - column;
    dropClean(row, row);
    char* p = win_ + rowPos(rows_[row]);
    std::memmove(p + column, p + column + n, size_t(len - column - n));
    rows_[row] = withLen(rows_[row], len - n);
    // The freed bytes stay as a gap until the window is compacted.
    needsCompact_ = true;
    return true;
}

bool RowStore::rewritePartialPage(unsigned page, int pageFirst, int delFirst, int delLast) {
    if (!pages_.read(page, pageBuf_)) return false;
    int skip = 0;
    for (int r = pageFirst; r < delFirst; ++r) skip += length(r);
    int cut = 0;
    for (int r = delFirst; r <= delLast; ++r) cut += length(r);
    std::memmove(pageBuf_ + skip, pageBuf_ + skip + cut, size_t(kPageSize - skip - cut));
    std::memset(pageBuf_ + kPageSize - cut, 0, size_t(cut));
    return pages_.write(page, pageBuf_);
}

bool RowStore::deleteRows(int index, int n) {
    ++changes_;
    if (!rows_ || index < 0 || n < 0) return false;
    // The end-of-file row is never deleted.
    if (index + n > lastRow_) n = lastRow_ - index;
    if (n <= 0) return n == 0;
    const int last = index + n - 1;

    // Rows outside the window: pages wholly inside the range are freed,
    // pages shared with surviving rows lose the deleted rows' bytes.
    for (int r = index; r <= last;) {
        if (resident(r)) {
            ++r;
            continue;
        }
        const unsigned page = rowPos(rows_[r]);
        int pa = r, pb = r;
        while (pa > 0 && !resident(pa - 1) && rowPos(rows_[pa - 1]) == page) --pa;
        while (pb < lastRow_ && !resident(pb + 1) && rowPos(rows_[pb + 1]) == page) ++pb;
        int da = pa < index ? index : pa;
        int db = pb > last ? last : pb;
        if (pa >= index && pb <= last)
            pages_.free(page, uint32_t(r));
        else if (!rewritePartialPage(page, pa, da, db))
            return false;
        r = db + 1;
    }

    // Clean pages of deleted rows no longer match; those behind move up.
    dropClean(index, last);
    shiftClean(last + 1, -n);

    // Only the first deleted row decides: when it continued, the rows before
    // the range join the rows after it, as when the text between is deleted.
    const bool firstEnded = endsLine(index);

    // Window range after removing [index, last] and shifting the rows behind it.
    if (!windowEmpty()) {
        int f = winFirst_, l = winLast_;
        int nf = f < index ? f : (f > last ? f - n : index);
        int nl = l < index ? l : (l > last ? l - n : index - 1);
        bool touched = !(l < index || f > last);
        winFirst_ = nf;
        winLast_ = nl;
        if (winFirst_ > winLast_) {
            winUsed_ = 0;
            needsCompact_ = false;
        } else if (touched) {
            needsCompact_ = true;
        }
    }
    std::memmove(rows_ + index, rows_ + last + 1, sizeof(uint32_t) * size_t(lastRow_ - last));
    lastRow_ -= n;
    if (!windowEmpty() && needsCompact_) compact();
    // A line that lost its end row now ends at the row before the range.
    if (firstEnded && index > 0) rows_[index - 1] |= kRowEndsLine;
    if (currentRow > last)
        currentRow -= n;
    else if (currentRow >= index)
        currentRow = index <= lastRow_ ? index : lastRow_;
    return true;
}

// ---------------------------------------------------------------- wrapping

int RowStore::foldWidth() const {
    int w = settings_.fileType.foldColumns;
    if (w < 2) w = 2;
    if (w > kMaxRowBytes - kEofMarkLen) w = kMaxRowBytes - kEofMarkLen;
    return w;
}

// Puts the wrapped rows of `text` in place of rows [first, last] of the store.
// The segment's last row keeps its place (it may be the end-of-file row); the
// others are reused in order, missing rows are inserted before it and surplus
// rows deleted. *rowsOut receives the number of rows the text now occupies.
bool RowStore::placeSegment(int first, int last, const char* text, int len, bool endsLogical, int* rowsOut) {
    const int w = foldWidth();
    const bool hasEof = last == lastRow_;
    // Count the rows first.
    int pieces = 0;
    {
        int pos = 0;
        for (;;) {
            bool cont;
            int k = nextRowLength(reinterpret_cast<const unsigned char*>(text) + pos, len - pos, w, &cont);
            ++pieces;
            pos += k;
            if (!cont) break;
            pos += paddingToSkip(reinterpret_cast<const unsigned char*>(text) + pos, len - pos);
        }
    }
    const int have = last - first + 1;
    if (pieces > have) {
        if (!insertRows(last, pieces - have)) return false;
    } else if (pieces < have) {
        if (!deleteRows(first + pieces - 1, have - pieces)) return false;
    }
    const int lastPiece = first + pieces - 1;
    int pos = 0;
    for (int r = first; r <= lastPiece; ++r) {
        bool cont;
        int k = nextRowLength(reinterpret_cast<const unsigned char*>(text) + pos, len - pos, w, &cont);
        bool ok;
        if (r == lastPiece && hasEof) {
            char tmp[kMaxRowBytes + kEofMarkLen];
            std::memcpy(tmp, text + pos, size_t(k));
            std::memcpy(tmp + k, kEofMark, kEofMarkLen);
            ok = replaceText(r, tmp, k + kEofMarkLen);
        } else {
            ok = replaceText(r, text + pos, k);
        }
        if (!ok) return false;
        setEndsLine(r, r == lastPiece ? endsLogical : false);
        pos += k;
        if (cont) pos += paddingToSkip(reinterpret_cast<const unsigned char*>(text) + pos, len - pos);
    }
    *rowsOut = pieces;
    return true;
}

bool RowStore::rewrap(int row) {
    if (!rows_ || row < 0 || row > lastRow_) return false;
    const int tab = settings_.fileType.tabWidth;
    const bool pad = !settings_.fileType.proportionalFont;
    int cur = firstRowOfLine(row);
    int lineLast = lastRowOfLine(row);
    while (cur <= lineLast) {
        // Collect whole rows while the text stays within one segment.
        int len = 0, column = 0, r = cur;
        while (r <= lineLast) {
            const char* t = text(r);
            if (!t) return false;
            int n = r == lastRow_ ? textLength(r) : length(r);
            // Worst case of re-expansion: every byte a tab.
            int col = column;
            char tmp[kMaxRowBytes * 8];
            int e = expandTabs(reinterpret_cast<const unsigned char*>(t), n, tmp, tab, pad, &col);
            if (r > cur && len + e > kWrapSegment) break;
            if (len + e > kWrapBufferSize) break;
            std::memcpy(wrapBuf_ + len, tmp, size_t(e));
            len += e;
            column = col;
            ++r;
        }
        const int segLast = r - 1;
        const bool endsLogical = segLast == lineLast && endsLine(lineLast);
        int rowsNow = 0;
        if (!placeSegment(cur, segLast, wrapBuf_, len, endsLogical, &rowsNow)) return false;
        lineLast += rowsNow - (segLast - cur + 1);
        cur += rowsNow;
    }
    return true;
}

bool RowStore::appendLine(const char* bytes, int len, bool continues) {
    if (!rows_) return false;
    if (len < 0) len = 0;
    const bool wasContinuing = continuing_;
    const int firstNew = lastRow_;
    // Rows go in before the end-of-file row, one at a time: loading appends
    // at the end only, so the window grows at its back.
    const int w = foldWidth();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    int pos = 0;
    for (;;) {
        bool cont;
        int k = nextRowLength(p + pos, len - pos, w, &cont);
        int row = lastRow_;
        if (!insertRows(row, 1)) return false;
        if (!replaceText(row, bytes + pos, k)) return false;
        if (cont || continues) rows_[row] &= ~kRowEndsLine;
        pos += k;
        if (!cont) break;
        pos += paddingToSkip(p + pos, len - pos);
    }
    continuing_ = continues;
    if (wasContinuing && !continues) return rewrap(firstNew > 0 ? firstNew - 1 : 0);
    return !errorReported();
}

// ---------------------------------------------------------------- checks

bool RowStore::checkInvariants(char* why, int whySize) const {
    auto fail = [&](const char* fmt, int a, int b) {
        std::snprintf(why, size_t(whySize), fmt, a, b);
        return false;
    };
    if (!rows_) return fail("not reserved %d %d", 0, 0);
    if (!endsLine(lastRow_)) return fail("end-of-file row %d continues (%d)", lastRow_, 0);
    if (length(lastRow_) < kEofMarkLen)
        return fail("end-of-file row %d too short: %d", lastRow_, length(lastRow_));
    int expect = 0;
    for (int r = 0; r <= lastRow_; ++r) {
        bool in = r >= winFirst_ && r <= winLast_;
        if (in != resident(r)) return fail("row %d resident flag wrong (window starts %d)", r, winFirst_);
        if (length(r) > kMaxRowBytes) return fail("row %d longer than 1005: %d", r, length(r));
        if (in) {
            int pos = int(rowPos(rows_[r]));
            if (needsCompact_ ? pos < expect : pos != expect)
                return fail("row %d at offset %d out of order", r, pos);
            expect = pos + length(r);
        }
    }
    if (!windowEmpty()) {
        if (expect > winUsed_) return fail("window used %d below text end %d", winUsed_, expect);
        if (!needsCompact_ && expect != winUsed_)
            return fail("window used %d, text ends %d", winUsed_, expect);
        if (winUsed_ > kTextWindowSize) return fail("window used %d over %d", winUsed_, kTextWindowSize);
        if (winLast_ == lastRow_ &&
            std::memcmp(win_ + rowPos(rows_[lastRow_]) + length(lastRow_) - kEofMarkLen, kEofMark,
                        kEofMarkLen) != 0)
            return fail("end-of-file row %d lacks the mark (%d)", lastRow_, 0);
    }
    // Pages: runs of one page number, each page used by one run only, within
    // 8192 bytes, not on the free list.
    std::vector<unsigned> seen;
    unsigned prevPage = kNoPage;
    int runBytes = 0;
    for (int r = 0; r <= lastRow_; ++r) {
        if (resident(r)) {
            prevPage = kNoPage;
            continue;
        }
        unsigned page = rowPos(rows_[r]);
        if (page != prevPage) {
            seen.push_back(page);
            for (int i = 0; i < pages_.freeCount(); ++i)
                if (pages_.freePage(i) == page) return fail("page %d in use and free (row %d)", int(page), r);
            if (page < kFirstPoolPage && page * uint32_t(kPageSize) >= pages_.fileEnd())
                return fail("page %d beyond the file end (row %d)", int(page), r);
            runBytes = 0;
        }
        runBytes += length(r);
        if (runBytes > kPageSize) return fail("page of row %d holds %d bytes", r, runBytes);
        prevPage = page;
    }
    // Clean pages: kept for rows that are all in the window, at most 8192
    // bytes, neither free nor used by rows outside the window.
    for (int i = 0; i < cleanCount_; ++i) {
        const CleanPage& c = clean_[i];
        if (c.first > c.last || c.first < winFirst_ || c.last > winLast_)
            return fail("clean page %d for rows outside the window (from row %d)", int(c.page), c.first);
        int bytes = 0;
        for (int r = c.first; r <= c.last; ++r) bytes += length(r);
        if (bytes > kPageSize) return fail("clean page %d holds %d bytes", int(c.page), bytes);
        for (int j = 0; j < i; ++j)
            if (!(clean_[j].last < c.first || clean_[j].first > c.last))
                return fail("clean pages overlap at row %d (%d)", c.first, 0);
        for (int k = 0; k < pages_.freeCount(); ++k)
            if (pages_.freePage(k) == c.page)
                return fail("clean page %d is free (row %d)", int(c.page), c.first);
        if (c.page < kFirstPoolPage && c.page * uint32_t(kPageSize) >= pages_.fileEnd())
            return fail("clean page %d beyond the file end (row %d)", int(c.page), c.first);
        seen.push_back(c.page);
    }
    std::sort(seen.begin(), seen.end());
    for (size_t i = 1; i < seen.size(); ++i)
        if (seen[i] == seen[i - 1]) return fail("page %d used by two runs (%d)", int(seen[i]), 0);
    for (int i = 1; i < pages_.freeCount(); ++i)
        if (pages_.freePage(i - 1) >= pages_.freePage(i))
            return fail("free list out of order at %d (%d)", i, 0);
    // Every page of the file is in use, on the free list, or forgotten
    // because the list was full.
    int filePages = 0;
    for (unsigned p : seen)
        if (p < kFirstPoolPage) ++filePages;
    const int accounted = filePages + pages_.freeCount() + pages_.forgotten();
    if (accounted != int(pages_.fileEnd() / kPageSize))
        return fail("page file holds %d pages, %d accounted for", int(pages_.fileEnd() / kPageSize),
                    accounted);
    return true;
}

}  // namespace viewer
