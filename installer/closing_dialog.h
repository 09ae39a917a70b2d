// "ファイルの展開が終了しました": LastMsg, and the boxes that open the
// destination folder, the program-menu group folder and the follow-up entry.
#pragma once
#include <windows.h>
#include <string>
#include "dialog_base.h"
#include "section_texts.h"

namespace installer {

class ClosingDialog : public common::DialogBase {
public:
    struct Options {
        std::string message;  // first line and LastMsg, escapes not yet processed
        LastExec exec;
        std::string destination;
        bool groupMade = false;
        std::string groupFolder;
    };
    explicit ClosingDialog(const Options& o) : options_(o) {}

    // Shows the dialog and, after OK, opens what the checked boxes ask for.
    void run(HINSTANCE instance);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;

private:
    Options options_;
    bool openFolder_ = false, openGroup_ = false, followUp_ = false;
};

}  // namespace installer
