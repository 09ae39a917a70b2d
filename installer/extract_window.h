// The extraction window: unpacks a list of archives (or copies unchanged
// what no archiver library takes) into their folders, showing the library's
// progress notifications, with Cancel. What it wrote is deleted again when
// the run fails or is cancelled.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "arc_extract_info.h"
#include "copy_entry.h"
#include "dialog_base.h"

namespace installer {

class ExtractWindow : public common::DialogBase {
public:
    ExtractWindow(HINSTANCE instance, CopyList& entries) : instance_(instance), entries_(entries) {}
    // Runs the window modally; true when every entry was unpacked or copied.
    bool run();
    bool cancelled() const { return cancelled_; }

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool processAll();
    bool extractEntry(CopyEntry& entry, const std::string& archive, const std::string& folder);
    bool extractBelowBase(const std::string& archive, const std::string& folder, const std::string& base);
    bool copyUnchanged(const std::string& source, const std::string& folder);
    LRESULT notification(UINT type, const ArcExtractInfo* info);
    void showProgress();
    void pumpMessages();
    void reportResult(const std::string& archive, int result);

    HINSTANCE instance_;
    CopyList& entries_;
    std::vector<std::string> written_;
    std::string writingBelow_;  // every file of the current extraction lands below this folder
    bool abort_ = false;
    bool cancelled_ = false;
    bool refused_ = false;  // a notification named a file outside writingBelow_
    // The current file and its share written, and what the window shows.
    std::string stored_, dest_, shownStored_, shownDest_;
    int percent_ = 0;
    int shownPercent_ = 0;
    DWORD lastPump_ = 0;  // tick count of the last look at the message queue
};

// The folder an archive entry unpacks into: its own destination folder (a
// macro's full path, or relative to the chosen folder) or the chosen folder.
std::string archiveTarget(CopyEntry& entry);

}  // namespace installer
