#include "same_file_dialog.h"
#include "dialog_base.h"
#include "../../resources/viewer/resource.h"

namespace viewer {
namespace {

class SameFileDialog : public common::DialogBase {
public:
    explicit SameFileDialog(std::string text) : text_(std::move(text)) {}

protected:
    BOOL onInit() override {
        SetDlgItemTextA(hwnd_, IDC_SAME_TEXT, text_.c_str());
        // Started by another viewer or at start-up: the question must not
        // hide behind the window that asked for the file.
        SetForegroundWindow(hwnd_);
        return TRUE;
    }
    void onCommand(int id, int, HWND) override {
        switch (id) {
        case IDC_SAME_READONLY:
        case IDC_SAME_OPEN:
        case IDC_SAME_CLOSE_OPEN:
        case IDCANCEL:
            EndDialog(hwnd_, id);
            break;
        default:
            break;
        }
    }

private:
    std::string text_;
};

}  // namespace

int askSameFile(HINSTANCE instance, HWND owner, const std::string& fileName, const std::string& question) {
    SameFileDialog dialog(fileName + question);
    INT_PTR r = dialog.runModal(instance, IDD_SAME_FILE, owner);
    return r > 0 ? static_cast<int>(r) : IDCANCEL;
}

}  // namespace viewer
