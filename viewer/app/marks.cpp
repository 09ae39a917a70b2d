#include "marks.h"
#include "app.h"
#include "char_code.h"
#include "client_host.h"
#include "open_documents.h"
#include "path_text.h"
#include "row_store.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"
#include <algorithm>
#include <cstdio>

namespace viewer {
namespace {

MarkWindow thisWindow() { return reinterpret_cast<MarkWindow>(app().frame); }

// ---- The one call that reaches another viewer window -----------------------
// A mark still held by a window other than this one: that viewer is brought
// forward and asked to go to the row (message 1026: wParam column, lParam
// row), which its client window answers as for any cooperating viewer.
void jumpInOtherViewer(HWND window, const Mark& mark) {
    SetForegroundWindow(window);
    HWND client = GetDlgItem(window, IDC_CLIENT);
    PostMessageA(client ? client : window, WMU_GO_TO_ROW, mark.column, mark.row);
}
// -----------------------------------------------------------------------------

}  // namespace

void repaintMarkWindow(MarkWindow window) {
    App& a = app();
    if (!window) return;
    if (window == thisWindow()) {
        if (a.view) a.view->refreshAll();
        return;
    }
    HWND w = reinterpret_cast<HWND>(window);
    if (IsWindow(w)) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

MarkTable& markTable() {
    static MarkTable table;
    return table;
}

bool rowMarked(int row) { return markTable().isMarked(thisWindow(), row); }

void addMarkAtCaret() {
    App& a = app();
    if (!a.view || !a.frame) return;
    ViewModel& m = a.view->model();
    Mark mark;
    mark.window = thisWindow();
    mark.row = m.caretRow();
    mark.column = static_cast<std::uint16_t>(m.caretColumn());
    // The length first: bringing a row in may move the bytes of the one before.
    int textLength = m.textLength(mark.row);
    int length = 0;
    const unsigned char* text = m.rows() ? m.rows()->rowText(mark.row, &length) : nullptr;
    length = std::min(length, textLength);
    std::string excerpt = markExcerpt(text, length, mark.column);
    common::copyBounded(mark.excerpt, excerpt.c_str(), sizeof mark.excerpt);
    if (a.doc.fileName[0]) {
        std::string path = common::joinPath(a.doc.folder, a.doc.fileName);
        common::copyBounded(mark.path, path.c_str(), sizeof mark.path);
    }
    mark.code = static_cast<unsigned char>(a.doc.loadedCode & 0x3F);
    for (MarkWindow w : markTable().add(mark)) repaintMarkWindow(w);
}

void marksDocumentClosed() {
    App& a = app();
    markTable().documentClosed(thisWindow(), a.doc.fileName[0] != 0);
}

void jumpToMark(const Mark& mark) {
    App& a = app();
    if (!a.view) return;
    if (mark.window == thisWindow()) {
        a.view->goTo(mark.row, mark.column);
        return;
    }
    if (mark.window) {
        HWND w = reinterpret_cast<HWND>(mark.window);
        if (IsWindow(w)) jumpInOtherViewer(w, mark);
        return;
    }
    bool shows =
        a.doc.fileName[0] != 0 || (a.store && (a.store->rowCount() > 1 || a.view->model().textLength(0) > 0));
    if (shows) {
        // A new viewer process, its command line led by this program's path.
        startViewerProcess(markViewerArguments(mark));
        return;
    }
    // An empty window opens the file itself; only EUC-JP is forced, any other code is detected again.
    unsigned char code = (mark.code & 0x3F) == kCodeEuc ? kCodeEuc : kCodeAuto;
    if (openInThisWindow(mark.path, false, code) && a.view) a.view->goTo(mark.row, mark.column);
}

}  // namespace viewer
