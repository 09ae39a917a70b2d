// A target for the driver's own tests. Modes (arguments split at blanks,
// double quotes group, no other escapes, "\n" in a text is a line break):
//   box ICON TITLE TEXT        message box with OK and Cancel, exit code = answer
//                              (ICON: none error warning info question)
//   window CLASS TITLE W H RRGGBB
//                              a window with that client size and background; it
//                              shows the last key (static 101), typed characters
//                              (static 100), last click or double click (static
//                              102), where the left button went up after a drag
//                              (static 108) and the last wheel turn (static 109);
//                              its button 1 "Quit" ends the program with exit
//                              code 7; it also holds an edit (103), a list box
//                              (104), a list view (105), a tab control (106) and
//                              a checked check box (107), all left of x = 190
//   spawn CLASS                starts "window CLASS child 200 100 000000" and then
//                              itself shows "window SpawnParent parent ..."
//   exit N                     ends at once with exit code N
//   hang                       no window, never ends
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kTyped = 100;
const int kLastKey = 101;
const int kLastClick = 102;
const int kQuit = 1;
const int kEdit = 103;
const int kList = 104;
const int kListView = 105;
const int kTabs = 106;
const int kCheck = 107;
const int kDragEnd = 108;
const int kWheel = 109;
bool dragged = false;

std::vector<std::string> splitArgs(const char* line) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false, any = false;
    for (const char* p = line; *p; ++p) {
        BYTE c = static_cast<BYTE>(*p);
        if (IsDBCSLeadByte(c) && p[1]) {
            cur += p[0];
            cur += p[1];
            ++p;
            any = true;
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            any = true;
            continue;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (any) out.push_back(cur);
            cur.clear();
            any = false;
            continue;
        }
        if (c == '\\' && p[1] == 'n') {
            cur += '\n';
            ++p;
            any = true;
            continue;
        }
        cur += *p;
        any = true;
    }
    if (any) out.push_back(cur);
    return out;
}

std::string typed;

void setItem(HWND w, int id, const std::string& text) { SetDlgItemTextA(w, id, text.c_str()); }

HWND makeChild(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy,
               int id) {
    return CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void makeControls(HWND w) {
    makeChild(w, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 64, 54, 60, 20, kEdit);
    HWND check = makeChild(w, "BUTTON", "チェック", BS_AUTOCHECKBOX, 128, 54, 60, 20, kCheck);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    HWND list = makeChild(w, "LISTBOX", "", WS_BORDER, 0, 78, 60, 60, kList);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("一"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("表示ソフト"));
    HWND view = makeChild(w, WC_LISTVIEWA, "", LVS_REPORT | WS_BORDER, 64, 78, 124, 60, kListView);
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 60;
    col.pszText = const_cast<char*>("名前");
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    col.pszText = const_cast<char*>("サイズ");
    SendMessageA(view, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
    const char* rows[][2] = {{"読んでね.txt", "1 KB"}, {"ソフト表.lzh", "２ MB"}};
    for (int i = 0; i < 2; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(rows[i][0]);
        SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[i][1]);
        SendMessageA(view, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    HWND tabs = makeChild(w, WC_TABCONTROLA, "", 0, 0, 140, 188, 40, kTabs);
    const char* names[] = {"ページ1", "ソフト表"};
    for (int i = 0; i < 2; ++i) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
    }
    makeChild(w, "STATIC", "", 0, 0, 182, 188, 16, kDragEnd);
    makeChild(w, "STATIC", "", 0, 0, 200, 188, 16, kWheel);
}

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 180, 16, w, reinterpret_cast<HMENU>(kTyped),
                      nullptr, nullptr);
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 18, 180, 16, w,
                      reinterpret_cast<HMENU>(kLastKey), nullptr, nullptr);
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 36, 180, 16, w,
                      reinterpret_cast<HMENU>(kLastClick), nullptr, nullptr);
        CreateWindowA("BUTTON", "Quit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 54, 60, 20, w,
                      reinterpret_cast<HMENU>(kQuit), nullptr, nullptr);
        makeControls(w);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (wp == VK_SHIFT || wp == VK_CONTROL || wp == VK_MENU) break;
        std::string s = "key:" + std::to_string(static_cast<unsigned>(wp));
        if (GetKeyState(VK_SHIFT) < 0) s += "+shift";
        if (GetKeyState(VK_CONTROL) < 0) s += "+ctrl";
        if (GetKeyState(VK_MENU) < 0) s += "+alt";
        setItem(w, kLastKey, s);
        break;
    }
    case WM_CHAR:
        if (wp >= 0x20) {
            typed += static_cast<char>(wp);
            setItem(w, kTyped, typed);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        char s[64];
        std::snprintf(s, sizeof s, "%s:%d,%d,%s", msg == WM_LBUTTONDBLCLK ? "dblclick" : "click",
                      static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)),
                      msg == WM_RBUTTONDOWN ? "R" : "L");
        setItem(w, kLastClick, s);
        if (msg != WM_RBUTTONDOWN) {
            SetCapture(w);
            dragged = false;
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (wp & MK_LBUTTON) dragged = true;
        return 0;
    case WM_LBUTTONUP: {
        ReleaseCapture();
        char s[64];
        std::snprintf(s, sizeof s, "up:%d,%d%s", static_cast<short>(LOWORD(lp)),
                      static_cast<short>(HIWORD(lp)), dragged ? ",dragged" : "");
        setItem(w, kDragEnd, s);
        return 0;
    }
    case WM_MOUSEWHEEL:
        setItem(w, kWheel, "wheel:" + std::to_string(static_cast<short>(HIWORD(wp))));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == kQuit) {
            PostQuitMessage(7);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int runWindow(const std::string& cls, const std::string& title, int cx, int cy, unsigned rgb) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    wc.lpszClassName = cls.c_str();
    if (!RegisterClassA(&wc)) return 3;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r = {0, 0, cx, cy};
    AdjustWindowRect(&r, style, FALSE);
    HWND w = CreateWindowA(cls.c_str(), title.c_str(), style, 40, 40, r.right - r.left, r.bottom - r.top,
                           nullptr, nullptr, wc.hInstance, nullptr);
    if (!w) return 4;
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}

UINT iconFlag(const std::string& name) {
    if (name == "error") return MB_ICONHAND;
    if (name == "warning") return MB_ICONEXCLAMATION;
    if (name == "info") return MB_ICONASTERISK;
    if (name == "question") return MB_ICONQUESTION;
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    std::vector<std::string> a = splitArgs(cmdLine);
    if (a.empty()) return 100;
    const std::string& mode = a[0];
    if (mode == "box" && a.size() >= 4)
        return MessageBoxA(nullptr, a[3].c_str(), a[2].c_str(), MB_OKCANCEL | iconFlag(a[1]));
    if (mode == "window" && a.size() >= 6)
        return runWindow(a[1], a[2], std::atoi(a[3].c_str()), std::atoi(a[4].c_str()),
                         static_cast<unsigned>(std::strtoul(a[5].c_str(), nullptr, 16)));
    if (mode == "spawn" && a.size() >= 2) {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string line = "\"" + std::string(self) + "\" window " + a[1] + " child 200 100 000000";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 5;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return runWindow("SpawnParent", "parent", 200, 100, 0xFFFFFF);
    }
    if (mode == "exit" && a.size() >= 2) return std::atoi(a[1].c_str());
    if (mode == "hang") {
        Sleep(INFINITE);
        return 0;
    }
    return 100;
}
