// Buttons, real keys and real mouse clicks. Real input goes to the foreground
// window, so the target's top-level window is brought there first.
#include "driver.h"

namespace e2e {
namespace {

bool isExtendedKey(WORD vk) {
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_APPS:
        return true;
    }
    return false;
}

INPUT keyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

INPUT unicodeInput(WCHAR c, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = c;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

void addChord(std::vector<INPUT>* ins, WORD vk, bool shift, bool ctrl, bool alt) {
    if (ctrl) ins->push_back(keyInput(VK_CONTROL, false));
    if (alt) ins->push_back(keyInput(VK_MENU, false));
    if (shift) ins->push_back(keyInput(VK_SHIFT, false));
    ins->push_back(keyInput(vk, false));
    ins->push_back(keyInput(vk, true));
    if (shift) ins->push_back(keyInput(VK_SHIFT, true));
    if (alt) ins->push_back(keyInput(VK_MENU, true));
    if (ctrl) ins->push_back(keyInput(VK_CONTROL, true));
}

bool send(std::vector<INPUT>& ins) {
    return ins.empty() || SendInput(static_cast<UINT>(ins.size()), ins.data(), sizeof(INPUT)) == ins.size();
}

}  // namespace

bool activate(HWND w) {
    HWND top = GetAncestor(w, GA_ROOT);
    if (!top || !IsWindow(top)) return false;
    // X focus events of windows that just went away arrive late and can take
    // the foreground back: a newly gained foreground must hold for a moment.
    const bool already = GetForegroundWindow() == top;
    const DWORD start = GetTickCount();
    DWORD heldSince = 0;
    for (;;) {
        if (GetForegroundWindow() == top) {
            if (!heldSince) heldSince = GetTickCount();
            if (already || GetTickCount() - heldSince >= 100) break;
        } else {
            heldSince = 0;
            SetForegroundWindow(top);
        }
        if (GetTickCount() - start >= 3000) return false;
        Sleep(10);
    }
    if (w == top) return true;
    // Focus belongs to the window's own thread: join its input state to set it.
    const DWORD theirs = GetWindowThreadProcessId(w, nullptr);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(theirs, &gui) && gui.hwndFocus == w) return true;
    const DWORD ours = GetCurrentThreadId();
    if (!AttachThreadInput(ours, theirs, TRUE)) return false;
    SetFocus(w);
    AttachThreadInput(ours, theirs, FALSE);
    return GetGUIThreadInfo(theirs, &gui) && gui.hwndFocus == w;
}

bool pressButton(HWND dlg, int id) {
    HWND button = GetDlgItem(dlg, id);
    if (button) {
        if (!IsWindowEnabled(button)) return false;
        // Posted, not sent: the click may open a modal dialog, and a sent
        // message would not come back until that dialog had closed.
        const LONG_PTR type = GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK;
        if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)
            return PostMessageA(button, BM_CLICK, 0, 0) != 0;
        // A push button's click is its notification to the dialog. BM_CLICK
        // replays a mouse press that needs the capture, and Wine drops the
        // click when the capture moves between the press and the release
        // (seen with a message box that had just come up).
        return PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(button)) != 0;
    }
    // A message box answers IDCANCEL and the like even without that button.
    return IsWindow(dlg) && PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) != 0;
}

namespace {

// Every mouse event carries its own absolute position: the pointer position
// kept by Wine can still be overwritten by a late X motion event of an earlier
// move, and an event without a position would then land there.
INPUT mouseInput(POINT screen, DWORD flags, DWORD data = 0) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // Rounded up, so that scaling back to pixels truncates to the same pixel.
    in.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + cx - 1) / cx);
    in.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + cy - 1) / cy);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.mouseData = data;
    return in;
}

// The screen point of a client point, with the window's top-level window in
// front and the pointer resting there. A late X motion event of an earlier
// move can still put Wine's pointer elsewhere; arriving between a press and
// its release it turns a click into a small drag. So the pointer must have
// stayed on the point for a moment before anything is pressed.
bool pointAt(HWND w, int x, int y, POINT* screen) {
    if (!activate(GetAncestor(w, GA_ROOT))) return false;
    screen->x = x;
    screen->y = y;
    if (!ClientToScreen(w, screen) || !SetCursorPos(screen->x, screen->y)) return false;
    const DWORD start = GetTickCount();
    DWORD heldSince = 0;
    for (;;) {
        POINT now;
        if (GetCursorPos(&now) && now.x == screen->x && now.y == screen->y) {
            if (!heldSince) heldSince = GetTickCount();
            if (GetTickCount() - heldSince >= 100) return true;
        } else {
            heldSince = 0;
            SetCursorPos(screen->x, screen->y);
        }
        // Events carry their own position: past the limit they still land right.
        if (GetTickCount() - start >= 2000) return true;
        Sleep(10);
    }
}

bool sendMouse(std::initializer_list<INPUT> list) {
    std::vector<INPUT> ins(list);
    return send(ins);
}

}  // namespace

bool clickAt(HWND w, int x, int y, bool right) {
    POINT pt;
    return pointAt(w, x, y, &pt) &&
           sendMouse({mouseInput(pt, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                      mouseInput(pt, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

bool doubleClickAt(HWND w, int x, int y) {
    POINT pt;
    return pointAt(w, x, y, &pt) &&
           sendMouse({mouseInput(pt, MOUSEEVENTF_LEFTDOWN), mouseInput(pt, MOUSEEVENTF_LEFTUP),
                      mouseInput(pt, MOUSEEVENTF_LEFTDOWN), mouseInput(pt, MOUSEEVENTF_LEFTUP)});
}

// Waits until the press has reached the window's thread and it took the
// mouse. Moves sent before that can be merged into the press's position by a
// program that is slow to pick its input up, and the drag then goes nowhere.
static void waitForCapture(HWND w, DWORD timeoutMs) {
    const DWORD thread = GetWindowThreadProcessId(w, nullptr);
    const DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        if (GetGUIThreadInfo(thread, &gui) && gui.hwndCapture) return;
        if (GetTickCount() - start >= timeoutMs) return;
        Sleep(10);
    }
}

bool dragTo(HWND w, int x1, int y1, int x2, int y2) {
    POINT pt;
    if (!pointAt(w, x1, y1, &pt) || !sendMouse({mouseInput(pt, MOUSEEVENTF_LEFTDOWN)})) return false;
    // A window that does not capture the mouse still gets the drag, late.
    waitForCapture(w, 3000);
    // A few steps, each a real move.
    const int steps = 4;
    for (int i = 1; i <= steps; ++i) {
        pt.x = x1 + (x2 - x1) * i / steps;
        pt.y = y1 + (y2 - y1) * i / steps;
        ClientToScreen(w, &pt);
        if (!sendMouse({mouseInput(pt, 0)})) return false;
    }
    return sendMouse({mouseInput(pt, MOUSEEVENTF_LEFTUP)});
}

bool wheelAt(HWND w, int x, int y, int delta) {
    POINT pt;
    return pointAt(w, x, y, &pt) && sendMouse({mouseInput(pt, MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta))});
}

bool sendKey(HWND w, WORD vk, bool shift, bool ctrl, bool alt) {
    if (!activate(w)) return false;
    std::vector<INPUT> ins;
    addChord(&ins, vk, shift, ctrl, alt);
    return send(ins);
}

bool typeText(HWND w, const std::string& text) {
    if (!activate(w)) return false;
    bool ascii = true;
    for (char c : text) ascii = ascii && static_cast<BYTE>(c) < 0x80;
    if (!ascii) {
        // Composed Japanese reaches a program from the input method, not as key
        // strokes. Under Wine a double-byte WM_CHAR that passes an ANSI message
        // loop is split into two bytes which a Unicode control (the edit) then
        // decodes one by one into garbage; so each character is sent straight
        // to the focus window: one UTF-16 WM_CHAR to a Unicode window, a lead
        // and a trail byte WM_CHAR to an ANSI one, as Windows would deliver them.
        const DWORD thread = GetWindowThreadProcessId(w, nullptr);
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        HWND target = GetGUIThreadInfo(thread, &gui) && gui.hwndFocus ? gui.hwndFocus : w;
        const bool unicode = IsWindowUnicode(target) != 0;
        DWORD_PTR ignored;
        for (size_t i = 0; i < text.size(); ++i) {
            const size_t n = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
            std::string ch = text.substr(i, n);
            i += n - 1;
            if (ch == "\n") ch = "\r";
            BOOL ok = TRUE;
            if (unicode) {
                WCHAR wc = 0;
                MultiByteToWideChar(CP_ACP, 0, ch.data(), static_cast<int>(ch.size()), &wc, 1);
                ok = SendMessageTimeoutW(target, WM_CHAR, wc, 1, SMTO_ABORTIFHUNG, 3000, &ignored) != 0;
            } else {
                // Wine holds a lead byte back until its trail byte follows and
                // reports the held one as not sent: only the last byte tells.
                for (char b : ch)
                    ok = SendMessageTimeoutA(target, WM_CHAR, static_cast<BYTE>(b), 1, SMTO_ABORTIFHUNG, 3000,
                                             &ignored);
            }
            if (!ok) return false;
        }
        return true;
    }
    std::vector<INPUT> ins;
    for (char ch : text) {
        if (ch == '\r') continue;
        if (ch == '\n') {
            addChord(&ins, VK_RETURN, false, false, false);
            continue;
        }
        if (ch == '\t') {
            addChord(&ins, VK_TAB, false, false, false);
            continue;
        }
        SHORT scan = VkKeyScanA(ch);
        if (scan != -1 && !(HIBYTE(scan) & 6)) {
            addChord(&ins, LOBYTE(scan), (HIBYTE(scan) & 1) != 0, false, false);
        } else {
            ins.push_back(unicodeInput(static_cast<WCHAR>(static_cast<BYTE>(ch)), false));
            ins.push_back(unicodeInput(static_cast<WCHAR>(static_cast<BYTE>(ch)), true));
        }
    }
    return send(ins);
}

}  // namespace e2e
