// Fixture pictures for the button and screen tests: 24-bit BMP files whose
// frames are filled with distinct colours, so a screenshot or a pixel read
// tells which frame a button shows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace fixture {

inline void put16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void put32(std::string& s, unsigned v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A 24-bit BMP of width x height; row r (counted from the top) has the colour
// rowColor(r). The colour table area the menu's loader skips is left zero.
template <class RowColor>
std::string bmp24(int width, int height, RowColor rowColor) {
    unsigned stride = (unsigned(width) * 3 + 3) & ~3u;
    unsigned bitsOffset = 14 + 40 + 1024;
    unsigned pixels = stride * unsigned(height);
    std::string s;
    s += "BM";
    put32(s, bitsOffset + pixels);
    put32(s, 0);
    put32(s, bitsOffset);
    put32(s, 40);
    put32(s, unsigned(width));
    put32(s, unsigned(height));
    put16(s, 1);
    put16(s, 24);
    put32(s, 0);
    put32(s, pixels);
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    s.append(1024, '\0');
    for (int y = height - 1; y >= 0; --y) {  // bottom-up
        COLORREF c = rowColor(y);
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += char(GetBValue(c));
            row += char(GetGValue(c));
            row += char(GetRValue(c));
        }
        row.resize(stride, '\0');
        s += row;
    }
    return s;
}

// An image strip of `frames` frames of frameHeight rows; frame i has colours[i]
// with a one-pixel darker border line at its top and bottom.
inline std::string strip(int width, int frameHeight, const std::vector<COLORREF>& colours) {
    int frames = int(colours.size());
    return bmp24(width, frameHeight * frames, [&](int row) {
        int f = row / frameHeight;
        int inFrame = row % frameHeight;
        COLORREF c = colours[size_t(f)];
        if (inFrame == 0 || inFrame == frameHeight - 1)
            return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
        return c;
    });
}

inline std::string solid(int width, int height, COLORREF c) {
    return bmp24(width, height, [c](int) { return c; });
}

// Frame colours used throughout: normal, lit, selected / disabled, disabled.
const COLORREF kNormal = RGB(40, 70, 160);
const COLORREF kLit = RGB(220, 150, 30);
const COLORREF kSelected = RGB(30, 150, 60);
const COLORREF kDisabled = RGB(128, 128, 128);

inline bool writeStrip(const std::string& path, int width, int frameHeight,
                       const std::vector<COLORREF>& colours) {
    return e2e::writeFile(path, strip(width, frameHeight, colours));
}

}  // namespace fixture
