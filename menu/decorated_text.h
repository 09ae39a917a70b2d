// Label text in one state style: plain, raised (outset) or sunk (inset), in
// palette-relative colours so that 256-colour screens map them to the menu's
// palette.
#pragma once
#include <windows.h>

#include "menu_config.h"

namespace menu {

COLORREF paletteRelative(COLORREF c);

// Draws text at (x, y) with a transparent background in the style's colours
// and decoration. The font must be selected already.
void drawDecoratedText(HDC dc, int x, int y, const char* text, int length, const StateStyle& style);

}  // namespace menu
