#include "archive_library.h"
#include "file_system.h"
#include "path_text.h"
#include "texts.h"
#include "text_format.h"

namespace installer {

namespace {

FARPROC entry(HMODULE library, int kind, const char* suffix) {
    std::string name = std::string(functionPrefix(kind)) + suffix;
    return GetProcAddress(library, name.c_str());
}

}  // namespace

std::string libraryPath(const char* name) {
    std::string own = common::joinPath(common::programFolder(), name);
    if (common::isExistingFile(own)) return own;
    char system[MAX_PATH] = "";
    UINT n = GetSystemDirectoryA(system, sizeof system);
    if (n > 0 && n < sizeof system) {
        std::string sys = common::joinPath(system, name);
        if (common::isExistingFile(sys)) return sys;
    }
    return std::string();
}

ArchiveLibrary& ArchiveLibrary::instance() {
    static ArchiveLibrary library;
    return library;
}

ArchiveLibrary::ArchiveLibrary() : title(texts::kTitleArchiveError) {
    message_ = RegisterWindowMessageA(ARC_EXTRACT_MESSAGE_NAME);
}

ArchiveLibrary::~ArchiveLibrary() { release(); }

void ArchiveLibrary::unbind() {
    command_ = nullptr;
    checkArchive_ = nullptr;
    openArchive_ = nullptr;
    findFirst_ = nullptr;
    findNext_ = nullptr;
    closeArchive_ = nullptr;
    extractMem_ = nullptr;
    setOwnerWindow_ = nullptr;
    clearOwnerWindow_ = nullptr;
    setCursorMode_ = nullptr;
}

void ArchiveLibrary::release() {
    if (!library_) return;
    clearOwner();
    close();
    FreeLibrary(library_);
    library_ = nullptr;
    loadedKind_ = 0;
    boundName_.clear();
    unbind();
}

// Loads the library of kind (keeping it when already loaded) and binds its
// entry points. Only full paths are given to the loader: a bare name would
// let the search order find a planted copy in the current folder.
bool ArchiveLibrary::load(int kind) {
    if (library_ && loadedKind_ == kind) return true;
    release();
    const char* name = libraryName(kind);
    if (!name) return false;
    std::string path = libraryPath(name);
    HMODULE module = nullptr;
    DWORD error = ERROR_MOD_NOT_FOUND;
    if (!path.empty()) {
        module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!module) error = GetLastError();
    }
    if (!module) {
        text = common::formatText(error == ERROR_MOD_NOT_FOUND || error == ERROR_FILE_NOT_FOUND
                                      ? texts::kLibraryNotFound
                                      : texts::kLibraryNotLoaded,
                                  name);
        return false;
    }
    library_ = module;
    loadedKind_ = kind;
    command_ = reinterpret_cast<ArcCommandFn>(entry(module, kind, ""));
    checkArchive_ = reinterpret_cast<ArcCheckArchiveFn>(entry(module, kind, "CheckArchive"));
    openArchive_ = reinterpret_cast<ArcOpenArchiveFn>(entry(module, kind, "OpenArchive"));
    findFirst_ = reinterpret_cast<ArcFindFirstFn>(entry(module, kind, "FindFirst"));
    findNext_ = reinterpret_cast<ArcFindNextFn>(entry(module, kind, "FindNext"));
    closeArchive_ = reinterpret_cast<ArcCloseArchiveFn>(entry(module, kind, "CloseArchive"));
    extractMem_ = reinterpret_cast<ArcExtractMemFn>(entry(module, kind, "ExtractMem"));
    setOwnerWindow_ = reinterpret_cast<ArcSetOwnerWindowFn>(entry(module, kind, "SetOwnerWindow"));
    clearOwnerWindow_ = reinterpret_cast<ArcClearOwnerWindowFn>(entry(module, kind, "ClearOwnerWindow"));
    setCursorMode_ = reinterpret_cast<ArcSetCursorModeFn>(entry(module, kind, "SetCursorMode"));
    // A library without its command function is of no use.
    if (!command_) {
        text = common::formatText(texts::kLibraryNotLoaded, name);
        release();
        return false;
    }
    return true;
}

int ArchiveLibrary::detectKind(const char* path) {
    kind_ = kNoKind;
    checked_ = false;
    NameClass c = classifyName(path);
    switch (c) {
    case NameClass::NoExtension:
        return kind_;
    case NameClass::Lzh:
        return kind_ = kLzh;
    case NameClass::Zip:
        return kind_ = kZip;
    case NameClass::Cab:
        return kind_ = kCab;
    case NameClass::Program:
    case NameClass::Other:
        break;
    }
    int mode = c == NameClass::Program ? ARC_CHECK_HEADERS : ARC_CHECK_FULL;
    for (int k = kLzh; k <= kCab; k++) {
        if (!load(k) || !checkArchive_) continue;
        if (checkArchive_(path, mode)) {
            checked_ = true;
            return kind_ = k;
        }
    }
    return kind_;
}

bool ArchiveLibrary::bind(const char* path) {
    text.clear();
    if (library_ && lstrcmpiA(boundName_.c_str(), path) == 0 && kind_ != kNoKind) return ok = true;
    close();
    ok = false;
    if (detectKind(path) == kNoKind) return false;
    if (!load(kind_)) return false;
    boundName_ = path;
    return ok = true;
}

bool ArchiveLibrary::open(HWND owner, const char* path, DWORD mode) {
    if (!bind(path)) {
        if (text.empty()) text = common::formatText(texts::kArchiveBroken, path, "LZH/ZIP/CAB");
        return false;
    }
    if (!checked_) {
        if (!checkArchive_ || !checkArchive_(path, ARC_CHECK_HEADERS)) {
            text = common::formatText(texts::kArchiveBroken, path, kindName(kind_));
            return ok = false;
        }
        checked_ = true;
    }
    close();
    archive_ = openArchive_ ? openArchive_(owner, path, mode) : nullptr;
    if (!archive_) {
        text = common::formatText(texts::kArchiveNotOpened, path);
        return ok = false;
    }
    return ok = true;
}

void ArchiveLibrary::close() {
    if (archive_ && closeArchive_) closeArchive_(archive_);
    archive_ = nullptr;
}

bool ArchiveLibrary::findFirst(const std::string& pattern, ArcItemInfo* info) {
    if (!archive_ || !findFirst_) return false;
    return findFirst_(archive_, findPattern(pattern).c_str(), info) == 0;
}

bool ArchiveLibrary::findNext(ArcItemInfo* info) {
    if (!archive_ || !findNext_) return false;
    return findNext_(archive_, info) == 0;
}

int ArchiveLibrary::extractAll(HWND owner, const std::string& archive, const std::string& folder) {
    if (!command_) return lastResult = ARC_ERROR_UNKNOWN_COMMAND;
    return lastResult = command_(owner, extractAllCommand(kind_, archive, folder).c_str(), nullptr, 0);
}

int ArchiveLibrary::extractBelow(HWND owner, const std::string& archive, const std::string& folder,
                                 const std::string& base) {
    if (!command_) return lastResult = ARC_ERROR_UNKNOWN_COMMAND;
    return lastResult =
               command_(owner, extractBelowCommand(kind_, archive, folder, base).c_str(), nullptr, 0);
}

int ArchiveLibrary::extractItem(HWND owner, const std::string& archive, const std::string& folder,
                                const std::string& item) {
    if (!command_) return lastResult = ARC_ERROR_UNKNOWN_COMMAND;
    return lastResult = command_(owner, extractItemCommand(kind_, archive, folder, item).c_str(), nullptr, 0);
}

int ArchiveLibrary::extractToMemory(HWND owner, const std::string& archive, const std::string& item,
                                    BYTE* buffer, DWORD size, DWORD* written, bool* supported) {
    *written = 0;
    *supported = extractMem_ != nullptr;
    if (!extractMem_) return lastResult = ARC_ERROR_UNKNOWN_COMMAND;
    return lastResult = extractMem_(owner, toMemoryCommand(archive, item).c_str(), buffer, size, nullptr,
                                    nullptr, written);
}

void ArchiveLibrary::setOwner(HWND owner) {
    owner_ = owner;
    if (setOwnerWindow_) setOwnerWindow_(owner);
}

void ArchiveLibrary::clearOwner() {
    if (owner_ && clearOwnerWindow_) clearOwnerWindow_();
    owner_ = nullptr;
}

void ArchiveLibrary::setCursorMode(BOOL mode) {
    if (setCursorMode_) setCursorMode_(mode);
}

}  // namespace installer
