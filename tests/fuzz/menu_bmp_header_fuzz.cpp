// The BMP header checks: the input is a whole BMP file. What the checks
// accept is then read the way the loader reads it, from a heap copy of
// exactly the file's size, so AddressSanitizer reports any accepted header
// that would make the loader read past the file or turn rows over past the
// pixel block.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "image_geometry.h"

using namespace menu;

namespace {

uint32_t dword(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t word(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 14 + 40) return 0;
    std::vector<uint8_t> file(data, data + size);
    const uint8_t* info = file.data() + 14;
    const uint32_t bitsOffset = dword(file.data() + 10);
    const uint32_t infoSize = dword(info);
    const int32_t width = int32_t(dword(info + 4));
    const int32_t height = int32_t(dword(info + 8));
    const uint16_t planes = word(info + 12);
    const uint16_t bpp = word(info + 14);
    const uint32_t compression = dword(info + 16);
    const uint32_t used = dword(info + 32);

    imagegeom::BmpLayout l = imagegeom::checkBmp(uint32_t(size), bitsOffset, infoSize, width, height, planes,
                                                 bpp, compression, used);
    if (!l.ok) return 0;
    FUZZ_CHECK(l.width > 0 && l.width <= imagegeom::kMaxSide);
    FUZZ_CHECK(l.height > 0 && l.height <= imagegeom::kMaxSide);
    FUZZ_CHECK(imagegeom::supportedDepth(l.bitsPerPixel));
    FUZZ_CHECK(l.stride % 4 == 0 && uint64_t(l.stride) * 8 >= uint64_t(l.width) * l.bitsPerPixel);
    FUZZ_CHECK(l.colorCount >= 0 && l.colorCount <= 256);
    FUZZ_CHECK(l.pixelBytes <= imagegeom::kMaxPixelBytes);
    FUZZ_CHECK(uint64_t(l.colorTableOffset) + 1024 <= size);
    FUZZ_CHECK(uint64_t(l.pixelOffset) + l.pixelBytes <= size);
    const bool rle = compression == 1 || compression == 2;
    if (!rle) FUZZ_CHECK(uint64_t(l.stride) * uint64_t(l.height) <= l.pixelBytes);

    // The loader's reads and its top-down turn, on exact-size heap blocks.
    std::vector<uint8_t> table(1024);
    std::memcpy(table.data(), file.data() + l.colorTableOffset, table.size());
    std::vector<uint8_t> bits(l.pixelBytes);
    std::memcpy(bits.data(), file.data() + l.pixelOffset, bits.size());
    if (l.topDown) {
        uint8_t* top = bits.data();
        uint8_t* bottom = bits.data() + size_t(l.height - 1) * l.stride;
        for (; top < bottom; top += l.stride, bottom -= l.stride)
            for (uint32_t i = 0; i < l.stride; ++i) std::swap(top[i], bottom[i]);
    }
    return 0;
}
