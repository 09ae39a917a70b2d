#include "select_dialog.h"
#include "resource.h"
#include "texts.h"
#include "text_format.h"

namespace installer {

bool SelectDialog::choose(std::string* section) {
    if (runModal(ctx_.instance, IDD_SELECT, nullptr) != IDOK || chosen_.empty()) return false;
    *section = chosen_;
    return true;
}

BOOL SelectDialog::onInit() {
    ScriptFile& s = ctx_.script;
    const char* sec = section_.c_str();
    int n = s.getInt(sec, "Caption");
    std::string title, heading;
    if (!s.getString(sec, "TitleBarCaption", &title) && n != 0)
        s.getString("Talinst", common::formatText("TitleBarCaption%d", n).c_str(), &title);
    if (!title.empty()) SetWindowTextA(hwnd_, common::formatText(texts::kSelectTitle, title.c_str()).c_str());
    if (!s.getString(sec, "DialogCaption", &heading) && n != 0)
        s.getString("Talinst", common::formatText("DialogCaption%d", n).c_str(), &heading);
    if (!heading.empty()) SetDlgItemTextA(hwnd_, IDC_SEL_HEADING, heading.c_str());

    for (int i = 1; i <= 6; i++) {
        HWND button = item(IDC_SEL_ITEM1 + i - 1);
        std::string key = common::formatText("item%d.Caption", i);
        if (!s.hasKey(sec, key.c_str())) {
            ShowWindow(button, SW_HIDE);
            continue;
        }
        char caption[128];
        s.getString(sec, key.c_str(), caption, sizeof caption);
        SetWindowTextA(button, caption);
        ShowWindow(button, SW_SHOW);
        if (i == 1) CheckDlgButton(hwnd_, IDC_SEL_ITEM1, BST_CHECKED);
    }
    SetForegroundWindow(hwnd_);
    return TRUE;
}

void SelectDialog::onCommand(int id, int, HWND) {
    if (id == IDCANCEL) {
        EndDialog(hwnd_, IDCANCEL);
        return;
    }
    if (id != IDOK) return;
    for (int i = 1; i <= 6; i++) {
        if (IsDlgButtonChecked(hwnd_, IDC_SEL_ITEM1 + i - 1) != BST_CHECKED) continue;
        char target[128] = "";
        ctx_.script.getString(section_.c_str(), common::formatText("item%d.Section", i).c_str(), target,
                              sizeof target);
        chosen_ = target;
        // A button without its section ends the menu as if cancelled.
        EndDialog(hwnd_, chosen_.empty() ? IDCANCEL : IDOK);
        return;
    }
}

}  // namespace installer
