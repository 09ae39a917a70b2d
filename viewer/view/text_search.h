// Searching the display rows for a literal string, one logical line at a
// time: a logical line is copied once into a working buffer, searched there
// by the pure matcher, and the offset found is turned back into a row and
// column. Lines that lie whole in a block of the store are first looked
// through in place, and only one that holds the key's bytes is copied. No
// window here.
#pragma once
#include "search_match.h"
#include "text_rows.h"
#include <string>
#include <vector>

namespace viewer {

struct TextPosition {
    int row = 0;
    int column = 0;
};

class TextSearcher {
public:
    explicit TextSearcher(TextRows* rows) : rows_(rows) {}

    // Rows the search may find matches in (both included); the whole document by default.
    void setBounds(int firstRow, int lastRow) {
        firstRow_ = firstRow;
        lastRow_ = lastRow;
    }

    // First match at or after `from`, scanning down; with stepFirst the
    // character at `from` is stepped over first, so that the match the caret
    // stands on is not found again. Never wraps past the end of the document.
    bool findDown(const SearchKey& key, TextPosition from, bool stepFirst, TextPosition* found);
    // Last match that starts before `from`, scanning up; never wraps past the start.
    bool findUp(const SearchKey& key, TextPosition from, TextPosition* found);

    // The word at a position (see searchWordAt), without tab fill bytes; empty when none.
    std::string wordAt(TextPosition at, bool fromWordStart, TextPosition* wordStart = nullptr);
    // The piece of text that follows `after` in its logical line (see
    // searchPieceAt), at most `limit` bytes, and the position after it;
    // empty when nothing follows.
    std::string pieceAfter(TextPosition after, int limit, TextPosition* end);
    // The position `count` bytes after `from` in its logical line.
    TextPosition advance(TextPosition from, int count);

    // First row of the logical line that holds `row`.
    int lineStartRow(int row) const;

private:
    // Copies the logical line that starts at `startRow` into the buffer
    // (without "[EOF]") and records where each of its rows begins. With
    // `scanning` the rows are read as a pass through the document.
    void loadLine(int startRow, bool scanning = false);
    // The first row, from `row` (which starts a logical line) on, of a line
    // that may hold a match of the key; lines that cannot are skipped in the
    // store's blocks without being copied.
    int skipWholeLines(const SearchKey& key, int row);
    // Upwards from `row`, the last row of a logical line: the last row of
    // the nearest line at or above it that may hold a match; -1 when none
    // is left within the bounds.
    int skipWholeLinesUp(const SearchKey& key, int row);
    int offsetOf(TextPosition p) const;  // inside the loaded line
    TextPosition positionOf(int offset) const;
    int lastLoadedRow() const { return lineRow_ + static_cast<int>(rowStarts_.size()) - 1; }
    bool inBounds(int row) const { return row >= firstRow_ && (lastRow_ < 0 || row <= lastRow_); }

    TextRows* rows_;
    int firstRow_ = 0, lastRow_ = -1;
    std::vector<unsigned char> line_;
    std::vector<int> rowStarts_;
    std::vector<int> blockEnds_;
    int lineRow_ = -1;
    int lineLength_ = 0;
};

}  // namespace viewer
