// The opening movie as the main window runs it: the stored preference in
// the registry, the movie items of the system menu, starting the movie when
// the window is created or replaying it on request, and the way back to the
// menu screen when it is over. The movie's own window is movie_window.h;
// this file owns the main window's side of the exchange.
//
// Order of a movie, whichever way it was started:
//   createMovieWindow opens the file and posts WMU_MOVIE_STARTED;
//   onStarted hides the screen's children and lets the movie play;
//   the movie window's end (its end reached, a click, a stop, a file that
//   would not open) posts WMU_MOVIE_ENDED;
//   onEnded shows the children again and switches to the menu phase, which
//   builds the menu screen or, when it exists, continues a pending command list.
#pragma once
#include <windows.h>

#include "movie_preference.h"

namespace menu {

namespace moviephase {

// Start-up: the stored preference under HKEY_LOCAL_MACHINE, read by the
// menu's rule (a value that cannot be read counts as play). shiftHeld skips
// the movie for this run only.
common::MenuMoviePreference readPreference(bool shiftHeld);
// Exit: writes "Yes" or "No" (without the terminating zero) when the choice
// changed during a run whose start-up succeeded; a failure is not reported.
void storePreference(const common::MenuMoviePreference& preference, bool startedOk);

// SC_MAXIMIZE and SC_SIZE go; when the disc names a movie, the items
// "replay" (131) and "do not play at start-up" (132, checked as given) and
// a separator go at the top, in that order.
void prepareSystemMenu(HWND main, bool movieNamed, bool noMovieChecked);

// WM_CREATE of the main window: the system menu, then the movie when the
// disc names one and this run plays it; otherwise straight to the menu phase.
void onCreate(HWND main);
// WMU_MOVIE_STARTED: the movie window is open; the screen gives way to it.
void onStarted(HWND main, HWND movie);
// WMU_MOVIE_ENDED: the screen comes back and the menu phase takes over.
void onEnded(HWND main);
// WM_CLOSE during the movie: the movie stops before the window goes.
void stop();
// WM_SYSCOMMAND in either phase: true when it was one of the movie items.
bool onSysCommand(HWND main, WPARAM command);
// A movie window exists.
bool playing();

}  // namespace moviephase

}  // namespace menu
