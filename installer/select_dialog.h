// "インストールするコンポーネントの選択": a selection section's six choices.
#pragma once
#include <windows.h>
#include <string>
#include "dialog_base.h"
#include "installer_context.h"

namespace installer {

class SelectDialog : public common::DialogBase {
public:
    SelectDialog(InstallerContext& ctx, const std::string& section) : ctx_(ctx), section_(section) {}
    // The section of the chosen item; false on Cancel or when it names none.
    bool choose(std::string* section);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;

private:
    InstallerContext& ctx_;
    std::string section_;
    std::string chosen_;
};

}  // namespace installer
