// Fonts of the button and tab labels, made once per pixel height and kept
// until the program ends.
#pragma once
#include <windows.h>

namespace menu {

class FontCache {
public:
    enum Face { Gothic = 0, Mincho = 1 };
    static const int kSlots = 256;  // pixel heights 0 to 255

    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font of this cell height, weight and face, created on first use;
    // null for a height outside 0 to 255 or when GDI refuses.
    HFONT get(int height, bool bold = true, Face face = Gothic);

    // The process-wide cache.
    static FontCache& instance();

private:
    struct Slot {
        bool made = false;
        HFONT fonts[4] = {};  // regular Gothic, bold Gothic, regular Mincho, bold Mincho
    };
    static HFONT make(int height, bool bold, Face face);

    Slot slots_[kSlots];
};

}  // namespace menu
