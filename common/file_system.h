// Paths against the file system: existence, making a folder with all its
// levels, the long form of a name, the program's own folder, and a guard that
// puts the current folder back.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace common {

bool isExistingFile(const char* path);
bool isExistingFolder(const char* path);
inline bool isExistingFile(const std::string& path) { return isExistingFile(path.c_str()); }
inline bool isExistingFolder(const std::string& path) { return isExistingFolder(path.c_str()); }

// Creates every missing level of folder, top down. The levels made are
// appended to created (when given). False when a level cannot be made or is
// a file. Drive roots and the "\\\\server\\share" part are never made.
bool createFolderPath(const std::string& folder, std::vector<std::string>* created = nullptr);

// The long form of path (GetLongPathNameA) into out; false, with out
// untouched, when there is none or it does not fit in size bytes.
bool longForm(const char* path, char* out, size_t size);
// The long form, or path itself when there is none.
std::string longForm(const std::string& path);

// The full path of the running program (or of module); empty when the
// system gives none or it does not fit a path buffer (a cut path would name
// another file).
std::string programPath(HMODULE module = nullptr);
// The folder of the running program (or of module), without a trailing
// backslash except for a root ("C:\\").
std::string programFolder(HMODULE module = nullptr);

// Keeps the current folder and puts it back when the scope ends; enter()
// changes to another folder meanwhile.
class CurrentFolderGuard {
public:
    CurrentFolderGuard();
    ~CurrentFolderGuard();
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;
    // SetCurrentDirectoryA; false when the folder cannot be entered.
    bool enter(const char* folder);
    const char* saved() const { return saved_; }

private:
    char saved_[MAX_PATH];
};

}  // namespace common
