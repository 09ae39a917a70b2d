#include "decorated_text.h"

namespace menu {

COLORREF paletteRelative(COLORREF c) { return 0x02000000 | (c & 0x00FFFFFF); }

void drawDecoratedText(HDC dc, int x, int y, const char* text, int length, const StateStyle& style) {
    SetBkMode(dc, TRANSPARENT);
    if (style.decoration == 1 || style.decoration == 2) {
        bool outset = style.decoration == 1;
        // The upper-left edge first, then the lower-right one: light above
        // dark looks raised, dark above light looks sunk.
        SetTextColor(dc, paletteRelative(outset ? style.lightColor : style.darkColor));
        TextOutA(dc, x - 1, y - 1, text, length);
        TextOutA(dc, x, y - 1, text, length);
        TextOutA(dc, x - 1, y + 1, text, length);
        SetTextColor(dc, paletteRelative(outset ? style.darkColor : style.lightColor));
        TextOutA(dc, x + 1, y, text, length);
        TextOutA(dc, x, y + 1, text, length);
        TextOutA(dc, x + 1, y + 1, text, length);
    }
    SetTextColor(dc, paletteRelative(style.textColor));
    TextOutA(dc, x, y, text, length);
}

}  // namespace menu
