// The movie setting tool from start to end: read the stored choice, let the
// user change it in the dialog, and after OK offer to start the menu when it
// lies in the current folder.
#pragma once
#include <windows.h>

namespace movieset {

// The choice as stored: true when the menu is not to play its movie.
bool readStoredChoice();
// Runs the tool; the exit code, always 0.
int runMovieSetting(HINSTANCE instance);

}  // namespace movieset
