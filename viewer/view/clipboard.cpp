#include "clipboard.h"
#include <cstring>

namespace viewer {
namespace {

HGLOBAL globalCopy(const char* bytes, size_t n) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    std::memcpy(p, bytes, n);
    GlobalUnlock(h);
    return h;
}

// Another program may hold the clipboard for a moment.
bool openClipboard(HWND owner) {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool putOnClipboard(HWND owner, const std::string& text, bool box) {
    if (!openClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL h = globalCopy(text.c_str(), text.size() + 1);
    if (!h) {
        CloseClipboard();
        return false;
    }
    bool ok = SetClipboardData(CF_TEXT, h) != nullptr;
    if (!ok) GlobalFree(h);
    if (ok && box) {
        HGLOBAL marker = globalCopy("BOX", 4);
        if (marker && !SetClipboardData(CF_DSPTEXT, marker)) GlobalFree(marker);
    }
    CloseClipboard();
    return ok;
}

}  // namespace viewer
