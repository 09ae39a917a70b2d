#include "grid_layout.h"

#include <cstddef>

namespace menu {

namespace grid {

std::vector<Point> place(const Layout& l) {
    std::vector<Point> out;
    if (l.columns <= 0 || l.rows <= 0) return out;
    out.reserve(static_cast<size_t>(l.columns) * static_cast<size_t>(l.rows));
    short y = l.startY;
    for (int r = 0; r < l.rows; ++r) {
        short x = l.startX;
        for (int c = 0; c < l.columns; ++c) {
            out.push_back(Point{x, y});
            x = static_cast<short>(x + l.width + l.marginX);
        }
        if (l.marginY >= 0)
            y = static_cast<short>(y + l.marginY + l.frameHeight);
        else
            y = static_cast<short>(y + l.marginY - l.frameHeight);
    }
    return out;
}

int firstCommandButton(int buttons, int columns, int commands) {
    if (buttons <= 0) return 0;
    int c = commands < buttons ? commands : buttons;
    if (c < 0) c = 0;
    int a = buttons - c;
    if (columns > 0 && c <= columns) a -= (columns - c) / 2;
    return a < 0 ? 0 : a;
}

int fixedTabWidth(int rowWidth, int tabCount) {
    if (tabCount <= 0) return 0;
    int w = (rowWidth - 4) / tabCount;
    return w < 0 ? 0 : w;
}

}  // namespace grid

}  // namespace menu
