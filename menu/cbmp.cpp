#include "cbmp.h"

#include <cstring>

#include "file_reader.h"
#include "image_geometry.h"
#include "menu_texts.h"
#include "png_decode.h"
#include "message_box.h"

namespace menu {

namespace {

const DWORD kFileHeaderBytes = 14;
const DWORD kLargestInfoHeader = 124;

DWORD readDword(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

bool readAt(common::FileReader& file, DWORD offset, void* buffer, DWORD count) {
    if (SetFilePointer(file.handle(), static_cast<LONG>(offset), nullptr, FILE_BEGIN) ==
        INVALID_SET_FILE_POINTER)
        return false;
    return file.read(buffer, count) == count;
}

}  // namespace

cBmp::~cBmp() { clear(); }

void cBmp::clear() {
    releaseDeviceBitmap();
    info_.release();
    bits_.release();
    bitsPerPixel_ = height_ = width_ = colorCount_ = 0;
    stride_ = 0;
}

void cBmp::unlock() {
    info_.unlock();
    bits_.unlock();
}

void cBmp::setColorCount(int count) { colorCount_ = count < 0 ? 0 : (count > 256 ? 256 : count); }

RGBQUAD cBmp::colorAt(int index) {
    RGBQUAD c = {0, 0, 0, 0};
    BITMAPINFO* info = lockInfo();
    if (info && index >= 0 && index < 256) c = info->bmiColors[index];
    info_.unlock();
    return c;
}

bool cBmp::load(const char* path) {
    PngFile png;
    if (png.loadPng(path)) return png.decodePng(*this);
    return loadBmp(path);
}

bool cBmp::adoptHeader(const BITMAPINFOHEADER& header, int colorCount) {
    if (!info_.resize(kInfoBytes)) return false;
    BYTE* info = static_cast<BYTE*>(info_.lock());
    if (!info) return false;
    std::memset(info, 0, kInfoBytes);
    std::memcpy(info, &header, sizeof header);
    info_.unlock();
    width_ = header.biWidth;
    height_ = header.biHeight;
    bitsPerPixel_ = header.biBitCount;
    stride_ = imagegeom::stride(width_, bitsPerPixel_);
    colorCount_ = colorCount;
    return true;
}

bool cBmp::loadBmp(const char* path) {
    clear();
    if (!path || !*path) return false;
    common::FileReader file(path);
    if (!file.isFile()) return false;
    DWORD fileSize = file.foundSize();

    BYTE fileHeader[kFileHeaderBytes];
    if (file.read(fileHeader, kFileHeaderBytes) != kFileHeaderBytes) return false;
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return false;
    DWORD bitsOffset = readDword(fileHeader + 10);

    BYTE raw[kLargestInfoHeader] = {};
    if (file.read(raw, 40) != 40) return false;
    DWORD infoSize = readDword(raw);
    // The later header forms carry more fields; the colour table follows them.
    if (infoSize > 40 && infoSize <= kLargestInfoHeader &&
        file.read(raw + 40, infoSize - 40) != infoSize - 40)
        return false;

    BITMAPINFOHEADER header;
    std::memcpy(&header, raw, sizeof header);
    imagegeom::BmpLayout layout =
        imagegeom::checkBmp(fileSize, bitsOffset, infoSize, header.biWidth, header.biHeight, header.biPlanes,
                            header.biBitCount, header.biCompression, header.biClrUsed);
    if (!layout.ok) return false;

    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biHeight = layout.height;
    header.biClrUsed = header.biBitCount <= 8 ? static_cast<DWORD>(layout.colorCount) : 0;
    header.biSizeImage = layout.pixelBytes;
    if (!adoptHeader(header, layout.colorCount)) return false;

    bool ok = false;
    BYTE* info = static_cast<BYTE*>(info_.lock());
    if (info) {
        BYTE* table = info + sizeof(BITMAPINFOHEADER);
        ok = readAt(file, layout.colorTableOffset, table, 1024);
        // Bit-field masks sit inside the longer headers; GDI wants them
        // where the colour table begins.
        if (ok && header.biCompression == BI_BITFIELDS && infoSize >= 52) std::memcpy(table, raw + 40, 12);
    }
    info_.unlock();

    if (ok) ok = bits_.resize(layout.pixelBytes);
    BYTE* bits = ok ? static_cast<BYTE*>(bits_.lock()) : nullptr;
    ok = bits && readAt(file, layout.pixelOffset, bits, layout.pixelBytes);
    if (ok && layout.topDown) {
        // Rows are kept bottom-up: turn a top-down file over.
        BYTE* top = bits;
        BYTE* bottom = bits + (layout.height - 1) * layout.stride;
        for (; top < bottom; top += layout.stride, bottom -= layout.stride)
            for (DWORD i = 0; i < layout.stride; ++i) {
                BYTE t = top[i];
                top[i] = bottom[i];
                bottom[i] = t;
            }
    }
    bits_.unlock();
    if (!ok) clear();
    return ok;
}

bool cBmp::createBlank(int width, int height, int bitsPerPixel) {
    clear();
    DWORD bytes = imagegeom::pixelBytes(width, height, bitsPerPixel);
    if (bytes == 0) return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = bytes;
    header.biClrUsed = bitsPerPixel == 8 ? 236 : 0;
    if (!adoptHeader(header, imagegeom::colorCount(header.biClrUsed, bitsPerPixel)) || !bits_.resize(bytes)) {
        clear();
        return false;
    }
    BYTE* bits = lockBits();
    if (!bits) {
        clear();
        return false;
    }
    std::memset(bits, 0, bytes);
    bits_.unlock();
    return true;
}

HBITMAP cBmp::deviceBitmap(HDC dc) {
    releaseDeviceBitmap();
    if (empty()) return nullptr;
    BITMAPINFO* info = lockInfo();
    BYTE* bits = lockBits();
    if (info && bits) {
        HDC use = dc ? dc : GetDC(nullptr);
        deviceBitmap_ = CreateDIBitmap(use, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
        if (!dc) ReleaseDC(nullptr, use);
    }
    unlock();
    return deviceBitmap_;
}

void cBmp::releaseDeviceBitmap() {
    if (!deviceBitmap_) return;
    if (!DeleteObject(deviceBitmap_))
        common::showMessageBox(nullptr, imagetext::kCannotDeleteBitmap, imagetext::kBitmapAlertTitle, MB_OK);
    deviceBitmap_ = nullptr;
}

void cBmp::drawRows(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) {
    BITMAPINFO* info = lockInfo();
    BYTE* bits = lockBits();
    if (info && bits) {
        // A bottom-up DIB counts its source rows from the bottom edge.
        StretchDIBits(dc, x, y, cx, cy, srcX, height_ - (srcY + cy), cx, cy, bits, info, DIB_RGB_COLORS,
                      SRCCOPY);
    }
    unlock();
}

void cBmp::blitDevice(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) {
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, deviceBitmap_);
    BitBlt(dc, x, y, cx, cy, memory, srcX, srcY, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void cBmp::draw(HDC dc, const RECT& rect) {
    if (empty() || !dc) return;
    RECT image = {0, 0, width_, height_};
    RECT r;
    if (!IntersectRect(&r, &rect, &image)) return;
    int cx = r.right - r.left, cy = r.bottom - r.top;
    if (deviceBitmap_)
        blitDevice(dc, r.left, r.top, cx, cy, r.left, r.top);
    else
        drawRows(dc, r.left, r.top, cx, cy, r.left, r.top);
}

void cBmpStrip::setFrameCount(int frames) {
    frameHeight_ = frames > 0 ? height() / frames : 0;
    frameOffset_ = 0;
}

void cBmpStrip::draw(HDC dc, const RECT& rect) {
    if (empty() || !dc || frameHeight_ <= 0) return;
    int visible = frameHeight_;
    if (frameOffset_ + visible > height()) visible = height() - frameOffset_;
    RECT frame = {0, 0, width(), visible};
    RECT r;
    if (visible <= 0 || !IntersectRect(&r, &rect, &frame)) return;
    int cx = r.right - r.left, cy = r.bottom - r.top;
    if (currentDeviceBitmap())
        blitDevice(dc, r.left, r.top, cx, cy, r.left, r.top + frameOffset_);
    else
        drawRows(dc, r.left, r.top, cx, cy, r.left, r.top + frameOffset_);
}

}  // namespace menu
