// The installer's text window: a document shown read-only in a rich-edit
// control, as RTF or plain text, with web addresses that open on a click.
#pragma once
#include <windows.h>
#include <string>
#include "dialog_base.h"

namespace installer {

class TextWindow : public common::DialogBase {
public:
    // data: the document's bytes; title: the window's title.
    TextWindow(const std::string& data, const std::string& title) : data_(data), title_(title) {}
    // Shows the window modally; false when it could not be made.
    bool show(HINSTANCE instance, HWND owner);

protected:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layout(int width, int height);
    void openLink(LONG start, LONG end);

    std::string data_;
    std::string title_;
    HWND edit_ = nullptr;
};

// True when the text starts with "{\rtf1" (any case).
bool isRtfText(const std::string& data);

}  // namespace installer
