// The mark-list dialog: the search start (when there is one) and the marks,
// with adding, removing and clearing in place; moving closes it.
#include "marks.h"
#include "app.h"
#include "client_host.h"
#include "search_commands.h"
#include "dialog_base.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"

namespace viewer {
namespace {

class MarkListDialog : public common::DialogBase {
public:
    enum Choice { None, SearchStart, MarkEntry };
    Choice choice = None;
    Mark chosen;

protected:
    BOOL onInit() override {
        fill();
        int count = static_cast<int>(SendMessageA(list(), LB_GETCOUNT, 0, 0));
        SendMessageA(list(), LB_SETCURSEL, count - 1, 0);
        return TRUE;
    }
    void onCommand(int id, int code, HWND) override {
        switch (id) {
        case IDC_MARK_LIST:
            if (code == LBN_DBLCLK) move();
            break;
        case IDOK:
            move();
            break;
        case IDC_MARK_ADD:
            addMarkAtCaret();
            rebuilt();
            break;
        case IDC_MARK_DELETE:
            removeSelected();
            break;
        case IDC_MARK_CLEAR:
            for (MarkWindow w : markTable().clear()) repaintMarkWindow(w);
            rebuilt();
            break;
        case IDC_MARK_HELP:
            break;  // the help file is not part of the viewer
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            break;
        }
    }
    INT_PTR onMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        // The list box passes its keys here (it wants keyboard input): Ins adds, Del removes.
        if (msg == WM_VKEYTOITEM && reinterpret_cast<HWND>(lp) == list()) {
            if (LOWORD(wp) == VK_INSERT) {
                onCommand(IDC_MARK_ADD, BN_CLICKED, nullptr);
                return -2;
            }
            if (LOWORD(wp) == VK_DELETE) {
                onCommand(IDC_MARK_DELETE, BN_CLICKED, nullptr);
                return -2;
            }
            return -1;
        }
        return FALSE;
    }

private:
    HWND list() const { return item(IDC_MARK_LIST); }
    int firstMark() const { return hasSearchStart_ ? 1 : 0; }

    void fill() {
        hasSearchStart_ = searchStartRecorded();
        if (hasSearchStart_)
            SendMessageA(list(), LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(loadText(IDS_SEARCH_START_ENTRY).c_str()));
        const MarkTable& t = markTable();
        for (std::size_t i = 0; i < t.size(); ++i) {
            std::string text = MarkTable::listText(t.at(i));
            SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }

    // The list is filled again without flicker; nothing selected, the focus stays on it.
    void rebuilt() {
        SendMessageA(list(), WM_SETREDRAW, FALSE, 0);
        SendMessageA(list(), LB_RESETCONTENT, 0, 0);
        fill();
        SendMessageA(list(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list(), nullptr, TRUE);
        SetDlgItemTextA(hwnd_, IDCANCEL, loadText(IDS_MARK_LIST_DONE).c_str());
        SendMessageA(list(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetFocus(list());
    }

    void removeSelected() {
        int sel = static_cast<int>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
        if (sel == LB_ERR || sel < firstMark()) {
            MessageBeep(0);
            return;
        }
        repaintMarkWindow(markTable().remove(static_cast<std::size_t>(sel - firstMark())));
        rebuilt();
    }

    void move() {
        int sel = static_cast<int>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
        if (sel == LB_ERR) {
            MessageBeep(0);
            return;
        }
        if (sel < firstMark()) {
            choice = SearchStart;
        } else {
            std::size_t index = static_cast<std::size_t>(sel - firstMark());
            if (index >= markTable().size()) return;
            choice = MarkEntry;
            chosen = markTable().at(index);
        }
        EndDialog(hwnd_, IDOK);
    }

    bool hasSearchStart_ = false;
};

}  // namespace

void runMarkList() {
    App& a = app();
    if (!a.frame) return;
    MarkListDialog dialog;
    if (dialog.runModal(a.instance, IDD_MARK_LIST, a.frame) != IDOK) return;
    if (dialog.choice == MarkListDialog::SearchStart)
        dispatchCommand(IDM_BACK_TO_SEARCH_START);
    else if (dialog.choice == MarkListDialog::MarkEntry)
        jumpToMark(dialog.chosen);
}

}  // namespace viewer
