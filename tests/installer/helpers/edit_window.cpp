// Stands in for an outside installer: a window with one edit field, shown
// at once, so the installer can hand it the destination folder. Before it
// waits for messages it writes "<own path>.ready" with the milliseconds since
// its process was created: the installer gives a program one second to
// become idle, and on a loaded machine Wine may take longer to start one,
// which a test must tell from an installer that failed to fill the field.
#include <windows.h>
#include <cstdio>

static void recordStartTime() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = created.dwLowDateTime;
    a.HighPart = created.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    unsigned long long ms = b.QuadPart > a.QuadPart ? (b.QuadPart - a.QuadPart) / 10000 : 0;
    char path[MAX_PATH + 8];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (!n || n >= MAX_PATH) return;
    lstrcatA(path, ".ready");
    char text[32];
    int len = std::snprintf(text, sizeof text, "%llu", ms);
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD done = 0;
    WriteFile(f, text, static_cast<DWORD>(len), &done, nullptr);
    CloseHandle(f);
}

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
    recordStartTime();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
