// Geometry, screenshots and pixel reads. Another process's window cannot be
// printed into our own device context under Wine (it comes out black), so
// everything is read back from the screen at the window's place.
#include "driver.h"
#include "capture.h"
#include <png.h>
#include <cstdio>

namespace e2e {

void settlePainting(HWND w) {
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored;
    SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

bool readBitmap(HDC dc, HBITMAP bmp, int width, int height, Image* out) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> bgra(static_cast<size_t>(width) * height * 4);
    if (GetDIBits(dc, bmp, 0, height, bgra.data(), &bi, DIB_RGB_COLORS) != height) return false;
    out->width = width;
    out->height = height;
    out->rgb.resize(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        out->rgb[i * 3] = bgra[i * 4 + 2];
        out->rgb[i * 3 + 1] = bgra[i * 4 + 1];
        out->rgb[i * 3 + 2] = bgra[i * 4];
    }
    return true;
}

bool captureScreen(const RECT& r, Image* out) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(mem, bmp);
    bool ok = BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != 0;
    SelectObject(mem, old);
    ok = ok && readBitmap(mem, bmp, width, height, out);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool writePng(const std::string& path, const Image& image) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, f);
        png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < image.height; ++y)
            png_write_row(png, const_cast<png_bytep>(&image.rgb[static_cast<size_t>(y) * image.width * 3]));
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) DeleteFileA(path.c_str());
    return ok;
}

SIZE clientSize(HWND w) {
    RECT r = {};
    GetClientRect(w, &r);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

RECT windowRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

bool screenshotTo(HWND w, const std::string& pngPath) {
    if (!IsWindow(w)) return false;
    settlePainting(w);
    Image image;
    return captureScreen(windowRect(w), &image) && writePng(pngPath, image);
}

std::string screenshot(HWND w, const std::string& name) {
    const std::string folder = winPath(SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".png";
    return screenshotTo(w, path) ? path : std::string();
}

COLORREF pixelAt(HWND w, int x, int y) {
    if (!IsWindow(w)) return CLR_INVALID;
    settlePainting(w);
    POINT pt = {x, y};
    if (!ClientToScreen(w, &pt)) return CLR_INVALID;
    RECT r = {pt.x, pt.y, pt.x + 1, pt.y + 1};
    Image image;
    return captureScreen(r, &image) ? image.at(0, 0) : CLR_INVALID;
}

}  // namespace e2e
