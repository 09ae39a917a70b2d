#include "path_name.h"
#include "path_text.h"
#include "sjis.h"
#include <cstring>

namespace common {

namespace {

// Start of the last character of s (a double-byte character counts whole);
// null for an empty string.
const char* lastCharStart(const char* s) { return previousChar(s, stringEnd(s)); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isUpStep(const char* s) { return s[0] == '.' && s[1] == '.' && (s[2] == '/' || s[2] == '\\'); }

// True when s with its terminator fits in size bytes.
bool fits(const char* s, size_t size) { return static_cast<size_t>(stringEnd(s) - s) < size; }

}  // namespace

PathName::PathName() { clear(); }

PathName::PathName(const char* path) {
    clear();
    setPath(path);
}

void PathName::clear() {
    full_[0] = drive_[0] = folder_[0] = name_[0] = extension_[0] = '\0';
    nameWithExtension_[0] = folderPath_[0] = '\0';
    std::memset(&findData_, 0, sizeof findData_);
}

void PathName::split() {
    drive_[0] = folder_[0] = name_[0] = extension_[0] = '\0';
    const char* rest = full_;
    if (hasDrivePrefix(full_)) {
        drive_[0] = full_[0];
        drive_[1] = ':';
        drive_[2] = '\0';
        rest = full_ + 2;
    }
    const char* sep = lastSeparator(rest);
    const char* namePart = sep ? sep + 1 : rest;
    const char* dot = findLastChar(namePart, '.');
    size_t folderLength = sep ? static_cast<size_t>(sep - rest) + 1 : 0;
    size_t nameLength =
        dot ? static_cast<size_t>(dot - namePart) : static_cast<size_t>(stringEnd(namePart) - namePart);
    // A part that does not fit is refused, never cut: a folder cut short
    // names another folder (or ends in half a character), and every later
    // test on the path would silently look somewhere else.
    if (folderLength >= sizeof folder_ || nameLength >= sizeof name_ ||
        (dot && !fits(dot, sizeof extension_))) {
        clear();
        return;
    }
    copyBounded(folder_, rest, sizeof folder_, folderLength);
    copyBounded(name_, namePart, sizeof name_, nameLength);
    if (dot) copyBounded(extension_, dot, sizeof extension_);
}

void PathName::rebuild() { compose(name_); }

void PathName::compose(const char* name) {
    char tmp[kPathSize * 4];
    tmp[0] = '\0';
    appendBounded(tmp, drive_, sizeof tmp);
    appendBounded(tmp, folder_, sizeof tmp);
    if (folder_[0] && !endsWithSeparator(folder_)) appendBounded(tmp, "\\", sizeof tmp);
    appendBounded(tmp, name, sizeof tmp);
    if (extension_[0]) {
        if (extension_[0] != '.') appendBounded(tmp, ".", sizeof tmp);
        appendBounded(tmp, extension_, sizeof tmp);
    }
    // A path longer than the buffer is refused whole (see split).
    if (!fits(tmp, sizeof full_)) {
        clear();
        return;
    }
    copyBounded(full_, tmp, sizeof full_);
    split();
}

const char* PathName::setPath(const char* path) {
    if (!path) {
        clear();
        return full_;
    }
    const char* start = path[0] == '"' ? path + 1 : path;
    const char* end = path[0] == '"' ? findChar(start, '"') : nullptr;
    if (!end) end = stringEnd(start);
    if (static_cast<size_t>(end - start) >= sizeof full_) {
        clear();
        return full_;
    }
    copyBounded(full_, start, sizeof full_, static_cast<size_t>(end - start));
    split();
    rebuild();
    return full_;
}

const char* PathName::fullPath() {
    rebuild();
    return full_;
}

const char* PathName::folderPath() {
    folderPath_[0] = '\0';
    appendBounded(folderPath_, drive_, sizeof folderPath_);
    appendBounded(folderPath_, folder_, sizeof folderPath_);
    bool keep = folder_[0] != '\\' || (folder_[0] == '\\' && folder_[1] == '\0');
    if (!keep) {
        const char* last = lastCharStart(folderPath_);
        if (last && *last == '\\') folderPath_[last - folderPath_] = '\0';
    }
    return folderPath_;
}

const char* PathName::fromModule(HMODULE module) {
    char buf[kPathSize];
    DWORD n = GetModuleFileNameA(module, buf, sizeof buf);
    // A name that filled the buffer was cut (and older systems leave it
    // unterminated): refuse it like any other path that does not fit.
    if (n == 0 || n >= sizeof buf) buf[0] = '\0';
    copyBounded(full_, buf, sizeof full_);
    split();
    rebuild();
    return full_;
}

const char* PathName::upFolder() {
    if (folder_[0] == '\0' || (folder_[0] == '\\' && folder_[1] == '\0')) return full_;
    const char* last = lastCharStart(folder_);
    if (last && isSeparator(*last)) folder_[last - folder_] = '\0';
    const char* sep = lastSeparator(folder_);
    if (sep)
        folder_[sep - folder_ + 1] = '\0';
    else
        folder_[0] = '\0';
    rebuild();
    return full_;
}

const char* PathName::changeFolder(const char* relative) {
    if (!relative || !*relative) {
        rebuild();
        return full_;
    }
    while (isUpStep(relative)) {
        upFolder();
        relative += 3;
    }
    if (relative[0] == '.' && relative[1] == '.' && relative[2] == '\0') {
        upFolder();
        relative += 2;
    }
    if ((relative[0] == '\\' && relative[1] == '\\') || (relative[0] && relative[1] == ':')) {
        drive_[0] = '\0';
        folder_[0] = '\0';
    } else if (relative[0] == '\\' && folder_[0]) {
        ++relative;
    }
    if (!fits(relative, sizeof folder_ - static_cast<size_t>(stringEnd(folder_) - folder_))) {
        clear();
        return full_;
    }
    appendBounded(folder_, relative, sizeof folder_);
    if ((folder_[0] && folder_[1] == ':') || (folder_[0] == '\\' && folder_[1] == '\\')) drive_[0] = '\0';
    rebuild();
    return full_;
}

const char* PathName::setFileName(const char* name) {
    if (!name) {
        rebuild();
        return full_;
    }
    if (isUpStep(name)) {
        const char* cut = findLastChar(name, name[2]);
        char steps[kPathSize];
        size_t len = static_cast<size_t>(cut - name) + 1;
        if (len > sizeof steps - 1) {
            clear();
            return full_;
        }
        std::memcpy(steps, name, len);
        steps[len] = '\0';
        changeFolder(steps);
        name = cut + 1;
    }
    if (findChar(name, '.')) extension_[0] = '\0';
    if (name[0] == '\\') {
        folder_[0] = '\0';
        if (name[1] == '\\') drive_[0] = '\0';  // a UNC name brings its own root
    } else if (name[0] && name[1] == ':') {
        drive_[0] = '\0';
        folder_[0] = '\0';
    }
    // Composed from the argument rather than through name_, so that a name
    // carrying a whole path may use the full 260 bytes.
    compose(name);
    rebuild();
    return full_;
}

const char* PathName::setNameWithExtension(const char* name) {
    if (name) {
        extension_[0] = '\0';
        return setFileName(name);
    }
    nameWithExtension_[0] = '\0';
    appendBounded(nameWithExtension_, name_, sizeof nameWithExtension_);
    appendBounded(nameWithExtension_, extension_, sizeof nameWithExtension_);
    return nameWithExtension_;
}

const char* PathName::setExtension(const char* extension) {
    if (!extension) return extension_;
    if (extension[0] == '\0') {
        extension_[0] = '\0';
    } else if (extension[0] != '.') {
        extension_[0] = '.';
        copyBounded(extension_ + 1, extension, kExtensionSize - 1);
    } else {
        copyBounded(extension_, extension, kExtensionSize);
    }
    rebuild();
    return full_;
}

bool PathName::hasExtension(const char* extension) const {
    if (!extension) return false;
    const char* mine = extension_[0] == '.' ? extension_ + 1 : extension_;
    const char* theirs = extension[0] == '.' ? extension + 1 : extension;
    return equalsNoCase(mine, theirs);
}

int PathName::extensionIndex(const char* const* list) const {
    if (!list) return -1;
    for (int i = 0; list[i]; ++i)
        if (hasExtension(list[i])) return i;
    return -1;
}

DWORD PathName::findEntry(const char* pattern, DWORD mask, bool invert) {
    const char* p = pattern ? pattern : full_;
    WIN32_FIND_DATAA fd;
    std::memset(&findData_, 0, sizeof findData_);
    if (!*p) return 0;
    HANDLE h = FindFirstFileA(p, &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    DWORD result = 0;
    do {
        DWORD test = fd.dwFileAttributes & mask;
        if (invert) test = test ? 0 : 1;
        if (test) {
            findData_ = fd;
            result = test;
            break;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return result;
}

bool PathName::isFile() {
    if (full_[0] == '\0' || hasWildcard(full_)) {
        std::memset(&findData_, 0, sizeof findData_);
        return false;
    }
    return findEntry(full_, FILE_ATTRIBUTE_DIRECTORY, true) != 0;
}

bool PathName::folderExists() {
    const char* last = findLastChar(full_, '\\');
    if (!last || last[1] == '\0') return true;
    if (last > full_ && last[-1] == ':') return true;
    char prefix[kPathSize];
    size_t len = static_cast<size_t>(last - full_);
    std::memcpy(prefix, full_, len);
    prefix[len] = '\0';
    DWORD attributes = GetFileAttributesA(prefix);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD PathName::foundSize() const { return findData_.nFileSizeHigh ? MAXDWORD : findData_.nFileSizeLow; }

const char* PathName::setDrive(const char* drive) {
    drive_[0] = '\0';
    if (drive && drive[0]) {
        drive_[0] = drive[0];
        drive_[1] = ':';
        drive_[2] = '\0';
    }
    rebuild();
    return full_;
}

const char* PathName::setFolder(const char* folder) {
    if (folder && !fits(folder, sizeof folder_)) {
        clear();
        return full_;
    }
    copyBounded(folder_, folder, sizeof folder_);
    rebuild();
    return full_;
}

}  // namespace common
