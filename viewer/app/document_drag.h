// Dragging the shown document out of the frame's window icon, as a file
// that other programs can take (a drop onto the desktop or a folder copies it).
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

// Called for a button press on the window icon (hit-test HTSYSMENU). Tracks
// the pointer: a move of more than 2 pixels drags the file; a release without
// one is replayed as an ordinary click on the icon. Returns true when the
// press was taken care of.
bool trackIconPress(HWND frame, const std::string& path, bool rightButton, POINT screen);

}  // namespace viewer
