#include "menu_button.h"

#include "button_frames.h"
#include "messages.h"

namespace menu {

MenuButton* MenuButton::selected_ = nullptr;
bool MenuButton::clickInProgress_ = false;

namespace {
const char kMenuButtonClass[] = "MN_MenuButton";
bool menuButtonClassRegistered = false;
}  // namespace

MenuButton::~MenuButton() {
    if (selected_ == this) selected_ = nullptr;
}

bool MenuButton::registerClass(HINSTANCE instance) {
    return registerWithClass(instance, kMenuButtonClass, &menuButtonClassRegistered);
}

HWND MenuButton::createWindow(HWND parent, HINSTANCE instance, int id, unsigned mode) {
    if (!registerClass(instance)) return nullptr;
    return createWithClass(parent, instance, id, mode, kMenuButtonClass);
}

void MenuButton::setLit(bool lit) {
    if (lit) {
        state_ |= btn::StateLit;
    } else if (state_ & btn::StateLit) {
        showFrame(btn::FrameNormal);
        state_ &= ~btn::StateLit;
        repaint();
    }
}

void MenuButton::setPressed(bool selected) {
    if (selected) {
        if (kind_ & btn::KindSelectedFrame) showFrame(btn::selectedFrame(kind_));
        state_ &= ~btn::StateLit;
        state_ |= btn::StatePressed;
    } else {
        showFrame(btn::FrameNormal);
        state_ &= ~(btn::StateLit | btn::StatePressed);
    }
    repaint();
}

void MenuButton::setLabel(const char* label) {
    // Page-menu buttons never show their lit frame, so it gets no label.
    renderLabel(label, false);
}

void MenuButton::select() {
    setSelected(true);
    if (selected_ && selected_ != this) selected_->setSelected(false);
    clickInProgress_ = false;
    postCommand(0);
    selected_ = this;
}

LRESULT MenuButton::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = hwnd_;
    relayToTooltip(msg, wp, lp);
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (clickInProgress_) return 0;
        if (!(state_ & btn::StatePressed)) {
            clickInProgress_ = true;
            SetCapture(hwnd);
            tracking_ = true;
        }
        return 0;
    case WM_LBUTTONUP: {
        bool inside = tracking_ && insideClient(lp);
        if (inside) {
            postCommand(BN_PRESS_NOTICE);
            select();
            playClick();
        } else {
            clickInProgress_ = false;
        }
        tracking_ = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    }
    case WM_CAPTURECHANGED:
        tracking_ = false;
        clickInProgress_ = false;
        if (lp != 0 && reinterpret_cast<HWND>(lp) != hwnd) setLit(false);
        return 0;
    default: {
        LRESULT r;
        if (commonMessage(msg, wp, lp, &r)) return r;
        return defaultProc(msg, wp, lp);
    }
    }
}

}  // namespace menu
