#include "about_box.h"
#include "dialog_base.h"
#include "../../resources/viewer/resource.h"

namespace viewer {
namespace {

class AboutBox : public common::DialogBase {
protected:
    BOOL onInit() override {
        // Centred on the screen, not on the owner.
        RECT r;
        GetWindowRect(hwnd_, &r);
        int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    void onCommand(int id, int, HWND) override {
        if (id == IDOK || id == IDCANCEL) EndDialog(hwnd_, id);
    }
};

}  // namespace

void showAboutBox(HINSTANCE instance, HWND owner) {
    AboutBox box;
    box.runModal(instance, IDD_ABOUT, owner);
}

}  // namespace viewer
