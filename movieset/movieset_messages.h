// Private messages of the movie setting tool's dialog.
#pragma once
#include <windows.h>

// Shows the sentence that fits the check box's state; posted at start and
// after every click on the box.
const UINT WMU_UPDATE_EXPLANATION = WM_USER + 1;
// Stores the choice and ends the dialog; posted by "OK".
const UINT WMU_APPLY = WM_USER + 2;
