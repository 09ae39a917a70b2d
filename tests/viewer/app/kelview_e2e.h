// Helpers shared by the end-to-end tests of Kelview.
#pragma once
#include "driver.h"
#include "../../../resources/viewer/resource.h"
#include <gtest/gtest.h>
#include <string>

namespace kvtest {

constexpr UINT kQueryView = WMU_QUERY_VIEW;  // the client window's view query
enum {
    kPosition = VIEW_QUERY_POSITION,
    kTopRow = VIEW_QUERY_TOP_ROW,
    kMarginWidth = VIEW_QUERY_MARGIN_WIDTH,
    kRowCount = VIEW_QUERY_ROW_COUNT,
    kBrowse = VIEW_QUERY_BROWSE_MODE,
    kHasSelection = VIEW_QUERY_HAS_SELECTION,
    kVisibleRows = VIEW_QUERY_VISIBLE_ROWS
};

inline std::string viewer() { return e2e::dist("Kelview.exe"); }

inline HWND clientOf(HWND frame) { return e2e::child(frame, 100); }

// One viewer process started on a file, with its frame and text window
// (null when they did not come up in time).
struct RunningViewer {
    e2e::Driver d;
    e2e::Process p;
    HWND frame = nullptr;
    HWND client = nullptr;
    explicit RunningViewer(const std::string& file) {
        p = d.start(viewer(), "\"" + file + "\"");
        frame = d.waitWindow(p, "Kelview32Class");
        if (frame) client = clientOf(frame);
    }
};

inline LRESULT query(HWND client, int what) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(client, kQueryView, what, 0, SMTO_ABORTIFHUNG, 5000, &r)) return -1;
    return static_cast<LRESULT>(r);
}

// Row and column (1-based) as the position indicator shows them.
inline std::pair<int, int> position(HWND client) {
    LRESULT r = query(client, kPosition);
    return {HIWORD(r), LOWORD(r)};
}

// Polls until the query answers the expected value; returns the last answer.
inline LRESULT waitQuery(HWND client, int what, LRESULT expected, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    LRESULT v = query(client, what);
    while (v != expected && GetTickCount() - start < timeoutMs) {
        Sleep(20);
        v = query(client, what);
    }
    return v;
}

// Polls until the window's thread holds no mouse capture: a press has been
// followed by its release. Commands that arrive while the viewer still sees
// the button down are ignored, and a posted command overtakes queued input.
inline bool waitMouseReleased(HWND client, DWORD timeoutMs = 5000) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    DWORD thread = GetWindowThreadProcessId(client, nullptr);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (GetGUIThreadInfo(thread, &gui) && gui.hwndCapture == nullptr) return true;
        Sleep(20);
    }
    return false;
}

// Polls until the caption contains the text.
inline bool waitCaptionHas(HWND w, const std::string& part, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (e2e::windowText(w).find(part) == std::string::npos) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// Width and height of a cell of the stock fixed font: the viewer's grid.
inline SIZE cell() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SIZE eight = {};
    GetTextExtentPoint32A(dc, "8", 1, &eight);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{tm.tmAveCharWidth, tm.tmHeight};
}

inline int digitWidth() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    SIZE eight = {};
    GetTextExtentPoint32A(dc, "8", 1, &eight);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return eight.cx;
}

// The clipboard in a given format, read by this (another) process.
inline bool clipboardData(UINT format, std::string* out) {
    for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
    HANDLE h = GetClipboardData(format);
    bool ok = false;
    if (h) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        if (p) {
            SIZE_T n = GlobalSize(h);
            out->assign(p, strnlen(p, n));
            ok = true;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return ok;
}

inline void clearClipboard() {
    for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
    EmptyClipboard();
    CloseClipboard();
}

// Polls until CF_TEXT is on the clipboard.
inline bool waitClipboard(std::string* out, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (IsClipboardFormatAvailable(CF_TEXT) && clipboardData(CF_TEXT, out)) return true;
        Sleep(30);
    }
    return false;
}

}  // namespace kvtest
