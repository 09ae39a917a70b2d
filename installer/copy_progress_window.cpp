#include "copy_progress_window.h"
#include "copy_error_dialog.h"
#include "overwrite_dialog.h"
#include "resource.h"
#include "texts.h"
#include "window_position.h"
#include "message_box.h"
#include <commctrl.h>

namespace installer {

bool CopyProgressWindow::run(CopyList& list) {
    if (!createModeless(instance_, IDD_PROGRESS, nullptr)) {
        // Without a window the copy still runs; questions get no owner.
        return copyAll(list, *this);
    }
    CopyJob job(list, *this);
    while (job.status() == CopyJob::Running) {
        MSG msg;
        // An empty queue is the common case between blocks; asking for its
        // state is cheaper than a full peek.
        while (HIWORD(GetQueueStatus(QS_ALLINPUT)) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage((int)msg.wParam);
                abortRequested_ = true;
                break;
            }
            if (!hwnd_ || !IsDialogMessageA(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (abortRequested_) {
            job.abort();
            break;
        }
        job.step();
    }
    bool ok = job.status() == CopyJob::Finished;
    if (hwnd_) {
        recordWindowPosition(hwnd_);
        DestroyWindow(hwnd_);
    }
    return ok;
}

BOOL CopyProgressWindow::onInit() {
    SendDlgItemMessageA(hwnd_, IDC_PROG_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    placeWindow(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    return TRUE;
}

void CopyProgressWindow::onCommand(int id, int, HWND) {
    if (id != IDCANCEL || abortRequested_) return;
    int r = common::showMessageBox(hwnd_, texts::kAbortQuestion, texts::kProgramTitle,
                                   MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION | MB_SETFOREGROUND);
    if (r == IDYES) abortRequested_ = true;
}

void CopyProgressWindow::showFiles(const char* source, const char* destination) {
    if (!hwnd_) return;
    SetDlgItemTextA(hwnd_, IDC_PROG_SOURCE, source);
    SetDlgItemTextA(hwnd_, IDC_PROG_DEST, destination);
}

void CopyProgressWindow::showProgress(int percent) {
    if (!hwnd_ || percent == lastPercent_) return;
    lastPercent_ = percent;
    SendDlgItemMessageA(hwnd_, IDC_PROG_BAR, PBM_SETPOS, percent, 0);
}

OverwriteAnswer CopyProgressWindow::askOverwrite(CopyEntry& entry, const WIN32_FIND_DATAA& existing) {
    OverwriteDialog dialog(entry, existing);
    return dialog.ask(instance_, hwnd_);
}

ErrorAnswer CopyProgressWindow::askError(int error, const char* path) {
    CopyErrorDialog dialog(error, path);
    return dialog.ask(instance_, hwnd_);
}

}  // namespace installer
