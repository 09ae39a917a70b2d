#include "profile.h"
#include "sjis.h"
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace common {

namespace {

bool gReadOnce = false;
// Copies by upper-cased path; null for a file that could not be read.
std::map<std::string, std::unique_ptr<ProfileText>>& copies() {
    static std::map<std::string, std::unique_ptr<ProfileText>> all;
    return all;
}

}  // namespace

ProfileFile::FilesReadOnce::FilesReadOnce() {
    copies().clear();
    gReadOnce = true;
}

ProfileFile::FilesReadOnce::~FilesReadOnce() {
    gReadOnce = false;
    copies().clear();
}

const ProfileText* ProfileFile::readOnce(const char* path) {
    if (!path || !path[0]) return nullptr;
    std::string key = path;
    upperCase(&key[0]);
    auto at = copies().find(key);
    if (gReadOnce && at != copies().end()) return at->second.get();
    std::unique_ptr<ProfileText> copy;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        std::string bytes;
        char buffer[16384];
        DWORD n = 0;
        bool failed = false;
        while (!(failed = !ReadFile(h, buffer, sizeof buffer, &n, nullptr)) && n > 0) bytes.append(buffer, n);
        CloseHandle(h);
        if (!failed) copy.reset(new ProfileText(std::move(bytes)));
    }
    const ProfileText* result = copy.get();
    copies()[key] = std::move(copy);
    return result;
}

const ProfileText* ProfileFile::memoryCopy() const { return gReadOnce ? readOnce(path_) : nullptr; }

ProfileFile::ProfileFile() : path_(new char[kPathSize]), section_(new char[kSectionSize]) {
    path_[0] = '\0';
    section_[0] = '\0';
}

ProfileFile::~ProfileFile() {
    delete[] path_;
    delete[] section_;
}

bool ProfileFile::locate(HMODULE module, const char* name) {
    char modulePath[kPathSize];
    DWORD n = GetModuleFileNameA(module, modulePath, sizeof modulePath);
    if (n == 0) modulePath[0] = '\0';
    modulePath[sizeof modulePath - 1] = '\0';
    return locateFrom(modulePath, name);
}

bool ProfileFile::locateFrom(const char* modulePath, const char* name) {
    char base[kPathSize];
    copyBounded(base, modulePath, sizeof base);
    // Only a dot in the file name part starts the extension; a dot in a
    // folder name ("C:\\disc.v2\\Ostrel") must not cut the folder.
    char* nameStart = findLastChar(base, '\\');
    nameStart = nameStart ? nameStart + 1 : base;
    char* dot = findLastChar(nameStart, '.');
    char* stem = dot ? dot : stringEnd(base);

    if (!name) {
        static const char* const extensions[] = {".ini", ".dat", ".lst"};
        for (const char* extension : extensions) {
            *stem = '\0';
            copyBounded(path_, base, kPathSize);
            appendBounded(path_, extension, kPathSize);
            if (checkExists()) return true;
        }
        *stem = '\0';
        copyBounded(path_, base, kPathSize);
        appendBounded(path_, ".ini", kPathSize);
        return checkExists();
    }
    if (name[0] == '.' && name[1] != '.') {
        *stem = '\0';
        copyBounded(path_, base, kPathSize);
        appendBounded(path_, name, kPathSize);
    } else if (findChar(name, '\\')) {
        copyBounded(path_, name, kPathSize);
    } else {
        *nameStart = '\0';
        copyBounded(path_, base, kPathSize);
        appendBounded(path_, name, kPathSize);
    }
    return checkExists();
}

bool ProfileFile::checkExists() {
    DWORD attributes = path_[0] ? GetFileAttributesA(path_) : INVALID_FILE_ATTRIBUTES;
    // A folder of that name is no profile file.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        exists_ = false;
        return false;
    }
    exists_ = true;
    readOnly_ = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return true;
}

const char* ProfileFile::getPath(char* buffer) const {
    if (buffer) copyBounded(buffer, path_, kPathSize);
    return path_;
}

void ProfileFile::setSection(const char* name) { copyBounded(section_, name, kSectionSize); }

bool ProfileFile::hasValue(const char* key) const {
    if (!exists_ || !key) return false;
    char value[16];
    if (const ProfileText* copy = memoryCopy()) return copy->readString(section_, key, "", value, 15) > 0;
    return GetPrivateProfileStringA(section_, key, "", value, 15, path_) > 0;
}

int ProfileFile::readString(const char* key, char* buffer, int size) const {
    return readString(section_, key, buffer, size, "");
}

int ProfileFile::readString(const char* section, const char* key, char* buffer, int size) const {
    return readString(section, key, buffer, size, "");
}

int ProfileFile::readString(const char* key, char* buffer, int size, const char* defaultValue) const {
    return readString(section_, key, buffer, size, defaultValue);
}

int ProfileFile::readString(const char* section, const char* key, char* buffer, int size,
                            const char* defaultValue) const {
    if (!buffer || size <= 0) return 0;
    if (!defaultValue) defaultValue = "";
    if (!exists_ || !key) return static_cast<int>(copyBounded(buffer, defaultValue, size));
    buffer[0] = '\0';
    if (const ProfileText* copy = memoryCopy())
        return static_cast<int>(
            copy->readString(section, key, defaultValue, buffer, static_cast<size_t>(size)));
    DWORD n = GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path_);
    buffer[size - 1] = '\0';
    if (n >= static_cast<DWORD>(size)) n = size - 1;
    return static_cast<int>(n);
}

int ProfileFile::readInt(const char* key) const {
    if (!exists_ || !key) return 0;
    if (const ProfileText* copy = memoryCopy()) return static_cast<int>(copy->readInt(section_, key, 0));
    return static_cast<int>(GetPrivateProfileIntA(section_, key, 0, path_));
}

bool ProfileFile::readBool(const char* key) const {
    if (!exists_ || !key) return false;
    char value[16];
    if (const ProfileText* copy = memoryCopy())
        copy->readString(section_, key, "false", value, sizeof value);
    else
        GetPrivateProfileStringA(section_, key, "false", value, sizeof value, path_);
    value[sizeof value - 1] = '\0';
    return lstrcmpiA(value, "true") == 0 || lstrcmpiA(value, "yes") == 0;
}

}  // namespace common
