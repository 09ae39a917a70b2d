#include "copy_engine.h"
#include "file_list.h"
#include "sjis.h"
#include "text_format.h"
#include "file_system.h"

namespace installer {

std::string renamedPath(const char* path, int n) {
    std::string p = path ? path : "";
    const char* slash = common::findLastChar(p.c_str(), '\\');
    const char* dot = common::findLastChar(slash ? slash : p.c_str(), '.');
    size_t at = dot ? dot - p.c_str() : p.size();
    return p.substr(0, at) + common::formatText(" (%d)", n) + p.substr(at);
}

CopyJob::CopyJob(CopyList& list, CopyPrompts& prompts) : list_(list), prompts_(prompts) {
    total_ = totalSourceBytes(list);
    if (list_.empty()) status_ = Finished;
}

CopyJob::~CopyJob() { closeFiles(); }

int CopyJob::percent() const {
    if (total_ == 0) return 100;
    unsigned long long p = done_ * 100 / total_;
    return p > 100 ? 100 : (int)p;
}

CopyJob::Status CopyJob::step() {
    if (status_ != Running) return status_;
    if (copying_)
        copyBlock();
    else
        startEntry();
    return status_;
}

void CopyJob::abort() {
    if (status_ != Running) return;
    undo();
    status_ = Aborted;
}

bool CopyJob::handleError(int error, const char* path) {
    closeFiles();
    if (prompts_.askError(error, path) == ErrorAnswer::Cancel) {
        undo();
        status_ = Aborted;
        return false;
    }
    return true;
}

void CopyJob::startEntry() {
    CopyEntry& e = *list_[index_];
    const char* dst = e.destination.fullPath();
    if (!e.overlongDestination.empty()) {
        prompts_.showFiles(e.source.fullPath(), e.overlongDestination.c_str());
        if (handleError(kErrorCreate, e.overlongDestination.c_str())) skipEntry();
        return;
    }
    prompts_.showFiles(e.source.fullPath(), dst);
    pending_ = CopyEntry::Created;

    if (e.destination.isFile()) {
        WIN32_FIND_DATAA existing = e.destination.findData();
        OverwriteAnswer a = remembered_ ? rememberedAnswer_ : prompts_.askOverwrite(e, existing);
        if (a == OverwriteAnswer::IfNewer || a == OverwriteAnswer::All || a == OverwriteAnswer::Rename) {
            remembered_ = true;
            rememberedAnswer_ = a;
        }
        bool skip = false;
        switch (a) {
        case OverwriteAnswer::Cancel:
            undo();
            status_ = Aborted;
            return;
        case OverwriteAnswer::No:
            skip = true;
            break;
        case OverwriteAnswer::IfNewer:
            skip = CompareFileTime(&existing.ftLastWriteTime, &e.source.findData().ftLastWriteTime) > 0;
            pending_ = CopyEntry::Overwrote;
            break;
        case OverwriteAnswer::Rename: {
            std::string to;
            for (int n = 1; n < 100000; n++) {
                to = renamedPath(dst, n);
                if (GetFileAttributesA(to.c_str()) == INVALID_FILE_ATTRIBUTES) break;
            }
            if (!MoveFileA(dst, to.c_str())) {
                if (handleError(kErrorRename, dst)) nextEntry();
                return;
            }
            e.renamed.setPath(to.c_str());
            pending_ = CopyEntry::RenamedFirst;
            break;
        }
        default:
            pending_ = CopyEntry::Overwrote;
            break;
        }
        if (skip) {
            done_ += e.sourceSize();
            prompts_.showProgress(percent());
            nextEntry();
            return;
        }
    }

    std::string folder = e.destination.folderPath();
    if (!createFolders(folder)) {
        e.result = pending_ == CopyEntry::RenamedFirst ? pending_ : CopyEntry::NotDone;
        if (handleError(kErrorFolder, folder.c_str())) skipEntry();
        return;
    }
    src_ = CreateFileA(e.source.fullPath(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (src_ == INVALID_HANDLE_VALUE) {
        e.result = pending_ == CopyEntry::RenamedFirst ? pending_ : CopyEntry::NotDone;
        if (handleError(kErrorOpen, e.source.fullPath())) skipEntry();
        return;
    }
    // A destination not seen as existing is made as a new file only: when
    // the existence check failed (a folder that cannot be listed), replacing
    // what is there would destroy a file nobody was asked about, and the
    // undo would then delete it as one of this run's creations.
    const DWORD disposition = pending_ == CopyEntry::Created ? CREATE_NEW : CREATE_ALWAYS;
    dst_ = CreateFileA(dst, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (dst_ == INVALID_HANDLE_VALUE) {
        e.result = pending_ == CopyEntry::RenamedFirst ? pending_ : CopyEntry::NotDone;
        if (handleError(kErrorCreate, dst)) skipEntry();
        return;
    }
    readOfFile_ = 0;
    copying_ = true;
}

void CopyJob::copyBlock() {
    CopyEntry& e = *list_[index_];
    DWORD got = 0;
    if (!ReadFile(src_, buffer_, kBlockBytes, &got, nullptr) || got == 0) {
        if (readOfFile_ < e.sourceSize())
            failBlock(kErrorRead, e.source.fullPath());
        else
            finishEntry();
        return;
    }
    DWORD put = 0;
    if (!WriteFile(dst_, buffer_, got, &put, nullptr) || put != got) {
        failBlock(kErrorWrite, e.destination.fullPath());
        return;
    }
    readOfFile_ += got;
    done_ += got;
    prompts_.showProgress(percent());
}

void CopyJob::failBlock(int error, const char* path) {
    CopyEntry& e = *list_[index_];
    std::string shown = path;
    // A half-written file is no installed file: it goes, and only a file
    // moved aside for it stays on record for the undo.
    closeFiles();
    DeleteFileA(e.destination.fullPath());
    e.result = pending_ == CopyEntry::RenamedFirst ? pending_ : CopyEntry::NotDone;
    copying_ = false;
    if (prompts_.askError(error, shown.c_str()) == ErrorAnswer::Cancel) {
        undo();
        status_ = Aborted;
        return;
    }
    skipEntry();
}

void CopyJob::skipEntry() {
    // A file moved aside for a copy that did not happen gets its name back,
    // so skipping never leaves the old file under a different name.
    if (index_ < list_.size()) {
        CopyEntry& e = *list_[index_];
        if (e.result == CopyEntry::RenamedFirst && !e.renamed.empty() &&
            MoveFileA(e.renamed.fullPath(), e.destination.fullPath())) {
            e.renamed.clear();
            e.result = CopyEntry::NotDone;
        }
    }
    nextEntry();
}

void CopyJob::finishEntry() {
    CopyEntry& e = *list_[index_];
    FILETIME c, a, w;
    if (GetFileTime(src_, &c, &a, &w)) SetFileTime(dst_, &c, &a, &w);
    closeFiles();
    e.result = pending_;
    copying_ = false;
    nextEntry();
}

void CopyJob::nextEntry() {
    copying_ = false;
    pending_ = CopyEntry::NotDone;
    if (++index_ >= list_.size()) {
        status_ = Finished;
        prompts_.showProgress(100);
    }
}

bool CopyJob::createFolders(const std::string& folder) {
    // The levels made here are undone on abort.
    return common::createFolderPath(folder, &createdFolders_);
}

void CopyJob::closeFiles() {
    if (src_ != INVALID_HANDLE_VALUE) CloseHandle(src_);
    if (dst_ != INVALID_HANDLE_VALUE) CloseHandle(dst_);
    src_ = dst_ = INVALID_HANDLE_VALUE;
}

void CopyJob::undo() {
    // The file being written when the user stopped is removed as well; a
    // file moved aside for it gets its name back.
    if (copying_ && index_ < list_.size()) {
        CopyEntry& e = *list_[index_];
        closeFiles();
        DeleteFileA(e.destination.fullPath());
        if (pending_ == CopyEntry::RenamedFirst) e.result = pending_;
        copying_ = false;
    } else if (index_ < list_.size() && pending_ == CopyEntry::RenamedFirst) {
        list_[index_]->result = pending_;
    }
    closeFiles();
    // Last copy first: when two entries wrote the same destination, the
    // later one moved the earlier one's copy aside, and only undoing in
    // reverse puts the user's own file back last, under its own name.
    for (auto it = list_.rbegin(); it != list_.rend(); ++it) {
        CopyEntry& e = **it;
        if (e.result == CopyEntry::Created) {
            DeleteFileA(e.destination.fullPath());
        } else if (e.result == CopyEntry::RenamedFirst) {
            DeleteFileA(e.destination.fullPath());
            MoveFileA(e.renamed.fullPath(), e.destination.fullPath());
        }
        e.result = CopyEntry::NotDone;
    }
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it)
        RemoveDirectoryA(it->c_str());
    createdFolders_.clear();
}

bool copyAll(CopyList& list, CopyPrompts& prompts) {
    CopyJob job(list, prompts);
    while (job.step() == CopyJob::Running) {}
    return job.status() == CopyJob::Finished;
}

}  // namespace installer
