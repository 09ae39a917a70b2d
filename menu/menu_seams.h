// Where the main window and start-up hand over to the menu's other modules:
// the opening movie, the buttons and tab row of the menu screen, the command
// launcher and the document window. Each function is one call into the
// module that owns the work.
#pragma once
#include <windows.h>
#include <commctrl.h>

struct MenuApp;

namespace seam {

// Start-up: the stored movie preference (true: play at start).
bool moviePreferencePlays();
// Start-up: the button objects from their descriptions, the execute grid
// laid out. False ends start-up (the failing module has reported it).
bool createButtons(MenuApp& app);

// Movie phase. startMovie: true when a movie now plays over the window.
bool startMovie(HWND window);
void stopMovie(HWND window);
void movieStarted(HWND window, HWND movieWindow);
void movieEnded(HWND window);
// The movie items of the system menu; true when the command was one of them.
bool movieSystemCommand(HWND window, WPARAM command);

// Menu phase.
void buildScreen(HWND window);
void showPage(HWND window, int page);
void showEntry(HWND window, int entry);
void openInfo(HWND window);
void documentClosed(HWND window);
bool drawItem(HWND window, const DRAWITEMSTRUCT* item);
LRESULT notify(HWND window, const NMHDR* header);
void timer(HWND window, UINT_PTR id);
// The screen's palette capability changed: cached bitmaps are rebuilt.
void paletteCapabilityChanged(HWND window);
// The click sound of the button with this control identifier.
void playClick(int id);
// Command launcher.
void runCommand(HWND window, HWND button);
void runNextCommand(HWND window);

// The open document window, or null.
HWND documentWindow();

// Exit.
void destroyButtons();
void storeMoviePreference();
void releaseDocumentSupport();

}  // namespace seam
