// "ﾌｧｲﾙの上書きの確認": the existing file (upper pair) against the new one.
#pragma once
#include <windows.h>
#include "copy_engine.h"
#include "dialog_base.h"

namespace installer {

class OverwriteDialog : public common::DialogBase {
public:
    OverwriteDialog(CopyEntry& entry, const WIN32_FIND_DATAA& existing)
        : entry_(entry), existing_(existing) {}
    OverwriteAnswer ask(HINSTANCE instance, HWND owner);

    // "%d年%02d月%02d日、%02d:%02d" of a file time, in local time.
    static std::string fileTimeText(const FILETIME& time);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;

private:
    CopyEntry& entry_;
    WIN32_FIND_DATAA existing_;
    HICON icons_[2] = {nullptr, nullptr};
};

}  // namespace installer
