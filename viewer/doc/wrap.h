// Cutting a logical line's bytes into display rows at the fold width. No Win32.
#pragma once
#include "sjis.h"

namespace viewer {

// Length of the next row of `text` (len bytes) at fold width w: the whole
// rest when shorter than w, else w bytes, or w - 1 when the w-th byte is the
// lead byte of a double-byte character. *continued tells whether another
// row follows.
int nextRowLength(const unsigned char* text, int len, int w, bool* continued);

// Zero bytes (tab padding) at the start of a following row are dropped:
// returns how many lead the rest.
inline int paddingToSkip(const unsigned char* text, int len) {
    int i = 0;
    while (i < len && text[i] == 0) ++i;
    return i;
}

// Expands tabs of row bytes into `out` as a line of its own would hold them:
// existing zero bytes are dropped and each tab is followed by zero bytes up
// to its stop (none with a proportional font). Returns the bytes written;
// `column` carries the line's column across calls.
int expandTabs(const unsigned char* in, int len, char* out, int tabWidth, bool pad, int* column);

}  // namespace viewer
