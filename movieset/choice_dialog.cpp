#include "choice_dialog.h"
#include "movie_preference.h"
#include "movie_registry_key.h"
#include "movieset_messages.h"
#include "movieset_texts.h"
#include "resource.h"

namespace movieset {

INT_PTR ChoiceDialog::run(HINSTANCE instance) { return runModal(instance, IDD_CHOICE, nullptr); }

BOOL ChoiceDialog::onInit() {
    centreOnScreen();
    SetWindowTextA(hwnd_, text::kTitle);
    CheckDlgButton(hwnd_, IDC_NO_MOVIE, current_ ? BST_CHECKED : BST_UNCHECKED);
    PostMessageA(hwnd_, WMU_UPDATE_EXPLANATION, 0, 0);
    return TRUE;  // the dialog manager gives the focus to its first control
}

void ChoiceDialog::centreOnScreen() {
    RECT r;
    GetWindowRect(hwnd_, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ChoiceDialog::onCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_NO_MOVIE:
        if (code == BN_CLICKED) {
            current_ = IsDlgButtonChecked(hwnd_, IDC_NO_MOVIE) == BST_CHECKED;
            PostMessageA(hwnd_, WMU_UPDATE_EXPLANATION, 0, 0);
        }
        break;
    case IDOK:
        // The store happens from the message queue; a second OK that
        // arrives before it would store and report twice.
        if (!applying_) {
            applying_ = true;
            PostMessageA(hwnd_, WMU_APPLY, 0, 0);
        }
        break;
    case IDCANCEL:
        if (!applying_) EndDialog(hwnd_, 0);
        break;
    }
}

INT_PTR ChoiceDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WMU_UPDATE_EXPLANATION:
        SetDlgItemTextA(hwnd_, IDC_EXPLANATION, current_ ? text::kExplainTicked : text::kExplainClear);
        return TRUE;
    case WMU_APPLY:
        apply();
        EndDialog(hwnd_, 1);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        // The explanation stands on white; the other texts keep the dialog's colours.
        if (reinterpret_cast<HWND>(lParam) == item(IDC_EXPLANATION)) {
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void ChoiceDialog::apply() {
    // Ticking and unticking again before OK is no change: nothing is written.
    if (current_ == initial_) return;
    const common::MovieValueText value = common::toolValueText(current_);
    RegistryKey key(HKEY_LOCAL_MACHINE);
    bool stored = key.create(common::kMovieKeyPath) &&
                  key.setValue(common::kMovieValueName, value.text, static_cast<DWORD>(value.size), REG_SZ);
    // Flushed and closed before the report, so "stored" means on disk.
    key.close();
    MessageBoxA(hwnd_, stored ? text::kStored : text::kNotStored, text::kTitle,
                stored ? MB_ICONINFORMATION : MB_ICONERROR);
}

}  // namespace movieset
