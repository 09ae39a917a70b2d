// The page-menu buttons (window class MN_MenuButton): radio-like bitmap
// buttons, one of them selected at a time. A press selects on release inside
// the button; the selected button does not react to clicks.
#pragma once
#include "button.h"

namespace menu {

class MenuButton : public Button {
public:
    MenuButton() = default;
    ~MenuButton() override;

    // The five operations that differ from Button.
    bool registerClass(HINSTANCE instance) override;
    HWND createWindow(HWND parent, HINSTANCE instance, int id, unsigned mode) override;
    void setLit(bool lit) override;
    // Selects (selected frame, lit cleared) or unselects (frame 0).
    void setPressed(bool selected) override;
    void setLabel(const char* label = nullptr) override;

    void setSelected(bool selected) { setPressed(selected); }

    // The selected page-menu button of the process, or null.
    static MenuButton* selected() { return selected_; }
    static void setSelectedButton(MenuButton* b) { selected_ = b; }
    // Whether a click on a page-menu button is under way (mouse down, not yet up).
    static bool clickInProgress() { return clickInProgress_; }

private:
    void select();
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    static MenuButton* selected_;
    static bool clickInProgress_;
};

}  // namespace menu
