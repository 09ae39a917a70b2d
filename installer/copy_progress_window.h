// The modeless copy window: one block of the copy per turn of the message
// loop, the overwrite and error questions as dialogs, Cancel with a question.
#pragma once
#include <windows.h>
#include "copy_engine.h"
#include "dialog_base.h"

namespace installer {

class CopyProgressWindow : public common::DialogBase, public CopyPrompts {
public:
    explicit CopyProgressWindow(HINSTANCE instance) : instance_(instance) {}
    // Copies the list; false when the user aborted (the run is undone then).
    bool run(CopyList& list);

    void showFiles(const char* source, const char* destination) override;
    void showProgress(int percent) override;
    OverwriteAnswer askOverwrite(CopyEntry& entry, const WIN32_FIND_DATAA& existing) override;
    ErrorAnswer askError(int error, const char* path) override;

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;

private:
    HINSTANCE instance_;
    bool abortRequested_ = false;
    int lastPercent_ = -1;
};

}  // namespace installer
