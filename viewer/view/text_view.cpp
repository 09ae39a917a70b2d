#include "text_view.h"
#include "message_box.h"
#include "clipboard.h"
#include "layout.h"
#include "../../resources/viewer/resource.h"
#include <imm.h>
#include <algorithm>

namespace viewer {

const char kClientClassName[] = "KV32CLIENT";

namespace {
constexpr UINT kAutoScrollTimer = 1;
}

bool TextView::registerClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = common::WindowBase::windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClientClassName;
    return RegisterClassA(&wc) != 0;
}

HWND TextView::create(HWND frame, int id, ViewHost* host) {
    // The view owns itself from here: it is deleted when its window is gone.
    TextView* view = new TextView(host);
    HWND w = view->WindowBase::create(WS_EX_CLIENTEDGE, kClientClassName, "",
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL, 0, 0, 0, 0, frame,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE)));
    if (!w) delete view;
    return w;
}

TextView* TextView::from(HWND hwnd) { return static_cast<TextView*>(fromHandle(hwnd)); }

void TextView::onDestroyed() { delete this; }

LRESULT TextView::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    static const UINT wheelMessage = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
    if (msg == wheelMessage && wheelMessage != 0) {
        onWheel(static_cast<int>(wp), true);
        return 0;
    }
    switch (msg) {
    case WM_CREATE:
        onCreate();
        break;
    case WM_SIZE:
        clientW_ = LOWORD(lp);
        clientH_ = HIWORD(lp);
        relayout();
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOLORCHANGE:
        readColours();
        invalidateAll();
        return 0;
    case WM_SETFOCUS:
        focus_ = true;
        createCaretShape();
        updateCaret();
        {
            common::WindowDC dc(hwnd_);
            paintCaretColumn(dc.get());
        }
        return 0;
    case WM_KILLFOCUS:
        focus_ = false;
        if (caretCreated_) {
            DestroyCaret();
            caretCreated_ = false;
        }
        {
            common::WindowDC dc(hwnd_);
            paintRuler(dc.get(), true);
        }
        return 0;
    case WM_KEYDOWN:
        onKeyDown(wp, lp);
        return 0;
    case WM_SYSKEYDOWN: {
        bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
        unsigned cmd = (wp == VK_MENU) ? 0 : host_->keyCommand(static_cast<unsigned>(wp), ctrl, shift, true);
        if (cmd) {
            host_->runCommand(cmd);
            return 0;
        }
        break;
    }
    case WM_SYSCHAR:
        // Alt+letter that ran a command must not also open a menu.
        if (host_->keyCommand(static_cast<unsigned>(VkKeyScanA(static_cast<CHAR>(wp)) & 0xFF),
                              GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, true))
            return 0;
        break;
    case WM_KEYUP:
        if (repeatCount_ > 0) {
            repeatCount_ = 0;
            updateScrollBar();
        }
        return 0;
    case WM_CHAR:
        onChar(wp);
        return 0;
    case WM_LBUTTONDOWN:
        onLeftDown(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), wp);
        return 0;
    case WM_LBUTTONDBLCLK:
        onLeftDouble(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), wp);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        return 0;
    case WM_LBUTTONUP:
        // The release carries where the drag ended; the last move seen may be
        // older (moves are merged, and under Wine a late one can even point back).
        lastMouse_ = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        onLeftUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (barDrag_ && reinterpret_cast<HWND>(lp) != hwnd_) cancelBarDrag();
        if (mouseMode_ != MouseIdle && reinterpret_cast<HWND>(lp) != hwnd_) onLeftUp();
        return 0;
    case WM_RBUTTONDOWN:
        return 0;
    case WM_RBUTTONUP:
        // Opened on the release: a menu opened on the press would take the
        // release as a click beside its item and close again at once.
        onRightDown(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        return 0;
    case WM_CONTEXTMENU:
        return 0;
    case WM_TIMER:
        if (wp == kAutoScrollTimer) {
            KillTimer(hwnd_, kAutoScrollTimer);
            autoScrollPending_ = false;
            if (mouseMode_ != MouseIdle) onMouseMove(lastMouse_.x, lastMouse_.y);
        }
        return 0;
    case WM_VSCROLL:
        onVScroll(LOWORD(wp));
        return 0;
    case WM_MOUSEWHEEL:
        onWheel(static_cast<short>(HIWORD(wp)), false);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && onSetCursor()) return TRUE;
        break;
    case WMU_QUERY_VIEW:
        switch (wp) {
        case VIEW_QUERY_POSITION: {
            int col = std::min(model_.caretColumn() + 1, 9999);
            return MAKELONG(col, model_.caretRow() + 1);
        }
        case VIEW_QUERY_TOP_ROW:
            return model_.topRow();
        case VIEW_QUERY_MARGIN_WIDTH:
            return marginWidth_;
        case VIEW_QUERY_ROW_COUNT:
            return rows_ ? rows_->rowCount() : 0;
        case VIEW_QUERY_BROWSE_MODE:
            return model_.browseMode() ? 1 : 0;
        case VIEW_QUERY_HAS_SELECTION:
            return model_.hasSelection() ? 1 : 0;
        case VIEW_QUERY_FIRST_COLUMN:
            return model_.firstColumn();
        case VIEW_QUERY_VISIBLE_ROWS:
            return model_.visibleRows();
        case VIEW_QUERY_SPLIT:
            return split_ ? (liveUpper_ ? 1 : 2) : 0;
        case VIEW_QUERY_OTHER_TOP_ROW:
            return split_ ? saved_.top : -1;
        case VIEW_QUERY_OTHER_HEIGHT:
            return split_ ? otherH_ : 0;
        case VIEW_QUERY_LIVE_TOP:
            return textTop();
        }
        return -1;
    case WM_DESTROY:
        onDestroy();
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (host_ && host_->clientMessage(hwnd_, msg, wp, lp, &result)) return result;
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

void TextView::onCreate() {
    createFonts();
    readColours();
}

void TextView::onDestroy() {
    KillTimer(hwnd_, kAutoScrollTimer);
    if (caretCreated_) {
        DestroyCaret();
        caretCreated_ = false;
    }
}

void TextView::createFonts() {
    if (building_) return;  // a rebuild from inside a rebuild is skipped
    building_ = true;
    textFont_ = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    common::WindowDC dc(hwnd_);
    TEXTMETRICA tm = {};
    {
        common::Selected s(dc.get(), textFont_);
        GetTextMetricsA(dc.get(), &tm);
        SIZE eight = {};
        GetTextExtentPoint32A(dc.get(), "8", 1, &eight);
        digitW_ = eight.cx > 0 ? eight.cx : tm.tmAveCharWidth;
    }
    rowH_ = std::max<int>(1, tm.tmHeight);
    charW_ = std::max<int>(1, tm.tmAveCharWidth);
    ascent_ = tm.tmAscent;
    trueType_ = (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0;

    LOGFONTA lf = {};
    GetObjectA(textFont_, sizeof lf, &lf);
    lf.lfItalic = TRUE;
    italicFont_.reset(CreateFontIndirectA(&lf));

    LOGFONTA rf = {};
    rf.lfHeight = 11;
    rf.lfWeight = FW_NORMAL;
    rf.lfPitchAndFamily = VARIABLE_PITCH;
    lstrcpynA(rf.lfFaceName, "Small Fonts", LF_FACESIZE);
    if (!rulerFont_) rulerFont_.reset(CreateFontIndirectA(&rf));

    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    int fh = tm.tmHeight;
    int esc = fh <= 15 ? IDB_ESC_12 : fh <= 19 ? IDB_ESC_16 : fh <= 23 ? IDB_ESC_20 : IDB_ESC_24;
    int ff = fh <= 15 ? IDB_FF_12 : fh <= 19 ? IDB_FF_16 : fh <= 23 ? IDB_FF_20 : IDB_FF_24;
    escGlyph_.reset(LoadBitmapA(inst, MAKEINTRESOURCEA(esc)));
    ffGlyph_.reset(LoadBitmapA(inst, MAKEINTRESOURCEA(ff)));
    dots_.reset(LoadBitmapA(inst, MAKEINTRESOURCEA(IDB_DOTS)));
    dotsBrush_.reset(dots_ ? CreatePatternBrush(dots_.get()) : nullptr);

    // The line-end mark: a down arrow, drawn once into a monochrome cell.
    lineEndGlyph_.reset(CreateBitmap(charW_, rowH_, 1, 1, nullptr));
    if (lineEndGlyph_) {
        common::MemoryDC mem(dc.get());
        common::Selected sb(mem.get(), lineEndGlyph_.get());
        PatBlt(mem.get(), 0, 0, charW_, rowH_, WHITENESS);
        common::Selected sp(mem.get(), GetStockObject(BLACK_PEN));
        int x = charW_ / 2, y0 = rowH_ / 5, y1 = ascent_ - 2;
        int a = std::max(3, (ascent_ - rowH_ / 5 + 1) / 3);
        MoveToEx(mem.get(), x, y0, nullptr);
        LineTo(mem.get(), x, y1 + 1);
        MoveToEx(mem.get(), x, y1, nullptr);
        LineTo(mem.get(), x - a, y1 - a);
        MoveToEx(mem.get(), x, y1, nullptr);
        LineTo(mem.get(), x + a, y1 - a);
    }
    building_ = false;
}

COLORREF TextView::resolve(uint32_t colour) const {
    COLORREF c = (colour & kSystemColour) ? GetSysColor(colour & 0xFF) : static_cast<COLORREF>(colour);
    common::WindowDC dc(hwnd_);
    return GetNearestColor(dc.get(), c);
}

void TextView::readColours() {
    for (int i = 0; i < kAttributeCount; ++i) {
        text_[i] = resolve(defaultAttribute(i).text);
        back_[i] = resolve(defaultAttribute(i).back);
    }
    separator_ = resolve(rgb(128, 128, 128));
}

void TextView::setRows(TextRows* rows) {
    if (split_) unsplit();  // a new document starts in one pane
    rows_ = rows;
    model_.setRows(rows);
    cacheFirst_ = cacheLast_ = -1;
    cacheLinks_.clear();
    lastRulerColumn_ = -1;
    mouseMode_ = MouseIdle;
    relayout();
    invalidateAll();
}

void TextView::relayout() {
    int rowCount = rows_ ? rows_->rowCount() : 1;
    int newMargin = lineNumberMarginWidth(host_->lineNumbersShown(), rowCount, digitW_);
    if (newMargin != marginWidth_) {
        int delta = newMargin - marginWidth_;
        marginWidth_ = newMargin;
        host_->marginWidthChanged(delta);
        invalidateAll();
    }
    int textH = textAreaHeight();
    if (split_) {
        // The other pane keeps its height while the live one still has a row.
        if (textH - otherH_ - 2 < rowH_) {
            unsplit();
            return;
        }
        textH = liveHeight();
    }
    int textW = std::max(0, clientW_ - marginWidth_);
    model_.setViewport(textH / rowH_, textW / charW_, textH % rowH_ != 0);
    if (split_) {
        renderPicture();
        invalidateAll();
    }
    updateScrollBar();
    updateCaret();
}

void TextView::invalidateAll() {
    lastRulerColumn_ = -1;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

TextView::Snapshot TextView::snapshot() {
    Snapshot s;
    s.top = model_.topRow();
    s.firstCol = model_.firstColumn();
    s.caretRow = model_.caretRow();
    s.caretCol = model_.caretColumn();
    s.hadSelection = model_.hasSelection();
    s.browse = model_.browseMode();
    int n = model_.visibleRows() + 1;
    s.sel.resize(n);
    if (s.hadSelection)
        for (int i = 0; i < n; ++i) s.sel[i] = model_.rowSelection(s.top + i);
    return s;
}

void TextView::apply(const Snapshot& before) {
    if (!hwnd_) return;
    // The found text stays inverted only until the caret moves.
    if (matchLength_ > 0 && (model_.caretRow() != before.caretRow ||
                             model_.caretColumn() != before.caretCol || model_.hasSelection())) {
        matchLength_ = 0;
        createCaretShape();
    }
    int dTop = model_.topRow() - before.top;
    int rows = model_.visibleRows() + 1;
    if (model_.firstColumn() != before.firstCol || std::abs(dTop) >= model_.visibleRows()) {
        invalidateAll();
    } else {
        if (dTop != 0) {
            RECT area = liveBand();
            ScrollWindowEx(hwnd_, 0, -dTop * rowH_, &area, &area, nullptr, nullptr, SW_INVALIDATE);
        }
        // Rows whose selected part changed are redrawn over the changed columns only.
        bool hasSel = model_.hasSelection();
        if (hasSel || before.hadSelection) {
            for (int i = 0; i < rows; ++i) {
                int row = model_.topRow() + i;
                int oldIndex = row - before.top;
                RowSelection now = hasSel ? model_.rowSelection(row) : RowSelection();
                RowSelection old = (oldIndex >= 0 && oldIndex < static_cast<int>(before.sel.size()))
                                       ? before.sel[oldIndex]
                                       : RowSelection();
                bool nowEmpty = now.from >= now.to && !now.lineEnd;
                bool oldEmpty = old.from >= old.to && !old.lineEnd;
                if (nowEmpty && oldEmpty) continue;
                if (now.from == old.from && now.to == old.to && now.lineEnd == old.lineEnd) continue;
                int c0, c1;
                if (nowEmpty) {
                    c0 = old.from;
                    c1 = old.to + 1;
                } else if (oldEmpty) {
                    c0 = now.from;
                    c1 = now.to + 1;
                } else {
                    c0 = std::min(now.from, old.from);
                    c1 = std::max(now.to, old.to) + 1;
                    if (now.from == old.from) c0 = std::min(now.to, old.to);
                    if (now.to == old.to && now.lineEnd == old.lineEnd) c1 = std::max(now.from, old.from) + 1;
                }
                RECT r = {columnX(c0) - charW_, rowTop(row), columnX(c1) + charW_, rowTop(row) + rowH_};
                if (r.left < marginWidth_) r.left = marginWidth_;
                InvalidateRect(hwnd_, &r, FALSE);
            }
        }
    }
    // The ruler's caret-column cell shows only in caret mode: a mode change alone redraws it too.
    if (model_.firstColumn() != before.firstCol || model_.caretColumn() != before.caretCol ||
        model_.browseMode() != before.browse) {
        RECT band = {0, 0, clientW_, kRulerBand};
        InvalidateRect(hwnd_, &band, FALSE);
    }
    if (model_.hasSelection() != before.hadSelection && focus_) createCaretShape();
    if (repeatCount_ == 0 || repeatCount_ % 32 == 0) updateScrollBar();
    updateCaret();
    if (model_.caretRow() != before.caretRow || model_.caretColumn() != before.caretCol) host_->caretMoved();
}

void TextView::updateScrollBar() {
    if (!hwnd_) return;
    int count = rows_ ? rows_->rowCount() : 1;
    int s = ViewModel::scrollScale(count);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(1, count / s);
    si.nPage = model_.visibleRows() / s;
    si.nPos = (model_.topRow() + s - 1) / s;
    bool canScroll = model_.topRow() > 0 || count > model_.visibleRows();
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    if (mouseMode_ == MouseIdle)
        EnableScrollBar(hwnd_, SB_VERT, canScroll ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void TextView::createCaretShape() {
    if (!focus_) return;
    if (caretCreated_) DestroyCaret();
    if (matchLength_ > 0)
        CreateCaret(hwnd_, nullptr, matchLength_ * charW_, rowH_);
    else if (model_.hasSelection())
        CreateCaret(hwnd_, nullptr, 1, rowH_);
    else
        CreateCaret(hwnd_, nullptr, std::max(1, charW_ / 3), rowH_);
    caretCreated_ = true;
}

void TextView::updateCaret() {
    if (!caretCreated_) return;
    int screenRow = model_.caretRow() - model_.topRow();
    bool visible = (!model_.browseMode() || matchLength_ > 0) && mouseMode_ == MouseIdle && screenRow >= 0 &&
                   screenRow <= model_.visibleRows() && model_.caretColumn() >= model_.firstColumn();
    SetCaretPos(columnX(model_.caretColumn()), rowTop(model_.caretRow()));
    HideCaret(hwnd_);
    if (visible) ShowCaret(hwnd_);
    placeComposition();
}

void TextView::placeComposition() {
    // An input method's composition window follows the caret (the selection's
    // start while there is one) and uses the text font.
    HIMC imc = ImmGetContext(hwnd_);
    if (!imc) return;
    int row = model_.caretRow(), col = model_.caretColumn();
    if (model_.hasSelection()) {
        row = model_.selection().startRow();
        col = model_.selection().startCol();
    }
    COMPOSITIONFORM cf = {};
    cf.dwStyle = CFS_POINT;
    cf.ptCurrentPos.x = columnX(col);
    cf.ptCurrentPos.y = rowTop(row);
    ImmSetCompositionWindow(imc, &cf);
    LOGFONTA lf = {};
    if (textFont_ && GetObjectA(textFont_, sizeof lf, &lf)) ImmSetCompositionFontA(imc, &lf);
    ImmReleaseContext(hwnd_, imc);
}

void TextView::goTo(int row, int column) {
    Snapshot before = snapshot();
    model_.cancelSelection();
    model_.moveCaretTo(row, column);
    apply(before);
}

void TextView::goToLine(int line, int column) {
    if (!rows_) return;
    if (line < 0) {
        Snapshot before = snapshot();
        model_.fileEnd();
        apply(before);
        return;
    }
    model_.rememberPosition();
    // Display rows until the requested logical line begins.
    int row = 0, current = 1, last = rows_->eofRow();
    while (current < line && row < last) {
        if (rows_->endsLine(row)) ++current;
        ++row;
    }
    // The column counts over the logical line's rows.
    int col = column;
    while (col > 0 && row < last && !rows_->endsLine(row)) {
        int len = model_.textLength(row);
        if (col < len) break;
        col -= len;
        ++row;
    }
    goTo(row, col);
}

void TextView::showMatch(int row, int column, int endRow, int endColumn, int length) {
    Snapshot before = snapshot();
    model_.cancelSelection();
    int visible = model_.visibleRows();
    int top = model_.topRow();
    if (row > top + visible / 2) {
        // To the middle, but the end-of-file row never rises above the bottom margin.
        top = std::min(row - visible / 2, std::max(top, model_.maxTopForCaret()));
        top = std::max(top, row - visible + 1);
    } else if (row < top + 2 * model_.topMargin()) {
        top = std::max(0, row - 2 * model_.topMargin());
    }
    model_.setTop(top);
    model_.moveCaretTo(row, column);
    bool highlight = length > 0;
    if (highlight && !focus_) {
        // Without the focus there is no caret to show it: the match is selected.
        model_.selectRange(model_.caretRow(), model_.caretColumn(), endRow, endColumn, false);
        highlight = false;
    }
    apply(before);
    if (highlight) {
        matchLength_ = length;
        createCaretShape();
        updateCaret();
    }
}

void TextView::toggleLineNumbers() {
    host_->setLineNumbersShown(!host_->lineNumbersShown());
    relayout();
    invalidateAll();
}

void TextView::copySelection() {
    if (!model_.hasSelection()) {
        MessageBeep(0);
        return;
    }
    std::string text = model_.selectionText();
    if (!putOnClipboard(GetParent(hwnd_), text, model_.selection().box)) {
        common::showMessageBox(GetLastActivePopup(GetParent(hwnd_)), host_->text(IDS_NOMEMORY).c_str(), "",
                               MB_ICONHAND | MB_OK);
    }
    Snapshot before = snapshot();
    model_.cancelSelection();
    apply(before);
}

bool TextView::runViewCommand(unsigned command) {
    Snapshot before = snapshot();
    bool handled = true;
    switch (command) {
    case IDM_CURSOR_UP:
        moveByKey(VK_UP, 1, false);
        return true;
    case IDM_CURSOR_DOWN:
        moveByKey(VK_DOWN, 1, false);
        return true;
    case IDM_CURSOR_RIGHT:
        moveByKey(VK_RIGHT, 1, false);
        return true;
    case IDM_CURSOR_LEFT:
        moveByKey(VK_LEFT, 1, false);
        return true;
    case IDM_LINE_START:
        moveByKey(VK_HOME, 1, false);
        return true;
    case IDM_LINE_END:
        moveByKey(VK_END, 1, false);
        return true;
    case IDM_FILE_TOP:
        model_.cancelSelection();
        model_.fileTop();
        break;
    case IDM_FILE_END:
        model_.cancelSelection();
        model_.fileEnd();
        break;
    case IDM_PAGE_DOWN:
        model_.pageDown(model_.pageRows());
        break;
    case IDM_PAGE_UP:
        model_.pageUp(model_.pageRows());
        break;
    case IDM_SCROLL_UP_2:
        model_.scrollRows(1);
        break;
    case IDM_SCROLL_DOWN_2:
        model_.scrollRows(-1);
        break;
    case IDM_RANGE_SELECT:
        model_.cancelSelection();
        if (model_.browseMode()) {
            model_.setBrowseMode(false);
            model_.moveCaretTo(model_.caretRow(), model_.caretColumn());
        } else {
            model_.startSelection(false);
            model_.setKeyboardSelecting(true);
        }
        break;
    case IDM_SELECT_ALL:
        model_.selectAll();
        apply(before);
        invalidateAll();
        return true;
    case IDM_COPY:
    case IDM_COPY_ACCEL:
        copySelection();
        return true;
    case IDM_LINE_NUMBERS:
        toggleLineNumbers();
        if (split_) refreshAll();
        return true;
    case IDM_SPLIT:
        if (split_)
            unsplit();
        else
            split();
        return true;
    case IDM_OTHER_PANE:
        switchPane();
        return true;
    default:
        handled = false;
        break;
    }
    if (handled) apply(before);
    return handled;
}

}  // namespace viewer
