// Private window messages of Talinst.
#pragma once
#include <windows.h>

namespace installer {

// Posted by the item list to itself after it has been laid out, so the first
// column can take the width the scroll bar leaves.
const UINT WM_APP_ITEMLIST_READY = WM_USER + 1;
// Posted by the extraction window to itself once it shows: the archives are
// unpacked from there, inside the window's own message loop.
const UINT WM_APP_EXTRACT_START = WM_USER + 2;

}  // namespace installer
