// Starts a program, waits for its window of a class, lets it settle, captures
// the window to a PNG file and closes the program again.
// Usage: shoot EXE CLASS PNG [SETTLE_MS] [TIMEOUT_MS]
// Exit codes: 0 captured, 1 usage, 2 not started, 3 no window (ended, showed a
// message instead, or timed out), 4 capture failed.
#include "driver.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A message box text on one output line.
std::string oneLine(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: shoot EXE CLASS PNG [SETTLE_MS] [TIMEOUT_MS]\n");
        return 1;
    }
    const DWORD settleMs = argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 3500;
    const DWORD timeoutMs = argc > 5 ? std::strtoul(argv[5], nullptr, 10) : 30000;
    e2e::Driver driver;
    e2e::Process p = driver.start(argv[1]);
    if (!p.pid) {
        std::printf("could not start %s (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    HWND w = nullptr;
    const DWORD start = GetTickCount();
    while (!w) {
        w = driver.waitWindow(p, argv[2], 200);
        if (w) break;
        if (HWND box = driver.waitMessageBox(p, 0)) {
            std::printf("the program showed a message instead of its window: %s: %s\n",
                        e2e::windowText(box).c_str(), oneLine(e2e::messageBoxText(box)).c_str());
            return 3;
        }
        DWORD code = 0;
        if (p.waitExit(0, &code)) {
            std::printf("the program ended with exit code %lu before showing its window\n", code);
            return 3;
        }
        if (GetTickCount() - start >= timeoutMs) {
            std::printf("no window of class %s within %lu ms\n", argv[2], timeoutMs);
            return 3;
        }
    }
    // The program's own timers (the first page shows after a delay) need this long.
    Sleep(settleMs);
    if (!IsWindow(w) || !e2e::screenshotTo(w, argv[3])) {
        std::printf("could not capture the window to %s\n", argv[3]);
        return 4;
    }
    std::printf("captured %s\n", argv[3]);
    // A message the program shows over its window is part of the picture: name it.
    if (HWND box = driver.waitMessageBox(p, 0))
        std::printf("the program shows a message: %s: %s\n", e2e::windowText(box).c_str(),
                    oneLine(e2e::messageBoxText(box)).c_str());
    e2e::closeWindow(w);
    p.waitExit(5000);
    return 0;
}
