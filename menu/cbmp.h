// The menu's pictures: a device-independent bitmap whose header, colour table
// and bottom-up pixel rows live in movable global memory, with an optional
// device-dependent copy for fast drawing.
#pragma once
#include <windows.h>
#include "global_block.h"

namespace menu {

class cBmp {
public:
    // A 40-byte BITMAPINFOHEADER followed by a 256-entry colour table.
    static const DWORD kInfoBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

    cBmp() = default;
    virtual ~cBmp();
    cBmp(const cBmp&) = delete;
    cBmp& operator=(const cBmp&) = delete;

    // Loads a picture file: decoded as PNG when the PNG probe finds the
    // signature in it, else read as a BMP file. False (and an empty image)
    // when neither works; only PNG decode errors are reported.
    bool load(const char* path);
    // Reads a BMP file. False, silently, when the file is missing, is no BMP
    // or its headers do not match its contents.
    bool loadBmp(const char* path);
    // A zero-filled image. An 8-bit image uses 236 colours, which leaves
    // the 20 static system colours of a 256-colour screen free.
    bool createBlank(int width, int height, int bitsPerPixel);
    // Forgets the pixels and the device bitmap.
    void clear();

    bool empty() const { return width_ == 0 || height_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    DWORD stride() const { return stride_; }
    int colorCount() const { return colorCount_; }
    void setColorCount(int count);

    // The device-dependent copy, made anew from the current pixels for the
    // given DC (null: the screen). Null when the image is empty or GDI fails.
    HBITMAP deviceBitmap(HDC dc = nullptr);
    // The device-dependent copy as it is, or null.
    HBITMAP currentDeviceBitmap() const { return deviceBitmap_; }
    // Deletes the device-dependent copy; a failed delete is reported.
    void releaseDeviceBitmap();

    // Copies the given rectangle of the image to the same rectangle of the
    // target: from the device-dependent copy when there is one, else from the
    // pixel rows. Parts outside the image are left alone.
    virtual void draw(HDC dc, const RECT& rect);

    // Direct access while the blocks are locked; unlock() ends it.
    BITMAPINFO* lockInfo() { return static_cast<BITMAPINFO*>(info_.lock()); }
    BYTE* lockBits() { return static_cast<BYTE*>(bits_.lock()); }
    void unlock();
    // Colour-table entry i (0 to 255) as it is stored.
    RGBQUAD colorAt(int index);
    // Bytes of the pixel rows (height x stride).
    DWORD pixelBytes() const { return stride_ * static_cast<DWORD>(height_); }

protected:
    // Copies rows of the pixel block, (srcX, srcY) counted from the top row.
    void drawRows(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY);
    void blitDevice(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY);

private:
    bool adoptHeader(const BITMAPINFOHEADER& header, int colorCount);

    HBITMAP deviceBitmap_ = nullptr;
    GlobalBlock info_;
    GlobalBlock bits_;
    int bitsPerPixel_ = 0;
    int height_ = 0;
    int width_ = 0;
    DWORD stride_ = 0;
    int colorCount_ = 0;
};

// An image strip of equal frames stacked vertically (the button images): it
// shows one frame at a time, addressed by its vertical offset.
class cBmpStrip : public cBmp {
public:
    int frameHeight() const { return frameHeight_; }
    int frameOffset() const { return frameOffset_; }
    // Frame height from the frame count (integer division of the height).
    void setFrameCount(int frames);
    void setFrameHeight(int height) { frameHeight_ = height; }
    void showFrame(int frame) { frameOffset_ = frame * frameHeight_; }
    // rect is in frame coordinates: (0, 0) is the top-left of the frame shown.
    void draw(HDC dc, const RECT& rect) override;

private:
    int frameOffset_ = 0;
    int frameHeight_ = 0;
};

}  // namespace menu
