#include "first_message.h"
#include "dialog_base.h"
#include "installer_messages.h"
#include "resource.h"

namespace installer {

class FirstMessageDialog : public common::DialogBase {
public:
    explicit FirstMessageDialog(FirstMessage& owner) : owner_(owner) {}

protected:
    BOOL onInit() override {
        SetDlgItemTextA(hwnd_, IDC_FIRST_TEXT, owner_.text_.c_str());
        owner_.dialog_ = hwnd_;
        SetForegroundWindow(hwnd_);
        return TRUE;
    }
    void onCommand(int id, int, HWND) override {
        if (id == IDOK && owner_.answer_ < 0) {
            ShowWindow(item(IDOK), SW_HIDE);
            ShowWindow(item(IDCANCEL), SW_HIDE);
            ShowWindow(item(IDC_FIRST_PREPARING), SW_SHOW);
            InterlockedExchange(&owner_.answer_, 1);
            SetEvent(owner_.event_);
        } else if (id == IDCANCEL) {
            // The user's Cancel, or the installer closing the dialog later.
            if (owner_.answer_ < 0) InterlockedExchange(&owner_.answer_, 0);
            owner_.dialog_ = nullptr;
            EndDialog(hwnd_, IDCANCEL);
            SetEvent(owner_.event_);
        }
    }

private:
    FirstMessage& owner_;
};

DWORD WINAPI FirstMessage::threadMain(void* p) {
    FirstMessage* self = static_cast<FirstMessage*>(p);
    FirstMessageDialog dialog(*self);
    if (dialog.runModal(self->instance_, IDD_FIRSTMSG, nullptr) < 0 && self->answer_ < 0)
        InterlockedExchange(&self->answer_, 0);
    self->dialog_ = nullptr;
    SetEvent(self->event_);
    return 0;
}

FirstMessage::~FirstMessage() {
    close();
    if (event_) CloseHandle(event_);
}

bool FirstMessage::ask(const std::string& text) {
    text_ = text;
    event_ = CreateEventA(nullptr, TRUE, FALSE, "Talinst");
    if (!event_) return askQuestion(text.c_str());
    // Another installer may have left the shared event signalled.
    ResetEvent(event_);
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    if (!thread_) {
        CloseHandle(event_);
        event_ = nullptr;
        return askQuestion(text.c_str());
    }
    while (answer_ < 0) {
        HANDLE handles[2] = {event_, thread_};
        DWORD r = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (r == WAIT_OBJECT_0 + 1) break;    // the thread ended
        if (answer_ < 0) ResetEvent(event_);  // signalled by someone else
    }
    HANDLE e = event_;
    event_ = nullptr;
    CloseHandle(e);
    bool yes = answer_ == 1;
    if (!yes) close();
    return yes;
}

void FirstMessage::close() {
    if (!thread_) return;
    HWND d = dialog_;
    if (d && IsWindow(d)) SendMessageTimeoutA(d, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, 5000, nullptr);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    thread_ = nullptr;
}

}  // namespace installer
