// The FirstMsg question, shown from a second thread while the main thread
// waits on the named event "Talinst". After OK the dialog stays up with
// "インストールの準備中です……" until the installer shows its next window.
#pragma once
#include <windows.h>
#include <string>

namespace installer {

class FirstMessage {
public:
    explicit FirstMessage(HINSTANCE instance) : instance_(instance) {}
    ~FirstMessage();
    FirstMessage(const FirstMessage&) = delete;
    FirstMessage& operator=(const FirstMessage&) = delete;

    // Shows the text as it stands and waits for the answer; true for OK.
    bool ask(const std::string& text);
    // Closes the dialog if it is still up (by sending it the Cancel command).
    void close();

private:
    static DWORD WINAPI threadMain(void* self);

    HINSTANCE instance_;
    std::string text_;
    HANDLE thread_ = nullptr;
    HANDLE event_ = nullptr;
    volatile HWND dialog_ = nullptr;
    volatile LONG answer_ = -1;  // -1 none yet, 0 no, 1 yes

    friend class FirstMessageDialog;
};

}  // namespace installer
