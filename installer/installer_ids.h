// Private window messages of Talinst.
#pragma once
#include <windows.h>

// Posted by the item list to itself after it has been laid out, so the first
// column can take the width the scroll bar leaves.
const UINT WM_APP_ITEMLIST_READY = WM_USER + 1;
