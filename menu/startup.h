// Start-up and exit of the disc menu. Start-up runs in a fixed order; any
// step that fails ends the program after its message (exit code 0) with no
// window shown.
#pragma once
#include <windows.h>

namespace menu {

struct MenuApp;

namespace startup {

// Everything before the main window: data files, single instance, current
// folder, pictures, button descriptions, palette, button objects.
bool prepare(MenuApp& app, HINSTANCE instance);
// Registers the class, creates and shows the main window; false (silently)
// when the window cannot be made.
bool openWindow(MenuApp& app);
// After the message loop: releases what start-up acquired and restores the
// caller's current directory.
void finish(MenuApp& app);

// The name of the single-instance mutex of a program path: the path with
// every backslash byte turned into "/" (a mutex name must not contain one).
void mutexName(const char* programPath, char* out, size_t size);

}  // namespace startup

}  // namespace menu
