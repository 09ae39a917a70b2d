#include <windows.h>
#include "doctexts.h"

namespace kv {

namespace {

HWND g_owner = nullptr;

class MessageBoxSink : public MessageSink {
public:
    void show(const char* text) override {
        HWND owner = g_owner && IsWindow(g_owner) ? GetLastActivePopup(g_owner) : nullptr;
        MessageBoxA(owner, text, "", MB_OK | MB_ICONERROR);
    }
};

}  // namespace

MessageSink& defaultMessageSink() {
    static MessageBoxSink sink;
    return sink;
}

void setMessageOwner(void* hwnd) { g_owner = static_cast<HWND>(hwnd); }

}  // namespace kv
