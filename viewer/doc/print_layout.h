// Page layout of a printed document: margins, rows per page, line-number and
// header texts, the width check, and the cutting of display rows into
// printed lines and pages (form feeds included). No Win32: the printing code
// feeds rows in and draws what comes out.
#pragma once
#include <string>

namespace viewer {

// Margins in millimetres that the printer cannot print on.
struct UnprintableMargins {
    int top = 0, left = 0, bottom = 0;
};

// From the printer's metrics: printable size in pixels (HORZRES, VERTRES) and
// millimetres (HORZSIZE, VERTSIZE), the printing offset and the physical page
// height in pixels. A zero divisor gives a zero margin.
UnprintableMargins unprintableMargins(int offsetX, int offsetY, int physicalHeight, int horzRes, int vertRes,
                                      int horzSize, int vertSize);

// A margin in printer pixels measured from the printable area: the part of
// the margin beyond the unprintable one, scaled by pixels per millimetre.
int marginPixels(int marginMm, int unprintableMm, int res, int sizeMm);

// Line height of the printer font, a quarter more with wider spacing.
int printLineHeight(int tmHeight, int tmExternalLeading, bool widerSpacing);

// Rows of text per page: two rows fewer for the header; at least 1.
int rowsPerPage(int vertRes, int topPx, int bottomPx, int lineHeight, bool header);

// "  12 " for row 12: the row number modulo 10000 in four places, leading
// zeros as blanks, then a blank (a multiple of 10000 gives five blanks).
std::string lineNumberText(int rowNumber);
constexpr int kLineNumberColumns = 5;

// The header: the document name and five blanks, then pageFormat with its
// "%d" replaced by the page number modulo 65536; empty when neither is asked
// for. The format comes from the program's string table and is not handed to
// printf, so a stray "%" in a translated text cannot read the stack.
std::string headerText(const std::string& documentName, bool fileName, bool pageNumber, int page,
                       const std::string& pageFormat);

// Columns that overflow the printable width at `columns` columns of
// `avgWidth` pixels (five more with line numbers) after a left margin of
// leftPx: 0 when they fit, else the overshoot in whole columns rounded up.
int overflowColumns(int avgWidth, int columns, bool lineNumbers, int leftPx, int horzRes);

// The fold width after the user agreed to narrow it by n columns.
constexpr int kMinPrintFold = 20;
int narrowedFold(int fold, int n);

// Which display rows are printed: [first, last], last < first when none.
// `number` is the number printed with the first row (its ordinal from 1).
struct PrintRange {
    int first = 0, last = -1, number = 1;
};
// All rows up to lastRow, or the selected ones: a selection that ends at
// column 0 of a row leaves that row out.
PrintRange printRange(int lastRow, bool selectionOnly, int selStartRow, int selEndRow, int selEndCol);

// Receives the pages and lines in order.
class PageSink {
public:
    virtual ~PageSink() = default;
    // A page begins (pages count from 1).
    virtual void startPage(int page) = 0;
    // One printed line (the line-number text included) at line `index` of the page.
    virtual void line(int index, const std::string& text) = 0;
    virtual void endPage(int page) = 0;
};

// Cuts rows into printed lines and pages. A page is begun only when a line
// goes on it, so a document that fills its last page exactly does not leave
// an empty sheet after it; a document with nothing to print still gets one
// empty page.
class PagePrinter {
public:
    PagePrinter(PageSink& sink, int rowsPerPage, bool lineNumbers, bool keepTabs, int firstNumber)
        : sink_(sink), perPage_(rowsPerPage < 1 ? 1 : rowsPerPage), numbers_(lineNumbers),
          keepTabs_(keepTabs), number_(firstNumber) {}

    // One display row's bytes (without the end-of-file mark). Every byte from
    // 0x21 up is copied; a form feed ends the page after the text before it
    // (one at the top of a page is dropped); every other byte becomes a blank,
    // except a tab when tabs are kept (a proportional font draws tab stops).
    void addRow(const unsigned char* text, int len);
    // Ends the last page (after beginning one when nothing was printed).
    void finish();

    int pagesStarted() const { return page_; }

private:
    void emit(const std::string& text);
    void pageBreak();

    PageSink& sink_;
    int perPage_;
    bool numbers_, keepTabs_;
    int number_;
    int page_ = 0;
    bool open_ = false;
    int used_ = 0;
};

}  // namespace viewer
