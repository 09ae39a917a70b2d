#include "window_base.h"

namespace common {

WindowBase::~WindowBase() { detach(); }

WindowBase* WindowBase::fromHandle(HWND window) {
    return window ? reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

HWND WindowBase::create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                        int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance) {
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId, instance,
                           this);
}

bool WindowBase::subclass(HWND window) {
    if (!window || hwnd_ || fromHandle(window)) return false;
    hwnd_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowBase::subclassProc)));
    onAttached();
    return true;
}

void WindowBase::detach() {
    HWND w = hwnd_;
    hwnd_ = nullptr;
    if (!w || !IsWindow(w)) {
        original_ = nullptr;
        return;
    }
    if (fromHandle(w) == this) SetWindowLongPtrA(w, GWLP_USERDATA, 0);
    if (original_) SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    original_ = nullptr;
}

void WindowBase::destroyWindow() {
    HWND w = hwnd_;
    detach();
    if (w && IsWindow(w)) DestroyWindow(w);
}

LRESULT WindowBase::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (original_) return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT WindowBase::dispatch(WindowBase* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = self->original_;
    try {
        if (message == WM_NCDESTROY) {
            LRESULT r = self->onMessage(message, wParam, lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            if (original) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            self->hwnd_ = nullptr;
            self->original_ = nullptr;
            self->onDestroyed();
            return r;
        }
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's message dispatch.
        return original ? CallWindowProcA(original, window, message, wParam, lParam)
                        : DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK WindowBase::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = cs ? static_cast<WindowBase*>(cs->lpCreateParams) : nullptr;
        if (self) {
            self->hwnd_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            try {
                self->onAttached();
            } catch (...) {
                return FALSE;
            }
        }
    }
    WindowBase* self = fromHandle(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return dispatch(self, window, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = fromHandle(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return dispatch(self, window, message, wParam, lParam);
}

}  // namespace common
