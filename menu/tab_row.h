// The row of page tabs: an owner-drawn, subclassed tab control (control 102)
// over the page list of MENU.DAT, or no window at all below two pages. It
// remembers the entry last chosen on each tab for the whole run.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "click_sound.h"
#include "menu_config.h"
#include "window_base.h"

namespace menu {

class MenuData;
class Palette;

class TabRow : public common::WindowBase {
public:
    TabRow() = default;
    ~TabRow() override;

    // Loads the page list and, with two pages or more, creates the tab
    // control at the description's position and size. Returns the page count.
    int create(HWND parent, HINSTANCE instance, const TabDesc& desc, MenuData& data);
    void destroy();

    HWND window() const { return hwnd_; }
    // Tabs in the row; without a row the single page (or none) counts.
    int count() const { return count_; }
    int current() const { return current_; }
    void setCurrent(int tab);
    // Moves the control's selection to the tab (no notification follows).
    void select(int tab);

    // Entry last chosen on the tab (0 at first); 0 for a tab out of range.
    int remembered(int tab) const;
    void remember(int tab, int entry);

    int lastShown() const { return lastShown_; }
    void setLastShown(int tab) { lastShown_ = tab; }

    void enable(bool enabled);

    // WM_DRAWITEM of the control; false when it is not a tab item of this row.
    bool drawItem(const DRAWITEMSTRUCT* item, Palette* palette);
    // WM_NOTIFY of the control: the tab to show, or -1 when the notice asks for nothing.
    int notified(const NMHDR* header, MenuData& data);

    // Plays the row's click sound (own sound, else the standard one).
    void playClick();

private:
    // The subclassed control's messages: a click sound on press, a repaint on a palette change.
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    int count_ = 0;
    int current_ = 0;
    int lastShown_ = -1;
    std::vector<int> remembered_ = std::vector<int>(1, 0);
    HBRUSH background_ = nullptr;
    StateStyle normal_;
    StateStyle selected_;
    ClickSound sound_;
    LONG soundAsync_ = 1;
};

}  // namespace menu
