#include "layout.h"
#include <cstdio>

namespace viewer {

int lineNumberCells(int rowCount) {
    if (rowCount < 10000) return 5;
    if (rowCount < 100000) return 6;
    if (rowCount < 1000000) return 7;
    return 8;
}

int lineNumberMarginWidth(bool shown, int rowCount, int digitWidth) {
    return shown ? lineNumberCells(rowCount) * digitWidth + 8 : 0;
}

std::string lineNumberText(int row, int cells) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%7d", (row + 1) % 10000000);
    int keep = cells - 1;
    if (keep > 7) keep = 7;
    if (keep < 1) keep = 1;
    return std::string(buf + 7 - keep);
}

std::string positionText(int caretRow, int caretColumn) {
    int col = caretColumn + 1;
    if (col > 9999) col = 9999;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%d", caretRow + 1, col);
    return buf;
}

}  // namespace viewer
