#include "open_documents.h"
#include "app.h"
#include "client_host.h"
#include "deferred_commands.h"
#include "file_names.h"
#include "file_system.h"
#include "frame.h"
#include "loader.h"
#include "open_dialog.h"
#include "path_text.h"
#include "row_store.h"
#include "same_file_dialog.h"
#include "settings.h"
#include "text_view.h"
#include "viewer_link.h"
#include "../../resources/viewer/resource.h"
#include <shellapi.h>
#include <algorithm>
#include <vector>

namespace viewer {
namespace {

// How long a viewer waits for the one it started to be ready for input.
constexpr DWORD kIdleWaitMs = 10000;

// The folder the open dialog starts in: the document's, or for a network
// name the part before its last backslash.
std::string documentFolder() {
    const Document& d = app().doc;
    return folderAnswer(d.folder, d.fileName);
}

void emptyDocument() {
    App& a = app();
    closeDocumentFile(a.doc);
    a.doc = Document();
    if (a.store) a.store->clear();
    a.browse = false;
    showLoadedDocument(0, 0, -1);
    updateCaption();
}

std::string fullPathOf(const std::string& name) {
    char full[MAX_PATH] = {};
    char* namePart = nullptr;
    DWORD n = GetFullPathNameA(name.c_str(), MAX_PATH, full, &namePart);
    return n > 0 && n < MAX_PATH ? std::string(full) : name;
}

// Opens item in this window unless another viewer shows it and the user
// (or sameFileAction) sends it there.
bool openHere(const std::string& item, const OpenRequests& r, unsigned command) {
    App& a = app();
    std::string path = fullPathOf(resolveShellLink(unquotedItem(item)));
    bool readOnly = r.readOnly;
    if (HWND other = link::findViewerShowing(a.frame, path)) {
        switch (decideSameFile(other, common::fileNamePart(path.c_str()), r.code)) {
        case SameFileOutcome::Elsewhere:
            emptyDocument();
            if (command == IDM_CLOSE_AND_OPEN) shutDown();
            return false;
        case SameFileOutcome::OpenHereReadOnly:
            readOnly = true;
            break;
        case SameFileOutcome::OpenHere:
            break;
        }
    }
    return openInThisWindow(path, readOnly, r.code);
}

// The dialog with the current folder kept: Cancel leaves the folder, the
// requested code and the caption as they were.
bool chooseFile(unsigned command, const std::string& folder, OpenChoice* choice) {
    App& a = app();
    common::CurrentFolderGuard guard;
    if (!folder.empty()) guard.enter(folder.c_str());
    if (runOpenDialog(a.frame, command, folder, choice)) return true;
    a.doc.requestedCode = kCodeAuto;
    SetCurrentDirectoryA(guard.saved());
    updateCaption();
    return false;
}

void openCommand() {
    OpenChoice c;
    if (!chooseFile(IDM_OPEN, documentFolder(), &c)) return;
    OpenRequests r;
    r.browse = true;
    r.code = c.code;
    openSecondFile(c.path, r);
}

void closeAndOpenCommand() {
    std::string folder = documentFolder();
    for (;;) {
        OpenChoice c;
        if (!chooseFile(IDM_CLOSE_AND_OPEN, folder, &c)) return;
        std::string target = resolveShellLink(c.path);
        // A link to a folder: choose again, in that folder.
        if (common::isExistingFolder(target)) {
            folder = target;
            continue;
        }
        emptyDocument();
        OpenRequests r;
        r.browse = true;
        r.code = c.code;
        openHere(target, r, IDM_CLOSE_AND_OPEN);
        return;
    }
}

// Commands 61 and 120: the viewer frames below this one in z-order take
// turns, so that repeated use visits every one of them.
void switchViewer(unsigned command) {
    App& a = app();
    if (splitFocusSwitch(command)) return;
    std::vector<HWND> all = link::otherViewers(nullptr, true);
    auto self = std::find(all.begin(), all.end(), a.frame);
    std::vector<HWND> below(self == all.end() ? all.begin() : self + 1, all.end());
    if (below.empty()) {
        if (a.view && a.view->isSplit()) a.view->switchPane();
        return;
    }
    HWND target = below.back();
    if (command == IDM_PREV_VIEWER) {
        if (below.size() >= 2)
            SetWindowPos(a.frame, below.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        target = below.front();
    }
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND popup = GetLastActivePopup(target);
    SetForegroundWindow(popup);
    for (int i = 0; i < 300 && GetForegroundWindow() != popup; ++i) Sleep(10);
    link::sendToViewer(target, WMU_SWITCH_PANE, command, 0);
}

// Waits for a started viewer to be ready while still answering the
// questions it sends here (it asks every viewer which file it shows).
void waitUntilIdle(HANDLE process) {
    DWORD start = GetTickCount();
    while (WaitForInputIdle(process, 0) == WAIT_TIMEOUT && GetTickCount() - start < kIdleWaitMs) {
        MsgWaitForMultipleObjects(1, &process, FALSE, 20, QS_SENDMESSAGE);
        MSG m;
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return;  // it ended already
    }
}

}  // namespace

bool windowIsEmpty() {
    App& a = app();
    return a.doc.fileName[0] == 0 && a.store && a.store->rowCount() == 1 && a.store->length(0) == kEofMarkLen;
}

void activateViewer(HWND other) {
    if (IsIconic(other)) ShowWindowAsync(other, SW_RESTORE);
    bringToFront(other);
}

SameFileOutcome decideSameFile(HWND other, const std::string& fileName, unsigned char code) {
    App& a = app();
    switch (settings().sameFileAction) {
    case 1:
        return SameFileOutcome::OpenHereReadOnly;
    case 2:
        activateViewer(other);
        return SameFileOutcome::Elsewhere;
    case 3:
        link::sendToViewer(other, WM_COMMAND, IDM_RELOAD, 0);
        activateViewer(other);
        return SameFileOutcome::Elsewhere;
    default:
        break;
    }
    HWND owner = a.frame && IsWindowVisible(a.frame) ? GetLastActivePopup(a.frame) : nullptr;
    switch (askSameFile(a.instance, owner, fileName, loadText(IDS_SAME_FILE))) {
    case IDC_SAME_READONLY:
        return SameFileOutcome::OpenHereReadOnly;
    case IDC_SAME_OPEN:
        return SameFileOutcome::OpenHere;
    case IDC_SAME_CLOSE_OPEN:
        link::sendReloadWithCode(other, code);
        activateViewer(other);
        return SameFileOutcome::Elsewhere;
    default:
        activateViewer(other);
        return SameFileOutcome::Elsewhere;
    }
}

bool startViewerProcess(const std::string& arguments, const std::string& programWord) {
    // This program's own file: a program of the same name in the document
    // folder is never started in its place.
    std::string module = common::programPath();
    std::string line = (programWord.empty() ? "\"" + module + "\" " : programWord) + arguments;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (module.empty() || !CreateProcessA(module.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                          nullptr, &si, &pi)) {
        errorBox(loadText(IDS_START_FAILED));
        return false;
    }
    waitUntilIdle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool startSiblingViewer(const std::string& item, const OpenRequests& requests) {
    return startViewerProcess(siblingCommandLine(std::string(), requests, item), app().siblingCommand);
}

void openSecondFile(const std::string& item, const OpenRequests& requests) {
    if (item.empty()) return;
    if (windowIsEmpty() && item[0] != '/') {
        openHere(item, requests, IDM_OPEN);
        return;
    }
    if (settings().sameFileAction == 2 && item[0] != '/') {
        std::string path = fullPathOf(resolveShellLink(unquotedItem(item)));
        if (HWND other = link::findViewerShowing(app().frame, path)) {
            MessageBeep(0);
            activateViewer(other);
            return;
        }
    }
    startSiblingViewer(item, requests);
}

void openDroppedFiles(HDROP drop) {
    std::vector<std::string> names;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // A name that does not fit a path buffer is left out whole: cut, it
        // would name another file.
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length >= MAX_PATH) continue;
        char name[MAX_PATH] = {};
        if (DragQueryFileA(drop, i, name, MAX_PATH)) names.push_back(name);
    }
    DragFinish(drop);
    if (windowIsEmpty()) bringToFront(app().frame);
    for (const std::string& name : names) {
        // Each dropped file starts without read-only, browse or code requests.
        app().doc.readOnlyRequest = false;
        app().doc.requestedCode = kCodeAuto;
        openSecondFile(name, OpenRequests());
    }
}

bool runOpenCommand(unsigned command) {
    switch (command) {
    case IDM_OPEN:
        openCommand();
        return true;
    case IDM_CLOSE_AND_OPEN:
        closeAndOpenCommand();
        return true;
    case IDM_NEXT_VIEWER:
    case IDM_PREV_VIEWER:
        switchViewer(command);
        return true;
    default:
        return false;
    }
}

bool answerViewerRequest(UINT msg, WPARAM wp) {
    const Document& d = app().doc;
    std::string text =
        msg == WMU_GET_FOLDER ? folderAnswer(d.folder, d.fileName) : fileNameAnswer(d.folder, d.fileName);
    return link::answerString(wp, text);
}

void viewerSwitchedHere(unsigned command) { focusPaneAfterSwitch(command); }

}  // namespace viewer
