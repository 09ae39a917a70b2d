#include "menuseams.h"

#include "mainwindow.h"
#include "menuapp.h"

namespace seam {

bool moviePreferencePlays() { return true; }

bool createButtons(MenuApp&) { return true; }

bool startMovie(HWND) { return false; }
void stopMovie(HWND) {}
void movieStarted(HWND, HWND) {}
void movieEnded(HWND window) { mainwindow::enterMenuPhase(window); }
bool movieSystemCommand(HWND, WPARAM) { return false; }

void buildScreen(HWND window) { InvalidateRect(window, nullptr, FALSE); }
void showPage(HWND, int) {}
void showEntry(HWND, int) {}
void openInfo(HWND) {}
void documentClosed(HWND) {}
bool drawItem(HWND, const DRAWITEMSTRUCT*) { return false; }
LRESULT notify(HWND, const NMHDR*) { return 0; }
void timer(HWND window, UINT_PTR id) { KillTimer(window, id); }
void paletteCapabilityChanged(HWND) {}
void playClick(int) {}
void runCommand(HWND, HWND) {}
void runNextCommand(HWND) {}

HWND documentWindow() { return nullptr; }

void destroyButtons() {}
void storeMoviePreference() {}
void releaseDocumentSupport() {}

}  // namespace seam
