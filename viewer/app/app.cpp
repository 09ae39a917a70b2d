#include "app.h"
#include "message_box.h"

namespace viewer {

App& app() {
    static App state;
    return state;
}

std::string loadText(int id) {
    char buf[1024];
    int n = LoadStringA(app().instance, static_cast<UINT>(id), buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

void errorBox(const std::string& text) {
    HWND owner = app().frame ? GetLastActivePopup(app().frame) : nullptr;
    common::showMessageBox(owner, text.c_str(), "", MB_ICONHAND | MB_OK);
}

}  // namespace viewer
