// Sizes of the text window's parts that follow from the document and the
// font: the line-number margin, the numbers in it, the position indicator.
#pragma once
#include <string>

namespace viewer {

constexpr int kRulerHeight = 10;

// Digit cells of the line-number margin for a document of rowCount display rows.
int lineNumberCells(int rowCount);
// Margin width in pixels (0 while numbers are hidden); digitWidth is the width of '8'.
int lineNumberMarginWidth(bool shown, int rowCount, int digitWidth);
// The number shown for a row: row + 1 in the last cells - 1 digits, right-aligned, blank-filled.
std::string lineNumberText(int row, int cells);
// "row:column" of the position indicator, both 1-based, the column capped at 9999.
std::string positionText(int caretRow, int caretColumn);

}  // namespace viewer
