#include "client_host.h"
#include "about_box.h"
#include "app.h"
#include "deferred_commands.h"
#include "print_job.h"
#include "doc_texts.h"
#include "frame.h"
#include "go_to_line_dialog.h"
#include "loader.h"
#include "open_documents.h"
#include "marks.h"
#include "row_store.h"
#include "search_commands.h"
#include "settings.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"
#include <shellapi.h>
#include <cstring>

namespace viewer {
namespace {

const char kStartMutex[] = "VantoroBeginV300";

class ClientHost : public ViewHost {
public:
    void runCommand(unsigned command) override { dispatchCommand(command); }
    unsigned keyCommand(unsigned vk, bool ctrl, bool shift, bool alt) override {
        return settings().keys.lookup(vk, ctrl, shift, alt);
    }
    bool lineNumbersShown() override { return settings().fileType.lineNumbers; }
    void setLineNumbersShown(bool on) override { settings().fileType.lineNumbers = on; }
    void marginWidthChanged(int delta) override { frameFollowMargin(delta); }
    void caretMoved() override {
        App& a = app();
        if (a.store && a.view) {
            a.store->currentRow = a.view->model().caretRow();
            a.store->currentColumn = a.view->model().caretColumn();
        }
        drawPositionIndicator();
    }
    void openFile(const std::string& path) override { openInThisWindow(path); }
    bool clientMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    std::string text(int id) override { return loadText(id); }
};

void onInitMenu(HMENU menu) {
    App& a = app();
    bool selection = a.view && a.view->model().hasSelection();
    EnableMenuItem(menu, IDM_COPY, MF_BYCOMMAND | (selection ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_BACK_TO_SEARCH_START,
                   MF_BYCOMMAND | (searchStartRecorded() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, IDM_SPLIT, MF_BYCOMMAND | (a.view && a.view->isSplit() ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_RELOAD, MF_BYCOMMAND | (a.doc.hasFile() ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

ViewHost& clientHost() {
    static ClientHost host;
    return host;
}

bool ClientHost::clientMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    App& a = app();
    *result = 0;
    switch (msg) {
    case WM_CREATE: {
        a.client = hwnd;
        // The notice is posted: the load that hit the limit unwinds before the box shows.
        if (a.store) a.store->setRowLimitNotice([hwnd] { PostMessageA(hwnd, WMU_ROW_LIMIT, 0, 0); });
        HMENU sys = GetSystemMenu(GetParent(hwnd), FALSE);
        if (sys) {
            AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sys, MF_STRING, IDM_NEXT_VIEWER, loadText(IDS_NEXTVIEWER).c_str());
            AppendMenuA(sys, MF_STRING, IDM_PREV_VIEWER, loadText(IDS_PREVVIEWER).c_str());
        }
        DragAcceptFiles(GetParent(hwnd), TRUE);
        return true;
    }
    case WM_COMMAND:
        dispatchCommand(LOWORD(wp));
        return true;
    case WM_SYSCOMMAND:
        if (wp == IDM_NEXT_VIEWER || wp == IDM_PREV_VIEWER) {
            dispatchCommand(static_cast<unsigned>(wp));
            return true;
        }
        return false;
    case WM_CLOSE:
    case WMU_SHUT_DOWN:
        shutDown();
        return true;
    case WM_DROPFILES:
        openDroppedFiles(reinterpret_cast<HDROP>(wp));
        return true;
    case WM_INITMENU:
        onInitMenu(reinterpret_cast<HMENU>(wp));
        return true;
    case WM_ACTIVATEAPP:
        if (wp) {
            SetFocus(hwnd);
            PostMessageA(hwnd, WMU_REBUILD_CAPTION, 0, 0);
        } else if (settings().fullPathInCaption) {
            PostMessageA(hwnd, WMU_REBUILD_CAPTION, 0, 0);
        }
        return true;
    case WMU_REBUILD_CAPTION:
        if (settings().fullPathInCaption) updateCaption();
        return true;
    case WMU_ROW_LIMIT:
        if (a.store) a.store->rowLimitNoticeHandled();
        errorBox(docText(kTextRowLimit));
        return true;
    case WMU_GO_TO_LINE:
        bringToFront(GetParent(hwnd));
        if (a.view) a.view->goToLine(static_cast<int>(lp), static_cast<int>(wp));
        return true;
    case WMU_GO_TO_ROW:
        bringToFront(GetParent(hwnd));
        if (a.view) a.view->goTo(static_cast<int>(lp), static_cast<int>(wp));
        return true;
    case WMU_SET_FOREGROUND:
        SetForegroundWindow(reinterpret_cast<HWND>(lp));
        return true;
    case WMU_GET_FOLDER:
    case WMU_GET_FILE_NAME:
        *result = answerViewerRequest(msg, wp) ? 1 : 0;
        return true;
    case WMU_SWITCH_PANE:
        viewerSwitchedHere(static_cast<unsigned>(wp));
        return true;
    case WM_DESTROY:
        if (a.store) {
            a.store->release();
        }
        DragAcceptFiles(GetParent(hwnd), FALSE);
        a.view = nullptr;
        a.client = nullptr;
        PostQuitMessage(0);
        return true;
    default:
        return false;
    }
}

void dispatchCommand(unsigned command) {
    App& a = app();
    // A mouse drag in the text owns the window until the button is released.
    if (a.view && a.view->dragging()) return;
    switch (command) {
    case IDM_CLOSE:
    case IDM_EXIT:
        shutDown();
        return;
    case IDM_RELOAD:
        if (!a.store) return;
        if (reloadDocument(a.doc, *a.store, settings(), messageBoxSink())) {
            int row = a.store->currentRow, col = a.store->currentColumn;
            resetDocumentSearch();  // the rows the search start and bounds named are gone
            a.view->setRows(&a.rows);
            a.view->goTo(row, col);
            updateCaption();
        } else if (!a.doc.fileName[0]) {
            // The file could not be opened again and the store is emptied: the
            // window must not go on showing the old name and rows that are gone.
            a.doc = Document();
            a.store->clear();
            a.browse = false;
            showLoadedDocument(0, 0, -1);
            updateCaption();
        }
        return;
    case IDM_ABOUT: {
        // A modal box runs: the close entry is greyed meanwhile, which holds
        // off shut-down requests (WM_CLOSE, message 1075) until it is answered.
        HMENU sys = GetSystemMenu(a.frame, FALSE);
        if (sys) EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        showAboutBox(a.instance, a.frame);
        if (sys && a.frame) EnableMenuItem(sys, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
        return;
    }
    case IDM_GO_TO_LINE:
        runGoToLine();
        return;
    case IDM_MARK_LIST:
        runMarkList();
        return;
    case IDM_PRINT_AND_CLOSE:
        printDocument();
        shutDown();
        return;
    default:
        break;
    }
    if (runOpenCommand(command)) return;
    if (a.view && a.view->runViewCommand(command)) return;
    if (runSearchCommand(command)) return;
    runDeferredCommand(command);
}

void shutDown() {
    App& a = app();
    if (!a.frame) return;
    joinSplitWindow();
    HMENU sys = GetSystemMenu(a.frame, FALSE);
    if (sys && (GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED)) {
        MessageBeep(0);
        return;
    }
    closeDocumentFile(a.doc);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kStartMutex);
    if (mutex) WaitForSingleObject(mutex, 5000);
    DestroyWindow(a.frame);
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

void showLoadedDocument(int jumpLine, int jumpColumn, int jumpRow) {
    App& a = app();
    if (!a.view) return;
    resetDocumentSearch();
    a.view->model().setBrowseMode(a.browse);
    a.view->setRows(&a.rows);
    if (jumpLine != 0)
        a.view->goToLine(jumpLine, jumpColumn);
    else if (jumpRow >= 0)
        a.view->goTo(jumpRow, 0);
    else
        a.view->goTo(0, 0);
    a.view->invalidateAll();
    drawPositionIndicator();
}

bool openInThisWindow(const std::string& path, bool readOnly, unsigned char code) {
    App& a = app();
    if (!a.store) return false;
    char full[MAX_PATH] = {};
    char* namePart = nullptr;
    if (!GetFullPathNameA(path.c_str(), MAX_PATH, full, &namePart) || !namePart) return false;
    Document fresh;
    lstrcpynA(fresh.fileName, namePart, sizeof fresh.fileName);
    fresh.readOnlyRequest = readOnly;
    fresh.requestedCode = code;
    *namePart = 0;
    size_t n = std::strlen(full);
    if (n > 3 && full[n - 1] == '\\') full[n - 1] = 0;
    lstrcpynA(fresh.folder, full, sizeof fresh.folder);
    SetCurrentDirectoryA(fresh.folder);
    marksDocumentClosed();
    a.doc = fresh;
    settings().applyFileTypeOptions();
    const char* dot = std::strrchr(a.doc.fileName, '.');
    setDocumentIcon(dot ? dot : ".");
    HCURSOR old = SetCursor(a.waitCursor);
    bool ok = openAndLoad(a.doc, *a.store, settings(), messageBoxSink());
    SetCursor(old);
    if (!ok) {
        a.doc = Document();
        a.store->clear();
        a.browse = false;
    } else {
        a.browse = true;
    }
    showLoadedDocument(0, 0, -1);
    updateCaption();
    return ok;
}

}  // namespace viewer
