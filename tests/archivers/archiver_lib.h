// The archiver DLLs as the installer sees them: loaded from the dist folder
// by full path and bound by name with GetProcAddress.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "arc_extract_info.h"
#include "driver.h"

struct ArchiverLib {
    const char* dll;
    const char* prefix;
    HMODULE module = nullptr;
    ArcCommandFn command = nullptr;
    ArcCheckArchiveFn checkArchive = nullptr;
    ArcOpenArchiveFn openArchive = nullptr;
    ArcFindFirstFn findFirst = nullptr;
    ArcFindNextFn findNext = nullptr;
    ArcCloseArchiveFn closeArchive = nullptr;
    ArcExtractMemFn extractMem = nullptr;
    ArcSetOwnerWindowFn setOwnerWindow = nullptr;
    ArcClearOwnerWindowFn clearOwnerWindow = nullptr;
    ArcGetSizeFn getOriginalSize = nullptr;

    ArchiverLib(const char* dllName, const char* prefixName) : dll(dllName), prefix(prefixName) {
        module = LoadLibraryA(e2e::dist(dll).c_str());
        if (!module) return;
        command = reinterpret_cast<ArcCommandFn>(proc(""));
        checkArchive = reinterpret_cast<ArcCheckArchiveFn>(proc("CheckArchive"));
        openArchive = reinterpret_cast<ArcOpenArchiveFn>(proc("OpenArchive"));
        findFirst = reinterpret_cast<ArcFindFirstFn>(proc("FindFirst"));
        findNext = reinterpret_cast<ArcFindNextFn>(proc("FindNext"));
        closeArchive = reinterpret_cast<ArcCloseArchiveFn>(proc("CloseArchive"));
        extractMem = reinterpret_cast<ArcExtractMemFn>(proc("ExtractMem"));
        setOwnerWindow = reinterpret_cast<ArcSetOwnerWindowFn>(proc("SetOwnerWindow"));
        clearOwnerWindow = reinterpret_cast<ArcClearOwnerWindowFn>(proc("ClearOwnerWindow"));
        getOriginalSize = reinterpret_cast<ArcGetSizeFn>(proc("GetOriginalSize"));
    }
    ~ArchiverLib() {
        if (module) FreeLibrary(module);
    }
    ArchiverLib(const ArchiverLib&) = delete;
    ArchiverLib& operator=(const ArchiverLib&) = delete;

    FARPROC proc(const char* suffix) const {
        return GetProcAddress(module, (std::string(prefix) + suffix).c_str());
    }

    // The installer's command lines.
    std::string extractAll(const std::string& archive, const std::string& folder) const {
        return fill(kind() == 1   ? "x -n -a1 -jf0 -jc %s \"%s\""
                    : kind() == 2 ? "-x --i -o %s \"%s\""
                                  : "-x -i -o %s \"%s\"",
                    archive, folder);
    }
    std::string extractBelow(const std::string& archive, const std::string& folder,
                             const std::string& base) const {
        return fill(kind() == 1   ? "x -n -a1 -jf0 -jc \"%s\" \"%s\\\" \"-jb%s\""
                    : kind() == 2 ? "-x --i -o \"%s\" \"%s\\\" \"%s/**\""
                                  : "-x -o -i \"%s\" \"%s\\\" \"%s\\*\"",
                    archive, folder, base);
    }
    std::string extractOne(const std::string& archive, const std::string& folder,
                           const std::string& item) const {
        return fill(kind() == 1   ? "x -n -a1 -jf0 -jc \"%s\" \"%s\\\" \"%s\""
                    : kind() == 2 ? "-x --i -o \"%s\" \"%s\\\" \"%s\""
                                  : "-x -o -i \"%s\" \"%s\\\" \"%s\"",
                    archive, folder, item);
    }
    int kind() const { return prefix[0] == 'U' && prefix[2] == 'l' ? 1 : prefix[0] == 'U' ? 2 : 3; }

private:
    static std::string fill(const char* format, const std::string& a, const std::string& b,
                            const std::string& c = std::string()) {
        std::vector<char> text(std::string(format).size() + a.size() + b.size() + c.size() + 1);
        snprintf(text.data(), text.size(), format, a.c_str(), b.c_str(), c.c_str());
        return text.data();
    }
};

inline std::string fixture(const std::string& name) {
    return e2e::winPath(ARCHIVE_FIXTURE_DIR) + "\\" + name;
}

// The files every normal fixture archive holds, Shift-JIS names with '\\'.
inline const std::vector<std::string>& fixtureFiles() {
    static const std::vector<std::string> files = {"readme.txt", "sub\\note.txt", "sub\\big.txt", "表示.txt",
                                                   "ソフト\\説明.txt"};
    return files;
}

// The whole content of a file; empty when it cannot be read.
inline std::string readAll(const std::string& path) {
    std::string bytes;
    e2e::readFile(path, &bytes);
    return bytes;
}

inline std::string expectedBytes(const std::string& name) { return readAll(fixture("expected\\" + name)); }
