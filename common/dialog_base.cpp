#include "dialog_base.h"

namespace common {

HWND DialogBase::createModeless(HINSTANCE instance, int resourceId, HWND owner) {
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(resourceId), owner, dialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogBase::runModal(HINSTANCE instance, int resourceId, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(resourceId), owner, dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        DialogBase* self;
        switch (message) {
        case WM_INITDIALOG:
            self = reinterpret_cast<DialogBase*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            self->hwnd_ = dialog;
            return self->onInit();
        case WM_COMMAND:
            self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (!self) return FALSE;
            self->onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_NCDESTROY:
            self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (!self) return FALSE;
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            self->hwnd_ = nullptr;
            self->onDestroyed();
            return FALSE;
        default:
            self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (!self) return FALSE;
            return self->onMessage(message, wParam, lParam);
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace common
