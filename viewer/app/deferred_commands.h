// Commands whose modules (open dialog and cooperating viewers, search, go to
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
// Further dropped files, after the first one, go to new viewer processes.
void openFurtherFile(const char* path);
// Answers the folder and file-name requests of other viewers (messages 1024, 1041).
bool answerViewerRequest(UINT msg, WPARAM wp);

}  // namespace viewer
