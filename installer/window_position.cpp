#include "window_position.h"

namespace installer {

namespace {
bool recorded = false;
POINT recordedAt = {0, 0};
}  // namespace

void recordWindowPosition(HWND window) {
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return;
    recordedAt.x = r.left;
    recordedAt.y = r.top;
    recorded = true;
}

void placeWindow(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    int w = r.right - r.left, h = r.bottom - r.top;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    int x = recorded ? recordedAt.x : (sw - w) / 2;
    int y = recorded ? recordedAt.y : (sh - h) / 2;
    if (x + w > sw) x = sw - w;
    if (y + h > sh) y = sh - h;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace installer
