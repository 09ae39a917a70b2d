#include "frame.h"
#include "app.h"
#include "caption.h"
#include "client_host.h"
#include "document_drag.h"
#include "file_system.h"
#include "path_text.h"
#include "layout.h"
#include "settings.h"
#include "text_view.h"
#include "viewer_link.h"
#include "../../resources/viewer/resource.h"
#include <shellapi.h>
#include <algorithm>
#include <cstring>

namespace viewer {

const char kFrameClassName[] = "Kelview32Class";

namespace {

bool forwardedToClient(UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_CLOSE:
    case WM_ACTIVATEAPP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_DROPFILES:
        return true;
    case WM_SYSCOMMAND:
        return (wp & 0xFFF0) <= 0xEFFF;
    default:
        return (msg >= WM_CUT && msg <= WM_CLEAR) || (msg >= WM_USER && msg <= 0x7FFF);
    }
}

void layoutClient(HWND frame) {
    App& a = app();
    if (!a.client) return;
    RECT rc;
    GetClientRect(frame, &rc);
    // The ruler is part of the client window, and there is no status area: no bands here.
    MoveWindow(a.client, 0, 0, rc.right, rc.bottom, TRUE);
    ShowWindow(a.client, SW_SHOW);
}

LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    App& a = app();
    try {
        switch (msg) {
        case WM_CREATE: {
            a.frame = hwnd;
            a.systemMenu = GetSystemMenu(hwnd, FALSE);
            a.menuBar = GetMenu(hwnd);
            if (a.menuBar) {
                // The last pull-down sits at the right end of the menu bar.
                int last = GetMenuItemCount(a.menuBar) - 1;
                MENUITEMINFOA mii = {};
                mii.cbSize = sizeof mii;
                mii.fMask = MIIM_FTYPE;
                if (GetMenuItemInfoA(a.menuBar, last, TRUE, &mii)) {
                    mii.fType |= MFT_RIGHTJUSTIFY;
                    SetMenuItemInfoA(a.menuBar, last, TRUE, &mii);
                }
            }
            a.client = TextView::create(hwnd, IDC_CLIENT, &clientHost());
            if (!a.client) return -1;
            a.view = TextView::from(a.client);
            return 0;
        }
        case WM_SIZE:
            layoutClient(hwnd);
            return 0;
        case WM_MOVE:
            if (a.view) a.view->placeComposition();
            return 0;
        case WM_SETFOCUS:
            if (a.client) SetFocus(a.client);
            return 0;
        case WM_ACTIVATE:
        case WM_SYSCOLORCHANGE:
            if (a.client) SendMessageA(a.client, msg, wp, lp);
            if (msg == WM_ACTIVATE) break;
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing is ever modified in the viewer
        case WM_ENDSESSION:
            if (wp && a.client) SendMessageA(a.client, WM_COMMAND, IDM_CLOSE, 0);
            return 0;
        case WM_DISPLAYCHANGE:
            a.screenW = GetSystemMetrics(SM_CXSCREEN);
            a.screenH = GetSystemMetrics(SM_CYSCREEN);
            break;
        case WM_NCPAINT: {
            LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
            drawPositionIndicator();
            return r;
        }
        case WM_NCACTIVATE: {
            LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
            // While this message is handled the frame may still be the active window:
            // the new state is the one in wParam.
            if (a.osMajor >= 4 && a.osMinor != 0) drawPositionIndicator(wp != 0);
            return r;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            if (wp == HTSYSMENU && a.newShell && a.oleReady && a.doc.hasFile()) {
                std::string path = common::joinPath(a.doc.folder, a.doc.fileName);
                POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                if (trackIconPress(hwnd, path, msg == WM_NCRBUTTONDOWN, p)) return 0;
            }
            break;
        case WM_DESTROY:
            a.frame = nullptr;
            return 0;
        default:
            if (msg == WM_COMMAND && LOWORD(wp) == IDM_RELOAD_WITH_CODE) {
                a.doc.loadedCode = static_cast<unsigned char>(lp & 0xFF);
                if (a.client) SendMessageA(a.client, WM_COMMAND, IDM_RELOAD, 0);
                return 0;
            }
            if (forwardedToClient(msg, wp) && a.client) return SendMessageA(a.client, msg, wp, lp);
            break;
        }
    } catch (...) {
        MessageBeep(MB_ICONHAND);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

BOOL CALLBACK findSameCorner(HWND w, LPARAM lp) {
    HWND self = app().frame;
    POINT* corner = reinterpret_cast<POINT*>(lp);
    if (w == self || !link::isViewerFrame(w)) return TRUE;
    if (!IsWindowVisible(w) || IsIconic(w) || IsZoomed(w)) return TRUE;
    RECT r;
    GetWindowRect(w, &r);
    if (r.left == corner->x && r.top == corner->y) {
        corner->x = -100000;  // found
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool registerFrameClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = frameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KELVIEW));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAINMENU);
    wc.lpszClassName = kFrameClassName;
    return RegisterClassA(&wc) != 0;
}

HWND createFrame(HINSTANCE instance) {
    App& a = app();
    const StartRequest& r = a.request;
    ViewerSettings& s = settings();
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
    bool positionDefaulted = true;
    if (s.rememberPosition && s.rememberedX >= 0 && s.rememberedX < a.screenW && s.rememberedY >= 0 &&
        s.rememberedY < a.screenH) {
        x = s.rememberedX;
        y = s.rememberedY;
        positionDefaulted = false;
    } else if (r.haveRect) {
        x = r.left;
        y = r.top;
        positionDefaulted = false;
    } else if (a.spareWindow) {
        x = y = 0;
        positionDefaulted = false;
    }
    if (r.haveRect) {
        if (r.width == 32767)
            a.maximised = true;
        else {
            w = r.width;
            h = r.height;
        }
    } else if (s.textAreaWidth > 0 && s.textAreaHeight > 0) {
        int fw = s.textAreaWidth + 2 * GetSystemMetrics(SM_CXFRAME) +
                 (s.verticalScrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        int fh = s.textAreaHeight + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYMENU) +
                 GetSystemMetrics(SM_CYCAPTION) + TextView::kRulerBand +
                 (s.horizontalScrollBar ? GetSystemMetrics(SM_CYHSCROLL) : 0);
        if (fw < a.screenW && fh < a.screenH) {
            w = fw;
            h = fh;
        } else
            a.maximised = true;
    }
    if (x == CW_USEDEFAULT) y = 0;  // CW_USEDEFAULT in x makes y the show command: keep it neutral
    HWND frame = CreateWindowExA(0, kFrameClassName, "", WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, nullptr,
                                 instance, nullptr);
    if (!frame) return nullptr;
    if (!r.explicitGeometry && !a.maximised) {
        RECT wr;
        GetWindowRect(frame, &wr);
        int left = wr.left, top = wr.top;
        if (positionDefaulted) {
            POINT corner = {left, top};
            EnumWindows(findSameCorner, reinterpret_cast<LPARAM>(&corner));
            if (corner.x == -100000) {
                left += GetSystemMetrics(SM_CYCAPTION);
                top += GetSystemMetrics(SM_CYCAPTION);
            }
        }
        int height = wr.bottom - wr.top;
        int limit = a.screenH - GetSystemMetrics(SM_CYICON) - GetSystemMetrics(SM_CYMENU);
        if (top + height > limit) top = std::max(0, limit - height);
        if (left != wr.left || top != wr.top)
            SetWindowPos(frame, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return frame;
}

void showFrame(HWND frame) {
    App& a = app();
    int show = a.request.showCommand;
    if (show < 0) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        GetStartupInfoA(&si);
        show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWNORMAL;
    }
    if (a.maximised && show != 0) show = SW_SHOWMAXIMIZED;
    ShowWindow(frame, show);
    if (show == 0 || settings().foregroundAtStart) {
        if (show != 0) bringToFront(frame);
    }
}

void bringToFront(HWND target) {
    SetForegroundWindow(target);
    // A foreground viewer that does not answer is not asked again.
    bool askViewer = true;
    for (int i = 0; i < 10; ++i) {
        HWND fg = GetForegroundWindow();
        if (fg == target) return;
        Sleep(10);
        if (askViewer && link::isViewerFrame(fg)) {
            askViewer = link::sendToViewer(fg, WMU_SET_FOREGROUND, 0, reinterpret_cast<LPARAM>(target));
        } else {
            SetForegroundWindow(target);
        }
    }
}

void updateCaption() {
    App& a = app();
    if (!a.frame) return;
    const ViewerSettings& s = settings();
    CaptionParts p;
    p.folder = a.doc.folder;
    p.fileName = a.doc.fileName;
    p.hasName = a.doc.fileName[0] != 0;
    p.newFile = a.doc.newFile;
    p.code = a.doc.loadedCode & 0x3F;
    p.fullPath = s.fullPathInCaption && (GetForegroundWindow() == a.frame || !s.shortNameWhenInactive);
    p.codeMark = s.codeInCaption;
    p.untitled = loadText(IDS_UNTITLED);
    p.newMark = loadText(IDS_NEWFILE);
    p.suffix = loadText(IDS_CAPTIONSUFFIX);
    SetWindowTextA(a.frame, captionText(p).c_str());
    // Setting the text repaints the whole non-client area on some systems
    // without a WM_NCPAINT, which wipes the position from the menu bar.
    drawPositionIndicator();
}

void frameFollowMargin(int delta) {
    App& a = app();
    if (!a.frame || delta == 0 || IsIconic(a.frame) || IsZoomed(a.frame) || a.request.explicitGeometry)
        return;
    RECT r;
    GetWindowRect(a.frame, &r);
    int width = r.right - r.left + delta;
    if (r.left + width > a.screenW) width = std::max<int>(r.right - r.left, a.screenW - r.left);
    if (width != r.right - r.left)
        SetWindowPos(a.frame, nullptr, 0, 0, width, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void drawPositionIndicator() { drawPositionIndicator(GetActiveWindow() == app().frame); }

void drawPositionIndicator(bool frameActive) {
    App& a = app();
    if (!a.frame || !a.view) return;
    ViewModel& m = a.view->model();
    // Systems of minor version 0 keep the menu text colour when inactive.
    bool active = frameActive || a.osMinor == 0;
    a.indicator.draw(a.frame, positionText(m.caretRow(), m.caretColumn()), active);
}

void setDocumentIcon(const char* extension) {
    App& a = app();
    if (!a.frame) return;
    const std::string module = common::programPath();
    std::string iconFile = module;
    int index = 1;
    if (extension && extension[0] == '.' && extension[1]) {
        char cls[MAX_PATH] = {};
        LONG size = sizeof cls;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, extension, cls, &size) == ERROR_SUCCESS && cls[0] &&
            _strnicmp(cls, "vantoro", 7) != 0) {
            std::string key = std::string(cls) + "\\DefaultIcon";
            char value[MAX_PATH] = {};
            size = sizeof value;
            if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS && value[0]) {
                std::string v = value;
                std::string::size_type comma = v.rfind(',');
                std::string file = comma == std::string::npos ? v : v.substr(0, comma);
                if (!file.empty() && file[0] == '"') file = file.substr(1, file.find('"', 1) - 1);
                if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
                    iconFile = file;
                    index = comma == std::string::npos ? 0 : atoi(v.c_str() + comma + 1);
                }
            }
        }
    }
    HICON icon = nullptr;
    if (iconFile != module) {
        HICON extracted = ExtractIconA(a.instance, iconFile.c_str(), index);
        if (extracted && extracted != reinterpret_cast<HICON>(1)) {
            icon = CopyIcon(extracted);
            DestroyIcon(extracted);
        }
    }
    // Without a document icon the class icon stays in effect.
    HICON old =
        reinterpret_cast<HICON>(SendMessageA(a.frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)));
    if (old) DestroyIcon(old);
}

}  // namespace viewer
