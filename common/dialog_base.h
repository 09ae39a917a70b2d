// A small base for dialogs: the object pointer travels in lParam of
// WM_INITDIALOG and is kept in DWLP_USER; commands go to onCommand, every
// other message to onMessage. No exception leaves the dialog procedure.
#pragma once
#include <windows.h>

namespace common {

class DialogBase {
public:
    DialogBase() = default;
    virtual ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // CreateDialogParamA; null when the dialog could not be made.
    HWND createModeless(HINSTANCE instance, int resourceId, HWND owner);
    // DialogBoxParamA; the value given to EndDialog, or -1.
    INT_PTR runModal(HINSTANCE instance, int resourceId, HWND owner);
    HWND handle() const { return hwnd_; }

protected:
    virtual BOOL onInit() { return TRUE; }
    virtual void onCommand(int id, int code, HWND control) {
        (void)id;
        (void)code;
        (void)control;
    }
    // Any other message; the result is the dialog procedure's return value.
    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        (void)message;
        (void)wParam;
        (void)lParam;
        return FALSE;
    }
    // Called last, when the window is gone (WM_NCDESTROY).
    virtual void onDestroyed() {}

    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace common
