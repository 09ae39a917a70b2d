#include "tab_row.h"

#include "decorated_text.h"
#include "font_cache.h"
#include "grid_layout.h"
#include "menu_data.h"
#include "messages.h"
#include "palette.h"

namespace menu {

TabRow::~TabRow() { destroy(); }

void TabRow::destroy() {
    // The control gets its own procedure back before it goes.
    destroyWindow();
    if (background_) {
        DeleteObject(background_);
        background_ = nullptr;
    }
}

int TabRow::create(HWND parent, HINSTANCE instance, const TabDesc& desc, MenuData& data) {
    destroy();
    int pages = data.loadPages();
    if (pages < 0) pages = 0;
    count_ = pages;
    current_ = 0;
    lastShown_ = -1;
    remembered_.assign(pages > 1 ? static_cast<size_t>(pages) : 1u, 0);
    normal_ = desc.styles[StyleNormal];
    selected_ = desc.styles[StyleSelect];
    soundAsync_ = desc.soundAsync;
    if (desc.soundPath[0]) sound_.load(desc.soundPath);
    if (pages < 2) return pages;

    background_ = CreateSolidBrush(desc.bgColor);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED | TCS_MULTILINE;
    HWND control =
        CreateWindowExA(0, WC_TABCONTROLA, "", style, desc.x, desc.y, desc.width, desc.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TAB_ROW)), instance, nullptr);
    if (!control) return pages;
    if (!subclass(control)) {
        DestroyWindow(control);
        return pages;
    }

    // The control's class paints its background with the main window's brush.
    SetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND, GetClassLongPtrA(parent, GCLP_HBRBACKGROUND));

    HFONT font = FontCache::instance().get(normal_.fontSize, true, FontCache::Gothic);
    if (font) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(hwnd_, TCM_SETPADDING, 0, MAKELPARAM(desc.paddingX, desc.paddingY));
    for (int i = 0; i < pages; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = data.pages.titles[i];
        SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SetClassLongPtrA(
        hwnd_, GCLP_HCURSOR,
        reinterpret_cast<LONG_PTR>(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_POINTER))));
    if (pages < 3) {
        // One line of tabs that share the row's width.
        SetWindowLongA(hwnd_, GWL_STYLE,
                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH);
        SendMessageA(hwnd_, TCM_SETITEMSIZE, 0,
                     MAKELPARAM(grid::fixedTabWidth(desc.width, pages), desc.height));
    }
    return pages;
}

void TabRow::setCurrent(int tab) {
    if (tab >= 0 && tab < count_) current_ = tab;
}

void TabRow::select(int tab) {
    if (hwnd_ && tab >= 0 && tab < count_) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
}

int TabRow::remembered(int tab) const {
    if (tab < 0 || static_cast<size_t>(tab) >= remembered_.size()) return 0;
    return remembered_[static_cast<size_t>(tab)];
}

void TabRow::remember(int tab, int entry) {
    if (tab < 0 || static_cast<size_t>(tab) >= remembered_.size()) return;
    remembered_[static_cast<size_t>(tab)] = entry;
}

void TabRow::enable(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void TabRow::playClick() { ClickSound::playOwnOrStandard(sound_, soundAsync_ == 1); }

bool TabRow::drawItem(const DRAWITEMSTRUCT* item, Palette* palette) {
    if (!hwnd_ || !item || item->hwndItem != hwnd_) return false;
    if (item->itemID >= static_cast<UINT>(count_)) return false;
    char text[256] = {};
    TCITEMA tc = {};
    tc.mask = TCIF_TEXT;
    tc.pszText = text;
    tc.cchTextMax = sizeof text;
    SendMessageA(hwnd_, TCM_GETITEMA, item->itemID, reinterpret_cast<LPARAM>(&tc));
    text[sizeof text - 1] = '\0';
    HDC dc = item->hDC;
    if (palette) palette->select(dc, true);
    FillRect(dc, &item->rcItem, background_ ? background_ : static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    bool isSelected =
        static_cast<int>(item->itemID) == static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
    const StateStyle& style = isSelected ? selected_ : normal_;
    HFONT font = FontCache::instance().get(style.fontSize, true, FontCache::Gothic);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    int len = lstrlenA(text);
    SIZE ext = {0, 0};
    GetTextExtentPoint32A(dc, text, len, &ext);
    int itemWidth = item->rcItem.right - item->rcItem.left;
    // Centred; a title wider than its tab keeps its beginning in view.
    int x = item->rcItem.left + (ext.cx <= itemWidth ? (itemWidth - ext.cx) / 2 : 2);
    int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - ext.cy) / 2 + 2;
    // A title wider than its tab is clipped to the tab, never drawn over its neighbours.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
    drawDecoratedText(dc, x, y, text, len, style);
    RestoreDC(dc, saved);
    if (oldFont) SelectObject(dc, oldFont);
    if (palette) palette->restore();
    return true;
}

int TabRow::notified(const NMHDR* header, MenuData& data) {
    if (!hwnd_ || !header) return -1;
    int cur = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
    bool show = header->code == static_cast<UINT>(TCN_SELCHANGE) ||
                (header->code == static_cast<UINT>(NM_CLICK) && cur != lastShown_);
    if (!show) return -1;
    lastShown_ = cur;
    if (cur >= 0 && cur < data.pages.count) data.pages.current = cur;
    return cur;
}

LRESULT TabRow::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        playClick();
        return defaultProc(msg, wp, lp);
    case WM_PALETTECHANGED:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    default:
        return defaultProc(msg, wp, lp);
    }
}

}  // namespace menu
