#include "closing_dialog.h"
#include "launch.h"
#include "message_text.h"
#include "resource.h"
#include "path_text.h"

namespace installer {

void ClosingDialog::run(HINSTANCE instance) {
    if (runModal(instance, IDD_CLOSING, nullptr) != IDOK) return;
    if (openFolder_) openWithShell(options_.destination);
    if (openGroup_ && !options_.groupFolder.empty()) openWithShell(options_.groupFolder);
    if (followUp_ && options_.exec.hasFile) {
        std::string file = common::joinPath(options_.destination, options_.exec.file);
        if (options_.exec.program.empty())
            openWithShell(file);
        else
            openWithProgram(options_.exec.program, file);
    }
}

BOOL ClosingDialog::onInit() {
    char body[kMessageBytes * 2];
    processEscapes(options_.message.c_str(), body, sizeof body);
    SetDlgItemTextA(hwnd_, IDC_CLOSE_TEXT, body);
    CheckDlgButton(hwnd_, IDC_CLOSE_OPENDIR, options_.exec.openFolder ? BST_CHECKED : BST_UNCHECKED);
    if (options_.exec.hasFile) {
        SetDlgItemTextA(hwnd_, IDC_CLOSE_FOLLOWUP, followUpCaption(options_.exec).c_str());
        ShowWindow(item(IDC_CLOSE_FOLLOWUP), SW_SHOW);
        CheckDlgButton(hwnd_, IDC_CLOSE_FOLLOWUP, BST_CHECKED);
    }
    if (options_.groupMade)
        CheckDlgButton(hwnd_, IDC_CLOSE_GROUPDIR, BST_CHECKED);
    else
        EnableWindow(item(IDC_CLOSE_GROUPDIR), FALSE);
    SetForegroundWindow(hwnd_);
    return TRUE;
}

void ClosingDialog::onCommand(int id, int, HWND) {
    if (id == IDOK) {
        openFolder_ = IsDlgButtonChecked(hwnd_, IDC_CLOSE_OPENDIR) == BST_CHECKED;
        openGroup_ = IsDlgButtonChecked(hwnd_, IDC_CLOSE_GROUPDIR) == BST_CHECKED;
        followUp_ = IsDlgButtonChecked(hwnd_, IDC_CLOSE_FOLLOWUP) == BST_CHECKED;
        EndDialog(hwnd_, IDOK);
    } else if (id == IDCANCEL) {
        openFolder_ = openGroup_ = followUp_ = false;
        EndDialog(hwnd_, IDCANCEL);
    }
}

}  // namespace installer
