// Picture files for the image tests, made on the fly: PNG files through
// libpng's writer, BMP files byte by byte, plus a way to see what a cBmp
// draws (into a 32-bit DIB section).
#pragma once
#include <windows.h>

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>
#include <cstring>

#include "cbmp.h"
#include "png_decode.h"

namespace fixture {

struct PngPicture {
    int width = 4;
    int height = 3;
    int colorType = 2;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    // Samples of each row, packed as the PNG stores them (big-endian for
    // 16-bit samples, several pixels per byte below 8 bits).
    std::vector<std::vector<uint8_t>> rows;
    std::vector<uint8_t> palette;  // r, g, b triples for palette images
};

// A BMP file: 14-byte file header, 40-byte info header, colour table of
// `table` entries (b, g, r, 0 each), then the rows as given (already
// padded, bottom-up). Header fields can be overridden to make them lie.
struct BmpPicture {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t usedColors = 0;
    std::vector<uint32_t> table;  // 0x00RRGGBB entries
    std::vector<uint8_t> pixels;
    // Overrides; -1 keeps the computed value.
    int64_t fileSizeField = -1;
    int64_t bitsOffsetField = -1;
    int64_t infoSizeField = -1;
    size_t padTo = 0;  // append zero bytes up to this file size
};

// Collects what the PNG decoder reports instead of showing boxes.
struct ReportLog {
    std::vector<std::string> titles;
    std::vector<std::string> texts;
};
namespace detail {

inline void appendData(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void noFlush(png_structp) {}

inline void put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
inline void put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline ReportLog*& reportLog() {
    static ReportLog* log = nullptr;
    return log;
}
inline void logReport(const char* title, const char* text) {
    ReportLog* log = reportLog();
    if (!log) return;
    log->titles.push_back(title);
    log->texts.push_back(text);
}

}  // namespace detail

// The PNG file's bytes, written by libpng.
inline std::string pngBytes(const PngPicture& picture) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::string();
    }
    png_set_write_fn(png, &out, detail::appendData, detail::noFlush);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (picture.colorType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> palette(picture.palette.size() / 3);
        for (size_t i = 0; i < palette.size(); ++i) {
            palette[i].red = picture.palette[3 * i];
            palette[i].green = picture.palette[3 * i + 1];
            palette[i].blue = picture.palette[3 * i + 2];
        }
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    std::vector<std::vector<uint8_t>> copies = picture.rows;
    for (auto& r : copies) rows.push_back(r.data());
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The BMP file's bytes.
inline std::string bmpBytes(const BmpPicture& picture) {
    uint32_t infoSize = picture.infoSizeField >= 0 ? static_cast<uint32_t>(picture.infoSizeField) : 40;
    uint32_t offset = 14 + 40 + static_cast<uint32_t>(picture.table.size()) * 4;
    std::string body;
    detail::put32(body, infoSize);
    detail::put32(body, static_cast<uint32_t>(picture.width));
    detail::put32(body, static_cast<uint32_t>(picture.height));
    detail::put16(body, 1);
    detail::put16(body, picture.bitsPerPixel);
    detail::put32(body, picture.compression);
    detail::put32(body, static_cast<uint32_t>(picture.pixels.size()));
    detail::put32(body, 2835);
    detail::put32(body, 2835);
    detail::put32(body, picture.usedColors);
    detail::put32(body, 0);
    for (uint32_t c : picture.table) detail::put32(body, c);
    body.append(reinterpret_cast<const char*>(picture.pixels.data()), picture.pixels.size());
    size_t total = 14 + body.size();
    if (total < picture.padTo) {
        body.append(picture.padTo - total, '\0');
        total = picture.padTo;
    }
    std::string file = "BM";
    detail::put32(file, picture.fileSizeField >= 0 ? static_cast<uint32_t>(picture.fileSizeField)
                                                   : static_cast<uint32_t>(total));
    detail::put32(file, 0);
    detail::put32(file,
                  picture.bitsOffsetField >= 0 ? static_cast<uint32_t>(picture.bitsOffsetField) : offset);
    return file + body;
}

// A folder of this test program's own below the work folder (made once).
inline std::string workFolder() {
    static std::string folder;
    if (folder.empty()) {
        std::string base = "Z:";
        for (char c : std::string(TEST_WORK_DIR)) base += c == '/' ? '\\' : c;
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string name = exe;
        name = name.substr(name.find_last_of('\\') + 1);
        name = name.substr(0, name.find_last_of('.'));
        // Create each level: the work folder may not exist yet.
        std::string path;
        for (size_t i = 0; i <= base.size(); ++i) {
            if (i == base.size() || base[i] == '\\') {
                path = base.substr(0, i);
                if (path.size() > 2) CreateDirectoryA(path.c_str(), nullptr);
            }
        }
        folder = base + "\\" + name;
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

// Writes bytes to workFolder()\\name and returns the full path ("" on failure).
inline std::string writeWork(const std::string& name, const std::string& bytes) {
    std::string path = workFolder() + "\\" + name;
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::string();
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return written == bytes.size() ? path : std::string();
}

// Draws `rect` of the image through cBmp::draw into a 32-bit top-down
// target of width x height first filled with kMarker, and returns the
// target's pixels as 0x00RRGGBB, row by row from the top.
const uint32_t kMarker = 0x010203;
inline std::vector<uint32_t> drawInto(menu::cBmp& image, int width, int height, const RECT& rect,
                                      bool useDeviceBitmap) {
    std::vector<uint32_t> out;
    if (width <= 0 || height <= 0) return out;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, section);
    uint32_t* p = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) p[i] = kMarker;
    if (useDeviceBitmap)
        image.deviceBitmap(screen);
    else
        image.releaseDeviceBitmap();
    image.draw(dc, rect);
    GdiFlush();
    out.assign(p, p + static_cast<size_t>(width) * height);
    for (auto& v : out) v &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    image.releaseDeviceBitmap();
    return out;
}

// The whole image as drawn.
inline std::vector<uint32_t> render(menu::cBmp& image, bool useDeviceBitmap) {
    RECT all = {0, 0, image.width(), image.height()};
    return drawInto(image, image.width(), image.height(), all, useDeviceBitmap);
}

// A pixel as stored, (x, y) counted from the top, looked up in the colour
// table for depths up to 8; 0xFFFFFFFF outside the image.
inline uint32_t storedColor(menu::cBmp& image, int x, int y) {
    BITMAPINFO* info = image.lockInfo();
    BYTE* bits = image.lockBits();
    uint32_t color = 0xFFFFFFFF;
    if (info && bits && x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
        const BYTE* row = bits + static_cast<size_t>(image.height() - 1 - y) * image.stride();
        int bpp = image.bitsPerPixel();
        if (bpp <= 8) {
            int perByte = 8 / bpp;
            int shift = 8 - bpp * (x % perByte + 1);
            int index = (row[x / perByte] >> shift) & ((1 << bpp) - 1);
            RGBQUAD q = info->bmiColors[index];
            color = (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue;
        } else {
            const BYTE* p = row + x * (bpp / 8);
            color = (p[2] << 16) | (p[1] << 8) | p[0];
        }
    }
    image.unlock();
    return color;
}

// Sends the PNG decoder's reports to `log` instead of message boxes (null:
// back to the boxes).
inline void captureReports(ReportLog* log) {
    detail::reportLog() = log;
    menu::PngFile::setReporter(log ? detail::logReport : nullptr);
}

}  // namespace fixture
