// Where the fixed-size main window goes: centred on the screen, never with
// its caption above the top edge. Pure arithmetic.
#pragma once

namespace menu {

namespace placement {

struct Origin {
    int x;
    int y;
};

// Top-left corner of a window of outer size width x height centred on a
// screen of screenWidth x screenHeight; a negative top becomes 0 (the left
// edge is not clamped, so a window wider than the screen is cut equally on
// both sides).
Origin centred(int screenWidth, int screenHeight, int width, int height);

}  // namespace placement

}  // namespace menu
