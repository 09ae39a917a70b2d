// Commands whose modules (search, go to
// line and marks, split window, printing) are built separately. The
// dispatcher reaches them here; until their modules are linked in they
// leave the document as it is.
#pragma once
#include <windows.h>

namespace viewer {

// True when the command belongs to one of those modules (it was taken care of).
bool runDeferredCommand(unsigned command);
// Joins a split window before the viewer closes.
void joinSplitWindow();
// Commands 61 and 120 in a split window: 61 with the focus in the upper pane
// and 120 in the lower one only move the focus to the other pane (true then).
bool splitFocusSwitch(unsigned command);
// Another viewer switched to this one (message 1036 with command 61 or 120):
// a split window puts the focus in the pane the direction implies.
void focusPaneAfterSwitch(unsigned command);

}  // namespace viewer
