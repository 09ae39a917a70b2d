// The destination dialog, the copy window and the extraction window open
// where whichever of them closed last was.
#pragma once
#include <windows.h>

namespace installer {

void recordWindowPosition(HWND window);
// Moves the window to the recorded place (kept on the screen), or centres
// it on the screen when nothing was recorded yet.
void placeWindow(HWND window);

}  // namespace installer
