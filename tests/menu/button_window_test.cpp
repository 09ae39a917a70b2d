// The two button window procedures in this process: press notices, clicks,
// selection, enabling and tooltip registration, observed through a parent
// window that records the WM_COMMAND messages it receives.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "button.h"
#include "button_frames.h"
#include "capture.h"
#include "menu_button.h"
#include "messages.h"
#include "screen_fixture.h"

using namespace menu;

namespace {

struct Command {
    int id;
    int code;
    HWND from;
};
std::vector<Command> received;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        received.push_back(Command{LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Delivers everything already posted; nothing here waits for time to pass.
void drain() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

LPARAM at(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

class ButtonWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ButtonTestParent";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        RegisterClassA(&wc);
        InitCommonControls();
    }
    void SetUp() override {
        received.clear();
        folder_ = e2e::freshFolder("button_window");
        ASSERT_FALSE(folder_.empty());
        plain_ = folder_ + "\\plain.bmp";
        info_ = folder_ + "\\info.bmp";
        menu_ = folder_ + "\\menu.bmp";
        ASSERT_TRUE(fixture::writeStrip(plain_, 100, 30, {fixture::kNormal, fixture::kLit}));
        ASSERT_TRUE(
            fixture::writeStrip(info_, 100, 30, {fixture::kNormal, fixture::kLit, fixture::kDisabled}));
        ASSERT_TRUE(
            fixture::writeStrip(menu_, 100, 30, {fixture::kNormal, fixture::kLit, fixture::kSelected}));
        parent_ = CreateWindowExA(0, "ButtonTestParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(parent_ != nullptr);
        drain();
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
        drain();
        MenuButton::setSelectedButton(nullptr);
    }
    ButtonDesc desc(const std::string& image, short x, short y) {
        ButtonDesc d;
        lstrcpynA(d.bitmapPath, image.c_str(), sizeof d.bitmapPath);
        d.x = x;
        d.y = y;
        return d;
    }
    template <class B>
    void make(B& b, const std::string& image, unsigned kind, int id, unsigned mode, short x = 10,
              short y = 10) {
        ASSERT_TRUE(b.build(desc(image, x, y), kind));
        ASSERT_TRUE(b.createWindow(parent_, GetModuleHandleA(nullptr), id, mode) != nullptr);
    }
    std::string folder_, plain_, info_, menu_;
    HWND parent_ = nullptr;
};

TEST_F(ButtonWindow, CreationModesGiveTheirStatesAndStyles) {
    Button exitB, info, exec;
    make(exitB, plain_, 0, IDC_EXIT_BUTTON, btn::ModeExit);
    make(info, info_, btn::KindDisabledFrame, IDC_INFO_BUTTON, btn::ModeInfo, 120);
    make(exec, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden, 240);
    EXPECT_EQ(0x11u, exitB.state());
    EXPECT_TRUE(IsWindowVisible(exitB.window()));
    EXPECT_TRUE(IsWindowEnabled(exitB.window()));
    EXPECT_EQ(0x21u, info.state());
    EXPECT_TRUE(IsWindowVisible(info.window()));
    EXPECT_FALSE(IsWindowEnabled(info.window()));
    EXPECT_EQ(2, info.frame());
    EXPECT_EQ(0x22u, exec.state());
    EXPECT_FALSE(IsWindowVisible(exec.window()));
    EXPECT_FALSE(IsWindowEnabled(exec.window()));
    RECT rc;
    GetWindowRect(exec.window(), &rc);
    EXPECT_EQ(100, rc.right - rc.left);
    EXPECT_EQ(30, rc.bottom - rc.top);
    char cls[32];
    GetClassNameA(exec.window(), cls, sizeof cls);
    EXPECT_STREQ("MN_Button", cls);
    EXPECT_EQ(IDC_FIRST_EXECUTE, GetDlgCtrlID(exec.window()));
}

TEST_F(ButtonWindow, PressAndReleaseInsideSendsPressNoticeThenClick) {
    Button b;
    make(b, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden);
    b.enable(true);
    SendMessageA(b.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(1, b.frame());
    EXPECT_EQ(b.window(), GetCapture());
    SendMessageA(b.window(), WM_LBUTTONUP, 0, at(6, 6));
    drain();
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ(IDC_FIRST_EXECUTE, received[0].id);
    EXPECT_EQ(BN_PRESS_NOTICE, received[0].code);
    EXPECT_EQ(b.window(), received[0].from);
    EXPECT_EQ(0, received[1].code);
    EXPECT_EQ(0, b.frame());
    EXPECT_NE(b.window(), GetCapture());
}

TEST_F(ButtonWindow, ReleaseOutsideSendsOnlyThePressNotice) {
    Button b;
    make(b, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden);
    b.enable(true);
    SendMessageA(b.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageA(b.window(), WM_MOUSEMOVE, MK_LBUTTON, at(150, 5));
    EXPECT_EQ(0, b.frame());  // the pointer left: unlit
    EXPECT_FALSE(b.state() & btn::StateLit);
    SendMessageA(b.window(), WM_MOUSEMOVE, MK_LBUTTON, at(50, 15));
    EXPECT_EQ(1, b.frame());  // back inside: lit again
    SendMessageA(b.window(), WM_LBUTTONUP, 0, at(-20, 40));
    drain();
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(BN_PRESS_NOTICE, received[0].code);
    EXPECT_EQ(0, b.frame());
    EXPECT_FALSE(b.isPressed());
}

TEST_F(ButtonWindow, MouseMoveWithoutPressChangesNothing) {
    Button b;
    make(b, plain_, 0, IDC_EXIT_BUTTON, btn::ModeExit);
    SendMessageA(b.window(), WM_MOUSEMOVE, 0, at(5, 5));
    SendMessageA(b.window(), WM_LBUTTONUP, 0, at(5, 5));
    drain();
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(0, b.frame());
}

TEST_F(ButtonWindow, LosingTheCaptureUnlightsAndEndsTheClick) {
    Button b;
    make(b, plain_, 0, IDC_EXIT_BUTTON, btn::ModeExit);
    SendMessageA(b.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SetCapture(parent_);
    EXPECT_EQ(0, b.frame());
    ReleaseCapture();
    SendMessageA(b.window(), WM_LBUTTONUP, 0, at(5, 5));
    drain();
    ASSERT_EQ(1u, received.size());  // the press notice only
}

TEST_F(ButtonWindow, DisablingWithoutGreyFrameHidesWithGreyFrameGreys) {
    Button exec, info;
    make(exec, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden);
    make(info, info_, btn::KindDisabledFrame, IDC_INFO_BUTTON, btn::ModeInfo, 120);
    exec.enable(true);
    EXPECT_TRUE(IsWindowVisible(exec.window()));
    EXPECT_TRUE(exec.state() & btn::StateEnabled);
    exec.enable(false);
    EXPECT_FALSE(IsWindowVisible(exec.window()));
    EXPECT_EQ(0u, exec.state() & (btn::StateVisible | btn::StateEnabled));

    info.enable(true);
    EXPECT_EQ(0, info.frame());
    EXPECT_TRUE(IsWindowEnabled(info.window()));
    info.enable(false);
    EXPECT_TRUE(IsWindowVisible(info.window()));
    EXPECT_EQ(2, info.frame());
}

TEST_F(ButtonWindow, RestoreShowsVisibleButtonsWithTheirEnabling) {
    Button exec, info, hidden;
    make(exec, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden);
    make(info, info_, btn::KindDisabledFrame, IDC_INFO_BUTTON, btn::ModeInfo, 120);
    make(hidden, plain_, 0, IDC_FIRST_EXECUTE + 1, btn::ModeHidden, 240);
    exec.enable(true);
    // The movie hides every child while it plays.
    for (Button* b : {&exec, &info, &hidden}) ShowWindow(b->window(), SW_HIDE);
    for (Button* b : {&exec, &info, &hidden}) b->restore();
    EXPECT_TRUE(IsWindowVisible(exec.window()));
    EXPECT_TRUE(IsWindowEnabled(exec.window()));
    EXPECT_TRUE(IsWindowVisible(info.window()));
    EXPECT_FALSE(IsWindowEnabled(info.window()));
    EXPECT_FALSE(IsWindowVisible(hidden.window()));
}

TEST_F(ButtonWindow, LabelBecomesWindowText) {
    Button b;
    make(b, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden);
    b.setLabel("インストール");
    char text[64];
    GetWindowTextA(b.window(), text, sizeof text);
    EXPECT_STREQ("インストール", text);
}

TEST_F(ButtonWindow, MenuButtonSelectsOnReleaseInside) {
    MenuButton first, second;
    make(first, menu_, btn::KindSelectedFrame, IDC_FIRST_MENU_BUTTON, btn::ModeHidden);
    make(second, menu_, btn::KindSelectedFrame, IDC_FIRST_MENU_BUTTON + 1, btn::ModeHidden, 10, 50);
    first.enable(true);
    second.enable(true);
    first.setSelected(true);
    MenuButton::setSelectedButton(&first);

    SendMessageA(second.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_TRUE(MenuButton::clickInProgress());
    EXPECT_EQ(0, second.frame());  // nothing shows until the release
    SendMessageA(second.window(), WM_LBUTTONUP, 0, at(5, 5));
    drain();
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ(IDC_FIRST_MENU_BUTTON + 1, received[0].id);
    EXPECT_EQ(BN_PRESS_NOTICE, received[0].code);
    EXPECT_EQ(0, received[1].code);
    EXPECT_EQ(2, second.frame());
    EXPECT_TRUE(second.isPressed());
    EXPECT_EQ(0, first.frame());
    EXPECT_FALSE(first.isPressed());
    EXPECT_EQ(&second, MenuButton::selected());
    EXPECT_FALSE(MenuButton::clickInProgress());
}

TEST_F(ButtonWindow, ClickingTheSelectedMenuButtonDoesNothing) {
    MenuButton m;
    make(m, menu_, btn::KindSelectedFrame, IDC_FIRST_MENU_BUTTON, btn::ModeHidden);
    m.enable(true);
    m.setSelected(true);
    MenuButton::setSelectedButton(&m);
    SendMessageA(m.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_NE(m.window(), GetCapture());
    SendMessageA(m.window(), WM_LBUTTONUP, 0, at(5, 5));
    drain();
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(2, m.frame());
}

TEST_F(ButtonWindow, MenuButtonReleasedOutsideStaysUnselected) {
    MenuButton m;
    make(m, menu_, btn::KindSelectedFrame, IDC_FIRST_MENU_BUTTON, btn::ModeHidden);
    m.enable(true);
    SendMessageA(m.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageA(m.window(), WM_LBUTTONUP, 0, at(300, 5));
    drain();
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(m.isPressed());
    EXPECT_FALSE(MenuButton::clickInProgress());
    EXPECT_NE(m.window(), GetCapture());
}

TEST_F(ButtonWindow, SecondPressDuringAClickIsIgnored) {
    MenuButton a, b;
    make(a, menu_, btn::KindSelectedFrame, IDC_FIRST_MENU_BUTTON, btn::ModeHidden);
    make(b, menu_, btn::KindSelectedFrame, IDC_FIRST_MENU_BUTTON + 1, btn::ModeHidden, 10, 50);
    a.enable(true);
    b.enable(true);
    SendMessageA(a.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageA(b.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(a.window(), GetCapture());
    SendMessageA(a.window(), WM_LBUTTONUP, 0, at(5, 5));
    drain();
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ(IDC_FIRST_MENU_BUTTON, received[1].id);
}

TEST_F(ButtonWindow, HintsRegisterUpdateAndRemoveTools) {
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(tip != nullptr);
    Button::setTooltip(tip);
    Button b;
    make(b, plain_, 0, IDC_FIRST_EXECUTE, btn::ModeHidden);
    b.setHint("最初の説明");
    EXPECT_TRUE(b.toolRegistered());
    EXPECT_EQ(1, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));

    b.setHint("次の説明");
    EXPECT_EQ(1, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    char text[80] = {};
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = b.window();
    ti.uId = IDC_FIRST_EXECUTE;
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("次の説明", text);

    b.setHint("");
    EXPECT_FALSE(b.toolRegistered());
    EXPECT_EQ(0, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    b.destroyWindow();
    Button::setTooltip(nullptr);
    DestroyWindow(tip);
}

TEST_F(ButtonWindow, ButtonWithoutImageStillMakesAWindow) {
    Button b;
    EXPECT_FALSE(b.build(ButtonDesc(), 0));
    EXPECT_TRUE(b.createWindow(parent_, GetModuleHandleA(nullptr), IDC_EXIT_BUTTON, btn::ModeExit) !=
                nullptr);
    b.setLabel("終了");
    SendMessageA(b.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0));
    SendMessageA(b.window(), WM_LBUTTONUP, 0, at(0, 0));
    drain();
    EXPECT_EQ(1u, received.size());  // a zero-sized button can be pressed but never released inside
}

}  // namespace

namespace {

// Pixels of the button's window close to the colour (antialiased edges aside).
int pixelsNear(HWND w, COLORREF c) {
    e2e::settlePainting(GetParent(w));
    RECT r;
    GetWindowRect(w, &r);
    e2e::Image image;
    if (!e2e::captureScreen(r, &image)) return -1;
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            COLORREF p = image.at(x, y);
            if (std::abs(GetRValue(p) - GetRValue(c)) < 40 && std::abs(GetGValue(p) - GetGValue(c)) < 40 &&
                std::abs(GetBValue(p) - GetBValue(c)) < 40)
                ++n;
        }
    return n;
}

// The window system shows painted pixels on the screen a little later than
// they are drawn: the count is read again, with messages delivered in between,
// until it satisfies the condition or 3 seconds have passed.
template <class Condition>
bool screenShows(HWND w, COLORREF c, Condition ok) {
    DWORD start = GetTickCount();
    for (;;) {
        drain();
        if (ok(pixelsNear(w, c))) return true;
        if (GetTickCount() - start > 3000) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
    }
}
bool shows(HWND w, COLORREF c) {
    return screenShows(w, c, [](int n) { return n > 10; });
}
bool lacks(HWND w, COLORREF c) {
    return screenShows(w, c, [](int n) { return n == 0; });
}

const COLORREF kNormalText = RGB(255, 255, 255);
const COLORREF kActivateText = RGB(255, 0, 0);
const COLORREF kSelectText = RGB(255, 255, 0);

ButtonDesc styled(const std::string& image) {
    ButtonDesc d;
    lstrcpynA(d.bitmapPath, image.c_str(), sizeof d.bitmapPath);
    d.x = 10;
    d.y = 10;
    for (StateStyle& s : d.styles) s.fontSize = 20;
    d.styles[StyleNormal].textColor = kNormalText;
    d.styles[StyleActivate].textColor = kActivateText;
    d.styles[StyleSelect].textColor = kSelectText;
    d.styles[StyleDisable].textColor = kSelectText;
    return d;
}

}  // namespace

TEST_F(ButtonWindow, LabelIsDrawnIntoNormalAndLitFramesAndSurvivesADisplayChange) {
    Button b;
    ASSERT_TRUE(b.build(styled(plain_), 0));
    ASSERT_TRUE(b.createWindow(parent_, GetModuleHandleA(nullptr), IDC_FIRST_EXECUTE, btn::ModeHidden));
    b.enable(true);
    b.setLabel("ＷＷＷ");
    EXPECT_TRUE(shows(b.window(), kNormalText));
    EXPECT_TRUE(lacks(b.window(), kActivateText));
    b.setLit(true);
    EXPECT_TRUE(shows(b.window(), kActivateText));
    EXPECT_TRUE(lacks(b.window(), kNormalText));

    // A change of the screen's colour capability makes the device copy of the
    // strip anew; the label has to be drawn into it again. Once the normal
    // frame is back on the screen, so is its label.
    SendMessageA(b.window(), WM_WININICHANGE, 0, 0);
    b.setLit(false);
    ASSERT_TRUE(shows(b.window(), fixture::kNormal));
    EXPECT_TRUE(shows(b.window(), kNormalText));
    // A new label replaces the old one instead of being drawn over it.
    b.setLabel("");
    EXPECT_TRUE(lacks(b.window(), kNormalText));
}

TEST_F(ButtonWindow, MenuButtonLabelsOnlyItsNormalAndSelectedFrames) {
    MenuButton m;
    ASSERT_TRUE(m.build(styled(menu_), btn::KindSelectedFrame));
    ASSERT_TRUE(m.createWindow(parent_, GetModuleHandleA(nullptr), IDC_FIRST_MENU_BUTTON, btn::ModeHidden));
    m.enable(true);
    m.setLabel("ＷＷＷ");
    EXPECT_TRUE(shows(m.window(), kNormalText));
    m.setSelected(true);
    EXPECT_TRUE(shows(m.window(), kSelectText));
    EXPECT_TRUE(lacks(m.window(), kNormalText));
    // The lit frame of a page-menu strip is never shown by the button itself
    // and carries no label.
    m.Button::setLit(true);
    ASSERT_TRUE(shows(m.window(), fixture::kLit));
    EXPECT_TRUE(lacks(m.window(), kActivateText));
    EXPECT_TRUE(lacks(m.window(), kSelectText));
}
