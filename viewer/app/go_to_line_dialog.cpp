#include "go_to_line_dialog.h"
#include "app.h"
#include "dialog_base.h"
#include "line_jump.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"
#include <imm.h>
#include <string>

namespace viewer {
namespace {

constexpr int kEntryLimit = 19;

class GoToLineDialog : public common::DialogBase {
public:
    std::string entry;

protected:
    BOOL onInit() override {
        SendDlgItemMessageA(hwnd_, IDC_LINE_ENTRY, EM_LIMITTEXT, kEntryLimit, 0);
        // Numbers only: the input method's conversion would be in the way.
        HIMC imc = ImmGetContext(hwnd_);
        if (imc) {
            wasOpen_ = ImmGetOpenStatus(imc) != FALSE;
            if (wasOpen_) ImmSetOpenStatus(imc, FALSE);
            ImmReleaseContext(hwnd_, imc);
        }
        return TRUE;
    }
    void onCommand(int id, int, HWND) override {
        if (id == IDOK) {
            char text[kEntryLimit + 2] = {};
            GetDlgItemTextA(hwnd_, IDC_LINE_ENTRY, text, sizeof text);
            entry = text;
            finish(IDOK);
        } else if (id == IDCANCEL) {
            finish(IDCANCEL);
        }
    }

private:
    void finish(int result) {
        if (wasOpen_) {
            HIMC imc = ImmGetContext(hwnd_);
            if (imc) {
                ImmSetOpenStatus(imc, TRUE);
                ImmReleaseContext(hwnd_, imc);
            }
        }
        EndDialog(hwnd_, result);
    }
    bool wasOpen_ = false;
};

}  // namespace

void runGoToLine() {
    App& a = app();
    if (!a.view || !a.frame) return;
    GoToLineDialog dialog;
    if (dialog.runModal(a.instance, IDD_GO_TO_LINE, a.frame) != IDOK || !a.view) return;
    ViewModel& m = a.view->model();
    int eof = m.rows() ? m.rows()->eofRow() : 0;
    LineJump jump = resolveLineJump(dialog.entry.c_str(), m.caretRow(), eof);
    switch (jump.kind) {
    case LineJumpKind::Nothing:
        return;
    case LineJumpKind::NotFound:
        errorBox(loadText(IDS_LINE_NOT_FOUND) + std::to_string(jump.number));
        return;
    case LineJumpKind::Move:
        m.rememberPosition();
        a.view->goTo(jump.row, 0);
        return;
    }
}

}  // namespace viewer
