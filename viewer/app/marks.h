// The process's mark table as the program uses it: marking the caret's row,
// the mark-list dialog (command 57), jumping to a mark, and what happens to
// the marks when the window's document goes.
#pragma once
#include "mark_table.h"

namespace viewer {

MarkTable& markTable();

// Whether a row of this window's document is marked (its number is drawn in
// the marked colour).
bool rowMarked(int row);
// The line numbers of a window that held a mark are drawn again.
void repaintMarkWindow(MarkWindow window);
// Marks the caret's row of this window.
void addMarkAtCaret();
// The window is about to show another document (or none): call before the
// document record is replaced.
void marksDocumentClosed();
// Command 57.
void runMarkList();
// Moves to the mark, opening its file when the document is no longer shown.
void jumpToMark(const Mark& mark);

}  // namespace viewer
