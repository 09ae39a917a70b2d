// The menu's main window, class `OstrelClass`: a fixed-size window whose
// client area is the background picture. It runs with one of two procedures:
// the movie phase (from creation until the menu screen exists, and while a
// movie replays) and the menu phase.
#pragma once
#include <windows.h>

namespace menu {

struct MenuApp;

namespace mainwindow {

extern const char* const kClassName;
const DWORD kStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Registers the class (after InitCommonControls): icon 101, arrow cursor,
// the stock white brush when whiteBack is set, else the stock black one.
ATOM registerClass(HINSTANCE instance, bool whiteBack);
// Creates the window with a client area of clientWidth x clientHeight,
// centred on the screen, captioned with caption. Null on failure.
HWND create(HINSTANCE instance, const char* caption, int clientWidth, int clientHeight);

// Switches the window to the menu-phase procedure and asks it to build (or
// return to) the menu screen.
void enterMenuPhase(HWND window);
// Switches the window to the movie-phase procedure.
void enterMoviePhase(HWND window);
bool inMenuPhase(HWND window);

LRESULT CALLBACK moviePhaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK menuPhaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace mainwindow

}  // namespace menu
