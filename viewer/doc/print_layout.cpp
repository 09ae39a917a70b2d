#include "print_layout.h"
#include <cstdio>

namespace viewer {

UnprintableMargins unprintableMargins(int offsetX, int offsetY, int physicalHeight, int horzRes, int vertRes,
                                      int horzSize, int vertSize) {
    UnprintableMargins m;
    if (vertRes != 0) {
        m.top = offsetY * vertSize / vertRes;
        m.bottom = (physicalHeight - vertRes - offsetY) * vertSize / vertRes;
    }
    if (horzRes != 0) m.left = offsetX * horzSize / horzRes;
    return m;
}

int marginPixels(int marginMm, int unprintableMm, int res, int sizeMm) {
    if (sizeMm == 0) return 0;
    return (marginMm - unprintableMm) * res / sizeMm;
}

int printLineHeight(int tmHeight, int tmExternalLeading, bool widerSpacing) {
    int l = tmHeight + tmExternalLeading;
    if (widerSpacing) l += l / 4;
    return l;
}

int rowsPerPage(int vertRes, int topPx, int bottomPx, int lineHeight, bool header) {
    int r = lineHeight > 0 ? (vertRes - topPx - bottomPx) / lineHeight : 1;
    if (header) r -= 2;
    return r < 1 ? 1 : r;
}

std::string lineNumberText(int rowNumber) {
    int v = rowNumber % 10000;
    if (v < 0) v += 10000;
    char buf[8];
    if (v == 0)
        std::snprintf(buf, sizeof buf, "     ");
    else
        std::snprintf(buf, sizeof buf, "%4d ", v);
    return buf;
}

std::string headerText(const std::string& documentName, bool fileName, bool pageNumber, int page,
                       const std::string& pageFormat) {
    std::string h;
    if (fileName) h = documentName + "     ";
    if (pageNumber) {
        std::string text = pageFormat;
        std::string::size_type at = text.find("%d");
        if (at != std::string::npos) text.replace(at, 2, std::to_string(page & 0xFFFF));
        h += text;
    }
    return h;
}

int overflowColumns(int avgWidth, int columns, bool lineNumbers, int leftPx, int horzRes) {
    if (avgWidth <= 0) return 0;
    long long over = static_cast<long long>(avgWidth) * (columns + (lineNumbers ? kLineNumberColumns : 0)) +
                     leftPx - horzRes;
    if (over <= 0) return 0;
    return static_cast<int>((over + avgWidth - 1) / avgWidth);
}

int narrowedFold(int fold, int n) {
    int w = fold - n;
    return w < kMinPrintFold ? kMinPrintFold : w;
}

PrintRange printRange(int lastRow, bool selectionOnly, int selStartRow, int selEndRow, int selEndCol) {
    PrintRange r;
    r.first = 0;
    r.last = lastRow;
    if (selectionOnly) {
        r.first = selStartRow < 0 ? 0 : selStartRow;
        r.last = selEndRow > lastRow ? lastRow : selEndRow;
        if (selEndCol == 0) --r.last;
    }
    r.number = r.first + 1;
    return r;
}

void PagePrinter::emit(const std::string& text) {
    if (open_ && used_ >= perPage_) {
        sink_.endPage(page_);
        open_ = false;
    }
    if (!open_) {
        ++page_;
        sink_.startPage(page_);
        open_ = true;
        used_ = 0;
    }
    sink_.line(used_, text);
    ++used_;
}

// The page is full from here on; the next line begins a new one. A break on
// a page with nothing on it yet is dropped.
void PagePrinter::pageBreak() {
    if (open_ && used_ > 0) used_ = perPage_;
}

void PagePrinter::addRow(const unsigned char* text, int len) {
    std::string piece;
    bool numbered = false;
    auto prefix = [&]() -> std::string {
        if (!numbers_) return std::string();
        if (numbered) return std::string(kLineNumberColumns, ' ');
        numbered = true;
        return lineNumberText(number_);
    };
    bool sawBreak = false;
    for (int i = 0; i < len; ++i) {
        unsigned char c = text[i];
        if (c == 0x0C) {
            // The text before the form feed stays on this page; an empty
            // piece (a row that begins with it) prints nothing.
            if (!piece.empty()) emit(prefix() + piece);
            piece.clear();
            pageBreak();
            sawBreak = true;
        } else if (c >= 0x21 || (c == '\t' && keepTabs_)) {
            piece += static_cast<char>(c);
        } else {
            piece += ' ';
        }
    }
    // A row without form feed always prints, empty or not; after a break
    // only text that is left.
    if (!sawBreak || !piece.empty()) emit(prefix() + piece);
    ++number_;
}

void PagePrinter::finish() {
    if (!open_) {
        ++page_;
        sink_.startPage(page_);
        open_ = true;
    }
    sink_.endPage(page_);
    open_ = false;
}

}  // namespace viewer
