#include "menu_seams.h"

#include "doc_window.h"
#include "launcher.h"
#include "main_window.h"
#include "menu_app.h"
#include "menu_screen.h"

namespace seam {

bool moviePreferencePlays() { return true; }

bool createButtons(MenuApp&) { return MenuScreen::instance().createButtons(); }

bool startMovie(HWND) { return false; }
void stopMovie(HWND) {}
void movieStarted(HWND, HWND) {}
void movieEnded(HWND window) { mainwindow::enterMenuPhase(window); }
bool movieSystemCommand(HWND, WPARAM) { return false; }

void buildScreen(HWND window) { MenuScreen::instance().build(window); }
void showPage(HWND, int page) { MenuScreen::instance().showPage(page); }
void showEntry(HWND, int entry) { MenuScreen::instance().showEntry(entry); }
void openInfo(HWND) { MenuScreen::instance().openInfo(); }
void documentClosed(HWND) { MenuScreen::instance().documentClosed(); }
bool drawItem(HWND, const DRAWITEMSTRUCT* item) { return MenuScreen::instance().drawItem(item); }
LRESULT notify(HWND, const NMHDR* header) { return MenuScreen::instance().notify(header); }
void timer(HWND, UINT_PTR id) { MenuScreen::instance().timer(id); }
void paletteCapabilityChanged(HWND) { MenuScreen::instance().paletteCapabilityChanged(); }
void playClick(int id) { MenuScreen::instance().playClick(id); }
void runCommand(HWND window, HWND button) {
    MenuApp& app = menuApp();
    int index = commandIndexOf(button);
    if (index < 0 || index >= app.data.commands.count) return;
    menuLauncher().setCaption(app.caption);
    menuLauncher().runCommandList(window, app.data.commands.commandLists[index]);
}
void runNextCommand(HWND window) { menuLauncher().runNext(window); }

HWND documentWindow() { return common::documentWindow(); }

void destroyButtons() { MenuScreen::instance().destroy(); }
void storeMoviePreference() {}
void releaseDocumentSupport() {
    common::closeDocument();
    common::releaseDocumentLibrary();
}

}  // namespace seam
