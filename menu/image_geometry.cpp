#include "image_geometry.h"

namespace menu {

namespace imagegeom {

namespace {
const uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
const uint32_t kFileHeaderSize = 14;
const uint32_t kColorTableBytes = 1024;
}  // namespace

bool supportedDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

uint32_t stride(int32_t width, int bpp) {
    if (width <= 0 || width > kMaxSide || !supportedDepth(bpp)) return 0;
    uint64_t bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bpp);
    return static_cast<uint32_t>(((bits + 31) / 32) * 4);
}

uint32_t pixelBytes(int32_t width, int32_t height, int bpp) {
    uint32_t s = stride(width, bpp);
    if (s == 0 || height <= 0 || height > kMaxSide) return 0;
    uint64_t bytes = static_cast<uint64_t>(s) * static_cast<uint64_t>(height);
    return bytes > kMaxPixelBytes ? 0 : static_cast<uint32_t>(bytes);
}

int colorCount(uint32_t used, int bpp) {
    if (used != 0) return used > 256 ? 256 : static_cast<int>(used);
    switch (bpp) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

BmpLayout checkBmp(uint32_t fileSize, uint32_t bitsOffset, uint32_t infoSize, int32_t width, int32_t height,
                   uint16_t planes, uint16_t bpp, uint32_t compression, uint32_t usedColors) {
    BmpLayout l;
    // Only the Windows headers (40 bytes and the later 108 and 124 byte forms).
    if (infoSize < 40 || infoSize > 124 || planes != 1) return l;
    if (!supportedDepth(bpp)) return l;
    bool rle = compression == kRle8 || compression == kRle4;
    if (compression == kRle8 && bpp != 8) return l;
    if (compression == kRle4 && bpp != 4) return l;
    if (compression == kBitFields && bpp != 16 && bpp != 32) return l;
    if (compression != kRgb && !rle && compression != kBitFields) return l;
    if (height == INT32_MIN) return l;
    bool topDown = height < 0;
    if (topDown && rle) return l;  // run-length data is always bottom-up
    int32_t rows = topDown ? -height : height;
    uint32_t bytes = pixelBytes(width, rows, bpp);
    if (bytes == 0) return l;

    uint32_t tableOffset = kFileHeaderSize + infoSize;
    // The colour table is read whole whatever the depth.
    if (static_cast<uint64_t>(tableOffset) + kColorTableBytes > fileSize) return l;
    if (bitsOffset < kFileHeaderSize + 40 || bitsOffset >= fileSize) return l;
    uint32_t available = fileSize - bitsOffset;
    if (rle) {
        bytes = available > kMaxPixelBytes ? static_cast<uint32_t>(kMaxPixelBytes) : available;
    } else if (bytes > available) {
        return l;
    }

    l.ok = true;
    l.width = width;
    l.height = rows;
    l.topDown = topDown;
    l.bitsPerPixel = bpp;
    l.stride = stride(width, bpp);
    l.colorTableOffset = tableOffset;
    l.pixelOffset = bitsOffset;
    l.pixelBytes = bytes;
    l.colorCount = colorCount(usedColors, bpp);
    return l;
}

}  // namespace imagegeom

}  // namespace menu
