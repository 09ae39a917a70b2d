// Kelview start-up: one process shows one document in one window.
#include "app.h"
#include "message_box.h"
#include "client_host.h"
#include "doc_texts.h"
#include "program_arguments.h"
#include "file_names.h"
#include "file_system.h"
#include "path_text.h"
#include "frame.h"
#include "loader.h"
#include "open_documents.h"
#include "viewer_link.h"
#include "row_store.h"
#include "settings.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <cstring>

using namespace viewer;

namespace {

const char kStartMutex[] = "VantoroBeginV300";

// Held while this viewer starts: start-up and window destruction of all
// viewers are serialised by it. A time-out is not an error.
class StartLock {
public:
    StartLock() : h_(CreateMutexA(nullptr, FALSE, kStartMutex)) {
        if (h_) WaitForSingleObject(h_, 5000);
    }
    ~StartLock() { release(); }
    void release() {
        if (!h_) return;
        ReleaseMutex(h_);
        CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_;
};

void reportBadOptions(const StartRequest& r) {
    for (const std::string& letter : r.badOptions) errorBox(loadText(IDS_BADOPTION) + letter);
}

int runMessageLoop() {
    App& a = app();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        bool ours = a.frame && (msg.hwnd == a.frame || msg.hwnd == a.client);
        if (ours && a.accel && a.client && TranslateAcceleratorA(a.client, a.accel, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int start(HINSTANCE instance) {
    App& a = app();
    // 1. The process and the platform.
    a.instance = instance;
    a.screenW = GetSystemMetrics(SM_CXSCREEN);
    a.screenH = GetSystemMetrics(SM_CYSCREEN);
    BOOL smoothing = FALSE;
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &smoothing, 0);
    a.fontSmoothing = smoothing != FALSE;
    OSVERSIONINFOA ver = {};
    ver.dwOSVersionInfoSize = sizeof ver;
    GetVersionExA(&ver);
    a.osMajor = ver.dwMajorVersion;
    a.osMinor = ver.dwMinorVersion;
    a.newShell = a.osMajor >= 4;
    if (!a.privateMessage) a.privateMessage = RegisterWindowMessageA("VantoroPrivate");
    if (!a.wheelMessage) a.wheelMessage = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
    InitCommonControls();
    if (a.newShell) a.oleReady = SUCCEEDED(OleInitialize(nullptr));

    // 2. Texts from the string table.
    std::string face = loadText(IDS_FONTFACE), space = loadText(IDS_FULLWIDTHSPACE);
    a.siblingCommand = loadText(IDS_PROGRAMNAME) + " ";

    // 3. A spare window started hidden by another viewer.
    // The runtime's own argument text loses a first byte of 0x80 or above.
    std::string args = common::commandLineArguments();
    {
        std::string::size_type i = args.find_first_not_of(" \t");
        a.spareWindow = i != std::string::npos && args.compare(i, 2, "/-") == 0;
    }

    // 4. Window classes.
    if (!registerFrameClass(instance) || !TextView::registerClass(instance)) return 0;

    // 5. Start-up is serialised among viewers.
    StartLock lock;

    // 6. Folder, options, settings.
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    ViewerSettings& s = settings();
    s.fillDefaults(static_cast<unsigned char>(a.newShell ? 3 : 2));
    lstrcpynA(s.fontFace, face.c_str(), sizeof s.fontFace);
    lstrcpynA(s.fullWidthSpace, space.c_str(), sizeof s.fullWidthSpace);

    // 7. The line store.
    static RowStore store(s);
    if (!store.reserve()) {
        lock.release();
        common::showMessageBox(nullptr, loadText(IDS_NOTENOUGHMEMORY).c_str(), "", MB_ICONHAND | MB_OK);
        return 0;
    }
    store.setMessageSink(&messageBoxSink());
    a.store = &store;
    a.rows.setStore(&store);

    // 8. Cursors and the command line.
    a.waitCursor = LoadCursor(nullptr, IDC_WAIT);
    a.arrowCursor = LoadCursor(nullptr, IDC_ARROW);
    a.ibeamCursor = LoadCursor(nullptr, IDC_IBEAM);
    a.request = parseCommandLine(args);
    StartRequest& r = a.request;
    reportBadOptions(r);
    if (r.haveFolder && !SetCurrentDirectoryA(r.folder.c_str())) {
        SetCurrentDirectoryA(common::programFolder().c_str());
    }
    if (!r.fileTypeName.empty()) s.fileTypeFixed = false;

    // 9. The file name.
    ResolvedName name = resolveDocumentName(
        r.fileName, [](const std::string& folder) { errorBox(folder + loadText(IDS_NOFOLDER)); });
    if (!name.pattern.empty()) lstrcpynA(s.fileFilter, name.pattern.c_str(), sizeof s.fileFilter);
    lstrcpynA(a.doc.folder, name.folder.c_str(), sizeof a.doc.folder);
    lstrcpynA(a.doc.fileName, name.fileName.c_str(), sizeof a.doc.fileName);
    a.doc.requestedCode = static_cast<unsigned char>(r.forcedCode);
    a.browse = r.browse;
    a.extension = name.extension.empty() ? "." : name.extension;

    // 10. File-type settings and the frame.
    s.applyFileTypeOptions();
    if (!r.fileTypeName.empty()) s.fileTypeFixed = true;
    a.accel = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    HWND frame = createFrame(instance);
    if (!frame) {
        store.release();
        return 0;
    }
    // With /c the icon follows the extension of the name given there.
    std::string ext = a.extension;
    if (!r.fileTypeName.empty()) {
        const char* dot = std::strrchr(r.fileTypeName.c_str(), '.');
        ext = dot ? dot : ".";
    }
    setDocumentIcon(ext.c_str());

    // 12. Another viewer may show this file already. It is looked for while
    // the start-up lock is still held: viewers started together then ask each
    // other in turn instead of waiting on each other's answers.
    HWND other = nullptr;
    if (a.doc.fileName[0]) {
        std::string path = a.doc.folder[0] ? common::joinPath(a.doc.folder, a.doc.fileName) : a.doc.fileName;
        other = link::findViewerShowing(frame, path);
    }

    // 11. Others may start now.
    lock.release();

    if (other) {
        switch (decideSameFile(other, common::fileNamePart(a.doc.fileName), a.doc.requestedCode)) {
        case SameFileOutcome::Elsewhere: {
            // The jump goes to the viewer that shows the file; this one ends.
            if (r.jumpLine != 0)
                link::postGoToLine(other, r.jumpLine, r.jumpColumn);
            else if (r.jumpRow >= 0)
                link::postGoToRow(other, r.jumpRow, 0);
            DestroyWindow(frame);
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
            return 0;
        }
        case SameFileOutcome::OpenHereReadOnly:
            a.doc.readOnlyRequest = true;
            break;
        case SameFileOutcome::OpenHere:
            break;
        }
    }

    // 13. Open and show the document, or ask for one.
    bool opened = false;
    if (a.doc.fileName[0]) {
        HCURSOR old = SetCursor(a.waitCursor);
        opened = openAndLoad(a.doc, store, s, messageBoxSink());
        SetCursor(old);
        if (!opened) {
            // A row-limit notice is queued for a window that is about to go: say it now.
            MSG m;
            if (a.client && PeekMessageA(&m, a.client, WMU_ROW_LIMIT, WMU_ROW_LIMIT, PM_REMOVE))
                errorBox(docText(kTextRowLimit));
            // A file that exists but cannot be read ends this viewer.
            DestroyWindow(frame);
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
            return 0;
        }
        if (!a.doc.newFile) {
            std::string full = common::joinPath(a.doc.folder, a.doc.fileName);
            SHAddToRecentDocs(SHARD_PATHA, full.c_str());
        }
    } else {
        PostMessageA(frame, WM_COMMAND, IDM_OPEN, 0);
    }
    updateCaption();
    // The frame is shown first: the jump needs the window's real number of rows.
    showFrame(frame);
    showLoadedDocument(r.jumpLine, r.jumpColumn, r.jumpRow);

    // 14. Update, and print on request.
    UpdateWindow(frame);
    if (r.printAndClose) PostMessageA(frame, WM_COMMAND, IDM_PRINT_AND_CLOSE, 0);
    return -1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int code = 0;
    try {
        code = start(instance);
        if (code < 0) code = runMessageLoop();
    } catch (...) {
        code = 0;
    }
    if (app().oleReady) OleUninitialize();
    return code;
}
