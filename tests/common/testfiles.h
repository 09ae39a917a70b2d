// Small file helpers for the library's tests: fresh folders below the build
// tree's work folder, whole-file writes and reads, all with Windows paths.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>

namespace testfiles {

inline std::string windowsPath(const std::string& unixPath) {
    std::string out = "Z:";
    for (char c : unixPath) out += (c == '/') ? '\\' : c;
    return out;
}

inline void removeTree(const std::string& path) {
    std::string from = path;
    from.push_back('\0');  // SHFileOperationA wants a double-terminated list
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

// An empty folder TEST_WORK_DIR\common\<name> (emptied first when present).
inline std::string freshFolder(const std::string& name) {
    std::string root = windowsPath(TEST_WORK_DIR);
    CreateDirectoryA(root.c_str(), nullptr);
    root += "\\common";
    CreateDirectoryA(root.c_str(), nullptr);
    std::string folder = root + "\\" + name;
    removeTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

inline bool writeFile(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

inline bool readFile(const std::string& path, std::string* bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got) bytes->append(chunk, got);
    CloseHandle(h);
    return true;
}

// Polls for a file to appear, for at most timeoutMs.
inline bool waitForFile(const std::string& path, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

} // namespace testfiles
