#include "text_search.h"
#include "sjis.h"
#include <algorithm>
#include <cstring>

namespace viewer {

int TextSearcher::lineStartRow(int row) const {
    while (row > 0 && !rows_->endsLine(row - 1)) --row;
    return row;
}

namespace {

// Ends the rows' pass through the document however the search returns.
class ScanPass {
public:
    explicit ScanPass(TextRows* rows) : rows_(rows) {}
    ~ScanPass() { rows_->endScan(); }
    ScanPass(const ScanPass&) = delete;
    ScanPass& operator=(const ScanPass&) = delete;

private:
    TextRows* rows_;
};

}  // namespace

void TextSearcher::loadLine(int startRow, bool scanning) {
    lineRow_ = startRow;
    rowStarts_.clear();
    int eof = rows_->eofRow();
    size_t used = 0;
    for (int row = startRow;; ++row) {
        int len = 0;
        const unsigned char* t = scanning ? rows_->scanRowText(row, &len) : rows_->rowText(row, &len);
        if (row == eof) len = std::max(0, len - 5);  // the end mark is never searched
        rowStarts_.push_back(static_cast<int>(used));
        if (line_.size() < used + static_cast<size_t>(len))
            line_.resize(std::max(line_.size() * 2, used + len));
        if (len > 0) std::memcpy(line_.data() + used, t, static_cast<size_t>(len));
        used += static_cast<size_t>(len);
        if (row >= eof || rows_->endsLine(row)) break;
    }
    lineLength_ = static_cast<int>(used);
}

int TextSearcher::offsetOf(TextPosition p) const {
    int index = p.row - lineRow_;
    int start = rowStarts_[index];
    int end = index + 1 < static_cast<int>(rowStarts_.size()) ? rowStarts_[index + 1] : lineLength_;
    return start + std::min(std::max(p.column, 0), end - start);
}

TextPosition TextSearcher::positionOf(int offset) const {
    // The last row that starts at or before the offset; a match never starts
    // on an empty row's position unless the row is the line's only one.
    auto it = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), offset);
    int index = static_cast<int>(it - rowStarts_.begin()) - 1;
    return TextPosition{lineRow_ + index, offset - rowStarts_[index]};
}

bool TextSearcher::findDown(const SearchKey& key, TextPosition from, bool stepFirst, TextPosition* found) {
    if (!rows_ || key.bytes.empty()) return false;
    int eof = rows_->eofRow();
    if (from.row > eof) return false;
    ScanPass pass(rows_);
    loadLine(lineStartRow(from.row), true);
    int at = offsetOf(from);
    // Step over the character at the caret (and the fill bytes of a tab).
    if (stepFirst && at < lineLength_) {
        at += (common::isCp932LeadByte(line_[at]) && at + 1 < lineLength_) ? 2 : 1;
        while (at < lineLength_ && line_[at] == 0) ++at;
    }
    for (;;) {
        int hit = findInLineForward(line_.data(), lineLength_, at, key);
        if (hit >= 0) {
            TextPosition p = positionOf(hit);
            // A match past the last row of the bounds is outside them, even
            // when its logical line began inside.
            if (!inBounds(p.row)) return false;
            *found = p;
            return true;
        }
        int last = lastLoadedRow();
        if (last >= eof || (lastRow_ >= 0 && last >= lastRow_)) return false;
        int next = skipWholeLines(key, last + 1);
        if (next > eof || (lastRow_ >= 0 && next > lastRow_)) return false;
        loadLine(next, true);
        at = 0;
    }
}

int TextSearcher::skipWholeLines(const SearchKey& key, int row) {
    // The logical lines that lie whole in a block of the store are looked
    // through in place: where the key's bytes stand nowhere in them, none
    // of them can hold a match, and they are passed over without being
    // copied. The line that holds such bytes is searched by the caller.
    const int eof = rows_->eofRow();
    for (;;) {
        if (row >= eof || (lastRow_ >= 0 && row > lastRow_)) return row;
        const unsigned char* bytes = nullptr;
        int n = rows_->scanBlock(row, &bytes, &blockEnds_);
        while (n > 0 && !rows_->endsLine(row + n - 1)) --n;  // whole lines only
        if (n == 0) return row;
        int hit = findKeyBytes(bytes, blockEnds_[static_cast<size_t>(n - 1)], 0, key);
        if (hit < 0) {
            row += n;
            continue;
        }
        // The row holding the bytes found, then the first row of its line
        // (a line of the block starts at or after `row`).
        int r = row + static_cast<int>(std::upper_bound(blockEnds_.begin(), blockEnds_.begin() + n, hit) -
                                       blockEnds_.begin());
        while (r > row && !rows_->endsLine(r - 1)) --r;
        return r;
    }
}

bool TextSearcher::findUp(const SearchKey& key, TextPosition from, TextPosition* found) {
    if (!rows_ || key.bytes.empty()) return false;
    int row = std::min(from.row, rows_->eofRow());
    ScanPass pass(rows_);
    loadLine(lineStartRow(row), true);
    int before = offsetOf(TextPosition{row, from.column});
    for (;;) {
        int hit = findInLineBackward(line_.data(), lineLength_, before, key);
        if (hit >= 0) {
            TextPosition p = positionOf(hit);
            if (p.row > lastRow_ && lastRow_ >= 0) {
                before = hit;  // past the bounds' end: look further up
                continue;
            }
            if (!inBounds(p.row)) return false;
            *found = p;
            return true;
        }
        if (lineRow_ == 0 || lineRow_ <= firstRow_) return false;
        int last = skipWholeLinesUp(key, lineRow_ - 1);
        if (last < 0) return false;
        loadLine(lineStartRow(last), true);
        before = lineLength_;
    }
}

int TextSearcher::skipWholeLinesUp(const SearchKey& key, int row) {
    // As skipWholeLines, upwards: the lines that lie whole in the block
    // ending at `row` are looked through in place, and the nearest one
    // holding the key's bytes is handed back by its last row. Lines above
    // the bounds are never handed back: -1 then.
    for (;;) {
        if (row < 0 || row < firstRow_) return -1;
        const unsigned char* bytes = nullptr;
        const int n = rows_->scanBlockEndingAt(row, &bytes, &blockEnds_);
        if (n == 0) return row;
        const int first = row - n + 1;
        // Rows at the block's top that go on with a line begun above it.
        int lead = 0;
        while (lead < n && first + lead > 0 && !rows_->endsLine(first + lead - 1)) ++lead;
        if (lead == n) return row;
        const int from = lead == 0 ? 0 : blockEnds_[static_cast<size_t>(lead - 1)];
        const int length = blockEnds_[static_cast<size_t>(n - 1)];
        int found = -1;
        for (int at = findKeyBytes(bytes, length, from, key); at >= 0;
             at = findKeyBytes(bytes, length, at + 1, key))
            found = at;
        if (found < 0) {
            row = first + lead - 1;
            continue;
        }
        int r = first + static_cast<int>(std::upper_bound(blockEnds_.begin(), blockEnds_.begin() + n, found) -
                                         blockEnds_.begin());
        while (r < row && !rows_->endsLine(r)) ++r;
        return r;
    }
}

std::string TextSearcher::wordAt(TextPosition at, bool fromWordStart, TextPosition* wordStart) {
    if (!rows_ || at.row < 0 || at.row > rows_->eofRow()) return std::string();
    loadLine(lineStartRow(at.row));
    int b = 0, e = 0;
    if (!searchWordAt(line_.data(), lineLength_, offsetOf(at), fromWordStart, kSearchWordLimit, &b, &e))
        return std::string();
    if (wordStart) *wordStart = positionOf(b);
    return std::string(reinterpret_cast<const char*>(line_.data()) + b, static_cast<size_t>(e - b));
}

std::string TextSearcher::pieceAfter(TextPosition after, int limit, TextPosition* end) {
    if (!rows_ || after.row < 0 || after.row > rows_->eofRow()) return std::string();
    loadLine(lineStartRow(after.row));
    int b = 0, e = 0;
    if (!searchPieceAt(line_.data(), lineLength_, offsetOf(after), limit, &b, &e)) return std::string();
    *end = positionOf(e);
    return std::string(reinterpret_cast<const char*>(line_.data()) + b, static_cast<size_t>(e - b));
}

}  // namespace viewer

namespace viewer {

TextPosition TextSearcher::advance(TextPosition from, int count) {
    if (!rows_ || from.row < 0 || from.row > rows_->eofRow()) return from;
    loadLine(lineStartRow(from.row));
    return positionOf(std::min(offsetOf(from) + count, lineLength_));
}

}  // namespace viewer
