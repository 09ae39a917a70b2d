// Copies a file list block by block, asking about conflicts and errors
// through CopyPrompts, and undoes what it created when aborted.
#pragma once
#include <string>
#include <vector>
#include <windows.h>
#include "copy_entry.h"

namespace installer {

enum class OverwriteAnswer { Yes, IfNewer, All, Rename, No, Cancel };
enum class ErrorAnswer { Skip, Cancel };

// Copy error numbers, shown through the error dialog.
enum CopyError {
    kErrorFolder = 1,
    kErrorCreate = 2,
    kErrorOpen = 3,
    kErrorWrite = 4,
    kErrorRead = 5,
    kErrorRename = 6,
};

class CopyPrompts {
public:
    virtual ~CopyPrompts() {}
    virtual void showFiles(const char* source, const char* destination) {
        (void)source;
        (void)destination;
    }
    virtual void showProgress(int percent) { (void)percent; }
    virtual OverwriteAnswer askOverwrite(CopyEntry& entry, const WIN32_FIND_DATAA& existing) = 0;
    virtual ErrorAnswer askError(int error, const char* path) = 0;
};

class CopyJob {
public:
    static const DWORD kBlockBytes = 4096;
    enum Status { Running, Finished, Aborted };

    CopyJob(CopyList& list, CopyPrompts& prompts);
    ~CopyJob();
    CopyJob(const CopyJob&) = delete;
    CopyJob& operator=(const CopyJob&) = delete;

    // One start step or one block of the current file.
    Status step();
    // Stops between steps (the user's Cancel): closes the current files and
    // undoes this run's creations.
    void abort();
    Status status() const { return status_; }
    unsigned long long bytesDone() const { return done_; }
    unsigned long long bytesTotal() const { return total_; }
    int percent() const;

private:
    void startEntry();
    void copyBlock();
    void finishEntry();
    void failBlock(int error, const char* path);
    void nextEntry();
    void skipEntry();                               // the user's Skip after an error
    bool handleError(int error, const char* path);  // false: aborted
    bool createFolders(const std::string& folder);
    void closeFiles();
    void undo();

    CopyList& list_;
    CopyPrompts& prompts_;
    Status status_ = Running;
    size_t index_ = 0;
    bool copying_ = false;
    int pending_ = CopyEntry::NotDone;  // result of the entry being copied
    bool remembered_ = false;
    OverwriteAnswer rememberedAnswer_ = OverwriteAnswer::Yes;
    unsigned long long done_ = 0, total_ = 0;
    DWORD readOfFile_ = 0;
    HANDLE src_ = INVALID_HANDLE_VALUE;
    HANDLE dst_ = INVALID_HANDLE_VALUE;
    std::vector<std::string> createdFolders_;
    char buffer_[kBlockBytes];
};

// The free name for an existing file moved aside: " (n)" before the
// extension, n counting from 1.
std::string renamedPath(const char* path, int n);
// Runs the whole copy with no window (used by tools and tests); false when aborted.
bool copyAll(CopyList& list, CopyPrompts& prompts);

}  // namespace installer
