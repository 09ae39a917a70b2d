// Dialog 101: the check box "do not play the movie at start-up", a sentence
// on white that says what a click on the box would do, OK and Cancel. OK
// stores a changed choice in the registry and reports it.
#pragma once
#include <windows.h>
#include "dialog_base.h"

namespace movieset {

class ChoiceDialog : public common::DialogBase {
public:
    // ticked: the choice as read from the registry.
    explicit ChoiceDialog(bool ticked) : initial_(ticked), current_(ticked) {}

    // Ends with 1 after OK (whether or not the choice could be stored), 0
    // after Cancel, Esc or the close box.
    INT_PTR run(HINSTANCE instance);

private:
    BOOL onInit() override;
    void onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void centreOnScreen();
    void apply();

    bool initial_;
    bool current_;
    bool applying_ = false;  // OK was pressed; a second press before the dialog ends does nothing
};

}  // namespace movieset
