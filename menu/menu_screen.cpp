#include "menu_screen.h"

#include <cstdio>

#include "button_frames.h"
#include "menu_texts.h"
#include "doc_window.h"
#include "grid_layout.h"
#include "menu_app.h"
#include "messages.h"
#include "sjis.h"
#include "message_box.h"

namespace menu {

namespace {

// Tooltip timing: shown 200 ms after the pointer rests, for 7 s.
const int kTooltipAutoPop = 7000;
const int kTooltipInitial = 200;
const int kTooltipReshow = 200;
const UINT kFirstPageDelay = 3000;

// Selects the menu's palette into a memory DC on palette-based screens.
void selectInto(HDC dc, Palette& palette) {
    if (palette.paletteBased() && palette.handle()) {
        SelectPalette(dc, palette.handle(), FALSE);
        RealizePalette(dc);
    }
}

}  // namespace

MenuScreen::MenuScreen(MenuApp& app) : app_(app) {}

MenuScreen::~MenuScreen() { destroy(); }

MenuScreen& MenuScreen::instance() {
    static MenuScreen screen(menuApp());
    return screen;
}

bool MenuScreen::createButtons() {
    failure_[0] = '\0';
    MenuConfig& config = app_.config;
    Button::setPalette(&app_.palette);
    // Exit, Info and the page-menu buttons go on without an image.
    if (config.exitButton) exit_.build(*config.exitButton, 0);
    if (config.infoButton) info_.build(*config.infoButton, btn::KindDisabledFrame);

    menuButtons_.clear();
    int pageButtons = config.menuButtonCount > 0 ? config.menuButtonCount : 0;
    for (int i = 0; i < pageButtons; ++i) {
        menuButtons_.emplace_back(new MenuButton);
        menuButtons_.back()->build(config.menuButtons[i], btn::KindSelectedFrame);
    }

    execute_.clear();
    columns_ = 0;
    rows_ = 0;
    if (!config.execute) return true;
    const ExecuteDesc& desc = *config.execute;
    columns_ = desc.columns > 0 ? desc.columns : 0;
    rows_ = desc.rows > 0 ? desc.rows : 0;
    if (columns_ > kMaxExecuteButtons) columns_ = kMaxExecuteButtons;
    // Control identifiers 113 to 199 are all the grid has room for.
    if (columns_ > 0 && columns_ * rows_ > kMaxExecuteButtons) rows_ = kMaxExecuteButtons / columns_;
    int count = columns_ * rows_;
    for (int i = 0; i < count; ++i) {
        execute_.emplace_back(new Button);
        if (!execute_.back()->build(desc, 0)) {
            // Every grid button shares this image: without it the grid cannot be drawn.
            std::snprintf(failure_, sizeof failure_, configtext::kMissingButtonImage, "BUTTON.Execute",
                          "Bitmap", desc.bitmapPath);
            common::showMessageBox(nullptr, failure_, app_.caption, MB_OK | MB_ICONERROR);
            execute_.clear();
            return false;
        }
    }
    if (count > 0) {
        grid::Layout l;
        l.startX = desc.x;
        l.startY = desc.y;
        l.width = static_cast<short>(execute_[0]->width());
        l.frameHeight = static_cast<short>(execute_[0]->frameHeight());
        l.marginX = desc.marginX;
        l.marginY = desc.marginY;
        l.columns = columns_;
        l.rows = rows_;
        std::vector<grid::Point> at = grid::place(l);
        for (size_t i = 0; i < at.size() && i < execute_.size(); ++i) execute_[i]->moveTo(at[i].x, at[i].y);
    }
    return true;
}

void MenuScreen::build(HWND main) {
    if (built_) {
        // Back from a replayed movie: nothing is rebuilt; a command list left
        // pending goes on (the launcher ignores the request when none is).
        PostMessageA(main, WMU_RUN_NEXT, 0, 0);
        return;
    }
    main_ = main;
    built_ = true;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE));

    // 1. The start display picture.
    composeDisplay();

    // 2. The tooltip shared by every button.
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, main, nullptr, instance, nullptr);
    if (tooltip_) {
        SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTooltipAutoPop, 0));
        SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kTooltipInitial, 0));
        SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(kTooltipReshow, 0));
        SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
    Button::setTooltip(tooltip_);

    // 3. The buttons' windows.
    info_.createWindow(main, instance, IDC_INFO_BUTTON, btn::ModeInfo);
    info_.setLabel("");
    info_.setHint(info_.hint());
    exit_.createWindow(main, instance, IDC_EXIT_BUTTON, btn::ModeExit);
    exit_.setLabel("");
    exit_.setHint(exit_.hint());
    for (size_t i = 0; i < menuButtons_.size(); ++i) {
        MenuButton& b = *menuButtons_[i];
        b.createWindow(main, instance, IDC_FIRST_MENU_BUTTON + static_cast<int>(i), btn::ModeHidden);
        b.setHint(b.hint());
    }
    for (size_t i = 0; i < execute_.size(); ++i) {
        Button& b = *execute_[i];
        b.createWindow(main, instance, IDC_FIRST_EXECUTE + static_cast<int>(i), btn::ModeHidden);
        b.setHint(b.hint());
    }

    // 4. The tab row; its description is not needed any more.
    if (app_.config.tab) {
        tabs_.create(main, instance, *app_.config.tab, app_.data);
        app_.config.tab.reset();
    } else {
        TabDesc defaults;
        tabs_.create(main, instance, defaults, app_.data);
    }

    // 5. The first page follows after a pause unless a tab is chosen first.
    SetTimer(main, ID_FIRST_PAGE_TIMER, kFirstPageDelay, nullptr);
    InvalidateRect(main, nullptr, FALSE);
}

void MenuScreen::showPage(int n) {
    if (!built_) return;
    if (n >= 0 && n < tabs_.count()) tabs_.setCurrent(n);
    int entries = app_.data.loadEntries(n);
    if (entries < 0) return;  // no such page: nothing changes
    tabs_.setLastShown(tabs_.current());
    tabs_.select(tabs_.current());
    if (entries == 0) {
        // A page without entries shows none, and no commands of another page.
        for (auto& b : menuButtons_) b->show(false);
        MenuButton::setSelectedButton(nullptr);
        hideEntry();
        return;
    }
    int remembered = tabs_.remembered(tabs_.current());
    if (remembered < 0 || remembered >= entries) remembered = 0;
    MenuButton* selected = nullptr;
    for (size_t i = 0; i < menuButtons_.size(); ++i) {
        MenuButton& b = *menuButtons_[i];
        int index = static_cast<int>(i);
        if (index < entries) {
            b.setLabel(app_.data.entries.titles[index]);
            b.enable(true);
            b.show(true);
            b.setSelected(index == remembered);
            if (index == remembered) selected = &b;
        } else {
            b.show(false);
        }
    }
    MenuButton::setSelectedButton(selected);
    if (main_) SendMessageA(main_, WMU_SHOW_ENTRY, static_cast<WPARAM>(remembered), 0);
}

void MenuScreen::showEntry(int n) {
    if (!built_) return;
    if (n >= 0 && n < app_.data.entries.count) tabs_.remember(tabs_.current(), n);
    if (app_.data.entries.count <= 0) {
        hideEntry();
        return;
    }
    int commands = app_.data.loadCommands(n);

    // The entry's picture; an entry without one shows the bare background there.
    if (!app_.data.displayImagePath[0] || !app_.display.load(app_.data.displayImagePath))
        app_.display.clear();
    composeDisplay();

    placeCommands(commands);
    updatePopup();
    tabs_.enable(true);
}

void MenuScreen::hideEntry() {
    // Forget the last entry's commands and popup text: with no entries listed
    // this only clears them, so that the Info button cannot bring them back.
    app_.data.loadCommands(-1);
    for (auto& b : execute_) b->show(false);
    HWND doc = common::documentWindow();
    if (doc) common::closeDocument();
    info_.enable(false);
    tabs_.enable(true);
}

void MenuScreen::placeCommands(int commands) {
    int buttons = static_cast<int>(execute_.size());
    int c = commands < buttons ? commands : buttons;
    if (c < 0) c = 0;
    int first = grid::firstCommandButton(buttons, columns_, c);
    for (int i = 0; i < buttons; ++i) {
        Button& b = *execute_[static_cast<size_t>(i)];
        int k = i - first;
        if (k >= 0 && k < c) {
            b.commandIndex = k;
            b.setLabel(app_.data.commands.labels[k]);
            b.setHint(app_.data.commands.hints[k]);
            b.enable(true);
            b.show(true);
        } else {
            b.show(false);
        }
    }
}

void MenuScreen::updatePopup() {
    HWND doc = common::documentWindow();
    if (app_.data.hasPopupText) {
        if (doc) {
            info_.enable(false);
            common::openDocument(main_, popupRequest());
        } else {
            info_.enable(true);
        }
    } else {
        if (doc) common::closeDocument();
        info_.enable(false);
    }
}

common::DocumentRequest MenuScreen::popupRequest() const {
    common::DocumentRequest r;
    r.setLink(app_.data.popupLink);
    r.setTextFile(app_.data.popupTextPath);
    r.linkIsWebAddress = app_.data.linkIsWebAddress;
    r.x = app_.data.docX;
    r.y = app_.data.docY;
    r.width = app_.data.docWidth;
    r.height = app_.data.docHeight;
    return r;
}

void MenuScreen::openInfo() {
    if (!built_ || !app_.data.hasPopupText) return;
    if (common::openDocument(main_, popupRequest())) info_.enable(false);
}

void MenuScreen::documentClosed() {
    if (!built_) return;
    info_.enable(app_.data.hasPopupText);
}

void MenuScreen::composeDisplay() {
    HWND main = main_ ? main_ : app_.mainWindow;
    if (!main || app_.background.empty()) return;
    HDC windowDc = GetDC(main);
    if (!windowDc) return;
    RECT old = displayRect_;
    {
        PaletteScope scope(app_.palette, windowDc);
        // A fresh copy of the background every time, so that a smaller picture
        // leaves nothing of a larger one behind.
        app_.background.releaseDeviceBitmap();
        HBITMAP back = app_.background.deviceBitmap(windowDc);
        SetRectEmpty(&displayRect_);
        if (back && !app_.display.empty()) {
            HBITMAP picture = app_.display.deviceBitmap(windowDc);
            HDC to = CreateCompatibleDC(windowDc);
            HDC from = CreateCompatibleDC(windowDc);
            if (picture && to && from) {
                HGDIOBJ oldTo = SelectObject(to, back);
                HGDIOBJ oldFrom = SelectObject(from, picture);
                selectInto(to, app_.palette);
                selectInto(from, app_.palette);
                int x = app_.displayAt.x, y = app_.displayAt.y;
                int w = app_.display.width(), h = app_.display.height();
                BitBlt(to, x, y, w, h, from, 0, 0, SRCCOPY);
                SetRect(&displayRect_, x, y, x + w, y + h);
                SelectObject(from, oldFrom);
                SelectObject(to, oldTo);
            }
            if (from) DeleteDC(from);
            if (to) DeleteDC(to);
            app_.display.releaseDeviceBitmap();
        }
    }
    ReleaseDC(main, windowDc);
    RECT dirty;
    UnionRect(&dirty, &old, &displayRect_);
    if (!IsRectEmpty(&dirty)) InvalidateRect(main, &dirty, FALSE);
}

bool MenuScreen::drawItem(const DRAWITEMSTRUCT* item) {
    if (!item || item->CtlType != ODT_TAB) return false;
    return tabs_.drawItem(item, &app_.palette);
}

LRESULT MenuScreen::notify(const NMHDR* header) {
    if (!header || !main_) return 0;
    // The user is at the tabs: the first page no longer comes by itself.
    KillTimer(main_, ID_FIRST_PAGE_TIMER);
    int tab = tabs_.notified(header, app_.data);
    if (tab >= 0) PostMessageA(main_, WMU_SHOW_PAGE, static_cast<WPARAM>(tab), 0);
    return 0;
}

void MenuScreen::timer(UINT_PTR id) {
    if (id != ID_FIRST_PAGE_TIMER || !main_) return;
    KillTimer(main_, ID_FIRST_PAGE_TIMER);
    showPage(0);
}

void MenuScreen::paletteCapabilityChanged() { composeDisplay(); }

void MenuScreen::playClick(int id) {
    Button* b = buttonById(id);
    if (b) b->playClick();
}

void MenuScreen::restoreButtons() {
    exit_.restore();
    info_.restore();
    for (auto& b : menuButtons_) b->restore();
    for (auto& b : execute_) b->restore();
}

void MenuScreen::destroy() {
    if (main_) KillTimer(main_, ID_FIRST_PAGE_TIMER);
    tabs_.destroy();
    exit_.destroyWindow();
    info_.destroyWindow();
    menuButtons_.clear();
    MenuButton::setSelectedButton(nullptr);
    execute_.clear();
    Button::setTooltip(nullptr);
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    built_ = false;
    main_ = nullptr;
}

Button* MenuScreen::executeButton(int i) {
    if (i < 0 || i >= executeCount()) return nullptr;
    return execute_[static_cast<size_t>(i)].get();
}

MenuButton* MenuScreen::menuButton(int i) {
    if (i < 0 || i >= menuButtonCount()) return nullptr;
    return menuButtons_[static_cast<size_t>(i)].get();
}

Button* MenuScreen::buttonById(int id) {
    if (id == IDC_EXIT_BUTTON) return &exit_;
    if (id == IDC_INFO_BUTTON) return &info_;
    if (Button* b = executeButton(id - IDC_FIRST_EXECUTE)) return b;
    return menuButton(id - IDC_FIRST_MENU_BUTTON);
}

Button* MenuScreen::buttonByWindow(HWND window) {
    if (!window) return nullptr;
    return buttonById(GetDlgCtrlID(window));
}

int commandIndexOf(HWND button) {
    MenuScreen& s = MenuScreen::instance();
    if (!button) return -1;
    int i = GetDlgCtrlID(button) - IDC_FIRST_EXECUTE;
    Button* b = s.executeButton(i);
    if (!b || b->window() != button) return -1;
    return b->commandIndex;
}

}  // namespace menu
