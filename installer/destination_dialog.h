// "インストール／コピー先の選択": the destination folder, the shortcut
// boxes and the per-drive size check.
#pragma once
#include <windows.h>
#include <string>
#include "copy_entry.h"
#include "dialog_base.h"

namespace installer {

class DestinationDialog : public common::DialogBase {
public:
    struct Options {
        std::string heading;  // empty: the resource text stays
        bool hasHeading = false;
        std::string folder;         // initial destination
        bool offerGroup = false;    // program-menu shortcuts allowed
        bool offerDesktop = false;  // desktop shortcuts allowed too
        CopyList* files = nullptr;  // for "確認(&C)"
        CopyList* archives = nullptr;
    };
    explicit DestinationDialog(const Options& options) : options_(options) {}

    // Modal; true for OK.
    bool run(HINSTANCE instance);

    const std::string& folder() const { return folder_; }
    bool groupChosen() const { return group_; }
    bool desktopChosen() const { return desktop_; }
    // The folder picked with "登録場所参照(&M)"; empty for the Programs folder.
    const std::string& groupPlace() const { return groupPlace_; }

    // The folder a browse or drop yields, with the initial folder's last
    // component appended unless it already ends with it.
    static std::string withLastComponent(const std::string& chosen, const std::string& component);
    static std::string lastComponent(const std::string& folder);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void browse();
    void browseGroup();
    void checkSizes();
    std::string editText() const;

    Options options_;
    std::string component_;
    std::string folder_;
    std::string groupPlace_;
    bool group_ = false, desktop_ = false;
};

}  // namespace installer
