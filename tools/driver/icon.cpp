// Which system icon a message box carries. Shared system icons have one handle
// for everybody on Windows, but under Wine each process gets its own handle and
// cannot read another's icon bits; so, failing the handle comparison, the icon
// static is read back from the screen and compared with each system icon drawn
// at the same size.
#include "driver.h"
#include "capture.h"
#include <cstdlib>

namespace e2e {
namespace {

const int kIconStatic = 0x440;

struct Candidate {
    Icon icon;
    LPCSTR id;
};

const Candidate kCandidates[] = {
    {Icon::Error, IDI_HAND},
    {Icon::Warning, IDI_EXCLAMATION},
    {Icon::Information, IDI_ASTERISK},
    {Icon::Question, IDI_QUESTION},
};

bool drawIcon(HICON icon, int cx, int cy, COLORREF background, Image* out) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT r = {0, 0, cx, cy};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(mem, &r, brush);
    DeleteObject(brush);
    bool ok = DrawIconEx(mem, 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL) != 0;
    SelectObject(mem, old);
    ok = ok && readBitmap(mem, bmp, cx, cy, out);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool similar(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// Share of the icon's opaque pixels (the same on black and on white) that the
// screen shows unchanged.
double match(HICON icon, const Image& shown) {
    Image onBlack, onWhite;
    if (!drawIcon(icon, shown.width, shown.height, RGB(0, 0, 0), &onBlack) ||
        !drawIcon(icon, shown.width, shown.height, RGB(255, 255, 255), &onWhite))
        return 0;
    int opaque = 0, same = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            COLORREF c = onBlack.at(x, y);
            if (c != onWhite.at(x, y)) continue;
            ++opaque;
            if (similar(c, shown.at(x, y))) ++same;
        }
    return opaque ? static_cast<double>(same) / opaque : 0;
}

Icon iconOnScreen(HWND box, HWND st) {
    activate(box);
    settlePainting(box);
    RECT r;
    GetClientRect(st, &r);
    MapWindowPoints(st, nullptr, reinterpret_cast<POINT*>(&r), 2);
    Image shown;
    if (!captureScreen(r, &shown)) return Icon::None;
    Icon best = Icon::None;
    double bestScore = 0.9;  // below this the static shows none of them
    for (const Candidate& c : kCandidates) {
        double score = match(LoadIconA(nullptr, c.id), shown);
        if (score > bestScore) {
            bestScore = score;
            best = c.icon;
        }
    }
    return best;
}

}  // namespace

Icon messageBoxIcon(HWND box) {
    HWND st = GetDlgItem(box, kIconStatic);
    if (!st || !IsWindowVisible(st)) return Icon::None;
    DWORD_PTR handle = 0;
    if (!SendMessageTimeoutA(st, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 3000, &handle) || !handle)
        return Icon::None;
    for (const Candidate& c : kCandidates)
        if (reinterpret_cast<HICON>(handle) == LoadIconA(nullptr, c.id)) return c.icon;

    // The box's drawing reaches the X screen on its own time, after its thread
    // has answered: a capture can come before the icon is there (seen once in
    // hundreds of runs). Read the screen again until one icon shows.
    const DWORD start = GetTickCount();
    for (;;) {
        Icon shownIcon = iconOnScreen(box, st);
        if (shownIcon != Icon::None || GetTickCount() - start >= 5000) return shownIcon;
        Sleep(50);
    }
}

}  // namespace e2e
