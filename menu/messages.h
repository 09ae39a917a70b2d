// Private messages of the menu's main window and its command numbers. Other
// windows of the program (movie window, buttons, tab row, document window)
// send these, so the values are fixed.
#pragma once
#include <windows.h>

#include "resource.h"

namespace menu {

// Main window messages.
const UINT WMU_MOVIE_STARTED = WM_USER + 1;  // lParam: the movie window
const UINT WMU_MOVIE_ENDED = WM_USER + 3;    // the movie ended or was stopped
const UINT WMU_BUILD_SCREEN = WM_USER + 4;   // build the menu screen, or continue a pending list
const UINT WMU_SHOW_PAGE = WM_USER + 5;      // wParam: page
const UINT WMU_SHOW_ENTRY = WM_USER + 6;     // wParam: entry of the current page
const UINT WMU_RUN_COMMAND = WM_USER + 9;    // lParam: the execute button's window
const UINT WMU_RUN_NEXT = WM_USER + 10;      // next command of the pending list
// WM_USER + 12 is the document window's closing notice, common::WM_DOCUMENT_CLOSED.

// Movie window messages.
const UINT WMU_MOVIE_OPEN = WM_USER + 1;
const UINT WMU_MOVIE_PLAY = WM_USER + 2;
const UINT WMU_MOVIE_STOP = WM_USER + 8;

// Control identifiers and commands of the main window.
const int IDC_TAB_ROW = 102;
const int IDC_FIRST_EXECUTE = 113;      // 113 + i: execute button i
const int IDC_FIRST_MENU_BUTTON = 200;  // 200 + i: page-menu button i
// Notification code of the press notice a button posts when the mouse goes
// down on it (the click itself comes with code 0).
const WORD BN_PRESS_NOTICE = 0x0201;

// System menu items of the opening movie.
const UINT IDM_MOVIE_PLAY = 131;
const UINT IDM_MOVIE_AT_START = 132;

// Timer that shows the first page when no tab was chosen.
const UINT_PTR ID_FIRST_PAGE_TIMER = 666;

}  // namespace menu
