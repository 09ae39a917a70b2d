// Stands in for an outside installer: a window with one edit field, shown
// at once, so the installer can hand it the destination folder.
#include <windows.h>

static LRESULT CALLBACK windowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TalinstEditTarget";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("TalinstEditTarget", "Setup", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 150,
                           nullptr, nullptr, instance, nullptr);
    CreateWindowA("Static", "Folder:", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, w, (HMENU)1, instance, nullptr);
    CreateWindowA("Edit", "C:\\Default", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 40, 360, 22,
                  w, (HMENU)2, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
