// What the text window needs of the document: its display rows.
// The row store behind it keeps rows on disk; rowText brings a row in.
#pragma once
#include <vector>

namespace viewer {

class TextRows {
public:
    virtual ~TextRows() = default;
    // Number of display rows, the end-of-file row included (never 0).
    virtual int rowCount() const = 0;
    // The row's bytes (the last row ends with the 5 bytes "[EOF]"); the
    // pointer stays valid until the next call. Length 0 and a non-null
    // pointer for an empty row.
    virtual const unsigned char* rowText(int row, int* length) = 0;
    // The row's bytes for a pass through the document (searching), with the
    // contract of rowText; a store that pages rows out may read them in
    // place without disturbing what it keeps in memory for the window.
    // endScan closes the pass and gives what it held back.
    virtual const unsigned char* scanRowText(int row, int* length) { return rowText(row, length); }
    virtual void endScan() {}
    // For a pass: the rows from `row` on whose texts lie one after another
    // in memory (the rows of one stored page, say), so that a search can
    // look through them in one go. Returns how many rows the block holds
    // and sets *bytes to the first one's text and (*ends)[i] to where row
    // `row + i` ends, counted from *bytes. 0 when the rows cannot be had
    // that way (the caller then reads row by row); never includes the
    // end-of-file row. Valid until the next call.
    virtual int scanBlock(int /*row*/, const unsigned char** /*bytes*/, std::vector<int>* /*ends*/) {
        return 0;
    }
    // The same for the rows up to `row` (included) that lie with it in one
    // block: the block holds rows `row - n + 1` to `row`, *bytes is the
    // first one's text.
    virtual int scanBlockEndingAt(int /*row*/, const unsigned char** /*bytes*/, std::vector<int>* /*ends*/) {
        return 0;
    }
    // True when the row ends a logical line; false when the next row continues it.
    virtual bool endsLine(int row) const = 0;
    // Whether the row is marked (line number drawn in the marked colour).
    virtual bool isMarked(int) const { return false; }

    int eofRow() const { return rowCount() - 1; }
};

}  // namespace viewer
