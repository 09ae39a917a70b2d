// Keys, mouse, wheel and scroll bar of the client window.
#include "text_view.h"
#include "message_box.h"
#include "../../resources/viewer/resource.h"
#include <shellapi.h>
#include <algorithm>

namespace viewer {
namespace {

constexpr UINT kAutoScrollTimer = 1;
constexpr int kMaxAddress = 1205;

bool keyDown(int vk) { return GetKeyState(vk) < 0; }

bool isCursorCommand(unsigned c) {
    return (c >= IDM_CURSOR_UP && c <= IDM_CURSOR_LEFT) || c == IDM_LINE_START || c == IDM_LINE_END ||
           c == IDM_FILE_TOP || c == IDM_FILE_END || c == IDM_PAGE_DOWN || c == IDM_PAGE_UP;
}

WPARAM keyOfCommand(unsigned c) {
    switch (c) {
    case IDM_CURSOR_UP:
        return VK_UP;
    case IDM_CURSOR_DOWN:
        return VK_DOWN;
    case IDM_CURSOR_RIGHT:
        return VK_RIGHT;
    case IDM_CURSOR_LEFT:
        return VK_LEFT;
    case IDM_LINE_START:
        return VK_HOME;
    case IDM_LINE_END:
        return VK_END;
    case IDM_PAGE_DOWN:
        return VK_NEXT;
    case IDM_PAGE_UP:
        return VK_PRIOR;
    default:
        return 0;
    }
}

}  // namespace

void TextView::moveByKey(WPARAM vk, int step, bool extend) {
    Snapshot before = snapshot();
    bool ctrl = keyDown(VK_CONTROL);
    if (extend) {
        if (!model_.hasSelection()) model_.startSelection(false);
    } else if (model_.hasSelection()) {
        // Left and Right first collapse a one-row selection onto its edge.
        const Selection& s = model_.selection();
        bool oneRow = s.startRow() == s.lastRow();
        int row = (vk == VK_LEFT) ? s.startRow() : s.lastRow();
        int col = (vk == VK_LEFT) ? s.startCol() : s.lastCol();
        model_.cancelSelection();
        if (oneRow && (vk == VK_LEFT || vk == VK_RIGHT)) {
            model_.moveCaretTo(row, col);
            apply(before);
            return;
        }
    }
    switch (vk) {
    case VK_UP:
        if (model_.browseMode())
            model_.scrollRows(-step);
        else
            model_.lineUp(step);
        break;
    case VK_DOWN:
        if (model_.browseMode())
            model_.scrollRows(step);
        else
            model_.lineDown(step);
        break;
    case VK_RIGHT:
        for (int i = 0; i < step; ++i) model_.charRight();
        break;
    case VK_LEFT:
        for (int i = 0; i < step; ++i) model_.charLeft();
        break;
    case VK_HOME:
        if (ctrl)
            model_.fileTop();
        else
            model_.lineStart();
        break;
    case VK_END:
        if (ctrl)
            model_.fileEnd();
        else
            model_.lineEnd();
        break;
    case VK_NEXT:
        model_.pageDown(model_.pageRows());
        break;
    case VK_PRIOR:
        model_.pageUp(model_.pageRows());
        break;
    }
    if (extend) model_.extendSelectionToCaret();
    apply(before);
}

void TextView::onKeyDown(WPARAM vk, LPARAM lp) {
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_CAPITAL) return;
    bool repeat = (lp & (1 << 30)) != 0;
    bool ctrl = keyDown(VK_CONTROL), shift = keyDown(VK_SHIFT);
    repeatCount_ = repeat ? repeatCount_ + 1 : 0;
    if (vk == VK_ESCAPE) {
        Snapshot before = snapshot();
        if (model_.hasSelection()) {
            model_.cancelSelection();
            apply(before);
        } else if (!model_.browseMode()) {
            model_.setBrowseMode(true);
            apply(before);
            invalidateAll();
        } else {
            host_->runCommand(IDM_EXIT);
        }
        return;
    }
    bool extend = shift || model_.keyboardSelecting();
    switch (vk) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
        if (ctrl) {
            unsigned cmd = host_->keyCommand(static_cast<unsigned>(vk), true, shift, false);
            if (cmd) {
                host_->runCommand(cmd);
                return;
            }
        }
        int step = repeat ? 2 : 1;
        if (repeat && !model_.browseMode()) {
            int screen = model_.caretRow() - model_.topRow();
            if ((vk == VK_UP && screen <= model_.topMargin()) ||
                (vk == VK_DOWN && screen >= model_.visibleRows() - 1 - model_.bottomMargin()))
                step = 1;
        }
        moveByKey(vk, step, extend);
        return;
    }
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        moveByKey(vk, 1, extend);
        return;
    case VK_APPS:
        if (model_.hasSelection()) {
            POINT p = {columnX(model_.caretColumn()), rowTop(model_.caretRow()) + rowH_};
            ClientToScreen(hwnd_, &p);
            showContextMenu(p, true);
        }
        return;
    default:
        break;
    }
    // Ctrl with a letter arrives again as a control character: it is looked up there.
    if (ctrl && !keyDown(VK_MENU) && vk >= 'A' && vk <= 'Z') return;
    unsigned cmd = host_->keyCommand(static_cast<unsigned>(vk), ctrl, shift, false);
    if (cmd) host_->runCommand(cmd);
}

void TextView::onChar(WPARAM ch) {
    if (ch == 0x1B || ch == '\r' || ch == '\n') return;
    if (ch >= 1 && ch <= 26) {
        unsigned vk = static_cast<unsigned>('A' + ch - 1);
        bool shift = keyDown(VK_SHIFT);
        unsigned cmd = shift ? host_->keyCommand(vk, true, true, false) : 0;
        bool startSelection = false;
        if (!cmd) {
            cmd = host_->keyCommand(vk, true, false, false);
            startSelection = shift && cmd != 0;
        }
        if (!cmd) return;
        if (isCursorCommand(cmd) && keyOfCommand(cmd)) {
            moveByKey(keyOfCommand(cmd), 1, startSelection || model_.keyboardSelecting());
            return;
        }
        if (startSelection && !model_.hasSelection()) model_.startSelection(false);
        host_->runCommand(cmd);
        return;
    }
    if (ch >= 0x20) MessageBeep(0);  // the viewer does not edit
}

bool TextView::hitText(int x, int y, int* row, int* column) const {
    int top = textTop();
    int r = model_.topRow() + (y - top >= 0 ? (y - top) / rowH_ : (y - top) / rowH_ - 1);
    int c = model_.firstColumn() + (x - marginWidth_ + charW_ / 2) / charW_;
    if (x < marginWidth_) c = model_.firstColumn();
    *row = std::max(0, std::min(r, rows_ ? rows_->eofRow() : 0));
    *column = std::max(0, c);
    return y >= top && x >= marginWidth_;
}

unsigned TextView::linkAt(int row, int column, int* start, int* end, int* startRow) {
    if (!rows_ || row > rows_->eofRow()) return 0;
    int offset = 0;
    const std::vector<LinkSpan>& links = linksForRow(row, &offset);
    int pos = offset + column;
    for (const LinkSpan& s : links) {
        if (pos >= s.start && pos < s.end) {
            // Back to row and column coordinates of the address's first byte.
            int r = cacheFirst_, base = 0;
            for (size_t i = 0; i < cacheRowOffsets_.size(); ++i)
                if (cacheRowOffsets_[i] <= s.start) {
                    r = cacheFirst_ + static_cast<int>(i);
                    base = cacheRowOffsets_[i];
                }
            *startRow = r;
            *start = s.start - base;
            *end = s.end;
            return s.kind == kMailLink ? kRunMailLink : kRunWebLink;
        }
    }
    return 0;
}

void TextView::onLeftDown(int x, int y, WPARAM keys) {
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
        return;
    }
    if (y < kRulerBand || !rows_) return;
    if (split_) {
        // The bar is taken within half a row; a press in the other pane makes it live.
        if (nearSplitBar(y)) {
            barDrag_ = true;
            SetCapture(hwnd_);
            HideCaret(hwnd_);
            moveBarLine(snapBar(y));
            return;
        }
        RECT live = liveBand();
        if (y < live.top || y >= live.bottom) {
            switchPane();
            return;
        }
    }
    DWORD now = GetTickCount();
    if (lastDoubleClick_ && now - lastDoubleClick_ <= GetDoubleClickTime()) {
        // A third click: the same as the double click on an address.
        lastDoubleClick_ = 0;
        int row, col;
        hitText(x, y, &row, &col);
        int s, e, sr;
        if (linkAt(row, col, &s, &e, &sr)) openAddress(row, col, (keys & MK_CONTROL) != 0);
        return;
    }
    Snapshot before = snapshot();
    bool box = keyDown(VK_MENU) || (keys & MK_CONTROL);
    int row, col;
    bool inText = hitText(x, y, &row, &col);
    model_.setMouseDown(true);
    if (!inText) {
        // The line-number margin: Ctrl selects everything, a click selects the row.
        if (keys & MK_CONTROL) {
            model_.selectAll();
        } else {
            int next = std::min(row + 1, rows_->eofRow());
            int endCol = next == row ? model_.textLength(row) : 0;
            if ((keys & MK_SHIFT) && model_.hasSelection()) {
                lineAnchorRow_ = model_.selection().anchorRow;
            } else {
                lineAnchorRow_ = row;
            }
            int a = std::min(lineAnchorRow_, row), b = std::max(lineAnchorRow_, row);
            int bNext = std::min(b + 1, rows_->eofRow());
            endCol = bNext == b ? model_.textLength(b) : 0;
            model_.selectRange(a, 0, bNext, endCol, true);
            model_.moveCaretTo(row, 0);
            mouseMode_ = MouseLines;
            SetCapture(hwnd_);
        }
        apply(before);
        invalidateAll();
        return;
    }
    if (keys & MK_SHIFT) {
        if (!model_.hasSelection()) model_.startSelection(box);
        model_.moveCaretTo(row, col);
        model_.extendSelectionToCaret();
        model_.setSelectionBox(box);
    } else {
        model_.cancelSelection();
        model_.moveCaretTo(row, col);
        int s, e, sr;
        unsigned link = linkAt(model_.caretRow(), model_.caretColumn(), &s, &e, &sr);
        if (link) {
            // A click on an address selects it whole.
            int endRow = sr, endCol = e - (cacheRowOffsets_[sr - cacheFirst_]);
            while (endRow < cacheLast_ && endCol > model_.textLength(endRow)) {
                endCol -= model_.textLength(endRow);
                ++endRow;
            }
            model_.selectRange(sr, s, endRow, endCol, false);
        } else {
            model_.startSelection(box);
        }
    }
    mouseMode_ = MouseChars;
    SetCapture(hwnd_);
    lastMouse_ = {x, y};
    apply(before);
}

void TextView::onMouseMove(int x, int y) {
    lastMouse_ = {x, y};
    if (barDrag_) {
        moveBarLine(snapBar(y));
        return;
    }
    if (mouseMode_ == MouseIdle || !rows_) return;
    Snapshot before = snapshot();
    int row, col;
    hitText(x, y, &row, &col);
    bool above = y < textTop(), below = y >= textTop() + model_.visibleRows() * rowH_;
    if (above) row = model_.topRow() - 2;
    if (below) row = model_.topRow() + model_.visibleRows() + 1;
    row = std::max(0, std::min(row, rows_->eofRow()));
    if (mouseMode_ == MouseLines) {
        int a = std::min(lineAnchorRow_, row), b = std::max(lineAnchorRow_, row);
        int bNext = std::min(b + 1, rows_->eofRow());
        model_.selectRange(a, 0, bNext, bNext == b ? model_.textLength(b) : 0, true);
        model_.moveCaretTo(row, 0);
    } else {
        bool box = model_.selection().box;
        if (!model_.hasSelection()) model_.startSelection(box);
        model_.moveCaretTo(row, col);
        model_.extendSelectionToCaret();
        model_.setSelectionBox(box);
    }
    apply(before);
    if ((above && model_.topRow() > 0) || (below && model_.caretRow() < rows_->eofRow())) {
        if (!autoScrollPending_) {
            autoScrollPending_ = true;
            SetTimer(hwnd_, kAutoScrollTimer, 1, nullptr);
        }
    }
}

void TextView::onLeftUp() {
    if (barDrag_) {
        endBarDrag(lastMouse_.y);
        return;
    }
    if (mouseMode_ == MouseIdle) return;
    mouseMode_ = MouseIdle;
    model_.setMouseDown(false);
    KillTimer(hwnd_, kAutoScrollTimer);
    autoScrollPending_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    Snapshot before = snapshot();
    const Selection& s = model_.selection();
    if (s.exists && s.anchorRow == s.endRow && s.anchorCol == s.endCol) model_.cancelSelection();
    apply(before);
    updateScrollBar();
}

void TextView::onLeftDouble(int x, int y, WPARAM keys) {
    if (y < textTop() || y >= liveBand().bottom || !rows_) return;
    int row, col;
    if (!hitText(x, y, &row, &col)) return;
    int s, e, sr;
    // The link under the pointer, taken at the character under it rather than the nearer boundary.
    int exact = model_.firstColumn() + (x - marginWidth_) / charW_;
    if (!linkAt(row, exact, &s, &e, &sr)) return;
    lastDoubleClick_ = GetTickCount();
    if (mouseMode_ != MouseIdle) onLeftUp();
    Snapshot before = snapshot();
    model_.cancelSelection();
    apply(before);
    openAddress(row, exact, (keys & MK_CONTROL) != 0);
}

void TextView::openAddress(int row, int column, bool asFile) {
    int s, e, sr;
    unsigned kind = linkAt(row, column, &s, &e, &sr);
    if (!kind) return;
    // Collect the address over its rows.
    std::string address;
    int offset = cacheRowOffsets_[sr - cacheFirst_];
    int total = e - (offset + s);
    int r = sr, c = s;
    while (static_cast<int>(address.size()) < total && r <= rows_->eofRow() &&
           static_cast<int>(address.size()) < kMaxAddress) {
        int len = 0;
        const unsigned char* t = rows_->rowText(r, &len);
        int textLen = r == rows_->eofRow() ? std::max(0, len - 5) : len;
        for (; c < textLen && static_cast<int>(address.size()) < total; ++c)
            address += static_cast<char>(t[c]);
        ++r;
        c = 0;
    }
    if (kind == kRunMailLink) address = host_->text(IDS_MAILTO) + address;
    HWND owner = GetLastActivePopup(GetParent(hwnd_));
    if (asFile) {
        std::replace(address.begin(), address.end(), '/', '\\');
        if (GetFileAttributesA(address.c_str()) != INVALID_FILE_ATTRIBUTES) {
            host_->openFile(address);
        } else {
            std::string msg = address + host_->text(IDS_NOTFOUND);
            common::showMessageBox(owner, msg.c_str(), "", MB_ICONHAND | MB_OK);
        }
        return;
    }
    HINSTANCE r2 = ShellExecuteA(GetParent(hwnd_), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(r2) <= 32) {
        std::string msg = address + host_->text(IDS_SHELLFAILED);
        common::showMessageBox(owner, msg.c_str(), "", MB_ICONHAND | MB_OK);
    }
}

void TextView::onRightDown(int x, int y) {
    if (!model_.hasSelection()) return;
    POINT p = {x, y};
    ClientToScreen(hwnd_, &p);
    showContextMenu(p, false);
}

void TextView::showContextMenu(POINT screen, bool fromKeyboard) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    std::string label = host_->text(IDS_POPUPCOPY);
    AppendMenuA(menu, MF_STRING, IDM_COPY, label.c_str());
    int x = screen.x, y = screen.y;
    if (!fromKeyboard) {
        // The single item lies under the pointer.
        x -= 8;
        y -= GetSystemMetrics(SM_CYMENU) / 2;
    }
    UINT cmd = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
                              GetParent(hwnd_), nullptr);
    DestroyMenu(menu);
    if (cmd) host_->runCommand(cmd);
}

void TextView::onVScroll(int code) {
    Snapshot before = snapshot();
    switch (code) {
    case SB_LINEUP:
        model_.scrollRows(-2);
        break;
    case SB_LINEDOWN:
        model_.scrollRows(2);
        break;
    case SB_PAGEUP:
        model_.pageUp(model_.pageRows());
        break;
    case SB_PAGEDOWN:
        model_.pageDown(model_.pageRows());
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_VERT, &si);
        int s = ViewModel::scrollScale(rows_ ? rows_->rowCount() : 1);
        int target = std::min(si.nTrackPos * s, model_.maxTopForPaging());
        model_.scrollRows(target - model_.topRow());
        break;
    }
    default:
        return;  // the final position and end-scroll are ignored
    }
    apply(before);
}

void TextView::onWheel(int delta, bool oldMessage) {
    int lines = 3;
    if (oldMessage) {
        char value[16] = "3";
        DWORD size = sizeof value;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            if (RegQueryValueExA(key, "WheelScrollLines", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                                 &size) != ERROR_SUCCESS)
                lstrcpyA(value, "3");
            RegCloseKey(key);
        }
        value[sizeof value - 1] = 0;
        lines = atoi(value);
    } else {
        UINT v = 3;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &v, 0);
        lines = (v == WHEEL_PAGESCROLL) ? -1 : static_cast<int>(v);
    }
    if (lines == 0 || delta == 0) return;
    Snapshot before = snapshot();
    bool forward = delta > 0;
    if (lines < 0) {
        if (forward)
            model_.pageUp(model_.pageRows());
        else
            model_.pageDown(model_.pageRows());
    } else {
        model_.scrollRows(forward ? -lines : lines);
    }
    apply(before);
}

bool TextView::onSetCursor() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    if (split_ && p.y >= kRulerBand && (barDrag_ || nearSplitBar(p.y))) {
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        return true;
    }
    if (p.y < kRulerBand || !rows_ || (split_ && (p.y < liveBand().top || p.y >= liveBand().bottom))) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return true;
    }
    if (p.x < marginWidth_) {
        SetCursor(LoadCursorA(inst, MAKEINTRESOURCEA(IDC_LINESELECT)));
        return true;
    }
    int row, col;
    hitText(p.x, p.y, &row, &col);
    int exact = model_.firstColumn() + (p.x - marginWidth_) / charW_;
    int s, e, sr;
    if (row <= rows_->eofRow() && p.x < paintLimit()) {
        if (linkAt(row, exact, &s, &e, &sr))
            SetCursor(LoadCursorA(inst, MAKEINTRESOURCEA(IDC_LINK)));
        else
            SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        return true;
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return true;
}

}  // namespace viewer
