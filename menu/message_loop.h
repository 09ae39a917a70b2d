// The menu's message loop. Keys go first to the document window (so Tab,
// Esc and Enter work in it), then to the accelerator table of the main window,
// then to the main window's dialog-style keyboard handling.
#pragma once
#include <windows.h>

namespace menu {

namespace messageloop {

// Offers a message to the document window (when there is one), the
// accelerators and the main window; true when one of them took it and it
// must not be dispatched again.
bool offer(MSG& message, HWND documentWindow, HWND mainWindow, HACCEL accelerators);

// Runs until WM_QUIT; returns its exit code. documentWindow is asked for the
// open document window before every message.
int run(HWND mainWindow, HACCEL accelerators, HWND (*documentWindow)());

}  // namespace messageloop

}  // namespace menu
