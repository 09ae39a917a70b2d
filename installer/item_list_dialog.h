// "インストール項目を選択": every installable section of the script.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "dialog_base.h"
#include "installer_context.h"
#include "item_rows.h"

namespace installer {

class ItemListDialog : public common::DialogBase {
public:
    explicit ItemListDialog(InstallerContext& ctx) : ctx_(ctx) {}
    // The chosen section; false on Cancel (or when the script has no sections).
    bool choose(std::string* section);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fill();
    void layout(int width, int height);
    int selectedRow() const;
    void updateButtons();

    InstallerContext& ctx_;
    std::vector<ItemRow> rows_;
    bool descending_[3] = {true, true, true};  // flipped before the first sort: ascending
    std::string chosen_;
};

}  // namespace installer
