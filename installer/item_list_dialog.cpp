#include "item_list_dialog.h"
#include "document_view.h"
#include "resource.h"
#include "texts.h"
#include <commctrl.h>

namespace installer {

bool ItemListDialog::choose(std::string* section) {
    if (ctx_.script.sectionNames().empty()) return false;
    rows_ = itemRows(ctx_.script);
    if (runModal(ctx_.instance, IDD_ITEMLIST, nullptr) != IDOK) return false;
    *section = chosen_;
    return true;
}

BOOL ItemListDialog::onInit() {
    HICON icon = LoadIconA(ctx_.instance, MAKEINTRESOURCEA(IDI_TALINST));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, (LPARAM)icon);
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    HWND list = item(IDC_ITEM_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);

    RECT rc;
    GetClientRect(hwnd_, &rc);
    layout(rc.right, rc.bottom);
    GetClientRect(list, &rc);
    int modeWidth = ListView_GetStringWidth(list, texts::kModeSample) + 12;
    int sectionWidth = ListView_GetStringWidth(list, texts::kSectionSample) + 12;
    int titleWidth = rc.right - modeWidth - sectionWidth - GetSystemMetrics(SM_CXVSCROLL);
    const char* names[3] = {texts::kColumnTitle, texts::kColumnMode, texts::kColumnSection};
    int widths[3] = {titleWidth > 40 ? titleWidth : 40, modeWidth, sectionWidth};
    for (int i = 0; i < 3; i++) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = const_cast<char*>(names[i]);
        col.cx = widths[i];
        col.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, (LPARAM)&col);
    }
    fill();
    SetForegroundWindow(hwnd_);
    SetFocus(list);
    return FALSE;
}

void ItemListDialog::fill() {
    HWND list = item(IDC_ITEM_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < rows_.size(); i++) {
        const ItemRow& r = rows_[i];
        std::string shown = r.section.substr(0, kRowSectionShown);
        LVITEMA it = {};
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = (int)i;
        it.pszText = const_cast<char*>(r.title.c_str());
        it.lParam = (LPARAM)i;
        int at = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&it);
        LVITEMA sub = {};
        sub.iSubItem = 1;
        sub.pszText = const_cast<char*>(r.mode.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, at, (LPARAM)&sub);
        sub.iSubItem = 2;
        sub.pszText = const_cast<char*>(shown.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, at, (LPARAM)&sub);
    }
    updateButtons();
}

int ItemListDialog::selectedRow() const {
    HWND list = GetDlgItem(hwnd_, IDC_ITEM_LIST);
    int at = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (at < 0) return -1;
    LVITEMA it = {};
    it.mask = LVIF_PARAM;
    it.iItem = at;
    if (!SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&it)) return -1;
    return (int)it.lParam < (int)rows_.size() ? (int)it.lParam : -1;
}

void ItemListDialog::updateButtons() {
    int row = selectedRow();
    EnableWindow(item(IDOK), row >= 0);
    EnableWindow(item(IDC_ITEM_DOC), row >= 0 && ctx_.script.hasKey(rows_[row].section.c_str(), "LzhView"));
}

void ItemListDialog::layout(int width, int height) {
    MoveWindow(item(IDC_ITEM_LIST), 0, 0, width, height > 30 ? height - 30 : 0, TRUE);
    int x = width - 5;
    for (int id : {IDC_ITEM_DOC, IDCANCEL, IDOK}) {
        RECT r;
        GetWindowRect(item(id), &r);
        int w = r.right - r.left, h = r.bottom - r.top;
        x -= w;
        MoveWindow(item(id), x, height - 25, w, h, TRUE);
        x -= 5;
    }
}

void ItemListDialog::onCommand(int id, int, HWND) {
    switch (id) {
    case IDOK: {
        int row = selectedRow();
        if (row < 0) return;
        chosen_ = rows_[row].section.substr(0, 255);
        EndDialog(hwnd_, IDOK);
        break;
    }
    case IDCANCEL:
        EndDialog(hwnd_, IDCANCEL);
        break;
    case IDC_ITEM_DOC: {
        int row = selectedRow();
        if (row >= 0) showDocument(hwnd_, ctx_, rows_[row].section.c_str(), 1, 0, nullptr);
        SetFocus(item(IDC_ITEM_LIST));
        break;
    }
    }
}

INT_PTR ItemListDialog::onMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        mm->ptMinTrackSize.x = 320;
        mm->ptMinTrackSize.y = 160;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* n = reinterpret_cast<NMHDR*>(lParam);
        if (n->idFrom != IDC_ITEM_LIST) return FALSE;
        if (n->code == LVN_ITEMCHANGED) {
            updateButtons();
        } else if (n->code == NM_DBLCLK) {
            if (selectedRow() >= 0) onCommand(IDOK, BN_CLICKED, nullptr);
        } else if (n->code == LVN_COLUMNCLICK) {
            int col = reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem;
            if (col >= 0 && col < 3) {
                descending_[col] = !descending_[col];
                int row = selectedRow();
                std::string keep = row >= 0 ? rows_[row].section : std::string();
                sortRows(rows_, col, descending_[col]);
                fill();
                // The chosen row stays chosen across the new order.
                for (size_t i = 0; i < rows_.size() && !keep.empty(); i++)
                    if (rows_[i].section == keep) {
                        ListView_SetItemState(item(IDC_ITEM_LIST), (int)i, LVIS_SELECTED | LVIS_FOCUSED,
                                              LVIS_SELECTED | LVIS_FOCUSED);
                        break;
                    }
            }
        }
        return TRUE;
    }
    }
    return FALSE;
}

}  // namespace installer
