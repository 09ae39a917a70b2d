// The opening movie's window, class OstrelAVIClass: a black child over the
// whole client area of the menu's main window in which the video player
// draws the movie centred. It tells its parent when the movie is over,
// whichever way that came about: the end was reached, the user clicked it,
// the parent stopped it, or the file could not be opened at all.
//
// The exchange with the parent (numbers in messages.h):
//   createMovieWindow  posts WMU_MOVIE_STARTED (lParam: the movie window) to
//                      the parent once the file is open;
//   parent             posts WMU_MOVIE_PLAY to the movie window to start it,
//                      and sends WMU_MOVIE_STOP when it closes during the movie;
//   movie window       posts WMU_MOVIE_ENDED to the parent as it is destroyed.
#pragma once
#include <windows.h>

namespace menu {

constexpr const char kMovieWindowClass[] = "OstrelAVIClass";

// Registers the class on first use, creates the window at 0, 0 with the
// parent's client size and opens file in it. Returns the window when the
// file opened (WMU_MOVIE_STARTED is on its way to the parent). Returns null
// when it did not: a missing or unreadable file, no video device, no window;
// WMU_MOVIE_ENDED is then already posted, so the parent goes on exactly as
// after a movie, and nothing is shown to the user.
HWND createMovieWindow(HINSTANCE instance, HWND parent, const char* file);

// Unregisters the class once the movie is over (the next movie registers it again).
void unregisterMovieWindowClass(HINSTANCE instance);

}  // namespace menu
