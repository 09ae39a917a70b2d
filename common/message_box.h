// The one way to show a message box. Owner rules: a given owner that is no
// longer a window is dropped (a box owned by a destroyed window would not
// show); a box without an owner is brought to the foreground, because no
// window of the program holds the activation that would otherwise put it
// there. A null text or caption shows as empty.
#pragma once
#include <windows.h>

namespace common {

// MessageBoxA under the owner rules; returns its result.
int showMessageBox(HWND owner, const char* text, const char* caption, UINT flags);

}  // namespace common
