// Dialog 190: another viewer already shows the file about to be opened.
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

// The button chosen: IDC_SAME_READONLY, IDC_SAME_OPEN, IDC_SAME_CLOSE_OPEN
// or IDCANCEL (also when the dialog could not be shown).
int askSameFile(HINSTANCE instance, HWND owner, const std::string& fileName, const std::string& question);

}  // namespace viewer
