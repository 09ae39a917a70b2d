// A small base for windows: the object pointer arrives with WM_NCCREATE (the
// creation parameter) or with subclass(), is kept in GWLP_USERDATA, and every
// later message goes to onMessage. Subclassed controls keep their original
// procedure for what onMessage passes on. No exception leaves the procedure.
#pragma once
#include <windows.h>

namespace common {

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND handle() const { return hwnd_; }
    // The object attached to window, or null.
    static WindowBase* fromHandle(HWND window);

    // The procedure to register for window classes whose windows are made by
    // create().
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // CreateWindowExA with this object as the creation parameter.
    HWND create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menuOrId, HINSTANCE instance);
    // Attaches this object to an existing window (a common control) by
    // replacing its procedure; false when the window already has an object.
    bool subclass(HWND window);
    // Takes the object off its window (the original procedure of a subclassed
    // control goes back) without destroying the window.
    void detach();
    // Detaches and destroys the window.
    void destroyWindow();

    // Called once the handle is known (WM_NCCREATE or subclass).
    virtual void onAttached() {}
    // Every message after that; the default passes it on.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return defaultProc(message, wParam, lParam);
    }
    // Called last, when the window is gone (WM_NCDESTROY); the handle is
    // already cleared.
    virtual void onDestroyed() {}
    // The original procedure of a subclassed control, else DefWindowProcA.
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT dispatch(WindowBase* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC original_ = nullptr;
};

}  // namespace common
