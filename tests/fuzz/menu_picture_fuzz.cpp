// The menu's picture loader on one file of random bytes, taken as a BMP file
// or as a PNG file (behind an optional header of another format), decoded by
// the system's libpng under the loader's own size limits and memory arena.
// Properties: a loaded picture has a positive size, its pixel block holds
// height x stride bytes, or the image size for run-length compressed rows
// (every byte is read, so a short block is caught),
// making the device copy and drawing any rectangle stay inside it; a refused
// picture is left empty.
#include <cstdint>

#include "cbmp.h"
#include "fuzz_support.h"
#include "message_box.h"
#include "png_decode.h"

int common::showMessageBox(HWND, const char* text, const char* caption, UINT) {
    FUZZ_CHECK(text && caption);
    return 1;
}

using namespace menu;

namespace {
void quiet(const char* title, const char* text) { FUZZ_CHECK(title && text); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakefs::enable();
    PngFile::setReporter(quiet);
    const bool asBmp = in.ConsumeBool();
    const int left = in.ConsumeIntegralInRange<int>(-50, 300);
    const int top = in.ConsumeIntegralInRange<int>(-50, 300);
    const int right = in.ConsumeIntegralInRange<int>(-50, 600);
    const int bottom = in.ConsumeIntegralInRange<int>(-50, 600);
    fakefs::addFile("D:\\DISC\\PICTURE.BMP", in.ConsumeRemainingBytesAsString());
    {
        cBmpStrip picture;
        const bool loaded =
            asBmp ? picture.loadBmp("D:\\DISC\\PICTURE.BMP") : picture.load("D:\\DISC\\PICTURE.BMP");
        if (!loaded) {
            FUZZ_CHECK(picture.empty());
        } else {
            FUZZ_CHECK(picture.width() > 0 && picture.height() > 0);
            const int bits = picture.bitsPerPixel();
            FUZZ_CHECK(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
            FUZZ_CHECK(picture.stride() >= (DWORD(picture.width()) * DWORD(bits) + 7) / 8);
            FUZZ_CHECK(picture.stride() % 4 == 0);
            BITMAPINFO* info = picture.lockInfo();
            FUZZ_CHECK(info != nullptr);
            // Run-length compressed rows stay compressed (GDI expands them):
            // their block holds the header's image size, not height x stride.
            const DWORD compression = info->bmiHeader.biCompression;
            const DWORD bytes =
                compression == 1 || compression == 2 ? info->bmiHeader.biSizeImage : picture.pixelBytes();
            const BYTE* pixels = picture.lockBits();
            FUZZ_CHECK(pixels != nullptr);
            volatile BYTE sum = 0;
            for (DWORD i = 0; i < bytes; ++i) sum = BYTE(sum + pixels[i]);
            picture.unlock();
            for (int i = 0; i < 256; ++i) picture.colorAt(i);
            const RECT rect{left, top, right, bottom};
            picture.draw(nullptr, rect);
            picture.deviceBitmap();
            picture.draw(nullptr, rect);
            picture.releaseDeviceBitmap();
            picture.setFrameCount(in.ConsumeIntegralInRange<int>(1, 5));
            picture.showFrame(1);
            picture.draw(nullptr, rect);
        }
    }
    fakefs::enable(false);
    return 0;
}
