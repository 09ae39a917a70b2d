#include "palette.h"

#include <vector>

#include "cbmp.h"

namespace menu {

namespace {
bool screenIsPaletteBased() {
    HDC screen = GetDC(nullptr);
    bool based = screen && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    if (screen) ReleaseDC(nullptr, screen);
    return based;
}
}  // namespace

Palette::Palette() : paletteBased_(screenIsPaletteBased()) {}

Palette::~Palette() { destroy(); }

void Palette::destroy() {
    restore();
    if (palette_) DeleteObject(palette_);
    palette_ = nullptr;
}

bool Palette::makePalette(cBmp& image) {
    destroy();
    int count = image.colorCount();
    BITMAPINFO* info = image.lockInfo();
    if (count > 0 && info) {
        std::vector<BYTE> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = static_cast<WORD>(count);
        for (int i = 0; i < count; ++i) {
            lp->palPalEntry[i].peRed = info->bmiColors[i].rgbRed;
            lp->palPalEntry[i].peGreen = info->bmiColors[i].rgbGreen;
            lp->palPalEntry[i].peBlue = info->bmiColors[i].rgbBlue;
            lp->palPalEntry[i].peFlags = 0;
        }
        palette_ = CreatePalette(lp);
    }
    image.unlock();
    return palette_ != nullptr;
}

bool Palette::refreshCapability() {
    bool now = screenIsPaletteBased();
    bool changed = now != paletteBased_;
    paletteBased_ = now;
    return changed;
}

UINT Palette::select(HDC dc, bool background) {
    restore();
    if (!paletteBased_ || !palette_ || !dc) return 0;
    previous_ = SelectPalette(dc, palette_, background ? TRUE : FALSE);
    dc_ = dc;
    UINT changed = RealizePalette(dc);
    return changed == GDI_ERROR ? 0 : changed;
}

void Palette::restore() {
    if (dc_ && previous_) SelectPalette(dc_, previous_, TRUE);
    dc_ = nullptr;
    previous_ = nullptr;
}

}  // namespace menu
