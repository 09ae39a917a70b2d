// Opening further documents: the open and close-and-open commands, dropped
// files, handing a file to a new viewer process, the check for a viewer that
// already shows the file, and moving between viewer windows.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include "open_request.h"

namespace viewer {

// Commands 4, 6, 61 and 120; false for any other command.
bool runOpenCommand(unsigned command);

// WM_DROPFILES: the first file opens here when this window is empty, the
// others in new viewers.
void openDroppedFiles(HDROP drop);

// A file named by a drop or by the open dialog (a command-line item, maybe
// quoted): opened here when this window shows nothing, else handed on.
void openSecondFile(const std::string& item, const OpenRequests& requests);

// Starts a new viewer process from this program's own file and waits until
// it is ready, answering the questions it sends meanwhile. Its command line
// is programWord followed by arguments; without programWord, this program's
// quoted path comes first. Text 23 on failure.
bool startViewerProcess(const std::string& arguments, const std::string& programWord = std::string());

// Starts a new viewer process for item with the request options (the
// sibling command string first); text 23 on failure.
bool startSiblingViewer(const std::string& item, const OpenRequests& requests);

// True when this window shows no document (no name, only the end mark).
bool windowIsEmpty();

// What to do with a file that another viewer (other) already shows.
enum class SameFileOutcome {
    OpenHere,
    OpenHereReadOnly,
    Elsewhere,  // the other viewer was activated (and maybe told to reload)
};
// Asks (dialog 190) or follows sameFileAction; code is the requested code
// handed over by "close and open there".
SameFileOutcome decideSameFile(HWND other, const std::string& fileName, unsigned char code);

// Messages 1024 and 1041 from another viewer: writes this document's folder
// or file name into the mapping that came in wParam.
bool answerViewerRequest(UINT msg, WPARAM wp);

// Message 1036: another viewer switched to this one with command 61 or 120.
void viewerSwitchedHere(unsigned command);

// Brings another viewer's window up, restoring it when iconic.
void activateViewer(HWND other);

}  // namespace viewer
