#include "position_indicator.h"
#include "gdi_handles.h"

namespace viewer {

void PositionIndicator::draw(HWND frame, const std::string& text, bool active) {
    last_ = text;
    HMENU menu = GetMenu(frame);
    if (!menu || IsIconic(frame)) return;
    int count = GetMenuItemCount(menu);
    if (count < 2) return;
    RECT leftItem, rightItem;
    if (!GetMenuItemRect(frame, menu, count - 2, &leftItem) ||
        !GetMenuItemRect(frame, menu, count - 1, &rightItem))
        return;
    RECT win;
    GetWindowRect(frame, &win);

    if (!font_) {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        font_ = CreateFontIndirectA(&ncm.lfMenuFont);
    }

    HDC dc = GetWindowDC(frame);
    if (!dc) return;
    {
        common::Selected sf(dc, font_);
        SIZE digit = {};
        GetTextExtentPoint32A(dc, "0", 1, &digit);
        // The field grows in whole digits and never shrinks, so it does not jitter.
        int need = static_cast<int>(text.size() + 2) * digit.cx;
        if (need > fieldWidth_) fieldWidth_ = need;
        int right = rightItem.left - win.left - 4;
        int left = right - fieldWidth_;
        int top = rightItem.top - win.top, bottom = rightItem.bottom - win.top;
        if (left > leftItem.right - win.left + 4) {
            RECT area = {left, top, right, bottom};
            SetBkColor(dc, GetSysColor(COLOR_MENU));
            SetTextColor(dc, GetSysColor(active ? COLOR_MENUTEXT : COLOR_GRAYTEXT));
            ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
                      DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    ReleaseDC(frame, dc);
}

}  // namespace viewer
