// Caret, scrolling and selection of the text window, without any drawing:
// the client window turns the changes into scrolls and repaints.
#pragma once
#include "sjis.h"
#include "text_rows.h"
#include <string>

namespace viewer {

// True when byte `pos` of `text` (counted from the row start) is the second
// byte of a double-byte character. Walks from the start because a trail byte
// can look like a lead byte. Stored rows are code page 932 whatever the system.
inline bool isTrailByteAt(const unsigned char* text, int length, int pos) {
    int i = 0;
    while (i < pos && i < length) {
        if (common::isCp932LeadByte(text[i]) && i + 1 < length) {
            if (i + 1 == pos) return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

constexpr int kFoldWidth = 80;

struct Selection {
    bool exists = false;
    bool box = false;
    bool wholeLine = false;
    int anchorRow = 0, anchorCol = 0;  // where it was started
    int endRow = 0, endCol = 0;        // the moving end
    // Ordered bounds: for a box, left/right columns.
    int startRow() const;
    int startCol() const;
    int lastRow() const;
    int lastCol() const;
};

// common::Selected part of one row: bytes [from, to) and whether its line end is selected.
struct RowSelection {
    int from = 0, to = 0;
    bool lineEnd = false;
};

// One pane's view of the document: what a split window keeps of the pane
// that is not live.
struct PaneState {
    int top = 0, firstCol = 0;
    int caretRow = 0, caretCol = 0, desiredCol = 0;
    Selection sel;
};

class ViewModel {
public:
    explicit ViewModel(TextRows* rows = nullptr) : rows_(rows) {}
    void setRows(TextRows* rows);
    TextRows* rows() const { return rows_; }

    // Text-area size in whole rows and columns; partialRow when a part row shows below.
    void setViewport(int visibleRows, int visibleColumns, bool partialRow);
    int visibleRows() const { return visRows_; }
    int visibleColumns() const { return visCols_; }

    // Scroll margins; the vertical ones are 0 while the mouse button is down.
    void setMouseDown(bool down) { mouseDown_ = down; }
    int topMargin() const;
    int bottomMargin() const;
    int horizontalMargin() const;

    bool browseMode() const { return browse_; }
    void setBrowseMode(bool on) { browse_ = on; }

    int topRow() const { return top_; }
    int firstColumn() const { return firstCol_; }
    int caretRow() const { return caretRow_; }
    int caretColumn() const { return caretCol_; }

    // Where the caret stood before the last jump (top, bottom, go to line, search start).
    void rememberPosition() {
        prevRow_ = caretRow_;
        prevCol_ = caretCol_;
    }
    int previousRow() const { return prevRow_; }
    int previousColumn() const { return prevCol_; }

    // Text length of a row without the [EOF] mark.
    int textLength(int row);
    // Column after the caret column rules of the current mode.
    int fixColumn(int row, int col);

    // Movement (each keeps the caret inside the document).
    void moveCaretTo(int row, int col);
    void setTop(int top);    // plain scroll, clamped to the document
    void lineDown(int n);    // Down key / command 15
    void lineUp(int n);      // Up key / command 14
    void scrollRows(int n);  // commands 192/193: the caret keeps its screen row
    void charRight();
    void charLeft();
    void lineStart();
    void lineEnd();
    void fileTop();
    void fileEnd();
    void pageDown(int n);
    void pageUp(int n);
    int pageRows() const { return visRows_ > 1 ? visRows_ - 1 : 1; }
    // Top row limit for paging and browse scrolling: the end-of-file row stays in the middle.
    int maxTopForPaging() const;
    int maxTopForCaret() const;

    // Selection.
    const Selection& selection() const { return sel_; }
    bool hasSelection() const { return sel_.exists; }
    bool keyboardSelecting() const { return keySelect_; }
    void setKeyboardSelecting(bool on) { keySelect_ = on; }
    void startSelection(bool box);
    void extendSelectionToCaret();
    void cancelSelection();
    void selectAll();
    void selectRange(int row0, int col0, int row1, int col1, bool wholeLine);
    void setSelectionBox(bool box) { sel_.box = box; }
    RowSelection rowSelection(int row);

    // The selection as clipboard text: CR LF after logical lines (normal) or after every row (box).
    std::string selectionText();

    // The view of the live pane, and putting a saved one back: restorePane
    // keeps it within the document (a selection reaching past the end-of-file
    // row is dropped, the caret stays inside the pane and its margins);
    // setPaneUnchecked takes it as it is, for painting a saved pane.
    PaneState paneState() const;
    void restorePane(const PaneState& pane);
    void setPaneUnchecked(const PaneState& pane);

    // Scroll-bar scale for the row count.
    static int scrollScale(int rowCount);

private:
    void clampCaret();
    void scrollToCaret();
    int lastCharStart(int row);

    TextRows* rows_;
    int visRows_ = 1, visCols_ = 80;
    bool partial_ = false;
    bool mouseDown_ = false;
    bool browse_ = true;
    int top_ = 0, firstCol_ = 0;
    int caretRow_ = 0, caretCol_ = 0, desiredCol_ = 0;
    int prevRow_ = 0, prevCol_ = 0;
    Selection sel_;
    bool keySelect_ = false;
};

}  // namespace viewer
