#include "file_system.h"
#include "path_text.h"
#include "sjis.h"

namespace common {

bool isExistingFile(const char* path) {
    if (!path || !*path) return false;
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool isExistingFolder(const char* path) {
    if (!path || !*path) return false;
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Levels that are never made: a drive ("C:"), "\\\\server" and
// "\\\\server\\share".
bool isFixedLevel(const std::string& level) {
    if (level.size() == 2 && hasDrivePrefix(level.c_str())) return true;
    if (level.size() > 2 && level[0] == '\\' && level[1] == '\\') {
        int separators = 0;
        for (const char* p = level.c_str() + 2; *p; p = nextChar(p))
            if (*p == '\\') ++separators;
        return separators < 2;
    }
    return false;
}

}  // namespace

bool createFolderPath(const std::string& folder, std::vector<std::string>* created) {
    if (folder.empty() || isExistingFolder(folder)) return true;
    // Walk character by character: each backslash that is not the second
    // byte of a double-byte character ends one level. A name ending in such
    // a character ("成績表") is a level of its own, never a separator.
    const char* start = folder.c_str();
    for (const char* p = start;; p = nextChar(p)) {
        if (*p != '\\' && *p != '/' && *p != '\0') continue;
        std::string level(start, static_cast<size_t>(p - start));
        bool last = *p == '\0';
        if (!level.empty() && !endsWithSeparator(level) && !isFixedLevel(level)) {
            DWORD a = GetFileAttributesA(level.c_str());
            if (a != INVALID_FILE_ATTRIBUTES) {
                if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
            } else {
                if (!CreateDirectoryA(level.c_str(), nullptr)) return false;
                if (created) created->push_back(level);
            }
        }
        if (last) break;
    }
    return true;
}

bool longForm(const char* path, char* out, size_t size) {
    if (!path || !out || size == 0) return false;
    char buffer[MAX_PATH];
    DWORD n = GetLongPathNameA(path, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer || n >= size) return false;
    copyBounded(out, buffer, size);
    return true;
}

std::string longForm(const std::string& path) {
    char buffer[MAX_PATH];
    return longForm(path.c_str(), buffer, sizeof buffer) ? std::string(buffer) : path;
}

std::string programPath(HMODULE module) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, path, sizeof path);
    // A name that filled the buffer was cut (and older systems leave it
    // unterminated).
    if (n == 0 || n >= sizeof path) return std::string();
    return std::string(path, n);
}

std::string programFolder(HMODULE module) {
    std::string path = programPath(module);
    if (path.empty()) return path;
    std::string folder = parentFolder(path);
    if (folder.size() == 2 && hasDrivePrefix(folder.c_str())) folder += '\\';
    return folder;
}

CurrentFolderGuard::CurrentFolderGuard() {
    DWORD n = GetCurrentDirectoryA(sizeof saved_, saved_);
    if (n == 0 || n >= sizeof saved_) saved_[0] = '\0';
}

CurrentFolderGuard::~CurrentFolderGuard() {
    if (saved_[0]) SetCurrentDirectoryA(saved_);
}

bool CurrentFolderGuard::enter(const char* folder) { return folder && SetCurrentDirectoryA(folder) != FALSE; }

}  // namespace common
