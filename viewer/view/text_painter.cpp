// Painting of the client window: rows of coloured runs, the trailing area
// with its line-end mark, the line-number margin and the ruler band.
#include "text_view.h"
#include "layout.h"
#include <algorithm>
#include <cstdio>

namespace viewer {
namespace {

constexpr int kMaxContextRows = 26;  // rows scanned for addresses on each side of a painted row

void fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
    if (r <= l || b <= t) return;
    RECT rc = {l, t, r, b};
    SetBkColor(dc, c);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

// Blits a monochrome glyph into a cell: ink in `ink`, the rest in `paper`.
// `mem` is a memory DC kept for the whole paint.
void blitGlyph(HDC dc, HDC mem, HBITMAP glyph, int x, int y, int w, int h, COLORREF ink, COLORREF paper) {
    if (!glyph || !mem) return;
    BITMAP bm = {};
    GetObjectA(glyph, sizeof bm, &bm);
    HGDIOBJ old = SelectObject(mem, glyph);
    SetTextColor(dc, ink);
    SetBkColor(dc, paper);
    if (bm.bmWidth == w && bm.bmHeight == h)
        BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY);
    else
        StretchBlt(dc, x, y, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(mem, old);
}

}  // namespace

int TextView::paintLimit() const {
    return std::min(clientW_, marginWidth_ + (kFoldWidth - model_.firstColumn()) * charW_);
}

void TextView::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc) return;
    common::MemoryDC glyphs(dc);
    glyphDC_ = glyphs.get();
    RECT r = ps.rcPaint;
    SetBkMode(dc, OPAQUE);
    common::Selected font(dc, textFont_);
    int limit = paintLimit();
    if (r.right > limit) {
        fill(dc, std::max<int>(limit, r.left), std::max<int>(r.top, kRulerBand), r.right, r.bottom,
             back_[kAttrNormal]);
        r.right = limit;
    }
    if (r.top < kRulerBand) {
        paintRuler(dc, true);
        r.top = kRulerBand;
    }
    if (split_) {
        // Only the live pane is painted row by row; the rest comes after it.
        RECT live = liveBand();
        r.top = std::max(r.top, live.top);
        r.bottom = std::min(r.bottom, live.bottom);
    }
    int top = textTop();
    if (r.bottom > r.top && r.right > r.left) {
        int first = std::max(0, static_cast<int>(r.top - top) / rowH_);
        int last = (static_cast<int>(r.bottom) - top - 1) / rowH_;
        bool inMargin = r.left < marginWidth_;
        if (r.right <= marginWidth_) {
            for (int i = first; i <= last; ++i) paintLineNumber(dc, model_.topRow() + i, top + i * rowH_);
        } else {
            // Text never spills into the margin, not even a character cut by the left edge.
            HRGN clip = CreateRectRgn(marginWidth_, top, r.right, r.bottom);
            SelectClipRgn(dc, clip);
            paintRows(dc, model_.topRow() + first, model_.topRow() + last,
                      std::max<int>(r.left, marginWidth_), r.right, false);
            SelectClipRgn(dc, nullptr);
            DeleteObject(clip);
            if (inMargin)
                for (int i = first; i <= last; ++i) paintLineNumber(dc, model_.topRow() + i, top + i * rowH_);
        }
    }
    // The other pane and the bar last: a part row of the live pane may reach into them.
    if (split_) paintSplitParts(dc);
    glyphDC_ = nullptr;
    EndPaint(hwnd_, &ps);
}

void TextView::paintRows(HDC dc, int firstRow, int lastRow, int clipLeft, int clipRight, bool numbers) {
    int eof = rows_ ? rows_->eofRow() : 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        int y = rowTop(row);
        if (!rows_ || row > eof) {
            fill(dc, clipLeft, y, clipRight, clientH_, back_[kAttrNormal]);
            if (numbers)
                for (int r = row; r <= lastRow; ++r) paintLineNumber(dc, r, rowTop(r));
            return;
        }
        paintRow(dc, row, y, clipLeft, clipRight);
        if (numbers) paintLineNumber(dc, row, y);
    }
}

const std::vector<LinkSpan>& TextView::linksForRow(int row, int* offsetInLine) {
    if (row < cacheFirst_ || row > cacheLast_) {
        int eof = rows_->eofRow();
        int first = row, last = row;
        while (first > 0 && !rows_->endsLine(first - 1) && row - first < kMaxContextRows) --first;
        while (last < eof && !rows_->endsLine(last) && last - row < kMaxContextRows) ++last;
        std::vector<unsigned char> buf;
        buf.reserve(2048);
        cacheRowOffsets_.clear();
        for (int r = first; r <= last; ++r) {
            cacheRowOffsets_.push_back(static_cast<int>(buf.size()));
            int len = 0;
            const unsigned char* t = rows_->rowText(r, &len);
            if (r == eof) len = std::max(0, len - 5);
            if (t && len > 0) buf.insert(buf.end(), t, t + len);
        }
        cacheLinks_ = findAddresses(buf.data(), static_cast<int>(buf.size()));
        cacheFirst_ = first;
        cacheLast_ = last;
    }
    *offsetInLine = cacheRowOffsets_[row - cacheFirst_];
    return cacheLinks_;
}

RowRunInput TextView::runInput(int row, const unsigned char* text, int length, int offsetInLine,
                               const std::vector<LinkSpan>* links) {
    RowRunInput in;
    in.text = text;
    in.length = length;
    in.eofRow = row == rows_->eofRow() && length >= 5;
    in.offsetInLine = offsetInLine;
    in.links = links;
    RowSelection s = model_.rowSelection(row);
    in.selStart = s.from;
    in.selEnd = s.to;
    return in;
}

void TextView::paintRow(HDC dc, int row, int y, int clipLeft, int clipRight) {
    int offset = 0;
    const std::vector<LinkSpan>& links = linksForRow(row, &offset);
    int len = 0;
    const unsigned char* text = rows_->rowText(row, &len);
    if (!text) len = 0;
    RowRunInput in = runInput(row, text, len, offset, &links);
    std::vector<ColourRun> runs = buildColourRuns(in);

    int firstCol = model_.firstColumn();
    // A double-byte character cut by the left edge is drawn whole from its first byte.
    int startCol = firstCol;
    if (startCol > 0 && startCol < len && isTrailByteAt(text, len, startCol)) --startCol;

    for (const ColourRun& run : runs) {
        int end = run.start + run.length;
        if (end <= startCol) continue;
        int from = std::max(run.start, startCol);
        paintSegment(dc, text + from, columnX(from), y, end - from, run.attr, clipLeft, clipRight);
    }
    // Trailing area: from the end of the text to the paint limit.
    int textEnd = std::max(len, startCol);
    int x = columnX(textEnd);
    int limit = std::min(paintLimit(), clipRight);
    fill(dc, std::max(x, clipLeft), y, limit, y + rowH_, back_[kAttrLineEnd]);
    bool eofRow = row == rows_->eofRow();
    if (!eofRow && rows_->endsLine(row) && x >= marginWidth_ && x < limit) {
        RowSelection s = model_.rowSelection(row);
        bool selected = s.lineEnd;
        blitGlyph(dc, glyphDC_, lineEndGlyph_.get(), x, y, charW_, rowH_,
                  selected ? text_[kAttrSelection] : text_[kAttrLineEnd],
                  selected ? back_[kAttrSelection] : back_[kAttrLineEnd]);
    }
}

void TextView::paintSegment(HDC dc, const unsigned char* text, int x, int y, int count, unsigned attr,
                            int clipLeft, int clipRight) {
    if (count < 0) {
        MessageBeep(0);
        return;
    }
    int index = attr & kRunAttrMask;
    COLORREF fg = text_[index], bg = back_[index];
    if (attr & kRunSelected) {
        fg = text_[kAttrSelection];
        bg = back_[kAttrSelection];
    }
    int w = count * charW_;
    if (x + w <= clipLeft || x >= clipRight) return;
    RECT cell = {std::max(x, clipLeft), y, std::min(x + w, clipRight), y + rowH_};
    const AttributeEntry& style = defaultAttribute(index);

    if (attr & kRunTab) {
        fill(dc, cell.left, cell.top, cell.right, cell.bottom, bg);
        return;
    }
    if (attr & kRunControl) {
        for (int i = 0; i < count; ++i) {
            int cx = x + i * charW_;
            unsigned char c = text[i];
            if (c == 0x1B || c == 0x0C) {
                blitGlyph(dc, glyphDC_, c == 0x1B ? escGlyph_.get() : ffGlyph_.get(), cx, y, charW_, rowH_,
                          fg, bg);
            } else {
                // Other control bytes show as the letter of their code plus 64, inverted.
                char letter = static_cast<char>(c + 64);
                RECT one = {cx, y, cx + charW_, y + rowH_};
                SetTextColor(dc, bg);
                SetBkColor(dc, fg);
                INT dx = charW_;
                ExtTextOutA(dc, cx, y, ETO_OPAQUE | ETO_CLIPPED, &one, &letter, 1, &dx);
            }
        }
        return;
    }
    // Text: every byte one cell, so double-byte glyphs stay on the grid.
    std::vector<INT> dx(count, charW_);
    SetTextColor(dc, fg);
    SetBkColor(dc, bg);
    HGDIOBJ oldFont = nullptr;
    if ((style.style & kStyleItalic) && style.style < kStyleOutline && italicFont_)
        oldFont = SelectObject(dc, italicFont_.get());
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, reinterpret_cast<const char*>(text), count,
                dx.data());
    if (style.style < kStyleOutline && (style.style & kStyleBold)) {
        SetBkMode(dc, TRANSPARENT);
        ExtTextOutA(dc, x + (trueType_ ? 1 : -1), y, ETO_CLIPPED, &cell, reinterpret_cast<const char*>(text),
                    count, dx.data());
        SetBkMode(dc, OPAQUE);
    }
    if (oldFont) SelectObject(dc, oldFont);
    if (style.style < kStyleOutline && (style.style & kStyleUnderline)) {
        // Dotted underline in the text colour on the last pixel row of the font.
        int uy = y + rowH_ - 1;
        if (dotsBrush_) {
            SetTextColor(dc, fg);
            SetBkColor(dc, bg);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            common::Selected b(dc, dotsBrush_.get());
            PatBlt(dc, cell.left, uy, std::max<int>(cell.right - cell.left, 1), 1, PATCOPY);
        } else {
            fill(dc, cell.left, uy, cell.right, uy + 1, fg);
        }
    }
}

void TextView::paintLineNumber(HDC dc, int row, int y) {
    if (marginWidth_ <= 0) return;
    int sepX = marginWidth_ - digitW_ / 2;
    if (!rows_ || row > rows_->eofRow()) {
        fill(dc, 0, y, marginWidth_, y + rowH_, back_[kAttrNormal]);
    } else {
        int cells = lineNumberCells(rows_->rowCount());
        std::string number = lineNumberText(row, cells);
        int attr = rows_->isMarked(row) ? kAttrMarkedLineNumber : kAttrLineNumber;
        fill(dc, 0, y, marginWidth_, y + rowH_, back_[kAttrNormal]);
        SetTextColor(dc, text_[attr]);
        SetBkColor(dc, back_[attr]);
        int width = static_cast<int>(number.size()) * digitW_;
        int x = sepX - digitW_ / 2 - width;
        std::vector<INT> dx(number.size(), digitW_);
        RECT cell = {x, y, x + width, y + rowH_};
        ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, number.c_str(),
                    static_cast<UINT>(number.size()), dx.data());
    }
    fill(dc, sepX, y, sepX + 1, y + rowH_, separator_);
}

void TextView::paintRuler(HDC dc, bool force) {
    int c0 = model_.firstColumn();
    if (!force && c0 == lastRulerColumn_) return;
    lastRulerColumn_ = c0;
    int limit = paintLimit();
    COLORREF ink = text_[kAttrNormal], paper = back_[kAttrNormal];
    fill(dc, 0, 0, clientW_, kRulerBand, paper);
    fill(dc, marginWidth_, 9, limit, 10, ink);
    common::Selected font(dc, rulerFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    int labelEnd = -1;  // no short tick where a number label lies
    for (int i = 0;; ++i) {
        int x = marginWidth_ + i * charW_;
        if (x >= limit) break;
        int col = c0 + i;
        int m = col % 10;
        if (m == 0) {
            fill(dc, x, 0, x + 1, 9, ink);
            char label[16];
            int n = std::snprintf(label, sizeof label, "%d", col);
            TextOutA(dc, x + 1, -1, label, n);
            SIZE sz = {};
            GetTextExtentPoint32A(dc, label, n, &sz);
            labelEnd = x + 1 + sz.cx;
        } else if (x >= labelEnd) {
            if (m == 5)
                fill(dc, x, 3, x + 1, 9, ink);
            else
                fill(dc, x, 6, x + 1, 9, ink);
        }
    }
    SetBkMode(dc, OPAQUE);
    paintCaretColumn(dc);
}

void TextView::paintCaretColumn(HDC dc) {
    if (!focus_ || model_.browseMode()) return;
    int col = model_.caretColumn();
    if (col < model_.firstColumn() || col >= model_.firstColumn() + model_.visibleColumns()) return;
    int x = columnX(col) + 1;
    PatBlt(dc, x, 0, charW_ - 1, 9, DSTINVERT);
}

}  // namespace viewer
