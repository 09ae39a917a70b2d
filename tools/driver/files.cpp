// File helpers for test fixtures. Paths are Windows paths in CP932; separator
// searches skip the second byte of double-byte characters (0x5C can be one).
#include "driver.h"

namespace e2e {
namespace {

size_t lastSeparator(const std::string& path) {
    size_t cut = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/') cut = i;
    }
    return cut;
}

bool isFolder(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeFolders(const std::string& path) {
    if (path.empty() || isFolder(path)) return true;
    size_t cut = lastSeparator(path);
    // "Z:" and "\\server" need no creating.
    if (cut != std::string::npos && cut > 2 && !makeFolders(path.substr(0, cut))) return false;
    return CreateDirectoryA(path.c_str(), nullptr) || isFolder(path);
}

bool makeParent(const std::string& file) {
    size_t cut = lastSeparator(file);
    return cut == std::string::npos || makeFolders(file.substr(0, cut));
}

template <class F>
void forEachEntry(const std::string& folder, F f) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string n = fd.cFileName;
        if (n != "." && n != "..") f(n, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

}  // namespace

std::string freshFolder(const std::string& name) {
    std::string path = winPath(TEST_WORK_DIR) + "\\" + name;
    removeTree(path);
    return makeFolders(path) ? path : std::string();
}

bool writeFile(const std::string& path, const std::string& bytes) {
    if (!makeParent(path)) return false;
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok =
        bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

bool readFile(const std::string& path, std::string* bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::string out;
    char buf[65536];
    DWORD got = 0;
    BOOL ok;
    while ((ok = ReadFile(f, buf, sizeof buf, &got, nullptr)) && got > 0) out.append(buf, got);
    CloseHandle(f);
    if (!ok) return false;
    if (bytes) bytes->swap(out);
    return true;
}

bool copyFile(const std::string& from, const std::string& to) {
    if (!makeParent(to)) return false;
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool copyTree(const std::string& from, const std::string& to) {
    if (!isFolder(from)) return fileExists(from) && copyFile(from, to);
    if (!makeFolders(to)) return false;
    bool ok = true;
    forEachEntry(from, [&](const std::string& n, bool folder) {
        ok = (folder ? copyTree(from + "\\" + n, to + "\\" + n) : copyFile(from + "\\" + n, to + "\\" + n)) &&
             ok;
    });
    return ok;
}

namespace {

// Tests make files deeper than MAX_PATH on purpose (through "\\?\" names);
// the ANSI calls cannot see them, so the tree is removed through wide
// long-path names, or a second run would find the last run's folder.
std::wstring longName(const std::string& path) {
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], n);
    const bool drivePath = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
                           path.find('/') == std::string::npos;
    return drivePath ? L"\\\\?\\" + wide : wide;
}

bool removeWide(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring n = fd.cFileName;
            if (n != L"." && n != L"..") removeWide(path + L"\\" + n);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    // A process that just ended may still be letting go of the folder.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (RemoveDirectoryW(path.c_str()) || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

bool removeTree(const std::string& path) { return removeWide(longName(path)); }

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool waitForFile(const std::string& path, DWORD timeoutMs, DWORD minSize) {
    const DWORD start = GetTickCount();
    for (;;) {
        WIN32_FILE_ATTRIBUTE_DATA d;
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d) &&
            (d.nFileSizeHigh > 0 || d.nFileSizeLow >= minSize))
            return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(25);
    }
}

std::vector<RecordedRun> recordedRuns(const std::string& folder) {
    std::vector<RecordedRun> runs;
    std::string text;
    if (!readFile(folder + "\\record.txt", &text)) return runs;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) break;  // a line still being written
        std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        size_t tab = line.rfind('\t');
        RecordedRun r;
        r.commandLine = line.substr(0, tab);
        if (tab != std::string::npos) r.currentDir = line.substr(tab + 1);
        runs.push_back(r);
    }
    return runs;
}

bool waitForRuns(const std::string& folder, size_t count, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (recordedRuns(folder).size() >= count) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(25);
    }
}

}  // namespace e2e
