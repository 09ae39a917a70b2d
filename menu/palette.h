// The menu's logical palette, built from the background picture's colour
// table. It matters only on palette-based (256-colour) screens; elsewhere
// selecting it is skipped.
#pragma once
#include <windows.h>

namespace menu {

class cBmp;

class Palette {
public:
    Palette();
    ~Palette();
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;

    // Builds the palette from the image's colour table: one entry per used
    // colour; none when the image uses no colour table. The old palette is
    // deleted first. True when a palette exists afterwards.
    bool makePalette(cBmp& image);
    void destroy();
    HPALETTE handle() const { return palette_; }

    // Whether the screen is palette-based (RASTERCAPS has RC_PALETTE), as
    // measured at construction or by the last refresh.
    bool paletteBased() const { return paletteBased_; }
    // Measures the screen again; true when its palette capability changed.
    bool refreshCapability();
    // For tests and for screens measured elsewhere.
    void setPaletteBased(bool based) { paletteBased_ = based; }

    // On a palette-based screen: selects the palette into dc (as background
    // palette when asked) and realises it. Returns the number of colours
    // that changed in the system palette.
    UINT select(HDC dc, bool background = false);
    // Selects back the palette that select() replaced.
    void restore();

private:
    HPALETTE palette_ = nullptr;
    HDC dc_ = nullptr;
    HPALETTE previous_ = nullptr;
    bool paletteBased_ = false;
};

// Selects and realises the palette for the lifetime of a drawing block.
class PaletteScope {
public:
    PaletteScope(Palette& palette, HDC dc, bool background = false) : palette_(palette) {
        palette_.select(dc, background);
    }
    ~PaletteScope() { palette_.restore(); }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    Palette& palette_;
};

}  // namespace menu
