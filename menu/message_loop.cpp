#include "message_loop.h"

namespace menu {

namespace messageloop {

bool offer(MSG& message, HWND documentWindow, HWND mainWindow, HACCEL accelerators) {
    if (documentWindow && IsWindow(documentWindow) && IsDialogMessageA(documentWindow, &message)) return true;
    // The accelerators come before the main window's IsDialogMessageA: that
    // call dispatches every message of the window and its children itself
    // and reports it as taken, so keys offered to it first never reach the
    // accelerator table.
    if (mainWindow && accelerators && TranslateAcceleratorA(mainWindow, accelerators, &message)) return true;
    if (mainWindow && IsDialogMessageA(mainWindow, &message)) return true;
    return false;
}

int run(HWND mainWindow, HACCEL accelerators, HWND (*documentWindow)()) {
    MSG message = {};
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        HWND document = documentWindow ? documentWindow() : nullptr;
        if (offer(message, document, mainWindow, accelerators)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace messageloop

}  // namespace menu
