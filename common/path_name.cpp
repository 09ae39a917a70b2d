#include "path_name.h"
#include "sjis.h"
#include <cstring>

namespace {

// Start of the last character of s (a double-byte character counts whole);
// null for an empty string.
const char* lastCharStart(const char* s) {
    const char* last = nullptr;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        last = reinterpret_cast<const char*>(p);
        p += (isLeadByte(*p) && p[1]) ? 2 : 1;
    }
    return last;
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// True when the last character of s is a backslash or slash (a trail byte
// 0x5C of a double-byte character does not count).
bool endsWithSeparator(const char* s) {
    const char* last = lastCharStart(s);
    return last && isSeparator(*last);
}

// Last backslash or slash of s, trail bytes skipped; null when none.
const char* lastSeparator(const char* s) {
    const char* b = findLastChar(s, '\\');
    const char* f = findLastChar(s, '/');
    if (!b) return f;
    if (!f) return b;
    return b > f ? b : f;
}

bool isUpStep(const char* s) { return s[0] == '.' && s[1] == '.' && (s[2] == '/' || s[2] == '\\'); }

bool hasWildcard(const char* s) { return findChar(s, '*') || findChar(s, '?'); }

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

// Bytes of s[0..len) that fit in max without cutting a double-byte
// character: a part cut inside one would end in a lone lead byte, which
// takes the separator or dot written after it as its second byte.
static size_t wholePrefix(const char* s, size_t len, size_t max) {
    if (len <= max) return len;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    size_t n = 0;
    while (n < len) {
        size_t step = (isLeadByte(p[n]) && n + 1 < len) ? 2 : 1;
        if (n + step > max) break;
        n += step;
    }
    return n;
}

void PathName::split() {
    drive_[0] = folder_[0] = name_[0] = extension_[0] = '\0';
    const char* rest = full_;
    if (full_[0] && !isLeadByte(static_cast<unsigned char>(full_[0])) && full_[1] == ':') {
        drive_[0] = full_[0];
        drive_[1] = ':';
        drive_[2] = '\0';
        rest = full_ + 2;
    }
    const char* sep = lastSeparator(rest);
    const char* namePart = rest;
    if (sep) {
        size_t len = wholePrefix(rest, static_cast<size_t>(sep - rest) + 1, kFolderSize - 1);
        std::memcpy(folder_, rest, len);
        folder_[len] = '\0';
        namePart = sep + 1;
    }
    const char* dot = findLastChar(namePart, '.');
    if (dot) {
        size_t len = wholePrefix(namePart, static_cast<size_t>(dot - namePart), kNameSize - 1);
        std::memcpy(name_, namePart, len);
        name_[len] = '\0';
        copyBounded(extension_, dot, kExtensionSize);
    } else {
        copyBounded(name_, namePart, kNameSize);
    }
}

void PathName::rebuild() { compose(name_); }

void PathName::compose(const char* name) {
    char tmp[kPathSize];
    tmp[0] = '\0';
    appendBounded(tmp, drive_, sizeof tmp);
    appendBounded(tmp, folder_, sizeof tmp);
    if (folder_[0] && !endsWithSeparator(folder_)) appendBounded(tmp, "\\", sizeof tmp);
    appendBounded(tmp, name, sizeof tmp);
    if (extension_[0]) {
        if (extension_[0] != '.') appendBounded(tmp, ".", sizeof tmp);
        appendBounded(tmp, extension_, sizeof tmp);
    }
    copyBounded(full_, tmp, sizeof full_);
    split();
}

const char* PathName::setPath(const char* path) {
    if (!path) {
        clear();
        return full_;
    }
    if (path[0] == '"') {
        copyBounded(full_, path + 1, sizeof full_);
        if (char* q = findChar(full_, '"')) *q = '\0';
    } else {
        copyBounded(full_, path, sizeof full_);
    }
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
    if (n == 0) buf[0] = '\0';
    buf[sizeof buf - 1] = '\0';  // older systems leave a cut path unterminated
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
        if (len > sizeof steps - 1) len = sizeof steps - 1;
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
    copyBounded(folder_, folder, sizeof folder_);
    rebuild();
    return full_;
}
