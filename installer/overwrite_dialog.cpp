#include "overwrite_dialog.h"
#include "resource.h"
#include "size_text.h"
#include "texts.h"
#include "text_format.h"
#include <shellapi.h>

namespace installer {

std::string OverwriteDialog::fileTimeText(const FILETIME& time) {
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &st)) return "";
    return common::formatText(texts::kFileTime, st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
}

OverwriteAnswer OverwriteDialog::ask(HINSTANCE instance, HWND owner) {
    MessageBeep(MB_ICONEXCLAMATION);
    INT_PTR r = runModal(instance, IDD_OVERWRITE, owner);
    for (HICON& i : icons_)
        if (i) DestroyIcon(i);
    switch (r) {
    case IDC_OW_YES:
        return OverwriteAnswer::Yes;
    case IDC_OW_NEWER:
        return OverwriteAnswer::IfNewer;
    case IDC_OW_ALL:
        return OverwriteAnswer::All;
    case IDC_OW_RENAME:
        return OverwriteAnswer::Rename;
    case IDC_OW_NO:
        return OverwriteAnswer::No;
    default:
        return OverwriteAnswer::Cancel;
    }
}

BOOL OverwriteDialog::onInit() {
    SetDlgItemTextA(hwnd_, IDC_OW_NAME, entry_.destination.fullPath());
    const WIN32_FIND_DATAA* data[2] = {&existing_, &entry_.source.findData()};
    const char* paths[2] = {entry_.destination.fullPath(), entry_.source.fullPath()};
    int iconIds[2] = {IDC_OW_OLD_ICON, IDC_OW_NEW_ICON};
    int infoIds[2] = {IDC_OW_OLD_INFO, IDC_OW_NEW_INFO};
    for (int i = 0; i < 2; i++) {
        SHFILEINFOA info = {};
        if (SHGetFileInfoA(paths[i], 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON)) {
            icons_[i] = info.hIcon;
            SendDlgItemMessageA(hwnd_, iconIds[i], STM_SETICON, (WPARAM)info.hIcon, 0);
        }
        char size[48];
        formatSize(data[i]->nFileSizeLow, size, sizeof size);
        std::string line = common::formatText("%s\n%s", common::trimBlanks(size).c_str(),
                                              fileTimeText(data[i]->ftLastWriteTime).c_str());
        SetDlgItemTextA(hwnd_, infoIds[i], line.c_str());
    }
    SetFocus(item(IDC_OW_NEWER));
    SetForegroundWindow(hwnd_);
    return FALSE;
}

void OverwriteDialog::onCommand(int id, int, HWND) {
    switch (id) {
    case IDC_OW_YES:
    case IDC_OW_NEWER:
    case IDC_OW_ALL:
    case IDC_OW_RENAME:
    case IDC_OW_NO:
    case IDCANCEL:
        EndDialog(hwnd_, id);
        break;
    }
}

}  // namespace installer
