// A small base for modal dialogs: the object is stored at WM_INITDIALOG and
// messages are dispatched to onInit and onCommand.
#pragma once
#include <windows.h>

namespace viewer {

class Dialog {
public:
    virtual ~Dialog() = default;
    INT_PTR run(HINSTANCE instance, HWND owner, int resourceId) {
        return DialogBoxParamA(instance, MAKEINTRESOURCEA(resourceId), owner, procedure,
                               reinterpret_cast<LPARAM>(this));
    }

protected:
    virtual BOOL onInit() { return TRUE; }
    virtual BOOL onCommand(int id, int /*code*/) {
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(hwnd_, id);
            return TRUE;
        }
        return FALSE;
    }
    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        Dialog* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        try {
            switch (msg) {
            case WM_INITDIALOG:
                self = reinterpret_cast<Dialog*>(lp);
                SetWindowLongPtrA(hwnd, DWLP_USER, lp);
                self->hwnd_ = hwnd;
                return self->onInit();
            case WM_COMMAND:
                return self ? self->onCommand(LOWORD(wp), HIWORD(wp)) : FALSE;
            default:
                return FALSE;
            }
        } catch (...) {
            return FALSE;
        }
    }
};

}  // namespace viewer
