#include "movie_window.h"

#include <mmsystem.h>
#include <digitalv.h>

#include "messages.h"
#include "sjis.h"

namespace menu {

namespace {

struct MovieState {
    HWND parent = nullptr;
    char file[MAX_PATH] = {};
    MCIDEVICEID device = 0;  // 0: no device open
    bool playing = false;
    bool captured = false;  // the left button went down on the movie
};

MovieState* stateOf(HWND window) {
    return reinterpret_cast<MovieState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void closeDevice(MovieState& s) {
    if (!s.device) return;
    MCI_GENERIC_PARMS wait = {};
    if (s.playing) mciSendCommandA(s.device, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&wait));
    mciSendCommandA(s.device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&wait));
    s.device = 0;
    s.playing = false;
}

// Opens the file with the video player drawing into this window, the movie
// centred on the parent's client area. False when the file does not open;
// the player's reason goes to the debugger only, the user is told nothing.
bool openMovie(HWND window, MovieState& s) {
    MCI_DGV_OPEN_PARMSA open = {};
    open.lpstrElementName = s.file;
    open.hWndParent = window;
    open.dwStyle = WS_CHILD;
    MCIERROR error =
        mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open));
    if (error) {
        char reason[256] = "";
        mciGetErrorStringA(error, reason, sizeof reason);
        OutputDebugStringA(reason);
        return false;
    }
    s.device = open.wDeviceID;

    MCI_DGV_WINDOW_PARMSA target = {};
    target.hWnd = window;
    mciSendCommandA(s.device, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&target));

    // The player's rectangles are left, top, width and height.
    MCI_DGV_RECT_PARMS where = {};
    mciSendCommandA(s.device, MCI_WHERE, MCI_DGV_WHERE_DESTINATION | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&where));
    RECT client;
    GetClientRect(s.parent, &client);
    where.rc.left += (client.right - where.rc.right) / 2;
    where.rc.top += (client.bottom - where.rc.bottom) / 2;
    mciSendCommandA(s.device, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&where));
    return true;
}

void playMovie(HWND window, MovieState& s) {
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    play.dwFrom = 0;
    if (s.device &&
        mciSendCommandA(s.device, MCI_PLAY, MCI_FROM | MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0) {
        s.playing = true;
    } else {
        DestroyWindow(window);
    }
}

LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MovieState* s = stateOf(window);
    if (!s) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WMU_MOVIE_OPEN:
        if (openMovie(window, *s)) return 1;
        DestroyWindow(window);
        return 0;
    case WMU_MOVIE_PLAY:
        playMovie(window, *s);
        return 0;
    case MM_MCINOTIFY:
        // Only the end of this window's own movie counts; a stop or an
        // interrupted play reports "aborted" or "superseded" and is ignored.
        if (wParam == MCI_NOTIFY_SUCCESSFUL && s->device && static_cast<MCIDEVICEID>(lParam) == s->device) {
            s->playing = false;
            closeDevice(*s);
            DestroyWindow(window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(window);
        s->captured = true;
        return 0;
    case WM_LBUTTONUP:
        if (s->captured) {
            s->captured = false;
            ReleaseCapture();
            closeDevice(*s);
            DestroyWindow(window);
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press is no click on the movie any more.
        if (reinterpret_cast<HWND>(lParam) != window) s->captured = false;
        return 0;
    case WMU_MOVIE_STOP:
        closeDevice(*s);
        return 0;
    case WM_DESTROY:
        if (s->captured) {
            s->captured = false;
            ReleaseCapture();
        }
        closeDevice(*s);
        PostMessageA(s->parent, WMU_MOVIE_ENDED, 0, 0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete s;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK movieWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            MovieState* s = new MovieState;
            s->parent = GetParent(window);
            const char* file = static_cast<const char*>(create->lpCreateParams);
            common::copyBounded(s->file, file, sizeof s->file);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
        }
        return handle(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

bool registerClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kMovieWindowClass, &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = movieWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_APPSTARTING);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kMovieWindowClass;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

HWND createMovieWindow(HINSTANCE instance, HWND parent, const char* file) {
    RECT client = {};
    GetClientRect(parent, &client);
    HWND window = nullptr;
    if (registerClass(instance)) {
        window = CreateWindowExA(0, kMovieWindowClass, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                 client.bottom, parent, nullptr, instance, const_cast<char*>(file));
    }
    if (!window) {
        // No window, no movie: the parent goes on as after one.
        PostMessageA(parent, WMU_MOVIE_ENDED, 0, 0);
        return nullptr;
    }
    // A file that does not open destroys the window, which tells the parent.
    if (!SendMessageA(window, WMU_MOVIE_OPEN, 0, 0)) return nullptr;
    PostMessageA(parent, WMU_MOVIE_STARTED, 0, reinterpret_cast<LPARAM>(window));
    return window;
}

void unregisterMovieWindowClass(HINSTANCE instance) { UnregisterClassA(kMovieWindowClass, instance); }

}  // namespace menu
