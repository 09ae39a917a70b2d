#include "main_window.h"

#include <commctrl.h>

#include "menu_app.h"
#include "doc_window.h"
#include "launcher.h"
#include "menu_screen.h"
#include "messages.h"
#include "movie_phase.h"
#include "window_placement.h"

namespace menu {

namespace mainwindow {

const char* const kClassName = "OstrelClass";

namespace {

BOOL CALLBACK forwardToChild(HWND child, LPARAM message) {
    MSG* m = reinterpret_cast<MSG*>(message);
    SendMessageA(child, m->message, m->wParam, m->lParam);
    return TRUE;
}

void tellChildren(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m = {};
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    EnumChildWindows(window, forwardToChild, reinterpret_cast<LPARAM>(&m));
}

void paint(HWND window) {
    MenuApp& app = menuApp();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc) {
        PaletteScope scope(app.palette, dc);
        app.background.draw(dc, ps.rcPaint);
    }
    EndPaint(window, &ps);
}

LRESULT realizePalette(HWND window, UINT message, WPARAM wParam) {
    MenuApp& app = menuApp();
    UINT changed = 0;
    if (app.palette.paletteBased() && app.palette.handle()) {
        HDC dc = GetDC(window);
        changed = app.palette.select(dc);
        app.palette.restore();
        ReleaseDC(window, dc);
        if (changed) InvalidateRect(window, nullptr, FALSE);
    }
    if (message == WM_PALETTECHANGED) tellChildren(window, WM_PALETTECHANGED, wParam, 0);
    return changed ? TRUE : FALSE;
}

void onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    MenuApp& app = menuApp();
    int id = LOWORD(wParam);
    WORD code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    // Identifiers 113 to 199 are all the grid has; 200 on are page-menu buttons.
    int executeCount = app.config.executeCount();
    if (executeCount > kMaxExecuteButtons) executeCount = kMaxExecuteButtons;
    int menuCount = app.config.menuButtonCount;
    bool isExecute = id >= IDC_FIRST_EXECUTE && id < IDC_FIRST_EXECUTE + executeCount;
    bool isMenuButton = id >= IDC_FIRST_MENU_BUTTON && id < IDC_FIRST_MENU_BUTTON + menuCount;

    if (code == BN_PRESS_NOTICE && control) {
        // A page-menu press keeps the tabs still until the new entry is shown.
        if (isMenuButton) {
            HWND tabs = GetDlgItem(window, IDC_TAB_ROW);
            if (tabs) EnableWindow(tabs, FALSE);
        }
        return;
    }
    // Accelerators carry no control: they sound like a click of their button.
    if (!control) MenuScreen::instance().playClick(id);

    if (id == IDC_EXIT_BUTTON || id == IDCANCEL) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (id == IDC_INFO_BUTTON) {
        MenuScreen::instance().openInfo();
    } else if (isExecute) {
        if (!control) control = GetDlgItem(window, id);
        PostMessageA(window, WMU_RUN_COMMAND, 0, reinterpret_cast<LPARAM>(control));
    } else if (isMenuButton) {
        SendMessageA(window, WMU_SHOW_ENTRY, static_cast<WPARAM>(id - IDC_FIRST_MENU_BUTTON), 0);
    }
}

// Runs the command list of an execute button.
void runCommand(HWND window, HWND button) {
    MenuApp& app = menuApp();
    int index = commandIndexOf(button);
    if (index < 0 || index >= app.data.commands.count) return;
    menuLauncher().setCaption(app.caption);
    menuLauncher().runCommandList(window, app.data.commands.commandLists[index]);
}

// The menu screen's private messages. The movie phase leaves them to the
// default procedure: while a movie covers the screen nothing may show a
// page or run a command, and a command list that was going on waits for
// the WMU_BUILD_SCREEN that follows the movie.
bool onPrivate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WMU_BUILD_SCREEN:
        MenuScreen::instance().build(window);
        return true;
    case WMU_SHOW_PAGE:
        MenuScreen::instance().showPage(static_cast<int>(wParam));
        return true;
    case WMU_SHOW_ENTRY:
        MenuScreen::instance().showEntry(static_cast<int>(wParam));
        return true;
    case WMU_RUN_COMMAND:
        runCommand(window, reinterpret_cast<HWND>(lParam));
        return true;
    case WMU_RUN_NEXT:
        menuLauncher().runNext(window);
        return true;
    case common::WM_DOCUMENT_CLOSED:
        MenuScreen::instance().documentClosed();
        return true;
    default:
        return false;
    }
}

LRESULT moviePhase(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        menuApp().mainWindow = window;
        moviephase::onCreate(window);
        return 0;
    case WM_CLOSE:
        // The player stops and closes its device before the window goes, so
        // nothing of it outlives the program.
        moviephase::stop();
        DestroyWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOMMAND:
        if (moviephase::onSysCommand(window, wParam)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WMU_MOVIE_STARTED:
        moviephase::onStarted(window, reinterpret_cast<HWND>(lParam));
        return 0;
    case WMU_MOVIE_ENDED:
        moviephase::onEnded(window);
        return 0;
    case common::WM_DOCUMENT_CLOSED:
        // The document window is no child: it may be closed during a replay.
        MenuScreen::instance().documentClosed();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT menuPhase(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MenuApp& app = menuApp();
    switch (message) {
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_WININICHANGE:
        if (app.palette.refreshCapability()) {
            app.palette.makePalette(app.background);
            app.background.releaseDeviceBitmap();
            app.display.releaseDeviceBitmap();
            MenuScreen::instance().paletteCapabilityChanged();
            tellChildren(window, WM_WININICHANGE, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_DRAWITEM:
        if (wParam == static_cast<WPARAM>(IDC_TAB_ROW) &&
            MenuScreen::instance().drawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == static_cast<UINT_PTR>(IDC_TAB_ROW))
            return MenuScreen::instance().notify(header);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_TIMER:
        if (wParam == ID_FIRST_PAGE_TIMER) MenuScreen::instance().timer(wParam);
        return 0;
    case WM_COMMAND:
        onCommand(window, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        if (moviephase::onSysCommand(window, wParam)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) == window) return 0;
        return realizePalette(window, message, wParam);
    case WM_QUERYNEWPALETTE:
        return realizePalette(window, message, wParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        if (onPrivate(window, message, wParam, lParam)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK moviePhaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return moviePhase(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK menuPhaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return menuPhase(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void enterMenuPhase(HWND window) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(menuPhaseProc));
    PostMessageA(window, WMU_BUILD_SCREEN, 0, 0);
}

void enterMoviePhase(HWND window) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(moviePhaseProc));
}

bool inMenuPhase(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(menuPhaseProc);
}

ATOM registerClass(HINSTANCE instance, bool whiteBack) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = moviePhaseProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OSTREL));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(whiteBack ? WHITE_BRUSH : BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc);
}

HWND create(HINSTANCE instance, const char* caption, int clientWidth, int clientHeight) {
    RECT r = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&r, kStyle, FALSE);
    int width = r.right - r.left, height = r.bottom - r.top;
    placement::Origin at =
        placement::centred(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
    return CreateWindowExA(0, kClassName, caption, kStyle, at.x, at.y, width, height, nullptr, nullptr,
                           instance, nullptr);
}

}  // namespace mainwindow

}  // namespace menu
