// The caret position ("row:column") drawn at the right end of the frame's
// menu bar, left of the right-aligned last pull-down.
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

class PositionIndicator {
public:
    // Draws the text when the menu bar has room for it; active selects the
    // menu text colour, otherwise the grey-text colour is used.
    void draw(HWND frame, const std::string& text, bool active);
    // The last drawn text (empty before the first drawing).
    const std::string& text() const { return last_; }
    void reset() {
        last_.clear();
        fieldWidth_ = 0;
    }

private:
    std::string last_;
    int fieldWidth_ = 0;
    HFONT font_ = nullptr;  // the menu font, made once for the process
};

}  // namespace viewer
