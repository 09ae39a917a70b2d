#include "extract_window.h"
#include "archive_library.h"
#include "file_system.h"
#include "installer_ids.h"
#include "installer_messages.h"
#include "message_box.h"
#include "path_text.h"
#include "resource.h"
#include "sjis.h"
#include "temp_folder.h"
#include "texts.h"
#include "window_position.h"
#include <commctrl.h>
#include <shellapi.h>

namespace installer {

namespace {

const DWORD kPumpIntervalMs = 40;

}  // namespace

std::string archiveTarget(CopyEntry& entry) {
    std::string chosen = entry.destination.empty() ? std::string() : entry.destination.fullPath();
    if (entry.destFolder.empty()) return chosen;
    if (entry.absolute || common::isFullPath(entry.destFolder)) return entry.destFolder;
    return common::joinPath(chosen, entry.destFolder);
}

bool ExtractWindow::run() {
    written_.clear();
    INT_PTR r = runModal(instance_, IDD_EXTRACT, nullptr);
    bool ok = r == IDOK;
    if (!ok) {
        // Newest first, so that folders made for files can go after them.
        for (auto it = written_.rbegin(); it != written_.rend(); ++it) DeleteFileA(it->c_str());
    }
    written_.clear();
    return ok;
}

BOOL ExtractWindow::onInit() {
    SendDlgItemMessageA(hwnd_, IDC_EXT_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    if (!entries_.empty()) SetDlgItemTextA(hwnd_, IDC_EXT_ARCHIVE, entries_[0]->source.fullPath());
    placeWindow(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    PostMessageA(hwnd_, WM_APP_EXTRACT_START, 0, 0);
    return TRUE;
}

void ExtractWindow::onCommand(int id, int, HWND) {
    if (id != IDCANCEL || abort_) return;
    int r = common::showMessageBox(hwnd_, texts::kAbortQuestion, texts::kProgramTitle,
                                   MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
    if (r != IDYES) return;
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    abort_ = true;
    cancelled_ = true;
    ArchiveLibrary::instance().ok = false;
}

INT_PTR ExtractWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    if (message == WM_APP_EXTRACT_START) {
        bool ok = processAll();
        recordWindowPosition(hwnd_);
        EndDialog(hwnd_, ok ? IDOK : IDCANCEL);
        return TRUE;
    }
    if (message == lib.message() && message != 0) {
        LRESULT answer = notification((UINT)wParam, reinterpret_cast<const ArcExtractInfo*>(lParam));
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    return FALSE;
}

bool ExtractWindow::processAll() {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    lib.ok = true;
    for (auto& e : entries_) {
        if (abort_) break;
        std::string archive = e->source.fullPath();
        std::string folder = archiveTarget(*e);
        SetDlgItemTextA(hwnd_, IDC_EXT_ARCHIVE, archive.c_str());
        if (!common::isExistingFolder(folder) && !common::createFolderPath(folder)) {
            errorBox(texts::kTitleError, texts::kCopyErrors[1], folder.c_str());
            lib.ok = false;
            return false;
        }
        bool ok =
            lib.bind(archive.c_str()) ? extractEntry(*e, archive, folder) : copyUnchanged(archive, folder);
        if (!ok || abort_) return false;
    }
    return !abort_;
}

bool ExtractWindow::extractEntry(CopyEntry& entry, const std::string& archive, const std::string& folder) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    lib.setCursorMode(FALSE);
    lib.setOwner(hwnd_);
    bool ok;
    refused_ = false;
    if (!entry.baseFolder.empty()) {
        ok = extractBelowBase(archive, folder, entry.baseFolder);
    } else {
        writingBelow_ = folder;
        int r = lib.extractAll(hwnd_, archive, folder);
        // A failing archive does not stop the others; the user is told.
        if (!abort_) reportResult(archive, refused_ ? ARC_ERROR_UNSAFE_NAME : r);
        ok = true;
    }
    lib.clearOwner();
    return ok && !abort_;
}

bool ExtractWindow::extractBelowBase(const std::string& archive, const std::string& folder,
                                     const std::string& base) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    std::string temp;
    if (!makeTempFolder("~Vpr", &temp)) {
        lib.ok = false;
        return false;
    }
    size_t firstWritten = written_.size();
    writingBelow_ = temp;
    int r = lib.extractBelow(hwnd_, archive, temp, base);
    bool ok = !abort_ && (r == ARC_OK || r == ARC_ERROR_UNSAFE_NAME);
    if (!abort_ && r != ARC_OK) reportResult(archive, refused_ ? ARC_ERROR_UNSAFE_NAME : r);
    std::string from = common::joinPath(temp, archivePathToFolder(base));
    if (ok && common::isExistingFolder(from)) {
        // The files go to the destination under their names below the base
        // folder; the list of written files follows them there.
        std::string source = common::joinPath(from, "*.*");
        source.push_back('\0');
        std::string target = folder;
        target.push_back('\0');
        SHFILEOPSTRUCTA op = {};
        op.hwnd = hwnd_;
        op.wFunc = FO_COPY;
        op.pFrom = source.c_str();
        op.pTo = target.c_str();
        // Existing files are replaced without a question, as the other
        // archives' extraction does.
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
        ok = SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
        for (size_t i = firstWritten; i < written_.size(); i++) {
            if (common::isBelowFolder(written_[i], from))
                written_[i] = common::joinPath(
                    folder, written_[i].substr(from.size() + (common::endsWithSeparator(from) ? 0 : 1)));
        }
    }
    deleteTree(temp);
    if (!ok) lib.ok = false;
    return ok;
}

bool ExtractWindow::copyUnchanged(const std::string& source, const std::string& folder) {
    ArcExtractInfo info = {};
    const char* name = common::fileNamePart(source.c_str());
    std::string dest = common::joinPath(folder, name);
    common::copyBounded(info.storedName, name, sizeof info.storedName);
    common::copyBounded(info.destName, dest.c_str(), sizeof info.destName);
    common::copyBounded(info.archiveName, source.c_str(), sizeof info.archiveName);
    writingBelow_ = folder;
    notification(ARC_NOTIFY_BEGIN, &info);
    showProgress();  // the copy may take a while: its names show meanwhile
    bool ok = CopyFileA(source.c_str(), dest.c_str(), FALSE) != FALSE;
    notification(ARC_NOTIFY_END, &info);
    if (!ok) errorBox(texts::kTitleError, texts::kCopyErrors[2], dest.c_str());
    return ok;
}

LRESULT ExtractWindow::notification(UINT type, const ArcExtractInfo* info) {
    if (!info) return abort_ ? 1 : 0;
    switch (type) {
    case ARC_NOTIFY_BEGIN:
        // The libraries refuse names that leave the folder; the same check
        // here stops a library that would write there anyway.
        if (!common::isBelowFolder(info->destName, writingBelow_)) {
            refused_ = true;
            return 1;
        }
        stored_ = info->storedName;
        dest_ = info->destName;
        percent_ = 0;
        written_.push_back(info->destName);
        break;
    case ARC_NOTIFY_PROGRESS:
        percent_ =
            info->fileSize ? (int)((unsigned long long)info->bytesWritten * 100 / info->fileSize) : 100;
        break;
    case ARC_NOTIFY_END:
        stored_.clear();
        dest_.clear();
        percent_ = 100;
        break;
    case ARC_NOTIFY_ARCHIVE:
        SetDlgItemTextA(hwnd_, IDC_EXT_ARCHIVE, info->archiveName);
        break;
    }
    // The library works on this thread: the window's own messages (Cancel
    // above all) are handled here, between two notifications. The owner is
    // taken off meanwhile so that nothing reaches the library re-entrantly.
    // Notifications come for every block and every file. Each change of a
    // text or of the bar, and each look at the queue, is a round trip to the
    // window system (the bar even repaints at once), which under load cost
    // more than the unpacking; so the window shows the latest state and
    // looks at its queue a few times a second only, which still answers a
    // click at once to the eye.
    DWORD now = GetTickCount();
    if (now - lastPump_ < kPumpIntervalMs) return abort_ ? 1 : 0;
    lastPump_ = now;
    showProgress();
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    lib.clearOwner();
    pumpMessages();
    if (!abort_) lib.setOwner(hwnd_);
    return abort_ ? 1 : 0;
}

void ExtractWindow::showProgress() {
    if (stored_ != shownStored_) SetDlgItemTextA(hwnd_, IDC_EXT_STORED, stored_.c_str());
    if (dest_ != shownDest_) SetDlgItemTextA(hwnd_, IDC_EXT_DEST, dest_.c_str());
    if (percent_ != shownPercent_) SendDlgItemMessageA(hwnd_, IDC_EXT_BAR, PBM_SETPOS, percent_, 0);
    shownStored_ = stored_;
    shownDest_ = dest_;
    shownPercent_ = percent_;
}

void ExtractWindow::pumpMessages() {
    MSG msg;
    while (HIWORD(GetQueueStatus(QS_ALLINPUT)) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            abort_ = true;
            break;
        }
        if (!IsDialogMessageA(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void ExtractWindow::reportResult(const std::string& archive, int result) {
    if (result == ARC_OK || result == ARC_ERROR_USER_CANCEL) return;
    if (result == ARC_ERROR_UNSAFE_NAME)
        errorBox(texts::kTitleArchiveError, texts::kUnsafeEntries, archive.c_str());
    else
        errorBox(texts::kTitleArchiveError, texts::kExtractFailed, archive.c_str(), result);
}

}  // namespace installer
