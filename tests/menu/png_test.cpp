// PNG probing and decoding: every colour type the menu meets, interlacing,
// PNG data behind a foreign header, and broken files whose libpng errors must
// be reported while the program goes on.
#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "png_arena.h"

#include <zlib.h>
#include <psapi.h>

using namespace menu;

using fixture::PngPicture;

namespace {

class PngDecode : public ::testing::Test {
protected:
    void SetUp() override { fixture::captureReports(&log); }
    void TearDown() override { fixture::captureReports(nullptr); }

    // Writes the PNG (with an optional prefix) and loads it as the menu does.
    bool decode(const std::string& bytes, const char* name) {
        std::string path = fixture::writeWork(name, bytes);
        return !path.empty() && image.load(path.c_str());
    }
    bool decode(const PngPicture& picture, const char* name) {
        return decode(fixture::pngBytes(picture), name);
    }

    cBmp image;
    fixture::ReportLog log;
};

std::vector<uint8_t> bytes(std::initializer_list<int> v) {
    std::vector<uint8_t> out;
    for (int b : v) out.push_back(static_cast<uint8_t>(b));
    return out;
}

// 4 x 3 RGB picture with a different colour at every pixel.
uint32_t rgbAt(int x, int y) { return ((x * 60) << 16) | ((y * 100) << 8) | (200 - x * 10 - y * 7); }
PngPicture rgbPicture(int width = 4, int height = 3) {
    PngPicture s;
    s.width = width;
    s.height = height;
    s.colorType = PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x) {
            uint32_t c = rgbAt(x % 4, y % 3) ^ static_cast<uint32_t>((x / 4) * 0x010101 + (y / 3) * 0x020202);
            row.push_back(c >> 16);
            row.push_back((c >> 8) & 0xFF);
            row.push_back(c & 0xFF);
        }
        s.rows.push_back(row);
    }
    return s;
}

std::vector<uint32_t> expectedRgb(const PngPicture& s) {
    std::vector<uint32_t> out;
    for (const auto& row : s.rows)
        for (size_t i = 0; i + 2 < row.size(); i += 3)
            out.push_back((row[i] << 16) | (row[i + 1] << 8) | row[i + 2]);
    return out;
}

PngPicture palettePicture(int depth, int entries) {
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_PALETTE;
    s.bitDepth = depth;
    s.width = 5;
    s.height = 2;
    for (int i = 0; i < entries; ++i) {
        s.palette.push_back(static_cast<uint8_t>(i * 7));
        s.palette.push_back(static_cast<uint8_t>(255 - i));
        s.palette.push_back(static_cast<uint8_t>(i * 3 + 1));
    }
    return s;
}

uint32_t paletteColor(const PngPicture& s, int index) {
    return (s.palette[3 * index] << 16) | (s.palette[3 * index + 1] << 8) | s.palette[3 * index + 2];
}

}  // namespace

TEST_F(PngDecode, GreyEightBitBecomesTwentyFourBitGrey) {
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_GRAY;
    s.width = 3;
    s.height = 2;
    s.rows = {bytes({0, 128, 255}), bytes({17, 34, 51})};
    ASSERT_TRUE(decode(s, "grey8.png"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(0, image.colorCount());
    RGBQUAD ramp = image.colorAt(128);
    EXPECT_EQ(128, ramp.rgbRed);
    EXPECT_EQ(128, ramp.rgbGreen);
    EXPECT_EQ(128, ramp.rgbBlue);
    std::vector<uint32_t> px = fixture::render(image, false);
    EXPECT_EQ((std::vector<uint32_t>{0x000000, 0x808080, 0xFFFFFF, 0x111111, 0x222222, 0x333333}), px);
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PngDecode, GreySixteenBitKeepsTheHighByte) {
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_GRAY;
    s.bitDepth = 16;
    s.width = 2;
    s.height = 1;
    s.rows = {bytes({0x12, 0xFF, 0xAB, 0x00})};
    ASSERT_TRUE(decode(s, "grey16.png"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(0x121212u, fixture::storedColor(image, 0, 0));
    EXPECT_EQ(0xABABABu, fixture::storedColor(image, 1, 0));
}

TEST_F(PngDecode, GreyTwoBitIsWidened) {
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_GRAY;
    s.bitDepth = 2;
    s.width = 4;
    s.height = 1;
    s.rows = {bytes({0x1B})};  // 0, 1, 2, 3
    ASSERT_TRUE(decode(s, "grey2.png"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(0x000000u, fixture::storedColor(image, 0, 0));
    EXPECT_EQ(0x555555u, fixture::storedColor(image, 1, 0));
    EXPECT_EQ(0xAAAAAAu, fixture::storedColor(image, 2, 0));
    EXPECT_EQ(0xFFFFFFu, fixture::storedColor(image, 3, 0));
}

TEST_F(PngDecode, GreyWithAlphaStaysInsideTheRows) {
    // Rows of an odd width: four bytes a pixel would overrun three-byte rows.
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    s.width = 7;
    s.height = 5;
    for (int y = 0; y < 5; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 7; ++x) {
            row.push_back(static_cast<uint8_t>(x * 30 + y));
            row.push_back(static_cast<uint8_t>(y * 50));
        }
        s.rows.push_back(row);
    }
    ASSERT_TRUE(decode(s, "greyalpha.png"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(24u, image.stride());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            uint32_t g = static_cast<uint32_t>(x * 30 + y);
            EXPECT_EQ((g << 16) | (g << 8) | g, fixture::storedColor(image, x, y)) << x << "," << y;
        }
    // The padding of every row is still zero: nothing was written past a row.
    BYTE* bits = image.lockBits();
    for (int y = 0; y < 5; ++y)
        for (int i = 21; i < 24; ++i) EXPECT_EQ(0, bits[y * 24 + i]) << "row " << y;
    image.unlock();
}

TEST_F(PngDecode, PaletteImagesKeepTheirDepthAndColours) {
    struct Case {
        int depth;
        int entries;
        std::vector<std::vector<uint8_t>> rows;
        std::vector<int> top, bottom;  // indices of the five pixels
        int colorCount;
    } cases[] = {
        {1, 2, {bytes({0xA8}), bytes({0x50})}, {1, 0, 1, 0, 1}, {0, 1, 0, 1, 0}, 2},
        {4,
         12,
         {bytes({0x01, 0x23, 0xB0}), bytes({0xBA, 0x98, 0x70})},
         {0, 1, 2, 3, 11},
         {11, 10, 9, 8, 7},
         16},
        {8,
         236,
         {bytes({0, 5, 100, 235, 7}), bytes({200, 1, 2, 3, 4})},
         {0, 5, 100, 235, 7},
         {200, 1, 2, 3, 4},
         236},
        {8,
         20,
         {bytes({0, 5, 19, 18, 7}), bytes({10, 1, 2, 3, 4})},
         {0, 5, 19, 18, 7},
         {10, 1, 2, 3, 4},
         236},
    };
    for (const Case& c : cases) {
        PngPicture s = palettePicture(c.depth, c.entries);
        s.rows = c.rows;
        std::string name = "pal" + std::to_string(c.depth) + "_" + std::to_string(c.entries) + ".png";
        ASSERT_TRUE(decode(s, name.c_str())) << name;
        EXPECT_EQ(c.depth, image.bitsPerPixel()) << name;
        EXPECT_EQ(c.colorCount, image.colorCount()) << name;
        for (int i = 0; i < c.entries; ++i) {
            RGBQUAD q = image.colorAt(i);
            ASSERT_EQ(paletteColor(s, i),
                      static_cast<uint32_t>((q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue))
                << name << " entry " << i;
        }
        std::vector<uint32_t> px = fixture::render(image, true);
        ASSERT_EQ(10u, px.size());
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(paletteColor(s, c.top[x]), px[x]) << name << " top " << x;
            EXPECT_EQ(paletteColor(s, c.bottom[x]), px[5 + x]) << name << " bottom " << x;
        }
    }
}

TEST_F(PngDecode, ColoursBeyondThe236thStillDraw) {
    PngPicture s = palettePicture(8, 256);
    s.rows = {bytes({250, 255, 236, 0, 1}), bytes({240, 241, 242, 243, 244})};
    ASSERT_TRUE(decode(s, "pal256.png"));
    EXPECT_EQ(236, image.colorCount()) << "the palette still leaves the static colours free";
    for (bool device : {false, true}) {
        std::vector<uint32_t> px = fixture::render(image, device);
        EXPECT_EQ(paletteColor(s, 250), px[0]) << device;
        EXPECT_EQ(paletteColor(s, 255), px[1]) << device;
        EXPECT_EQ(paletteColor(s, 236), px[2]) << device;
        EXPECT_EQ(paletteColor(s, 244), px[9]) << device;
    }
}

TEST_F(PngDecode, TwoBitPaletteBecomesEightBit) {
    PngPicture s = palettePicture(2, 4);
    s.rows = {bytes({0x1B, 0x00}), bytes({0xE4, 0x40})};  // 0 1 2 3 0 / 3 2 1 0 1
    ASSERT_TRUE(decode(s, "pal2.png"));
    EXPECT_EQ(8, image.bitsPerPixel());
    const int top[] = {0, 1, 2, 3, 0}, bottom[] = {3, 2, 1, 0, 1};
    std::vector<uint32_t> px = fixture::render(image, false);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(paletteColor(s, top[x]), px[x]) << x;
        EXPECT_EQ(paletteColor(s, bottom[x]), px[5 + x]) << x;
    }
}

TEST_F(PngDecode, RgbComesOutInBitmapOrder) {
    PngPicture s = rgbPicture();
    ASSERT_TRUE(decode(s, "rgb.png"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(expectedRgb(s), fixture::render(image, false));
    EXPECT_EQ(expectedRgb(s), fixture::render(image, true));
}

TEST_F(PngDecode, RgbSixteenBitIsStripped) {
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_RGB;
    s.bitDepth = 16;
    s.width = 1;
    s.height = 1;
    s.rows = {bytes({0xAA, 0x01, 0xBB, 0x02, 0xCC, 0x03})};
    ASSERT_TRUE(decode(s, "rgb16.png"));
    EXPECT_EQ(24, image.bitsPerPixel());
    EXPECT_EQ(0xAABBCCu, fixture::storedColor(image, 0, 0));
}

TEST_F(PngDecode, RgbaIsThirtyTwoBitWithInvertedAlpha) {
    PngPicture s;
    s.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    s.width = 2;
    s.height = 1;
    s.rows = {bytes({10, 20, 30, 255, 200, 150, 100, 0})};
    ASSERT_TRUE(decode(s, "rgba.png"));
    EXPECT_EQ(32, image.bitsPerPixel());
    BYTE* bits = image.lockBits();
    ASSERT_NE(nullptr, bits);
    EXPECT_EQ(bytes({30, 20, 10, 0, 100, 150, 200, 255}), std::vector<uint8_t>(bits, bits + 8));
    image.unlock();
    std::vector<uint32_t> px = fixture::render(image, false);
    EXPECT_EQ((std::vector<uint32_t>{0x0A141E, 0xC89664}), px);
}

TEST_F(PngDecode, InterlacedGivesTheSamePicture) {
    PngPicture plain = rgbPicture(13, 11);
    PngPicture laced = plain;
    laced.interlaced = true;
    ASSERT_TRUE(decode(laced, "laced.png"));
    EXPECT_EQ(expectedRgb(plain), fixture::render(image, false));
}

TEST_F(PngDecode, PngBehindA128ByteHeader) {
    std::string prefix(128, '\0');
    for (size_t i = 0; i < prefix.size(); ++i) prefix[i] = static_cast<char>(i * 37 + 1);
    PngPicture s = rgbPicture();
    std::string path = fixture::writeWork("prefixed.bin", prefix + fixture::pngBytes(s));
    PngFile probe;
    ASSERT_TRUE(probe.loadPng(path.c_str()));
    EXPECT_EQ(128u, probe.signatureOffset());
    ASSERT_TRUE(image.load(path.c_str()));
    EXPECT_EQ(expectedRgb(s), fixture::render(image, false));
}

TEST_F(PngDecode, NeitherSignatureGivesNoImageAndNoMessage) {
    std::string path = fixture::writeWork("neither.dat", std::string(3000, 'Q'));
    EXPECT_FALSE(image.load(path.c_str()));
    EXPECT_TRUE(image.empty());
    EXPECT_TRUE(log.texts.empty());
    PngFile probe;
    EXPECT_FALSE(probe.loadPng(path.c_str()));
    EXPECT_EQ(PngFile::kNotPng, probe.errorCode());
    EXPECT_EQ("'" + path + "'は、PNG形式ではありません。", std::string(probe.errorText()));
}

TEST_F(PngDecode, ProbeErrorsForMissingAndEmptyNames) {
    PngFile probe;
    EXPECT_FALSE(probe.loadPng(""));
    EXPECT_EQ(PngFile::kOpenFailed, probe.errorCode());
    std::string missing = fixture::workFolder() + "\\missing.png";
    EXPECT_FALSE(probe.loadPng(missing.c_str()));
    EXPECT_EQ(PngFile::kOpenFailed, probe.errorCode());
    EXPECT_EQ("'" + missing + "'がオープンできませんでした。", std::string(probe.errorText()));
    // A signature in the last 7 bytes is no PNG.
    std::string tail = std::string(20, 'x') + std::string("\x89PNG\r\n\x1a", 7);
    std::string path = fixture::writeWork("tail.bin", tail);
    EXPECT_FALSE(probe.loadPng(path.c_str()));
    EXPECT_FALSE(probe.decodePng(image));
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PngDecode, BrokenFilesAreReportedAndLeaveNoImage) {
    std::string good = fixture::pngBytes(rgbPicture(40, 30));
    size_t idat = good.find("IDAT");
    ASSERT_NE(std::string::npos, idat);
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut in the header", good.substr(0, 20)},
        {"cut inside the image data", good.substr(0, idat + 30)},
        {"cut after the signature", good.substr(0, 8)},
        {"header checksum wrong",
         [&] {
             std::string b = good;
             b[29] ^= 0x55;
             return b;
         }()},
        {"image data scrambled",
         [&] {
             std::string b = good;
             for (size_t i = idat + 6; i < idat + 40 && i < b.size(); ++i) b[i] ^= 0xA5;
             return b;
         }()},
    };
    int n = 0;
    for (const Case& c : cases) {
        log.titles.clear();
        log.texts.clear();
        image.createBlank(2, 2, 24);
        std::string name = "broken" + std::to_string(n++) + ".png";
        EXPECT_FALSE(decode(c.bytes, name.c_str())) << c.name;
        EXPECT_TRUE(image.empty()) << c.name;
        ASSERT_FALSE(log.titles.empty()) << c.name;
        EXPECT_EQ("PNG Decode Error", log.titles.back()) << c.name;
        EXPECT_FALSE(log.texts.back().empty()) << c.name;
    }
    // The decoder is usable again afterwards.
    ASSERT_TRUE(decode(good, "good.png"));
    EXPECT_EQ(40, image.width());
}

TEST_F(PngDecode, AbsurdSizesAreRefusedWithAMessage) {
    std::string bytes = fixture::pngBytes(rgbPicture(2, 2));
    // IHDR width field at offset 16: 100000 pixels wide, checksum fixed up.
    bytes[16] = 0x00;
    bytes[17] = 0x01;
    bytes[18] = static_cast<char>(0x86);
    bytes[19] = static_cast<char>(0xA0);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + 12), 17);
    for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
    EXPECT_FALSE(decode(bytes, "wide.png"));
    EXPECT_TRUE(image.empty());
    ASSERT_FALSE(log.titles.empty());
    EXPECT_EQ("PNG Decode Error", log.titles.back());
}

TEST(PngMemory, ArenaFillsBlocksFrontToBack) {
    PngArena arena;
    ASSERT_TRUE(arena.init());
    EXPECT_EQ(1u, arena.blockCount());
    char* a = static_cast<char*>(arena.allocate(100));
    char* b = static_cast<char*>(arena.allocate(100));
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(a) % 16);
    EXPECT_EQ(a + 112, b) << "filled front to back, 16-byte steps";
    EXPECT_EQ(1u, arena.blockCount());
    void* big = arena.allocate(70000);
    ASSERT_NE(nullptr, big);
    EXPECT_EQ(2u, arena.blockCount()) << "a large request gets a block of its own";
    std::memset(big, 0xCC, 70000);
    char* fits = static_cast<char*>(arena.allocate(60000));
    EXPECT_EQ(b + 112, fits) << "the first block still had room";
    EXPECT_EQ(2u, arena.blockCount());
    arena.allocate(60000);
    EXPECT_EQ(3u, arena.blockCount()) << "no room left in the first block";
    char* c = static_cast<char*>(arena.allocate(1000));
    EXPECT_TRUE(c > b && c < a + 65536) << "first fit goes back to the first block";
    arena.releaseAll();
    EXPECT_EQ(0u, arena.blockCount());
}

TEST_F(PngDecode, WarningsAreToldAndThePictureStillDecodes) {
    PngPicture s = rgbPicture();
    std::string good = fixture::pngBytes(s);
    // A text chunk with a wrong checksum right after the header chunk.
    std::string text = "Comment";
    text += '\0';
    text += "sample";
    std::string chunk;
    for (int i = 3; i >= 0; --i) chunk += static_cast<char>((text.size() >> (8 * i)) & 0xFF);
    chunk += "tEXt" + text + std::string("\x01\x02\x03\x04", 4);
    std::string bytes = good.substr(0, 33) + chunk + good.substr(33);
    ASSERT_TRUE(decode(bytes, "warning.png"));
    EXPECT_EQ(expectedRgb(s), fixture::render(image, false));
    ASSERT_EQ(1u, log.titles.size());
    EXPECT_EQ("PNG Decode Warnning", log.titles[0]);
    EXPECT_NE(std::string::npos, log.texts[0].find("CRC")) << log.texts[0];
}

namespace {

// One PNG chunk with its length and checksum (a wrong one when asked).
std::string pngChunk(const char* type, const std::string& data, bool badCrc = false) {
    std::string out;
    for (int i = 3; i >= 0; --i) out += static_cast<char>((data.size() >> (8 * i)) & 0xFF);
    std::string body = std::string(type, 4) + data;
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    if (badCrc) crc ^= 0xFFFFFFFFu;
    out += body;
    for (int i = 3; i >= 0; --i) out += static_cast<char>((crc >> (8 * i)) & 0xFF);
    return out;
}

}  // namespace

TEST_F(PngDecode, HundredsOfBadAncillaryChunksGiveOneWarningBox) {
    PngPicture s = rgbPicture();
    std::string good = fixture::pngBytes(s);
    std::string chunks;
    for (int i = 0; i < 300; ++i)
        chunks += pngChunk(i % 2 ? "tEXt" : "vpAg", std::string("Key\0value", 9), true);
    ASSERT_TRUE(decode(good.substr(0, 33) + chunks + good.substr(33), "many-warnings.png"));
    EXPECT_EQ(expectedRgb(s), fixture::render(image, false));
    EXPECT_EQ(1u, log.titles.size());
    // The next picture may warn again.
    ASSERT_TRUE(decode(good.substr(0, 33) + chunks + good.substr(33), "many-warnings-again.png"));
    EXPECT_EQ(2u, log.titles.size());
}

TEST_F(PngDecode, LargeCompressedTextChunksAreNotInflated) {
    // Forty zTXt chunks of 8 MiB of text each, a few KiB compressed: kept,
    // they would need 320 MiB that the arena never gave back.
    std::string text(8u << 20, 'x');
    std::vector<Bytef> packed(compressBound(static_cast<uLong>(text.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    ASSERT_EQ(Z_OK, compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(text.data()),
                              static_cast<uLong>(text.size()), 9));
    std::string data =
        std::string("Comment\0\0", 9) + std::string(reinterpret_cast<char*>(packed.data()), packedSize);
    std::string chunks;
    for (int i = 0; i < 40; ++i) chunks += pngChunk("zTXt", data);
    PngPicture s = rgbPicture();
    std::string good = fixture::pngBytes(s);
    PROCESS_MEMORY_COUNTERS before = {};
    before.cb = sizeof before;
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    ASSERT_TRUE(decode(good.substr(0, 33) + chunks + good.substr(33), "ztxt.png"));
    PROCESS_MEMORY_COUNTERS after = {};
    after.cb = sizeof after;
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    EXPECT_EQ(expectedRgb(s), fixture::render(image, false));
    EXPECT_TRUE(log.titles.empty());
    if (before.PeakPagefileUsage && after.PeakPagefileUsage) {
        EXPECT_LT(after.PeakPagefileUsage - before.PeakPagefileUsage, SIZE_T(64) << 20);
    }
}

TEST(PngMemory, ALargeRequestsBlockIsGivenBackOnRelease) {
    PngArena arena;
    ASSERT_TRUE(arena.init());
    void* small = arena.allocate(100);
    void* big = arena.allocate(1u << 20);
    ASSERT_NE(nullptr, big);
    EXPECT_EQ(2u, arena.blockCount());
    arena.release(small);  // small pieces stay until the end
    EXPECT_EQ(2u, arena.blockCount());
    arena.release(big);
    EXPECT_EQ(1u, arena.blockCount());
    void* again = arena.allocate(1u << 20);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(2u, arena.blockCount());
    arena.releaseAll();
    EXPECT_EQ(0u, arena.blockCount());
}
