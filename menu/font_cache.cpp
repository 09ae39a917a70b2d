#include "font_cache.h"

#include <cstring>

namespace menu {

namespace {

HFONT createFace(int height, bool bold, const char* face) {
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;  // a positive height is the cell height
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_OUTLINE_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

}  // namespace

FontCache::~FontCache() {
    for (Slot& s : slots_)
        for (HFONT& f : s.fonts)
            if (f) {
                DeleteObject(f);
                f = nullptr;
            }
}

FontCache& FontCache::instance() {
    static FontCache cache;
    return cache;
}

HFONT FontCache::make(int height, bool bold, Face face) {
    if (face == Mincho) return createFace(height, bold, "ＭＳ Ｐ明朝");
    HFONT f = createFace(height, bold, "MS UI Gothic");
    if (!f) f = createFace(height, bold, "ＭＳ Ｐゴシック");
    return f;
}

HFONT FontCache::get(int height, bool bold, Face face) {
    if (height < 0 || height >= kSlots) return nullptr;
    Slot& s = slots_[height];
    if (!s.made) {
        // All four variants of a height are made together, the first time the height is asked for.
        s.made = true;
        s.fonts[0] = make(height, false, Gothic);
        s.fonts[1] = make(height, true, Gothic);
        s.fonts[2] = make(height, false, Mincho);
        s.fonts[3] = make(height, true, Mincho);
    }
    return s.fonts[(face == Mincho ? 2 : 0) + (bold ? 1 : 0)];
}

}  // namespace menu
