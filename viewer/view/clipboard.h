// Puts copied text on the clipboard.
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

// CF_TEXT with a terminating NUL; a box selection also sets CF_DSPTEXT to
// "BOX", the marker by which a pasting program recognises a box. False when
// the clipboard or the memory could not be had (the clipboard is left empty).
bool putOnClipboard(HWND owner, const std::string& text, bool box);

}  // namespace viewer
