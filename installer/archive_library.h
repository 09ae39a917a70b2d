// The archiver library of the current archive: chosen by the archive's kind,
// loaded by full path from the installer's own folder or the system folder
// (never from the current folder or the search path, which may hold an
// archive's unpacked contents), and bound by function name. One object for
// the whole run; callers show its title and text after a failure.
#pragma once
#include <windows.h>
#include <string>
#include "arc_extract_info.h"
#include "archive_names.h"

namespace installer {

class ArchiveLibrary {
public:
    static ArchiveLibrary& instance();
    ~ArchiveLibrary();
    ArchiveLibrary(const ArchiveLibrary&) = delete;
    ArchiveLibrary& operator=(const ArchiveLibrary&) = delete;

    // Works out the kind of the archive at path (loading libraries to ask
    // them when the extension does not tell); kind() afterwards.
    int detectKind(const char* path);
    // Loads and binds the library for path; false (text set when a library
    // could not be loaded) when path is no archive any library takes.
    bool bind(const char* path);
    // Binds, checks the archive and opens it for FindFirst/FindNext.
    bool open(HWND owner, const char* path, DWORD mode);
    void close();
    // FindFirst/FindNext on the open archive; true while an item was found.
    bool findFirst(const std::string& pattern, ArcItemInfo* info);
    bool findNext(ArcItemInfo* info);

    // The three command uses; they return the library's result (kept in
    // lastResult) or ARC_ERROR_UNKNOWN_COMMAND when nothing is bound.
    int extractAll(HWND owner, const std::string& archive, const std::string& folder);
    int extractBelow(HWND owner, const std::string& archive, const std::string& folder,
                     const std::string& base);
    int extractItem(HWND owner, const std::string& archive, const std::string& folder,
                    const std::string& item);
    // ExtractMem; false when the library has none (then *supported is false).
    int extractToMemory(HWND owner, const std::string& archive, const std::string& item, BYTE* buffer,
                        DWORD size, DWORD* written, bool* supported);

    void setOwner(HWND owner);
    void clearOwner();
    void setCursorMode(BOOL mode);
    // Unloads the library (owner cleared, open archive closed first).
    void release();

    int kind() const { return kind_; }
    int loadedKind() const { return loadedKind_; }
    UINT message() const { return message_; }

    bool ok = false;
    int lastResult = 0;
    std::string title;
    std::string text;

private:
    ArchiveLibrary();
    bool load(int kind);
    void unbind();

    HMODULE library_ = nullptr;
    int loadedKind_ = 0;
    int kind_ = kNoKind;
    bool checked_ = false;
    std::string boundName_;
    HARCHIVE archive_ = nullptr;
    HWND owner_ = nullptr;
    UINT message_ = 0;

    ArcCommandFn command_ = nullptr;
    ArcCheckArchiveFn checkArchive_ = nullptr;
    ArcOpenArchiveFn openArchive_ = nullptr;
    ArcFindFirstFn findFirst_ = nullptr;
    ArcFindNextFn findNext_ = nullptr;
    ArcCloseArchiveFn closeArchive_ = nullptr;
    ArcExtractMemFn extractMem_ = nullptr;
    ArcSetOwnerWindowFn setOwnerWindow_ = nullptr;
    ArcClearOwnerWindowFn clearOwnerWindow_ = nullptr;
    ArcSetCursorModeFn setCursorMode_ = nullptr;
};

// The full path a library of that name is loaded from: the installer's own
// folder when it is there, else the system folder; empty when neither has it.
std::string libraryPath(const char* name);

}  // namespace installer
