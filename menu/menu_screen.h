// The menu screen: the Exit and Info buttons, the page-menu buttons, the
// grid of execute buttons, the shared tooltip and the tab row, and the
// switching between pages and entries that fills them from MENU.DAT. The
// main window's procedure hands its screen messages to the one instance.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "button.h"
#include "doc_window.h"
#include "menu_button.h"
#include "tab_row.h"

namespace menu {

struct MenuApp;

class MenuScreen {
public:
    explicit MenuScreen(MenuApp& app);
    ~MenuScreen();
    MenuScreen(const MenuScreen&) = delete;
    MenuScreen& operator=(const MenuScreen&) = delete;

    // Start-up, before any window exists: the button objects from their
    // descriptions, the execute grid laid out, the standard click sound
    // read. False (after telling the user) when an execute button has no
    // usable image.
    bool createButtons();
    // Text of the last createButtons failure.
    const char* failure() const { return failure_; }

    // WM_USER+4: builds the screen once; later calls continue a pending
    // command list instead.
    void build(HWND main);
    bool built() const { return built_; }
    // WM_USER+5: page n with its entries on the page-menu buttons.
    void showPage(int n);
    // WM_USER+6: entry n of the current page: commands, picture, Info.
    void showEntry(int n);
    // Info button (or the I key): the entry's popup text in the document window.
    void openInfo();
    // WM_USER+12: the document window was closed.
    void documentClosed();
    // WM_DRAWITEM / WM_NOTIFY of the tab row, WM_TIMER.
    bool drawItem(const DRAWITEMSTRUCT* item);
    LRESULT notify(const NMHDR* header);
    void timer(UINT_PTR id);
    // The screen's palette capability changed: the display picture is composed again.
    void paletteCapabilityChanged();
    // The click sound of the button with this control identifier.
    void playClick(int id);
    // After the movie: every button shown and enabled again as it was.
    void restoreButtons();
    // Destroys the windows and the button objects (exit).
    void destroy();

    Button& exitButton() { return exit_; }
    Button& infoButton() { return info_; }
    int executeCount() const { return static_cast<int>(execute_.size()); }
    Button* executeButton(int i);
    int menuButtonCount() const { return static_cast<int>(menuButtons_.size()); }
    MenuButton* menuButton(int i);
    Button* buttonById(int id);
    Button* buttonByWindow(HWND window);
    TabRow& tabs() { return tabs_; }
    HWND tooltip() const { return tooltip_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // The process-wide screen over menuApp().
    static MenuScreen& instance();

private:
    void composeDisplay();
    void placeCommands(int commands);
    void updatePopup();
    common::DocumentRequest popupRequest() const;
    void hideEntry();

    MenuApp& app_;
    HWND main_ = nullptr;
    Button exit_;
    Button info_;
    std::vector<std::unique_ptr<MenuButton>> menuButtons_;
    std::vector<std::unique_ptr<Button>> execute_;
    int columns_ = 0, rows_ = 0;
    TabRow tabs_;
    HWND tooltip_ = nullptr;
    bool built_ = false;
    RECT displayRect_ = {0, 0, 0, 0};  // where the last display picture was composed
    char failure_[1024] = {};
};

// The command index of the execute button whose window this is; -1 for any
// other window.
int commandIndexOf(HWND button);

}  // namespace menu
