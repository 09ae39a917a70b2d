// The menu's document window: one modeless, resizable rich-text window that
// shows a plain-text or RTF file, with a Close button and an optional link
// (a folder or a web address) and a button that opens it. Only one exists at
// a time; a further document replaces the text of the open one.
#pragma once
#include <windows.h>

namespace common {

// Posted to the parent when the document window has been closed.
const UINT WM_DOCUMENT_CLOSED = WM_USER + 12;

struct DocumentRequest {
    char link[260] = "";      // folder path or web address; empty: no link row
    char textFile[260] = "";  // the document
    bool linkIsWebAddress = false;
    int x = 0, y = 0;           // first placement, client coordinates of the parent
    int width = 0, height = 0;  // first size; 0 keeps the dialog's own

    void setLink(const char* text);
    void setTextFile(const char* path);
};

// Shows the document, creating the window (dialog 134 of the program's
// resources) when there is none. Returns the window, or the current one
// (possibly null) when the file cannot be read; null when the window cannot
// be made.
HWND openDocument(HWND parent, const DocumentRequest& request);
// The open document window, or null.
HWND documentWindow();
// Destroys the open document window, if any.
void closeDocument();
// Forgets the placement kept since the first opening, as in a new run.
void resetDocumentPlacement();
// Unloads the rich-edit library at program exit (after the window is gone).
void releaseDocumentLibrary();

}  // namespace common
