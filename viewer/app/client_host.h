// The document side of the client window: the command dispatcher, the
// key-assignment table, the caption, dropped files and shut-down.
#pragma once
#include "view_host.h"

namespace viewer {

ViewHost& clientHost();

// Runs one command as the menu, the accelerators and the keys do.
void dispatchCommand(unsigned command);
// Closes the window (command 10, WM_CLOSE, Esc in browse mode, message 1075).
void shutDown();
// Puts the freshly loaded document into the window and goes to the requested place.
void showLoadedDocument(int jumpLine, int jumpColumn, int jumpRow);
// Opens a file in this window (Ctrl+double-click on an address, a drop on an empty viewer).
// `code` forces a character code (kCodeAuto detects it).
bool openInThisWindow(const std::string& path, unsigned char code = 0);

}  // namespace viewer
