// What the text window asks of the program around it: running commands,
// the key-assignment table, the line-number option, and the frame.
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

class ViewHost {
public:
    virtual ~ViewHost() = default;
    // The frame's dispatcher.
    virtual void runCommand(unsigned command) = 0;
    // Command assigned to a key in the key-assignment table, 0 for none.
    virtual unsigned keyCommand(unsigned virtualKey, bool ctrl, bool shift, bool alt) = 0;
    virtual bool lineNumbersShown() = 0;
    virtual void setLineNumbersShown(bool on) = 0;
    // The line-number margin changed width by delta pixels: the frame follows.
    virtual void marginWidthChanged(int delta) = 0;
    // The caret moved: the position indicator in the menu bar is redrawn.
    virtual void caretMoved() = 0;
    // Ctrl+double-click on an address names a file: open it in this window.
    virtual void openFile(const std::string& path) = 0;
    // Messages of the client window that concern the document and the frame.
    virtual bool clientMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) = 0;
    // A text from the program's string table.
    virtual std::string text(int id) = 0;
};

}  // namespace viewer
