// "タルヴォインストーラ - エラー": one copy error with Skip and Cancel.
#pragma once
#include <windows.h>
#include <string>
#include "copy_engine.h"
#include "dialog_base.h"

namespace installer {

class CopyErrorDialog : public common::DialogBase {
public:
    CopyErrorDialog(int error, const char* path);
    ErrorAnswer ask(HINSTANCE instance, HWND owner);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;

private:
    std::string text_;
};

}  // namespace installer
