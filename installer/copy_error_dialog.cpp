#include "copy_error_dialog.h"
#include "resource.h"
#include "texts.h"
#include "text_format.h"

namespace installer {

CopyErrorDialog::CopyErrorDialog(int error, const char* path) {
    const char* format = (error >= 1 && error <= 6) ? texts::kCopyErrors[error] : "%s";
    text_ = common::formatText(format, path ? path : "");
}

ErrorAnswer CopyErrorDialog::ask(HINSTANCE instance, HWND owner) {
    MessageBeep(MB_ICONEXCLAMATION);
    return runModal(instance, IDD_COPYERROR, owner) == IDC_ERR_SKIP ? ErrorAnswer::Skip : ErrorAnswer::Cancel;
}

BOOL CopyErrorDialog::onInit() {
    SendDlgItemMessageA(hwnd_, IDC_ERR_ICON, STM_SETICON, (WPARAM)LoadIconA(nullptr, IDI_WARNING), 0);
    SetDlgItemTextA(hwnd_, IDC_ERR_TEXT, text_.c_str());
    SetForegroundWindow(hwnd_);
    return TRUE;
}

void CopyErrorDialog::onCommand(int id, int, HWND) {
    if (id == IDC_ERR_SKIP || id == IDCANCEL) EndDialog(hwnd_, id);
}

}  // namespace installer
