// Kelview as a user meets it: the time from starting the process to the
// first painted rows of a large file, and the time to page from the top to
// the end and back. Runs under Wine; prints key=value figures.
//
// usage: kelview_startbench KELVIEW_EXE FILE
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr UINT kQueryView = 1100;
constexpr WPARAM kTopRow = 1, kRowCount = 3;

struct Found {
    DWORD pid;
    HWND frame;
};

BOOL CALLBACK findFrame(HWND w, LPARAM lp) {
    Found* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64];
    if (pid == f->pid && IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) &&
        !lstrcmpA(cls, "Kelview32Class")) {
        f->frame = w;
        return FALSE;
    }
    return TRUE;
}

LRESULT ask(HWND client, WPARAM what) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(client, kQueryView, what, 0, SMTO_ABORTIFHUNG, 60000, &r)) return -1;
    return static_cast<LRESULT>(r);
}

double since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// One page key, processed and painted before the next.
void page(HWND client, WPARAM vk) {
    SendMessageA(client, WM_KEYDOWN, vk, 1);
    SendMessageA(client, WM_KEYUP, vk, 0xC0000001);
    UpdateWindow(client);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s KELVIEW_EXE FILE\n", argv[0]);
        return 2;
    }
    std::string cmd = std::string("\"") + argv[1] + "\" \"" + argv[2] + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    auto t0 = std::chrono::steady_clock::now();
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    Found f = {pi.dwProcessId, nullptr};
    while (!f.frame && since(t0) < 600) {
        EnumWindows(findFrame, reinterpret_cast<LPARAM>(&f));
        if (!f.frame) Sleep(5);
    }
    if (!f.frame) {
        std::fprintf(stderr, "no window\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    HWND client = GetDlgItem(f.frame, 100);
    // The message loop answers only after the first rows were painted.
    LRESULT rows = ask(client, kRowCount);
    double firstPaint = since(t0);

    auto t1 = std::chrono::steady_clock::now();
    int pages = 0;
    LRESULT last = -1, top = ask(client, kTopRow);
    while (top != last) {
        last = top;
        page(client, VK_NEXT);
        top = ask(client, kTopRow);
        ++pages;
    }
    double down = since(t1);
    auto t2 = std::chrono::steady_clock::now();
    while (top > 0) {
        page(client, VK_PRIOR);
        top = ask(client, kTopRow);
    }
    double up = since(t2);

    std::printf("rows=%ld first_paint_s=%.3f pages=%d page_down_s=%.3f page_up_s=%.3f\n",
                static_cast<long>(rows), firstPaint, pages, down, up);
    PostMessageA(f.frame, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
