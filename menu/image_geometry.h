// Size arithmetic of device-independent bitmaps, checked against what a file
// or a decoder actually supplies. Pure logic, shared by the BMP loader, the
// PNG decoder and blank images.
#pragma once
#include <cstdint>

namespace menu {

namespace imagegeom {

// Largest width or height accepted, and the largest pixel block (256 MiB):
// anything beyond is a lying header, not a menu picture.
const int32_t kMaxSide = 32767;
const uint64_t kMaxPixelBytes = 256u * 1024u * 1024u;

// Depths a bitmap can be drawn with.
bool supportedDepth(int bitsPerPixel);

// Bytes per row, padded to a multiple of 4; 0 when the width or depth is
// out of range.
uint32_t stride(int32_t width, int bitsPerPixel);

// Bytes of height rows of the given stride; 0 when the sides are out of range
// or the block would exceed kMaxPixelBytes.
uint32_t pixelBytes(int32_t width, int32_t height, int bitsPerPixel);

// Colour-table entries a header asks for: its used-colours field when
// non-zero, else 2, 16 or 256 for 1, 4 or 8 bits per pixel, else 0; never
// more than the 256 entries the table holds.
int colorCount(uint32_t usedColors, int bitsPerPixel);

// What the BMP loader found in a file's headers.
struct BmpLayout {
    bool ok = false;
    int32_t width = 0;
    int32_t height = 0;    // always positive
    bool topDown = false;  // the file stored its rows top row first
    int bitsPerPixel = 0;
    uint32_t stride = 0;
    uint32_t colorTableOffset = 0;  // from the start of the file
    uint32_t pixelOffset = 0;
    uint32_t pixelBytes = 0;  // bytes to read at pixelOffset
    int colorCount = 0;
};

// Checks the two headers of a BMP file of fileSize bytes against each other
// and against the file: the rows must lie wholly inside the file. For
// run-length compressed files the rows are whatever lies between the bits
// offset and the end of the file.
BmpLayout checkBmp(uint32_t fileSize, uint32_t bitsOffset, uint32_t infoSize, int32_t width, int32_t height,
                   uint16_t planes, uint16_t bitsPerPixel, uint32_t compression, uint32_t usedColors);

}  // namespace imagegeom

}  // namespace menu
