#include "abort_dialog.h"
#include "app.h"
#include "dialog_base.h"
#include "../../resources/viewer/resource.h"

namespace viewer {

namespace {
bool g_aborted = false;
HWND g_box = nullptr;
}  // namespace

class AbortDialog : public common::DialogBase {
public:
    explicit AbortDialog(const std::string& name) : name_(name) {}

protected:
    BOOL onInit() override {
        SetDlgItemTextA(hwnd_, IDC_PRINT_ABORT_NAME, name_.c_str());
        return TRUE;
    }
    // Any command of the box (its button, Esc) stops the printing.
    void onCommand(int, int, HWND) override {
        g_aborted = true;
        EnableWindow(item(IDCANCEL), FALSE);
    }
    void onDestroyed() override { g_box = nullptr; }

private:
    std::string name_;
};

AbortDialog* showAbortDialog(HWND owner, const std::string& documentName) {
    g_aborted = false;
    AbortDialog* box = new AbortDialog(documentName);
    g_box = box->createModeless(app().instance, IDD_PRINT_ABORT, owner);
    if (!g_box) {
        delete box;
        return nullptr;
    }
    ShowWindow(g_box, SW_SHOW);
    UpdateWindow(g_box);
    return box;
}

void destroyAbortDialog(AbortDialog* dialog) {
    if (!dialog) return;
    if (dialog->handle()) DestroyWindow(dialog->handle());
    g_box = nullptr;
    delete dialog;
}

BOOL CALLBACK printAbortProc(HDC, int) {
    MSG msg;
    while (!g_aborted && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!g_box || !IsDialogMessageA(g_box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !g_aborted;
}

bool printAborted() { return g_aborted; }

}  // namespace viewer
