// Buttons, real keys and real mouse clicks. Real input goes to the foreground
// window, so the target's top-level window is brought there first.
#include "driver.h"

namespace e2e {
namespace {

bool isExtendedKey(WORD vk) {
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_APPS:
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
    return ins.empty() ||
           SendInput(static_cast<UINT>(ins.size()), ins.data(), sizeof(INPUT)) == ins.size();
}

} // namespace

bool activate(HWND w) {
    HWND top = GetAncestor(w, GA_ROOT);
    if (!top || !IsWindow(top)) return false;
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != top) {
        if (GetTickCount() - start >= 2000) return false;
        Sleep(10);
        SetForegroundWindow(top);
    }
    return true;
}

bool pressButton(HWND dlg, int id) {
    HWND button = GetDlgItem(dlg, id);
    if (button) {
        if (!IsWindowEnabled(button)) return false;
        // Posted, not sent: the click may open a modal dialog, and a sent
        // message would not come back until that dialog had closed.
        return PostMessageA(button, BM_CLICK, 0, 0) != 0;
    }
    // A message box answers IDCANCEL and the like even without that button.
    return IsWindow(dlg) && PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) != 0;
}

bool clickAt(HWND w, int x, int y, bool right) {
    if (!activate(w)) return false;
    POINT pt = {x, y};
    if (!ClientToScreen(w, &pt) || !SetCursorPos(pt.x, pt.y)) return false;
    INPUT ins[2] = {};
    ins[0].type = ins[1].type = INPUT_MOUSE;
    ins[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    ins[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, ins, sizeof(INPUT)) == 2;
}

bool sendKey(HWND w, WORD vk, bool shift, bool ctrl, bool alt) {
    if (!activate(w)) return false;
    std::vector<INPUT> ins;
    addChord(&ins, vk, shift, ctrl, alt);
    return send(ins);
}

bool typeText(HWND w, const std::string& text) {
    if (!activate(w)) return false;
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    if (n) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    std::vector<INPUT> ins;
    for (WCHAR c : wide) {
        if (c == L'\r') continue;
        if (c == L'\n') { addChord(&ins, VK_RETURN, false, false, false); continue; }
        if (c == L'\t') { addChord(&ins, VK_TAB, false, false, false); continue; }
        SHORT scan = c < 0x80 ? VkKeyScanA(static_cast<char>(c)) : -1;
        // Characters on the keyboard go as key strokes, the rest as Unicode packets.
        if (scan != -1 && !(HIBYTE(scan) & 6))
            addChord(&ins, LOBYTE(scan), (HIBYTE(scan) & 1) != 0, false, false);
        else {
            ins.push_back(unicodeInput(c, false));
            ins.push_back(unicodeInput(c, true));
        }
    }
    return send(ins);
}

} // namespace e2e
