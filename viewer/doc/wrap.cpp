#include "wrap.h"

namespace viewer {

int nextRowLength(const unsigned char* text, int len, int w, bool* continued) {
    if (w < 2) w = 2;
    if (len < w) {
        *continued = false;
        return len;
    }
    // Walk pairs from the row start: a trail byte can look like a lead byte.
    int i = 0;
    while (i < w - 1) i += common::isCp932LeadByte(text[i]) ? 2 : 1;
    int cut = (i == w - 1 && common::isCp932LeadByte(text[w - 1])) ? w - 1 : w;
    *continued = true;
    return cut;
}

int expandTabs(const unsigned char* in, int len, char* out, int tabWidth, bool pad, int* column) {
    const int mask = tabWidth > 0 ? tabWidth - 1 : 7;
    int o = 0;
    int col = *column;
    for (int i = 0; i < len; ++i) {
        unsigned char c = in[i];
        if (c == 0) continue;
        out[o++] = char(c);
        ++col;
        if (c == '\t' && pad) {
            int fill = mask - ((col - 1) & mask);
            for (int k = 0; k < fill; ++k) out[o++] = 0;
            col += fill;
        }
    }
    *column = col;
    return o;
}

}  // namespace viewer
