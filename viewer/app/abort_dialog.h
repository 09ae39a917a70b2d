// The modeless "printing" box with its abort button, and the abort procedure
// that keeps the program responsive while pages are drawn.
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

class AbortDialog;

// Shows the box with the document name; null when it could not be made.
AbortDialog* showAbortDialog(HWND owner, const std::string& documentName);
void destroyAbortDialog(AbortDialog* dialog);

// Processes waiting messages (the box's through IsDialogMessageA); FALSE
// once the user pressed the abort button. Installed with SetAbortProc and
// called by the printing loop between lines as well.
BOOL CALLBACK printAbortProc(HDC dc, int error);
bool printAborted();

}  // namespace viewer
