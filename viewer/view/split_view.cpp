// The split window: the live pane is an ordinary view at an offset below the
// ruler; the other pane is a picture painted by the row painter when it was
// left, and comes back to life by exchanging views.
#include "text_view.h"
#include "../../resources/viewer/resource.h"
#include <algorithm>

namespace viewer {
namespace {
constexpr int kBarHeight = 2;
}

int TextView::liveHeight() const {
    int h = textAreaHeight();
    return split_ ? std::max(0, h - otherH_ - kBarHeight) : h;
}

RECT TextView::liveBand() const {
    RECT r = {0, kRulerBand, clientW_, clientH_};
    if (!split_) return r;
    r.top = kRulerBand + liveY_;
    r.bottom = r.top + liveHeight();
    return r;
}

int TextView::otherPaneTop() const {
    return liveUpper_ ? kRulerBand + liveHeight() + kBarHeight : kRulerBand;
}

int TextView::splitBarTop() const { return liveUpper_ ? kRulerBand + liveHeight() : kRulerBand + otherH_; }

void TextView::checkSplitMenu() {
    HMENU menu = GetMenu(GetParent(hwnd_));
    if (menu) CheckMenuItem(menu, IDM_SPLIT, MF_BYCOMMAND | (split_ ? MF_CHECKED : MF_UNCHECKED));
}

void TextView::split() {
    int rows = model_.visibleRows();
    if (split_ || !rows_ || rows <= 2) {
        MessageBeep(0);
        return;
    }
    int otherRows = rows / 2;
    PaneState live = model_.paneState();
    int screenRow = live.caretRow - live.top;
    saved_ = PaneState();
    saved_.firstCol = live.firstCol;
    if (screenRow < rows / 2) {
        // The caret is in the upper half: the lower half becomes the picture.
        liveUpper_ = true;
        saved_.top = live.top + rows - otherRows;
    } else {
        // The live pane is the lower one; its rows stay where they were on the screen.
        liveUpper_ = false;
        saved_.top = live.top;
        live.top += otherRows;
    }
    saved_.caretRow = std::min(saved_.top + rows / 4, rows_->eofRow());
    otherH_ = otherRows * rowH_;
    liveY_ = liveUpper_ ? 0 : otherH_ + kBarHeight;
    split_ = true;
    model_.setPaneUnchecked(live);
    relayout();  // the live pane's rows and margins; paints the picture
    checkSplitMenu();
    invalidateAll();
    updateCaret();
}

void TextView::unsplit() {
    if (!split_) return;
    cancelBarDrag();
    PaneState live = model_.paneState();
    if (!liveUpper_) {
        // The rows above come back: the live text stays where it is on the screen.
        int up = (otherH_ + kBarHeight + rowH_ / 2) / rowH_;
        live.top = std::max(0, live.top - up);
    }
    split_ = false;
    liveY_ = 0;
    otherH_ = 0;
    picture_.reset();
    model_.setPaneUnchecked(live);
    relayout();
    checkSplitMenu();
    invalidateAll();
    updateCaret();
}

void TextView::switchPane() {
    if (!split_ || !rows_) return;
    PaneState live = model_.paneState();
    int oldLiveH = liveHeight();
    PaneState other = saved_;
    saved_ = live;
    saved_.sel = live.sel;
    liveUpper_ = !liveUpper_;
    otherH_ = oldLiveH;
    liveY_ = liveUpper_ ? 0 : otherH_ + kBarHeight;
    model_.setPaneUnchecked(other);
    model_.setKeyboardSelecting(false);
    relayout();  // paints the pane just left into the picture
    model_.restorePane(model_.paneState());
    if (focus_) createCaretShape();
    invalidateAll();
    updateScrollBar();
    updateCaret();
    host_->caretMoved();
}

void TextView::refreshAll() {
    if (split_) renderPicture();
    invalidateAll();
}

void TextView::renderPicture() {
    if (!split_ || !hwnd_ || otherH_ <= 0 || clientW_ <= 0) return;
    common::WindowDC wdc(hwnd_);
    picture_.reset(CreateCompatibleBitmap(wdc.get(), clientW_, otherH_));
    if (!picture_) return;
    common::MemoryDC mem(wdc.get());
    common::MemoryDC glyphs(wdc.get());
    if (!mem.get()) return;
    common::Selected bitmap(mem.get(), picture_.get());
    common::Selected font(mem.get(), textFont_);
    SetBkMode(mem.get(), OPAQUE);
    RECT all = {0, 0, clientW_, otherH_};
    SetBkColor(mem.get(), back_[kAttrNormal]);
    ExtTextOutA(mem.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);

    // The saved view stands in for the live one while its rows are painted at y 0.
    PaneState live = model_.paneState();
    HDC oldGlyphs = glyphDC_;
    glyphDC_ = glyphs.get();
    paintingPicture_ = true;
    model_.setPaneUnchecked(saved_);
    int rows = (otherH_ + rowH_ - 1) / rowH_;
    int limit = paintLimit();
    if (limit > marginWidth_) {
        IntersectClipRect(mem.get(), marginWidth_, 0, limit, otherH_);
        paintRows(mem.get(), saved_.top, saved_.top + rows - 1, marginWidth_, limit, false);
        SelectClipRgn(mem.get(), nullptr);
    }
    for (int i = 0; i < rows; ++i) paintLineNumber(mem.get(), saved_.top + i, i * rowH_);
    model_.setPaneUnchecked(live);
    paintingPicture_ = false;
    glyphDC_ = oldGlyphs;
}

void TextView::paintSplitParts(HDC dc) {
    int top = otherPaneTop();
    if (picture_) {
        common::MemoryDC mem(dc);
        common::Selected bitmap(mem.get(), picture_.get());
        BitBlt(dc, 0, top, clientW_, otherH_, mem.get(), 0, 0, SRCCOPY);
    }
    // Right of the picture (a wider window than when it was painted) is background.
    RECT bar = {0, splitBarTop(), clientW_, splitBarTop() + kBarHeight};
    SetBkColor(dc, text_[kAttrNormal]);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &bar, nullptr, 0, nullptr);
    if (barLineY_ >= 0) PatBlt(dc, 0, barLineY_, clientW_, 1, DSTINVERT);
}

bool TextView::nearSplitBar(int y) const {
    if (!split_) return false;
    int centre = splitBarTop() + kBarHeight / 2;
    return std::abs(y - centre) <= rowH_ / 2;
}

int TextView::snapBar(int y) const {
    int rows = textAreaHeight() / rowH_;
    int n = (y - kRulerBand + rowH_ / 2) / rowH_;
    if (y < kRulerBand) n = 0;
    n = std::max(0, std::min(n, rows));
    return kRulerBand + n * rowH_;
}

void TextView::moveBarLine(int y) {
    if (y == barLineY_) return;
    common::WindowDC dc(hwnd_);
    if (barLineY_ >= 0) PatBlt(dc.get(), 0, barLineY_, clientW_, 1, DSTINVERT);
    barLineY_ = y;
    if (barLineY_ >= 0) PatBlt(dc.get(), 0, barLineY_, clientW_, 1, DSTINVERT);
}

void TextView::cancelBarDrag() {
    if (!barDrag_) return;
    barDrag_ = false;
    moveBarLine(-1);
    if (GetCapture() == hwnd_) ReleaseCapture();
    updateCaret();
}

void TextView::endBarDrag(int y) {
    int line = snapBar(y);
    cancelBarDrag();
    if (!split_) return;
    int rows = textAreaHeight() / rowH_;
    int above = (line - kRulerBand) / rowH_;
    if (above <= 0) {
        closePane(true);
        return;
    }
    if (above >= rows) {
        closePane(false);
        return;
    }
    int upperH = above * rowH_;
    int lowerH = textAreaHeight() - upperH - kBarHeight;
    if (lowerH < rowH_ && !liveUpper_) {
        closePane(false);
        return;
    }
    int oldOther = otherH_;
    otherH_ = liveUpper_ ? lowerH : upperH;
    if (otherH_ <= 0) {
        otherH_ = oldOther;
        closePane(!liveUpper_);
        return;
    }
    liveY_ = liveUpper_ ? 0 : otherH_ + kBarHeight;
    if (!liveUpper_) {
        // The live rows keep their place on the screen as far as whole rows allow.
        PaneState live = model_.paneState();
        live.top = std::max(0, live.top + (otherH_ - oldOther) / rowH_);
        model_.setPaneUnchecked(live);
    }
    relayout();
    model_.restorePane(model_.paneState());
    invalidateAll();
    updateScrollBar();
    updateCaret();
    host_->caretMoved();
}

void TextView::closePane(bool upper) {
    // The pane that stays must be the live one when the split goes.
    if (liveUpper_ == upper) switchPane();
    unsplit();
}

}  // namespace viewer
