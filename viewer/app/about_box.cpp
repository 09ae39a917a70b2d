#include "about_box.h"
#include "dialog_base.h"
#include "../../resources/viewer/resource.h"

namespace viewer {
namespace {

class AboutBox : public Dialog {
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
};

}  // namespace

void showAboutBox(HINSTANCE instance, HWND owner) {
    AboutBox box;
    box.run(instance, owner, IDD_ABOUT);
}

}  // namespace viewer
