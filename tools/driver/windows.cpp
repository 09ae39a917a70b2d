// Finding the windows of a started process and reading their texts. Texts
// travel by WM_GETTEXT, which the system carries across processes; the bytes
// come back in the ANSI code page (932 under the test environment).
#include "driver.h"
#include <functional>

namespace e2e {
namespace {

const DWORD kPollMs = 25;
const UINT kMessageTimeoutMs = 3000;

struct EnumState {
    DWORD pid;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectTopWindow(HWND w, LPARAM lp) {
    EnumState* s = reinterpret_cast<EnumState*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == s->pid && IsWindowVisible(w)) s->out->push_back(w);
    return TRUE;
}

HWND pollWindows(const Process& p, DWORD timeoutMs, const std::function<bool(HWND)>& match) {
    if (!p.pid) return nullptr;
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND w : topWindows(p.pid))
            if (match(w)) return w;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

bool isMessageBox(HWND w) { return className(w) == "#32770" && GetDlgItem(w, 0xFFFF) != nullptr; }

struct FindState {
    const char* cls;
    const char* text;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND w, LPARAM lp) {
    FindState* s = reinterpret_cast<FindState*>(lp);
    if (lstrcmpiA(className(w).c_str(), s->cls) != 0) return TRUE;
    if (s->text && windowText(w) != s->text) return TRUE;
    s->found = w;
    return FALSE;
}

}  // namespace

std::vector<HWND> topWindows(DWORD pid) {
    std::vector<HWND> out;
    EnumState s = {pid, &out};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&s));
    return out;
}

HWND Driver::waitWindow(const Process& p, const char* cls, DWORD timeoutMs) {
    return pollWindows(p, timeoutMs,
                       [cls](HWND w) { return !cls || lstrcmpiA(className(w).c_str(), cls) == 0; });
}

HWND Driver::waitWindowTitled(const Process& p, const std::string& title, DWORD timeoutMs) {
    return pollWindows(p, timeoutMs, [&title](HWND w) { return windowText(w) == title; });
}

HWND Driver::waitMessageBox(const Process& p, DWORD timeoutMs) {
    return pollWindows(p, timeoutMs, isMessageBox);
}

HWND Driver::waitDialog(const Process& p, DWORD timeoutMs) {
    return pollWindows(p, timeoutMs, [](HWND w) { return className(w) == "#32770"; });
}

bool Driver::waitGone(HWND w, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(w)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

namespace {

struct AnyState {
    const Driver* driver;
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK MatchAnyWindow(HWND w, LPARAM lp) {
    AnyState* s = reinterpret_cast<AnyState*>(lp);
    if (!IsWindowVisible(w) || !(*s->match)(w)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (!s->driver->owns(pid)) return TRUE;
    s->found = w;
    return FALSE;
}

HWND pollAnyWindow(const Driver* d, DWORD timeoutMs, const std::function<bool(HWND)>& match) {
    const DWORD start = GetTickCount();
    for (;;) {
        AnyState s = {d, &match, nullptr};
        EnumWindows(MatchAnyWindow, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

}  // namespace

HWND Driver::waitAnyWindow(const char* cls, DWORD timeoutMs) {
    return pollAnyWindow(this, timeoutMs,
                         [cls](HWND w) { return !cls || lstrcmpiA(className(w).c_str(), cls) == 0; });
}

HWND Driver::waitAnyMessageBox(DWORD timeoutMs) { return pollAnyWindow(this, timeoutMs, isMessageBox); }

bool waitText(HWND w, const std::string& text, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (IsWindow(w) && windowText(w) == text) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

bool closeWindow(HWND w) { return IsWindow(w) && PostMessageA(w, WM_CLOSE, 0, 0); }

std::string windowText(HWND w) {
    if (!w || !IsWindow(w)) return std::string();
    DWORD_PTR len = 0;
    if (SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &len)) {
        // The length may count UTF-16 units of a Unicode window: leave room for two bytes each.
        std::string buf(len * 2 + 2, '\0');
        DWORD_PTR got = 0;
        if (SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]),
                                SMTO_ABORTIFHUNG, kMessageTimeoutMs, &got)) {
            buf.resize(lstrlenA(buf.c_str()));
            return buf;
        }
    }
    // A hung window still has its caption stored by the system.
    char buf[1024];
    int n = GetWindowTextA(w, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

std::string className(HWND w) {
    char buf[256];
    int n = GetClassNameA(w, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

std::string messageBoxText(HWND box) { return dlgItemText(box, 0xFFFF); }

std::string dlgItemText(HWND dlg, int id) { return windowText(GetDlgItem(dlg, id)); }

HWND child(HWND parent, int id) { return GetDlgItem(parent, id); }

HWND findChild(HWND parent, const char* cls, const char* text) {
    FindState s = {cls, text, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace e2e
