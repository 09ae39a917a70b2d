// The client window (class "KV32CLIENT"): paints the document's rows with
// the ruler and line numbers, keeps the caret, scrolls, selects and copies.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "attributes.h"
#include "colour_runs.h"
#include "gdi_handles.h"
#include "window_base.h"
#include "view_host.h"
#include "view_model.h"

namespace viewer {

extern const char kClientClassName[];

class TextView : public common::WindowBase {
public:
    static bool registerClass(HINSTANCE instance);
    // Creates the window as child `id` of the frame.
    static HWND create(HWND frame, int id, ViewHost* host);
    static TextView* from(HWND hwnd);

    HWND hwnd() const { return hwnd_; }
    ViewModel& model() { return model_; }

    // A new document is in the row source: back to the top, everything redrawn.
    void setRows(TextRows* rows);
    // Row count or font changed: margin width, viewport, scroll bar.
    void relayout();
    void invalidateAll();

    // Moves (with scrolling and repaint).
    void goTo(int row, int column);
    void goToLine(int line, int column);  // line < 0: the end of the file
    // A search result: the caret goes to (row, column) with the row placed
    // for reading (below the middle: scrolled to the middle; near the top: a
    // margin kept above). With length > 0 the found text is shown inverted by
    // a caret as wide as the match, in browse mode too, until the caret
    // moves; without the focus the match up to (endRow, endColumn) is selected instead.
    void showMatch(int row, int column, int endRow, int endColumn, int length);

    // Commands that the dispatcher hands over; false when not a view command.
    bool runViewCommand(unsigned command);
    void toggleLineNumbers();
    void copySelection();

    // Split window: two panes over the document, one live, the other shown
    // from a picture painted when it was left.
    bool isSplit() const { return split_; }
    bool upperPaneLive() const { return liveUpper_; }
    void split();
    void unsplit();
    void switchPane();
    // Repaints everything, the other pane's picture included (marks changed).
    void refreshAll();

    int marginWidth() const { return marginWidth_; }
    int charWidth() const { return charW_; }
    int rowHeight() const { return rowH_; }
    int topBand() const { return kRulerBand; }
    bool dragging() const { return mouseMode_ != MouseIdle || barDrag_; }

    static constexpr int kRulerBand = 10;

private:
    enum MouseMode { MouseIdle, MouseChars, MouseLines };

    explicit TextView(ViewHost* host) : host_(host) {}
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onDestroyed() override;

    // Set-up (text_view.cpp).
    void onCreate();
    void onDestroy();
    void createFonts();
    void readColours();
    COLORREF resolve(uint32_t colour) const;

    // Painting (text_painter.cpp).
    void onPaint();
    void paintRows(HDC dc, int firstRow, int lastRow, int clipLeft, int clipRight, bool numbers);
    void paintRow(HDC dc, int row, int y, int clipLeft, int clipRight);
    void paintSegment(HDC dc, const unsigned char* text, int x, int y, int count, unsigned attr, int clipLeft,
                      int clipRight);
    void paintLineNumber(HDC dc, int row, int y);
    void paintRuler(HDC dc, bool force);
    void paintCaretColumn(HDC dc);
    const std::vector<LinkSpan>& linksForRow(int row, int* offsetInLine);
    RowRunInput runInput(int row, const unsigned char* text, int length, int offsetInLine,
                         const std::vector<LinkSpan>* links);
    int paintLimit() const;
    int rowTop(int row) const { return textTop() + (row - model_.topRow()) * rowH_; }
    int columnX(int column) const { return marginWidth_ + (column - model_.firstColumn()) * charW_; }

    // Split window (split_view.cpp).
    // Top of the live pane's first row: below the ruler, or 0 while a saved
    // pane is painted into its picture.
    int textTop() const { return paintingPicture_ ? 0 : kRulerBand + liveY_; }
    int textAreaHeight() const { return clientH_ > kRulerBand ? clientH_ - kRulerBand : 0; }
    int liveHeight() const;
    RECT liveBand() const;
    int otherPaneTop() const;
    int splitBarTop() const;
    void renderPicture();
    void paintSplitParts(HDC dc);
    bool nearSplitBar(int y) const;
    int snapBar(int y) const;
    void moveBarLine(int y);
    void endBarDrag(int y);
    void cancelBarDrag();
    void closePane(bool upper);
    void checkSplitMenu();

    // Input (text_input.cpp).
    void onKeyDown(WPARAM vk, LPARAM lp);
    void onChar(WPARAM ch);
    void onLeftDown(int x, int y, WPARAM keys);
    void onMouseMove(int x, int y);
    void onLeftUp();
    void onLeftDouble(int x, int y, WPARAM keys);
    void onRightDown(int x, int y);
    void onVScroll(int code);
    void onWheel(int delta, bool oldMessage);
    bool onSetCursor();
    void showContextMenu(POINT screen, bool fromKeyboard);
    bool hitText(int x, int y, int* row, int* column) const;
    unsigned linkAt(int row, int column, int* start, int* end, int* startRow);
    void openAddress(int row, int column, bool asFile);
    void moveByKey(WPARAM vk, int step, bool extend);

    // Applying model changes (text_view.cpp).
    struct Snapshot {
        int top, firstCol, caretRow, caretCol;
        std::vector<RowSelection> sel;  // of the visible rows
        bool hadSelection;
        bool browse;
    };
    Snapshot snapshot();
    void apply(const Snapshot& before);
    void updateScrollBar();
    void updateCaret();
    void createCaretShape();

public:
    void placeComposition();

private:
    ViewHost* host_;
    ViewModel model_;
    TextRows* rows_ = nullptr;

    common::GdiObject<HFONT> italicFont_, rulerFont_;
    HFONT textFont_ = nullptr;  // stock: not deleted
    common::GdiObject<HBITMAP> lineEndGlyph_, escGlyph_, ffGlyph_, dots_;
    common::GdiObject<HBRUSH> dotsBrush_;
    int charW_ = 8, rowH_ = 16, ascent_ = 13, digitW_ = 8;
    bool trueType_ = false;
    bool building_ = false;
    HDC glyphDC_ = nullptr;  // memory DC for glyph blits during a paint
    COLORREF text_[kAttributeCount] = {}, back_[kAttributeCount] = {};
    COLORREF separator_ = 0;
    int marginWidth_ = 0;
    int clientW_ = 0, clientH_ = 0;
    int lastRulerColumn_ = -1;

    // Recogniser cache: the links of one stretch of a logical line.
    int cacheFirst_ = -1, cacheLast_ = -1;
    std::vector<LinkSpan> cacheLinks_;
    std::vector<int> cacheRowOffsets_;

    bool focus_ = false;
    bool caretCreated_ = false;
    int matchLength_ = 0;  // bytes shown inverted by the wide caret, 0 for the normal caret
    MouseMode mouseMode_ = MouseIdle;
    int lineAnchorRow_ = 0;
    POINT lastMouse_ = {0, 0};
    DWORD lastDoubleClick_ = 0;
    bool autoScrollPending_ = false;
    int repeatCount_ = 0;

    // Split state.
    bool split_ = false;
    bool liveUpper_ = true;
    int otherH_ = 0;  // the other pane's height in pixels
    int liveY_ = 0;   // the live pane's offset below the ruler
    PaneState saved_;
    common::GdiObject<HBITMAP> picture_;
    bool paintingPicture_ = false;
    bool barDrag_ = false;
    int barLineY_ = -1;  // the inverted line shown while dragging, -1 when none
};

}  // namespace viewer
