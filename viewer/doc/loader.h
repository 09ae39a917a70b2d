// Opening a document's file, deciding its code, converting it to Shift-JIS
// chunk by chunk and filling the row store; reloading.
#pragma once
#include "document.h"

namespace viewer {

struct ViewerSettings;
class RowStore;
class MessageSink;

enum class OpenResult {
    Opened,   // doc.file is open (read-only or read-write)
    NewFile,  // the name does not exist: an empty new document keeping its name
    Failed,   // exists but cannot be opened: text 105 was shown, the name cleared
};

// Opens folder\fileName under the share rules of lockMode; shows text 274
// when another process denies writing and text 105 when the file exists but
// cannot be opened.
OpenResult openDocument(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink);

// Loads from doc.file into an emptied store. On failure the store is empty
// ("[EOF]" only) and the message was shown.
bool loadDocument(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink);

// Closes doc.file when open.
void closeDocumentFile(Document& doc);

// Command 13: re-opens and re-loads in the loaded code (line-end bits
// included), keeping the caret's row and column where the document still
// reaches them. False (and nothing done) when no file is loaded.
bool reloadDocument(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink);

// Open and load in one step (open dialog, dropped files, start-up); the
// handle is closed afterwards unless lockMode keeps it open.
bool openAndLoad(Document& doc, RowStore& store, const ViewerSettings& s, MessageSink& sink);

}  // namespace viewer
