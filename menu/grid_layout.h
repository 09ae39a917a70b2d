// Placement arithmetic of the execute-button grid. Positions and margins are
// 16-bit values in the configuration, so the arithmetic wraps like them.
#pragma once
#include <vector>

namespace menu {

namespace grid {

struct Point {
    short x;
    short y;
};

struct Layout {
    short startX, startY;  // top-left button
    short width, frameHeight;
    short marginX, marginY;  // a negative marginY stacks the rows upward
    int columns, rows;
};

// Positions of columns x rows buttons, row by row, left to right.
std::vector<Point> place(const Layout& l);

// Index of the first execute button that shows a command when `commands`
// commands are placed at the end of a grid of `buttons` buttons: a single
// short row is centred in the last row. Never negative.
int firstCommandButton(int buttons, int columns, int commands);

// Width of each tab when a row of `rowWidth` pixels has fewer than three tabs.
int fixedTabWidth(int rowWidth, int tabCount);

}  // namespace grid

}  // namespace menu
