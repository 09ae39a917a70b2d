// BMP loading, blank images, drawing, strips, global memory blocks and the
// palette of the menu's pictures.
#include <gtest/gtest.h>

#include "global_block.h"
#include "image_fixtures.h"
#include "palette.h"

using namespace menu;

using fixture::BmpPicture;

namespace {

// 0x00RRGGBB of a 24-bit pixel written as b, g, r bytes.
void push24(std::vector<uint8_t>& v, uint32_t rgb) {
    v.push_back(rgb & 0xFF);
    v.push_back((rgb >> 8) & 0xFF);
    v.push_back((rgb >> 16) & 0xFF);
}

// 3 x 2 image, 24 bits: bottom row red, green, blue; top row white, black, grey.
BmpPicture sample24() {
    BmpPicture s;
    s.width = 3;
    s.height = 2;
    s.bitsPerPixel = 24;
    for (uint32_t c : {0xFF0000u, 0x00FF00u, 0x0000FFu}) push24(s.pixels, c);
    s.pixels.insert(s.pixels.end(), 3, 0);  // row padding to 12 bytes
    for (uint32_t c : {0xFFFFFFu, 0x000000u, 0x808080u}) push24(s.pixels, c);
    s.pixels.insert(s.pixels.end(), 3, 0);
    s.padTo = 1200;
    return s;
}

// 5 x 2 image, 8 bits, full 256-entry table.
BmpPicture sample8() {
    BmpPicture s;
    s.width = 5;
    s.height = 2;
    s.bitsPerPixel = 8;
    for (uint32_t i = 0; i < 256; ++i) s.table.push_back((i << 16) | ((255 - i) << 8) | (i / 2));
    s.table[7] = 0x123456;
    s.table[200] = 0xFEDCBA;
    // bottom row then top row, 8 bytes each (5 + 3 padding)
    s.pixels = {7, 200, 0, 255, 7, 0, 0, 0, 200, 7, 1, 2, 3, 0, 0, 0};
    return s;
}

class BmpLoad : public ::testing::Test {
protected:
    cBmp image;
    bool load(const BmpPicture& picture, const char* name) {
        std::string path = fixture::writeWork(name, fixture::bmpBytes(picture));
        return !path.empty() && image.loadBmp(path.c_str());
    }
};

}  // namespace

TEST_F(BmpLoad, EightBitKeepsIndicesAndColourTable) {
    ASSERT_TRUE(load(sample8(), "eight.bmp"));
    EXPECT_EQ(5, image.width());
    EXPECT_EQ(2, image.height());
    EXPECT_EQ(8, image.bitsPerPixel());
    EXPECT_EQ(8u, image.stride());
    EXPECT_EQ(256, image.colorCount());
    EXPECT_EQ(0xFEDCBAu, fixture::storedColor(image, 0, 0));
    EXPECT_EQ(0x123456u, fixture::storedColor(image, 1, 0));
    EXPECT_EQ(0x123456u, fixture::storedColor(image, 0, 1));
    EXPECT_EQ(0xFEDCBAu, fixture::storedColor(image, 1, 1));
    for (bool device : {false, true}) {
        std::vector<uint32_t> px = fixture::render(image, device);
        ASSERT_EQ(10u, px.size());
        EXPECT_EQ(0xFEDCBAu, px[0]) << "device " << device;
        EXPECT_EQ(0x123456u, px[1]) << "device " << device;
        EXPECT_EQ(0x123456u, px[5 + 0]) << "device " << device;
        EXPECT_EQ(0xFEDCBAu, px[5 + 1]) << "device " << device;
    }
}

TEST_F(BmpLoad, TwentyFourBitDrawsRowsBottomUp) {
    ASSERT_TRUE(load(sample24(), "24.bmp"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(12u, image.stride());
    EXPECT_EQ(0, image.colorCount());
    for (bool device : {false, true}) {
        std::vector<uint32_t> px = fixture::render(image, device);
        ASSERT_EQ(6u, px.size());
        EXPECT_EQ((std::vector<uint32_t>{0xFFFFFF, 0x000000, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF}), px)
            << "device " << device;
    }
}

TEST_F(BmpLoad, UsedColoursFieldGivesTheColourCount) {
    BmpPicture s = sample8();
    s.usedColors = 16;
    ASSERT_TRUE(load(s, "used16.bmp"));
    EXPECT_EQ(16, image.colorCount());
}

TEST_F(BmpLoad, TopDownFileIsTurnedOver) {
    BmpPicture s = sample24();
    s.height = -2;
    ASSERT_TRUE(load(s, "topdown.bmp"));
    EXPECT_EQ(2, image.height());
    // The first stored row is now the top one.
    EXPECT_EQ(0xFF0000u, fixture::storedColor(image, 0, 0));
    EXPECT_EQ(0xFFFFFFu, fixture::storedColor(image, 0, 1));
}

TEST_F(BmpLoad, TwentyFourBitFileShorterThan1078BytesFails) {
    BmpPicture s = sample24();
    s.padTo = 1077;
    EXPECT_FALSE(load(s, "short24.bmp"));
    EXPECT_TRUE(image.empty());
    s.padTo = 1078;
    EXPECT_TRUE(load(s, "exact24.bmp"));
}

TEST_F(BmpLoad, FileFieldsThatLieAreCaught) {
    struct Case {
        const char* name;
        void (*change)(BmpPicture&);
    } cases[] = {
        {"offset past end", [](BmpPicture& s) { s.bitsOffsetField = 5000; }},
        {"offset inside header", [](BmpPicture& s) { s.bitsOffsetField = 20; }},
        {"zero depth", [](BmpPicture& s) { s.bitsPerPixel = 0; }},
        {"64-bit depth", [](BmpPicture& s) { s.bitsPerPixel = 64; }},
        {"odd depth", [](BmpPicture& s) { s.bitsPerPixel = 7; }},
        {"zero width", [](BmpPicture& s) { s.width = 0; }},
        {"negative width", [](BmpPicture& s) { s.width = -3; }},
        {"zero height", [](BmpPicture& s) { s.height = 0; }},
        {"huge width", [](BmpPicture& s) { s.width = 0x7FFFFFFF; }},
        {"huge height", [](BmpPicture& s) { s.height = 1000000; }},
        {"most negative height", [](BmpPicture& s) { s.height = INT32_MIN; }},
        {"rows beyond the file", [](BmpPicture& s) { s.height = 200; }},
        {"core header", [](BmpPicture& s) { s.infoSizeField = 12; }},
        {"unknown compression", [](BmpPicture& s) { s.compression = 4; }},
    };
    int n = 0;
    for (const Case& c : cases) {
        BmpPicture s = sample24();
        c.change(s);
        std::string name = "lie" + std::to_string(n++) + ".bmp";
        EXPECT_FALSE(load(s, name.c_str())) << c.name;
        EXPECT_TRUE(image.empty()) << c.name;
    }
}

TEST_F(BmpLoad, WrongFileSizeFieldDoesNotMatterWhenRowsAreThere) {
    for (int64_t field : {int64_t(0), int64_t(0xFFFFFFF0)}) {
        BmpPicture s = sample24();
        s.fileSizeField = field;
        ASSERT_TRUE(load(s, "sizefield.bmp")) << field;
        EXPECT_EQ(0x0000FFu, fixture::storedColor(image, 2, 1));
    }
}

TEST_F(BmpLoad, UsedColoursBeyondTheTableAreCappedAt256) {
    BmpPicture s = sample8();
    s.usedColors = 100000;
    ASSERT_TRUE(load(s, "manycolours.bmp"));
    EXPECT_EQ(256, image.colorCount());
    Palette palette;
    EXPECT_TRUE(palette.makePalette(image));
    EXPECT_EQ(256u, GetPaletteEntries(palette.handle(), 0, 0, nullptr));
}

TEST_F(BmpLoad, MissingOrForeignFilesFailQuietly) {
    EXPECT_FALSE(image.loadBmp(""));
    EXPECT_FALSE(image.loadBmp(nullptr));
    EXPECT_FALSE(image.loadBmp((fixture::workFolder() + "\\nothere.bmp").c_str()));
    std::string text = fixture::writeWork("text.bmp", std::string(2000, 'x'));
    EXPECT_FALSE(image.loadBmp(text.c_str()));
    EXPECT_TRUE(image.empty());
}

TEST_F(BmpLoad, LoadingAgainReplacesThePicture) {
    ASSERT_TRUE(load(sample8(), "first.bmp"));
    ASSERT_TRUE(load(sample24(), "second.bmp"));
    EXPECT_EQ(3, image.width());
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_FALSE(load(
        [] {
            BmpPicture s = sample24();
            s.bitsPerPixel = 0;
            return s;
        }(),
        "third.bmp"));
    EXPECT_TRUE(image.empty());
}

TEST(BlankImage, EightBitLeavesTheStaticColoursFree) {
    cBmp image;
    ASSERT_TRUE(image.createBlank(640, 455, 8));
    EXPECT_EQ(640u, image.stride());
    EXPECT_EQ(236, image.colorCount());
    BITMAPINFO* info = image.lockInfo();
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(40u, info->bmiHeader.biSize);
    EXPECT_EQ(640, info->bmiHeader.biWidth);
    EXPECT_EQ(455, info->bmiHeader.biHeight);
    EXPECT_EQ(1, info->bmiHeader.biPlanes);
    EXPECT_EQ(8, info->bmiHeader.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), info->bmiHeader.biCompression);
    EXPECT_EQ(640u * 455u, info->bmiHeader.biSizeImage);
    EXPECT_EQ(236u, info->bmiHeader.biClrUsed);
    BYTE* bits = image.lockBits();
    ASSERT_NE(nullptr, bits);
    bool allZero = true;
    for (DWORD i = 0; i < image.pixelBytes(); ++i) allZero = allZero && bits[i] == 0;
    EXPECT_TRUE(allZero);
    image.unlock();
}

TEST(BlankImage, OtherDepthsUseNoColourTableAndRowsArePadded) {
    cBmp image;
    ASSERT_TRUE(image.createBlank(3, 2, 24));
    EXPECT_EQ(12u, image.stride());
    EXPECT_EQ(0, image.colorCount());
    ASSERT_TRUE(image.createBlank(33, 1, 1));
    EXPECT_EQ(8u, image.stride());
    EXPECT_EQ(2, image.colorCount());
    ASSERT_TRUE(image.createBlank(5, 1, 4));
    EXPECT_EQ(4u, image.stride());
    EXPECT_EQ(16, image.colorCount());
}

TEST(BlankImage, ImpossibleSizesAreRefused) {
    cBmp image;
    EXPECT_FALSE(image.createBlank(0, 10, 8));
    EXPECT_FALSE(image.createBlank(10, -1, 8));
    EXPECT_FALSE(image.createBlank(30000, 30000, 32));
    EXPECT_FALSE(image.createBlank(10, 10, 64));
    EXPECT_TRUE(image.empty());
}

TEST(Draw, OnlyTheRequestedRectangleInsideTheImageIsTouched) {
    cBmp image;
    std::string path = fixture::writeWork("draw.bmp", fixture::bmpBytes(sample24()));
    ASSERT_TRUE(image.loadBmp(path.c_str()));
    RECT r = {1, 1, 10, 10};  // reaches past the image on two sides
    for (bool device : {false, true}) {
        std::vector<uint32_t> px = fixture::drawInto(image, 6, 4, r, device);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                bool inside = x >= 1 && x < 3 && y == 1;
                uint32_t expected = !inside ? fixture::kMarker : x == 1 ? 0x00FF00u : 0x0000FFu;
                EXPECT_EQ(expected, px[y * 6 + x]) << x << "," << y << " device " << device;
            }
    }
}

TEST(Strip, DrawsTheFrameShown) {
    // 2 x 6 strip of three frames of height 2: red, green, blue (top down).
    BmpPicture s;
    s.width = 2;
    s.height = 6;
    for (uint32_t c : {0x0000FFu, 0x0000FFu, 0x00FF00u, 0x00FF00u, 0xFF0000u, 0xFF0000u}) {  // bottom up
        push24(s.pixels, c);
        push24(s.pixels, c);
        s.pixels.insert(s.pixels.end(), 2, 0);
    }
    s.padTo = 1100;
    cBmpStrip strip;
    std::string path = fixture::writeWork("strip.bmp", fixture::bmpBytes(s));
    ASSERT_TRUE(strip.loadBmp(path.c_str()));
    strip.setFrameCount(3);
    EXPECT_EQ(2, strip.frameHeight());
    const uint32_t expected[] = {0xFF0000, 0x00FF00, 0x0000FF};
    RECT r = {0, 0, 2, 3};
    for (int frame = 0; frame < 3; ++frame)
        for (bool device : {false, true}) {
            strip.showFrame(frame);
            EXPECT_EQ(frame * 2, strip.frameOffset());
            std::vector<uint32_t> px = fixture::drawInto(strip, 2, 3, r, device);
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(expected[frame], px[i]) << "frame " << frame << " device " << device;
            // The row below the frame belongs to no frame and stays untouched.
            EXPECT_EQ(fixture::kMarker, px[4]) << "frame " << frame;
        }
}

TEST(GlobalMemory, GrowsKeepingContentsAndNeverShrinks) {
    GlobalBlock block;
    EXPECT_EQ(nullptr, block.lock());
    ASSERT_TRUE(block.resize(16));
    char* p = static_cast<char*>(block.lock());
    ASSERT_NE(nullptr, p);
    std::memcpy(p, "0123456789abcdef", 16);
    EXPECT_EQ(p, block.lock()) << "a second lock hands back the same pointer";
    block.unlock();
    ASSERT_TRUE(block.resize(8));
    EXPECT_EQ(16u, block.size());
    ASSERT_TRUE(block.resize(100000));
    EXPECT_EQ(100000u, block.size());
    DWORD size = 0;
    p = static_cast<char*>(block.lock(&size));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(100000u, size);
    EXPECT_EQ(0, std::memcmp(p, "0123456789abcdef", 16));
    block.release();
    EXPECT_FALSE(block.allocated());
    EXPECT_EQ(nullptr, block.lock());
}

TEST(PaletteOfImage, OneEntryPerUsedColour) {
    cBmp image;
    std::string path = fixture::writeWork("pal8.bmp", fixture::bmpBytes(sample8()));
    ASSERT_TRUE(image.loadBmp(path.c_str()));
    Palette palette;
    ASSERT_TRUE(palette.makePalette(image));
    ASSERT_EQ(256u, GetPaletteEntries(palette.handle(), 0, 0, nullptr));
    PALETTEENTRY e[256];
    GetPaletteEntries(palette.handle(), 0, 256, e);
    EXPECT_EQ(0x12, e[7].peRed);
    EXPECT_EQ(0x34, e[7].peGreen);
    EXPECT_EQ(0x56, e[7].peBlue);
    EXPECT_EQ(0, e[7].peFlags);

    ASSERT_TRUE(image.createBlank(4, 4, 8));
    ASSERT_TRUE(palette.makePalette(image));
    EXPECT_EQ(236u, GetPaletteEntries(palette.handle(), 0, 0, nullptr));

    ASSERT_TRUE(image.createBlank(4, 4, 24));
    EXPECT_FALSE(palette.makePalette(image));
    EXPECT_EQ(nullptr, palette.handle());
}

TEST(PaletteOfImage, SelectedOnlyOnPaletteScreensAndRestoredAfterwards) {
    cBmp image;
    ASSERT_TRUE(image.createBlank(4, 4, 8));
    Palette palette;
    ASSERT_TRUE(palette.makePalette(image));
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE before = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));

    palette.setPaletteBased(false);
    {
        PaletteScope scope(palette, dc);
        EXPECT_EQ(before, GetCurrentObject(dc, OBJ_PAL));
    }
    palette.setPaletteBased(true);
    {
        PaletteScope scope(palette, dc);
        EXPECT_EQ(palette.handle(), GetCurrentObject(dc, OBJ_PAL));
    }
    EXPECT_EQ(before, GetCurrentObject(dc, OBJ_PAL));
    DeleteDC(dc);
}
