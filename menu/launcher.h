// The menu's command launcher: runs an execute button's command list one
// command per posted message (WM_USER+10), through the shell. "@view" opens
// the document window, "@http"/"@ftp" the browser, ".chm" files the help
// viewer, video files their registered play command, anything else
// ShellExecuteA with its own folder as working folder. A failed start is
// reported in Japanese with the command, its arguments and its folder.
#pragma once
#include <windows.h>
#include "command_list.h"

namespace menu {

class Launcher {
public:
    Launcher() = default;
    virtual ~Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // The title of the launcher's message boxes (the menu's caption).
    void setCaption(const char* caption);

    // WM_USER+9: copies the list to the pending list and runs its first
    // command; when more remain, WMU_RUN_NEXT (WM_USER+10) is posted to mainWindow.
    void runCommandList(HWND mainWindow, const char* commandList);
    // WM_USER+10 (and WM_USER+4 after a replayed movie): runs the next
    // pending command, posting WM_USER+10 again while more remain. Does
    // nothing when no list is pending.
    void runNext(HWND mainWindow);
    bool hasPending() const { return !pending_.empty(); }
    void clearPending() { pending_.clear(); }

    // Runs one command.
    void runCommand(HWND mainWindow, const char* command);

protected:
    // The shell and the user, overridable so that tests can watch them.
    virtual int shellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                             const char* folder, int show);
    virtual void showMessage(HWND owner, const char* text, const char* title, UINT style);
    virtual HWND openView(HWND mainWindow, const char* file);
    // The Windows folder, where the help viewer lives.
    virtual void windowsFolder(char* out, size_t size);

private:
    void runProgram(HWND mainWindow, const char* command);
    void report(HWND mainWindow, int result, const char* file, const char* parameters, const char* folder,
                bool webDocument);

    commands::PendingList pending_;
    char caption_[260] = "";
};

// The menu's one launcher.
Launcher& menuLauncher();

}  // namespace menu
