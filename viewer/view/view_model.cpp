#include "view_model.h"
#include <algorithm>

namespace viewer {

int Selection::startRow() const { return std::min(anchorRow, endRow); }
int Selection::lastRow() const { return std::max(anchorRow, endRow); }
int Selection::startCol() const {
    if (box) return std::min(anchorCol, endCol);
    if (anchorRow != endRow) return anchorRow < endRow ? anchorCol : endCol;
    return std::min(anchorCol, endCol);
}
int Selection::lastCol() const {
    if (box) return std::max(anchorCol, endCol);
    if (anchorRow != endRow) return anchorRow < endRow ? endCol : anchorCol;
    return std::max(anchorCol, endCol);
}

void ViewModel::setRows(TextRows* rows) {
    rows_ = rows;
    top_ = firstCol_ = caretRow_ = caretCol_ = desiredCol_ = 0;
    prevRow_ = prevCol_ = 0;
    sel_ = Selection();
    keySelect_ = false;
}

void ViewModel::setViewport(int visibleRows, int visibleColumns, bool partialRow) {
    visRows_ = std::max(1, visibleRows);
    visCols_ = std::max(1, visibleColumns);
    partial_ = partialRow;
}

int ViewModel::topMargin() const { return mouseDown_ ? 0 : visRows_ / 14; }
int ViewModel::bottomMargin() const { return mouseDown_ ? 0 : visRows_ / 10 + (partial_ ? 1 : 0); }
int ViewModel::horizontalMargin() const { return std::min(visCols_ / 10, 5); }

int ViewModel::textLength(int row) {
    if (!rows_ || row < 0 || row >= rows_->rowCount()) return 0;
    int len = 0;
    rows_->rowText(row, &len);
    if (row == rows_->eofRow()) len = std::max(0, len - 5);
    return len;
}

int ViewModel::fixColumn(int row, int col) {
    if (!rows_) return 0;
    int len = 0;
    const unsigned char* t = rows_->rowText(row, &len);
    bool eof = row == rows_->eofRow();
    int textLen = eof ? std::max(0, len - 5) : len;
    if (col < 0) col = 0;
    if (!browse_ || eof)
        col = std::min(col, textLen);
    else
        col = std::min(col, std::max(textLen, kFoldWidth - 1));
    if (col < textLen) {
        if (isTrailByteAt(t, textLen, col)) --col;
        while (col > 0 && t[col] == 0) --col;  // tab fill bytes lead back to their tab
    }
    return col;
}

int ViewModel::maxTopForPaging() const {
    if (!rows_) return 0;
    return std::max(0, rows_->rowCount() - visRows_ / 2);
}

int ViewModel::maxTopForCaret() const {
    if (!rows_) return 0;
    return std::max(0, rows_->eofRow() - (visRows_ - 1 - bottomMargin()));
}

void ViewModel::setTop(int top) { top_ = std::max(0, std::min(top, rows_ ? rows_->eofRow() : 0)); }

void ViewModel::clampCaret() {
    if (!rows_) return;
    caretRow_ = std::max(0, std::min(caretRow_, rows_->eofRow()));
    caretCol_ = fixColumn(caretRow_, caretCol_);
}

void ViewModel::scrollToCaret() {
    int row = caretRow_;
    int tm = topMargin(), bm = bottomMargin();
    if (row < top_ + tm) {
        int d = top_ + tm - row;
        int newTop = top_ - d;
        if (d > visRows_ / 4) newTop = row - visRows_ / 3;
        top_ = std::max(0, newTop);
    } else if (row >= top_ + visRows_ - bm) {
        int d = row + bm - top_ - visRows_ + 1;
        if (d > visRows_ / 4) d = row + visRows_ / 3 - top_ - visRows_ + 1;
        int newTop = top_ + d;
        newTop = std::min(newTop, std::max(top_, maxTopForCaret()));
        top_ = std::max(0, newTop);
    }
    int hm = horizontalMargin();
    if (caretCol_ < firstCol_ + hm)
        firstCol_ = std::max(0, caretCol_ - hm);
    else if (caretCol_ >= firstCol_ + visCols_ - hm)
        firstCol_ = std::max(0, caretCol_ - visCols_ + hm + 1);
}

void ViewModel::moveCaretTo(int row, int col) {
    caretRow_ = row;
    caretCol_ = col;
    clampCaret();
    desiredCol_ = caretCol_;
    scrollToCaret();
}

void ViewModel::lineDown(int n) {
    if (!rows_ || n <= 0) return;
    if (browse_) {
        int screen = caretRow_ - top_;
        int newTop = std::min(top_ + n, maxTopForPaging());
        if (newTop <= top_) return;
        top_ = newTop;
        caretRow_ = std::min(top_ + screen, rows_->eofRow());
        caretCol_ = fixColumn(caretRow_, desiredCol_);
        return;
    }
    int target = std::min(caretRow_ + n, rows_->eofRow());
    if (target == caretRow_) return;
    caretRow_ = target;
    caretCol_ = fixColumn(caretRow_, desiredCol_);
    int limit = top_ + visRows_ - 1 - bottomMargin();
    if (caretRow_ > limit) top_ = std::min(top_ + (caretRow_ - limit), std::max(top_, maxTopForCaret()));
    if (caretRow_ >= top_ + visRows_) top_ = caretRow_ - visRows_ + 1;
}

void ViewModel::lineUp(int n) {
    if (!rows_ || n <= 0) return;
    if (browse_) {
        int screen = caretRow_ - top_;
        int newTop = std::max(0, top_ - n);
        if (newTop == top_) return;
        top_ = newTop;
        caretRow_ = std::min(top_ + screen, rows_->eofRow());
        caretCol_ = fixColumn(caretRow_, desiredCol_);
        return;
    }
    int target = std::max(0, caretRow_ - n);
    if (target == caretRow_) return;
    caretRow_ = target;
    caretCol_ = fixColumn(caretRow_, desiredCol_);
    int limit = top_ + topMargin();
    if (caretRow_ < limit) top_ = std::max(0, top_ - (limit - caretRow_));
    if (caretRow_ < top_) top_ = caretRow_;
}

void ViewModel::scrollRows(int n) {
    if (!rows_ || n == 0) return;
    int screen = caretRow_ - top_;
    int newTop = n > 0 ? std::min(top_ + n, maxTopForPaging()) : std::max(0, top_ + n);
    if (newTop == top_) return;
    top_ = newTop;
    caretRow_ = std::max(0, std::min(top_ + screen, rows_->eofRow()));
    caretCol_ = fixColumn(caretRow_, desiredCol_);
}

void ViewModel::charRight() {
    if (!rows_) return;
    int len = 0;
    const unsigned char* t = rows_->rowText(caretRow_, &len);
    int textLen = caretRow_ == rows_->eofRow() ? std::max(0, len - 5) : len;
    int col = caretCol_;
    if (col < textLen) {
        col += (common::isCp932LeadByte(t[col]) && col + 1 < textLen) ? 2 : 1;
        while (col < textLen && t[col] == 0) ++col;
        if (!browse_ && col > textLen) col = textLen;
    } else if (browse_) {
        if (caretRow_ == rows_->eofRow()) return;
        ++col;
    } else {
        if (caretRow_ >= rows_->eofRow()) return;
        moveCaretTo(caretRow_ + 1, 0);
        return;
    }
    moveCaretTo(caretRow_, col);
}

void ViewModel::charLeft() {
    if (!rows_) return;
    if (caretCol_ > 0) {
        moveCaretTo(caretRow_, caretCol_ - 1);  // the column rules step back over double bytes and tab fill
        return;
    }
    if (browse_ || caretRow_ == 0) return;
    int prev = caretRow_ - 1;
    moveCaretTo(prev, rows_->endsLine(prev) ? textLength(prev) : lastCharStart(prev));
}

int ViewModel::lastCharStart(int row) {
    int len = 0;
    const unsigned char* t = rows_->rowText(row, &len);
    int textLen = row == rows_->eofRow() ? std::max(0, len - 5) : len;
    if (textLen == 0) return 0;
    int i = 0, last = 0;
    while (i < textLen) {
        last = i;
        i += (common::isCp932LeadByte(t[i]) && i + 1 < textLen) ? 2 : 1;
    }
    while (last > 0 && t[last] == 0) --last;
    return last;
}

void ViewModel::lineStart() { moveCaretTo(caretRow_, 0); }

void ViewModel::lineEnd() {
    if (!rows_) return;
    bool ends = rows_->endsLine(caretRow_) || caretRow_ == rows_->eofRow();
    moveCaretTo(caretRow_, ends ? textLength(caretRow_) : lastCharStart(caretRow_));
}

void ViewModel::fileTop() {
    rememberPosition();
    moveCaretTo(0, 0);
}

void ViewModel::fileEnd() {
    if (!rows_) return;
    rememberPosition();
    int eof = rows_->eofRow();
    moveCaretTo(eof, textLength(eof));
}

void ViewModel::pageDown(int n) {
    if (!rows_ || n <= 0) return;
    int limit = maxTopForPaging();
    int step = std::min(n, limit - top_);
    if (step <= 0) {
        if (!browse_) lineDown(n);
        return;
    }
    int screen = caretRow_ - top_;
    top_ += step;
    screen = std::max(screen, topMargin());
    caretRow_ = std::min(top_ + screen, rows_->eofRow());
    caretCol_ = fixColumn(caretRow_, desiredCol_);
}

void ViewModel::pageUp(int n) {
    if (!rows_ || n <= 0) return;
    int step = std::min(n, top_);
    if (step <= 0) {
        if (!browse_) lineUp(n);
        return;
    }
    int screen = caretRow_ - top_;
    top_ -= step;
    screen = std::max(screen, topMargin());
    caretRow_ = std::min(top_ + screen, rows_->eofRow());
    caretCol_ = fixColumn(caretRow_, desiredCol_);
}

void ViewModel::startSelection(bool box) {
    sel_ = Selection();
    sel_.exists = true;
    sel_.box = box;
    sel_.anchorRow = sel_.endRow = caretRow_;
    sel_.anchorCol = sel_.endCol = caretCol_;
}

void ViewModel::extendSelectionToCaret() {
    if (!sel_.exists) startSelection(false);
    sel_.endRow = caretRow_;
    sel_.endCol = caretCol_;
}

void ViewModel::cancelSelection() {
    sel_ = Selection();
    keySelect_ = false;
}

void ViewModel::selectRange(int row0, int col0, int row1, int col1, bool wholeLine) {
    sel_ = Selection();
    sel_.exists = true;
    sel_.wholeLine = wholeLine;
    sel_.anchorRow = row0;
    sel_.anchorCol = col0;
    sel_.endRow = row1;
    sel_.endCol = col1;
}

void ViewModel::selectAll() {
    if (!rows_) return;
    int eof = rows_->eofRow();
    selectRange(0, 0, eof, textLength(eof), true);
    caretRow_ = caretCol_ = desiredCol_ = 0;
    top_ = 0;
    firstCol_ = 0;
}

RowSelection ViewModel::rowSelection(int row) {
    RowSelection r;
    if (!sel_.exists || !rows_) return r;
    int r0 = sel_.startRow(), r1 = sel_.lastRow();
    if (row < r0 || row > r1) return r;
    int len = textLength(row);
    bool ends = rows_->endsLine(row) && row != rows_->eofRow();
    if (sel_.box) {
        int c0 = sel_.startCol(), c1 = sel_.lastCol();
        r.from = std::min(c0, len);
        r.to = std::min(c1, len);
        r.lineEnd = ends && len >= c0 && len < c1;
        return r;
    }
    r.from = row == r0 ? std::min(sel_.startCol(), len) : 0;
    r.to = row == r1 ? std::min(sel_.lastCol(), len) : len;
    r.lineEnd = ends && row < r1;
    return r;
}

std::string ViewModel::selectionText() {
    std::string out;
    if (!sel_.exists || !rows_) return out;
    int r0 = sel_.startRow(), r1 = std::min(sel_.lastRow(), rows_->eofRow());
    for (int row = r0; row <= r1; ++row) {
        int len = 0;
        const unsigned char* t = rows_->rowText(row, &len);
        int textLen = row == rows_->eofRow() ? std::max(0, len - 5) : len;
        int from, to;
        if (sel_.box) {
            from = std::min(sel_.startCol(), textLen);
            to = std::min(sel_.lastCol(), textLen);
            // A bound inside a double-byte character takes the whole character.
            if (from < textLen && isTrailByteAt(t, textLen, from)) --from;
            if (to < textLen && to > 0 && isTrailByteAt(t, textLen, to)) ++to;
        } else {
            from = row == r0 ? std::min(sel_.startCol(), textLen) : 0;
            to = row == r1 ? std::min(sel_.lastCol(), textLen) : textLen;
        }
        for (int i = from; i < to; ++i)
            if (t[i] != 0) out += static_cast<char>(t[i]);
        if (sel_.box)
            out += "\r\n";
        else if (row < r1 && rows_->endsLine(row))
            out += "\r\n";
    }
    return out;
}

int ViewModel::scrollScale(int rowCount) {
    if (rowCount < 1000) return 1;
    if (rowCount < 10000) return 8;
    if (rowCount < 1000000) return 32;
    return 256;
}

PaneState ViewModel::paneState() const {
    PaneState p;
    p.top = top_;
    p.firstCol = firstCol_;
    p.caretRow = caretRow_;
    p.caretCol = caretCol_;
    p.desiredCol = desiredCol_;
    p.sel = sel_;
    return p;
}

void ViewModel::setPaneUnchecked(const PaneState& pane) {
    top_ = pane.top;
    firstCol_ = pane.firstCol;
    caretRow_ = pane.caretRow;
    caretCol_ = pane.caretCol;
    desiredCol_ = pane.desiredCol;
    sel_ = pane.sel;
}

void ViewModel::restorePane(const PaneState& pane) {
    setPaneUnchecked(pane);
    keySelect_ = false;
    if (!rows_) return;
    int eof = rows_->eofRow();
    if (sel_.exists && (sel_.anchorRow > eof || sel_.endRow > eof)) sel_ = Selection();
    top_ = std::max(0, std::min(top_, eof));
    firstCol_ = std::max(0, firstCol_);
    clampCaret();
    // Inside the pane: the caret row is pulled within the margins rather than the view scrolled.
    int tm = topMargin(), bm = bottomMargin();
    int low = top_ + std::min(tm, std::max(0, visRows_ - 1));
    int high = top_ + std::max(0, visRows_ - 1 - bm);
    if (high < low) high = low;
    if (caretRow_ < low && top_ > 0) caretRow_ = std::min(low, eof);
    if (caretRow_ > high) caretRow_ = std::min(high, eof);
    if (caretRow_ < top_) caretRow_ = std::min(top_, eof);
    caretCol_ = fixColumn(caretRow_, caretCol_);
}

}  // namespace viewer
