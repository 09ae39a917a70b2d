// Screen capture shared by screenshots, pixel reads and icon recognition.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

// Top-down rows of 8-bit R, G, B triples.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<BYTE> rgb;
    COLORREF at(int x, int y) const {
        const BYTE* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

// Lets the window's thread finish its pending painting (children included).
void settlePainting(HWND w);
// Copies a rectangle of the screen (screen coordinates).
bool captureScreen(const RECT& r, Image* out);
// Copies the pixels of a memory device context's bitmap.
bool readBitmap(HDC dc, HBITMAP bmp, int width, int height, Image* out);
bool writePng(const std::string& path, const Image& image);

}  // namespace e2e
