#include "file_names.h"
#include "file_system.h"
#include "path_text.h"
#include "sjis.h"
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <cstring>

namespace viewer {
namespace {

bool endsWithNoCase(const std::string& s, const char* tail) {
    size_t n = std::strlen(tail);
    return s.size() >= n && lstrcmpiA(s.c_str() + s.size() - n, tail) == 0;
}

// Index of the last separator of s (second bytes skipped), npos when none.
std::string::size_type separatorIndex(const std::string& s) {
    const char* sep = common::lastSeparator(s.c_str());
    return sep ? static_cast<std::string::size_type>(sep - s.c_str()) : std::string::npos;
}

// Doubled separators become one (the leading pair of a UNC name stays). The
// previous character is tracked, not the previous byte: a folder ending in
// "表" (95 5C) keeps the separator after it.
std::string collapseDoubleBackslashes(const std::string& s) {
    std::string out;
    bool afterSeparator = false;
    for (std::string::size_type i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (common::isPathLeadByte(c) && i + 1 < s.size()) {
            out += s[i];
            out += s[++i];
            afterSeparator = false;
            continue;
        }
        if (c == '\\' && afterSeparator && i > 1) continue;
        afterSeparator = c == '\\';
        out += s[i];
    }
    return out;
}

std::string currentFolder() {
    char buf[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buf);
    return buf;
}

std::string extensionOf(const std::string& name) {
    const char* dot = common::extensionDot(name.c_str());
    if (!dot) return ".";
    std::string ext = dot;
    CharUpperBuffA(&ext[0], static_cast<DWORD>(ext.size()));
    return ext;
}

}  // namespace

std::string resolveShellLink(const std::string& name) {
    if (name.size() < 4 || !endsWithNoCase(name, ".lnk")) return name;
    std::string result = name;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR wide[MAX_PATH];
            char full[MAX_PATH];
            if (!GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr))
                lstrcpynA(full, name.c_str(), MAX_PATH);
            MultiByteToWideChar(CP_ACP, 0, full, -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                char target[MAX_PATH] = {};
                WIN32_FIND_DATAA fd;
                if (SUCCEEDED(link->GetPath(target, MAX_PATH, &fd, 0)) && target[0]) result = target;
            }
            file->Release();
        }
        link->Release();
    }
    return result;
}

ResolvedName resolveDocumentName(const std::string& input, const FolderNotFound& folderNotFound) {
    ResolvedName r;
    std::string name = resolveShellLink(input);
    if (name.empty()) {
        r.folder = currentFolder();
        return r;
    }
    bool unc = name.size() > 2 && name[0] == '\\' && name[1] == '\\';
    if (common::hasWildcard(name)) {
        std::string::size_type sep = separatorIndex(name);
        if (sep != std::string::npos) {
            std::string folder = name.substr(0, sep == 2 && name[1] == ':' ? 3 : sep);
            if (!SetCurrentDirectoryA(folder.c_str())) folderNotFound(folder);
        }
        r.pattern = name;
        r.folder = currentFolder();
        return r;
    }
    DWORD attrs = GetFileAttributesA(name.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!SetCurrentDirectoryA(name.c_str())) folderNotFound(name);
        std::string folder = currentFolder();
        r.pattern = common::joinPath(folder, "*.*");
        r.folder = folder;
        return r;
    }
    if (unc) {
        r.fileName = common::longForm(name);
        r.extension = extensionOf(r.fileName);
        return r;
    }
    if (name.size() >= 2 && name[1] == ':') {
        char letter = name[0];
        if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter + 32);
        name[0] = letter;
        char root[4] = {letter, ':', '\\', 0};
        if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) {
            folderNotFound(root);
            r.folder = currentFolder();
            return r;
        }
    }
    std::string::size_type sep = separatorIndex(name);
    std::string fileName = name;
    if (sep != std::string::npos) {
        std::string folder = collapseDoubleBackslashes(name.substr(0, sep));
        if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder += '\\';
        fileName = name.substr(sep + 1);
        if (!SetCurrentDirectoryA(folder.c_str())) {
            folderNotFound(folder);
            r.folder = currentFolder();
            return r;
        }
    } else if (name.size() >= 2 && name[1] == ':') {
        // "d:name": the current folder of that drive.
        std::string drive = name.substr(0, 2);
        SetCurrentDirectoryA(drive.c_str());
        fileName = name.substr(2);
    }
    r.folder = common::longForm(currentFolder());
    std::string full = common::joinPath(r.folder, fileName);
    std::string longFull = common::longForm(full);
    std::string::size_type longSep = separatorIndex(longFull);
    r.fileName = longSep == std::string::npos ? fileName : longFull.substr(longSep + 1);
    r.extension = extensionOf(r.fileName);
    return r;
}

}  // namespace viewer
