#include "button.h"

#include <windowsx.h>
#include <commctrl.h>

#include "button_frames.h"
#include "decorated_text.h"
#include "font_cache.h"
#include "messages.h"
#include "palette.h"
#include "sjis.h"

namespace menu {

HWND Button::tooltip_ = nullptr;
Palette* Button::palette_ = nullptr;

namespace {

const char kButtonClass[] = "MN_Button";
bool buttonClassRegistered = false;

// The tool size of the first tooltip structure version: understood by every
// comctl32, whatever version the program is bound to.
const UINT kToolInfoSize = TTTOOLINFOA_V1_SIZE;

// Selects and realises the menu's palette around a drawing block, when there is one.
class OptionalPalette {
public:
    OptionalPalette(Palette* palette, HDC dc) : palette_(palette) {
        if (palette_) palette_->select(dc, false);
    }
    ~OptionalPalette() {
        if (palette_) palette_->restore();
    }

private:
    Palette* palette_;
};

}  // namespace

Button::~Button() { destroyWindow(); }

void Button::destroyWindow() {
    if (hwnd_) {
        if (toolRegistered_ && tooltip_ && IsWindow(tooltip_)) {
            TOOLINFOA ti = {};
            ti.cbSize = kToolInfoSize;
            ti.hwnd = hwnd_;
            ti.uId = static_cast<UINT_PTR>(id_);
            SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        }
        // Taken off the window first, so the object sees none of its last messages.
        WindowBase::destroyWindow();
    }
    toolRegistered_ = false;
}

bool Button::build(const ButtonDesc& desc, unsigned kind) {
    bool loaded = desc.bitmapPath[0] != '\0' && strip_.load(desc.bitmapPath);
    common::copyBounded(hint_, desc.hintText, sizeof hint_);
    kind_ = kind;
    width_ = strip_.width();
    frameHeight_ = btn::frameHeight(strip_.height(), kind);
    strip_.setFrameHeight(frameHeight_);
    strip_.showFrame(btn::FrameNormal);
    x_ = desc.x;
    y_ = desc.y;
    for (int i = 0; i < StyleCount; ++i) styles_[i] = desc.styles[i];
    if (desc.soundPath[0]) sound_.load(desc.soundPath);
    soundAsync_ = desc.soundAsync;
    return loaded;
}

// 1
bool Button::registerClass(HINSTANCE instance) {
    return registerWithClass(instance, kButtonClass, &buttonClassRegistered);
}

bool Button::registerWithClass(HINSTANCE instance, const char* className, bool* registered) {
    if (*registered) return true;
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = common::WindowBase::windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
    if (!wc.hCursor) wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) {
        // Another module of the process may have registered it already.
        WNDCLASSA existing;
        if (!GetClassInfoA(instance, className, &existing)) return false;
    }
    *registered = true;
    return true;
}

// 2
void Button::drawLabel(HDC dc, const StateStyle& style, int frameTop) {
    HFONT font = FontCache::instance().get(style.fontSize, true, FontCache::Gothic);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    int len = lstrlenA(label_);
    SIZE ext = {0, 0};
    GetTextExtentPoint32A(dc, label_, len, &ext);
    // Centred; a label wider than the button keeps its beginning in view.
    int x = ext.cx <= width_ ? (width_ - ext.cx) / 2 : 2;
    int y = frameTop + (frameHeight_ - ext.cy) / 2;
    drawDecoratedText(dc, x, y, label_, len, style);
    if (oldFont) SelectObject(dc, oldFont);
}

// 3
HWND Button::createWindow(HWND parent, HINSTANCE instance, int id, unsigned mode) {
    if (!registerClass(instance)) return nullptr;
    return createWithClass(parent, instance, id, mode, kButtonClass);
}

HWND Button::createWithClass(HWND parent, HINSTANCE instance, int id, unsigned mode, const char* className) {
    if (hwnd_) return hwnd_;
    btn::InitialLook look = btn::initialLook(mode, kind_);
    state_ = look.state;
    strip_.showFrame(look.frame);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (look.visible) style |= WS_VISIBLE;
    if (look.disabled) style |= WS_DISABLED;
    id_ = id;
    // WM_NCCREATE attaches the window; a failed creation leaves the handle null.
    create(0, className, label_, style, x_, y_, width_, frameHeight_, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance);
    return hwnd_;
}

// 4
void Button::show(bool visible) {
    if (visible) {
        state_ |= btn::StateVisible;
        if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
    } else {
        state_ &= ~btn::StateLowBits;
        if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    }
}

// 5
void Button::applyEnabled(bool enabled) {
    state_ &= ~btn::StateEnabled;
    if (enabled) {
        state_ |= btn::StateEnabled;
        showFrame(btn::FrameNormal);
    } else if (kind_ & btn::KindDisabledFrame) {
        showFrame(btn::disabledFrame(kind_));
    } else {
        show(false);
    }
}

void Button::enable(bool enabled) {
    if (!(state_ & btn::StateVisible)) show(true);
    if (hwnd_) {
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    } else {
        // Without a window there is no WM_ENABLE: keep the state word as it would be.
        applyEnabled(enabled);
    }
}

// 6
void Button::setLit(bool lit) {
    if (lit && !(state_ & btn::StateLit)) {
        showFrame(btn::FrameLit);
        state_ |= btn::StateLit;
        repaint();
    } else if (!lit && (state_ & btn::StateLit)) {
        showFrame(btn::FrameNormal);
        state_ &= ~btn::StateLit;
        repaint();
    }
}

// 7
unsigned Button::state() const { return state_; }

// 8
void Button::setPressed(bool pressed) {
    if (pressed) {
        if (kind_ & btn::KindSelectedFrame) {
            showFrame(btn::selectedFrame(kind_));
            repaint();
        } else {
            showFrame(btn::FrameLit);
        }
        state_ |= btn::StatePressed;
    } else {
        showFrame(btn::FrameNormal);
        state_ &= ~btn::StatePressed;
        repaint();
    }
}

// 9
bool Button::isPressed() const { return (state_ & btn::StatePressed) != 0; }

// 10
void Button::restore() {
    if (!(state_ & btn::StateVisible) || !hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    EnableWindow(hwnd_, (state_ & btn::StateEnabled) ? TRUE : FALSE);
}

// 11
void Button::moveTo(int x, int y) {
    x_ = static_cast<short>(x);
    y_ = static_cast<short>(y);
    if (hwnd_) SetWindowPos(hwnd_, nullptr, x_, y_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// 12
void Button::playClick() { ClickSound::playOwnOrStandard(sound_, soundAsync_ == 1); }

// 13
void Button::setLabel(const char* label) { renderLabel(label, true); }

void Button::renderLabel(const char* label, bool withLit) {
    if (label && label != label_) common::copyBounded(label_, label, sizeof label_);
    if (hwnd_) SetWindowTextA(hwnd_, label_);
    if (strip_.empty()) return;
    HDC windowDc = GetDC(hwnd_);
    if (!windowDc) return;
    {
        OptionalPalette pal(palette_, windowDc);
        HBITMAP bitmap = strip_.deviceBitmap(windowDc);
        HDC mem = bitmap ? CreateCompatibleDC(windowDc) : nullptr;
        if (mem) {
            HGDIOBJ old = SelectObject(mem, bitmap);
            if (palette_ && palette_->handle() && palette_->paletteBased()) {
                SelectPalette(mem, palette_->handle(), FALSE);
                RealizePalette(mem);
            }
            drawLabel(mem, styles_[StyleNormal], btn::FrameNormal * frameHeight_);
            if (withLit) drawLabel(mem, styles_[StyleActivate], btn::FrameLit * frameHeight_);
            if (kind_ & btn::KindSelectedFrame)
                drawLabel(mem, styles_[StyleSelect], btn::selectedFrame(kind_) * frameHeight_);
            // The Disable style is kept but never drawn: the disabled frame shows the image as it is.
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    }
    ReleaseDC(hwnd_, windowDc);
    repaint();
}

void Button::setHint(const char* hint) {
    if (hint != hint_) common::copyBounded(hint_, hint ? hint : "", sizeof hint_);
    if (!hwnd_ || !tooltip_) return;
    TOOLINFOA ti = {};
    ti.cbSize = kToolInfoSize;
    ti.uFlags = 0;
    ti.hwnd = hwnd_;
    ti.uId = static_cast<UINT_PTR>(id_);
    ti.lpszText = hint_;
    if (hint_[0]) {
        if (toolRegistered_) {
            SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
        } else {
            GetClientRect(hwnd_, &ti.rect);
            toolRegistered_ = SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
        }
    } else if (toolRegistered_) {
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        toolRegistered_ = false;
    }
}

int Button::frame() const { return frameHeight_ > 0 ? strip_.frameOffset() / frameHeight_ : 0; }

void Button::showFrame(int frame) { strip_.showFrame(frame < 0 ? 0 : frame); }

void Button::repaint() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

bool Button::insideClient(LPARAM lp) const {
    RECT rc;
    if (!hwnd_ || !GetClientRect(hwnd_, &rc)) return false;
    POINT pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    return PtInRect(&rc, pt) != FALSE;
}

void Button::postCommand(WORD code) {
    if (!hwnd_) return;
    HWND parent = GetParent(hwnd_);
    if (parent)
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id_), code),
                     reinterpret_cast<LPARAM>(hwnd_));
}

void Button::relayToTooltip(UINT msg, WPARAM wp, LPARAM lp) {
    if (!tooltip_) return;
    if (msg < WM_MOUSEMOVE || msg > WM_MBUTTONUP) return;
    if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK) return;
    MSG m = {};
    m.hwnd = hwnd_;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&m.pt);
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

bool Button::commonMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    HWND hwnd = hwnd_;
    *result = 0;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc) {
            OptionalPalette pal(palette_, dc);
            strip_.draw(dc, ps.rcPaint);
        }
        EndPaint(hwnd, &ps);
        return true;
    }
    case WM_ERASEBKGND:
        // The strip covers the whole window.
        *result = 1;
        return true;
    case WM_ENABLE:
        applyEnabled(wp != 0);
        repaint();
        return true;
    case WM_SHOWWINDOW:
        // Only a ShowWindow call (lParam 0) counts; a parent hiding its children does not.
        if (wp && lp == 0) state_ |= btn::StateVisible;
        *result = DefWindowProcA(hwnd, msg, wp, lp);
        return true;
    case WM_WININICHANGE:
        // The screen's palette capability may have changed: the device copy is stale.
        strip_.releaseDeviceBitmap();
        setLabel(nullptr);
        return true;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wp) == hwnd) return true;
        // fall through
    case WM_QUERYNEWPALETTE: {
        HDC dc = GetDC(hwnd);
        if (dc) {
            OptionalPalette pal(palette_, dc);
            ReleaseDC(hwnd, dc);
        }
        InvalidateRect(hwnd, nullptr, FALSE);
        *result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

LRESULT Button::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = hwnd_;
    relayToTooltip(msg, wp, lp);
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        tracking_ = true;
        setLit(true);
        UpdateWindow(hwnd);
        playClick();
        postCommand(BN_PRESS_NOTICE);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            setLit(insideClient(lp));
            UpdateWindow(hwnd);
        }
        return 0;
    case WM_LBUTTONUP:
        if (tracking_) {
            bool inside = insideClient(lp);
            tracking_ = false;
            if (GetCapture() == hwnd) ReleaseCapture();
            setPressed((kind_ & btn::KindSelectedFrame) != 0);
            UpdateWindow(hwnd);
            if (inside) postCommand(0);
        }
        return 0;
    case WM_CAPTURECHANGED:
        tracking_ = false;
        setLit(false);
        return 0;
    default: {
        LRESULT r;
        if (commonMessage(msg, wp, lp, &r)) return r;
        return defaultProc(msg, wp, lp);
    }
    }
}

}  // namespace menu
