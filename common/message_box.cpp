#include "message_box.h"

namespace common {

int showMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    if (owner && !IsWindow(owner)) owner = nullptr;
    if (!owner) flags |= MB_SETFOREGROUND;
    return MessageBoxA(owner, text ? text : "", caption ? caption : "", flags);
}

}  // namespace common
