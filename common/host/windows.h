// A stand-in for <windows.h> for the host builds: the fuzz harnesses
// (tests/fuzz) and the native command-line tools (CMakeLists.txt here). It
// holds the few types and calls the pure code and the shared readers name.
// The file-system calls go to the in-memory file system of fake_system.h,
// which finds nothing until a harness switches it on, so most harnesses only
// ever see missing files and folders; the native tools fill it from a real
// folder (host_disc.h).
#pragma once
#include <cstdint>
#include <cstring>

#include "fake_system.h"

typedef uint32_t DWORD;
typedef int BOOL;
typedef void* HANDLE;
typedef struct HINSTANCE__* HMODULE;
typedef char CHAR;

#define MAX_PATH 260
#define MAXDWORD 0xffffffffu
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_DIRECTORY 0x10u

struct FILETIME {
    DWORD dwLowDateTime, dwHighDateTime;
};
struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime, ftLastAccessTime, ftLastWriteTime;
    DWORD nFileSizeHigh, nFileSizeLow, dwReserved0, dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};

inline DWORD GetModuleFileNameA(HMODULE, char* buf, DWORD size) {
    static const char kModule[] = "D:\\DISC\\PROGRAM.EXE";
    if (size == 0) return 0;
    std::strncpy(buf, kModule, size);
    return sizeof kModule - 1 < size ? DWORD(sizeof kModule - 1) : size;
}
inline void fakeFillFind(const std::pair<std::string, fakefs::Node>& e, WIN32_FIND_DATAA* fd) {
    std::memset(fd, 0, sizeof *fd);
    fd->dwFileAttributes = e.second.attributes;
    fd->nFileSizeLow = DWORD(fakefs::sizeOf(e.second));
    std::strncpy(fd->cFileName, e.first.c_str(), MAX_PATH - 1);
}
// Lists the folder's entries whose names match the pattern's last part.
inline HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* fd) {
    fakefs::State& st = fakefs::state();
    if (!st.enabled || fakefs::failing("FindFirstFileA", pattern)) return INVALID_HANDLE_VALUE;
    std::string pat = fakefs::normal(pattern);
    std::string folder = fakefs::parentOf(pat);
    std::string part = fakefs::nameOf(pat);
    fakefs::Search search;
    std::string prefix = fakefs::lastSeparator(folder) == folder.size() - 1 ? folder : folder + '\\';
    if (part.find_first_of("*?") == std::string::npos) {
        // A plain name: one look-up, which gives the name as stored.
        auto it = st.nodes.find(prefix + part);
        if (it != st.nodes.end()) search.found.push_back({fakefs::nameOf(it->first), it->second});
    } else {
        // The names of a folder sort together, right after the folder's
        // own name and a separator (names compare byte by byte without case).
        for (auto it = st.nodes.lower_bound(prefix); it != st.nodes.end(); ++it) {
            const std::string& key = it->first;
            if (key.size() < prefix.size() || !fakefs::sameName(key.substr(0, prefix.size()), prefix)) break;
            if (!fakefs::sameName(fakefs::parentOf(key), folder)) continue;
            std::string name = fakefs::nameOf(key);
            if (fakefs::matches(part.c_str(), name.c_str())) search.found.push_back({name, it->second});
        }
    }
    if (search.found.empty()) {
        st.lastError = 2;
        return INVALID_HANDLE_VALUE;
    }
    fakeFillFind(search.found[0], fd);
    search.next = 1;
    uintptr_t h = st.nextHandle++;
    fakefs::searches()[h] = search;
    return HANDLE(h);
}
inline BOOL FindNextFileA(HANDLE h, WIN32_FIND_DATAA* fd) {
    auto it = fakefs::searches().find(uintptr_t(h));
    if (it == fakefs::searches().end() || it->second.next >= it->second.found.size()) return 0;
    fakeFillFind(it->second.found[it->second.next++], fd);
    return 1;
}
namespace fakefs {
inline void dropWideSearch(uintptr_t h);
}
inline BOOL FindClose(HANDLE h) {
    fakefs::searches().erase(uintptr_t(h));
    fakefs::dropWideSearch(uintptr_t(h));
    return 1;
}
inline DWORD GetFileAttributesA(const char* path) {
    fakefs::Node* n = fakefs::find(path);
    return n ? n->attributes : INVALID_FILE_ATTRIBUTES;
}

#include <cstdarg>
#include <cstdio>
typedef void* LPSECURITY_ATTRIBUTES;
inline BOOL CreateDirectoryA(const char* path, LPSECURITY_ATTRIBUTES) {
    fakefs::State& st = fakefs::state();
    if (!st.enabled || fakefs::failing("CreateDirectoryA", path)) return 0;
    if (fakefs::find(path) || !fakefs::parentExists(path)) {
        st.lastError = fakefs::find(path) ? 183 : 3;
        return 0;
    }
    st.nodes[fakefs::normal(path)] = fakefs::Node{true, 0x10, std::string()};
    return 1;
}
#define FALSE 0
#define TRUE 1
// Names are their own long form: an existing path comes back as it is.
inline DWORD GetLongPathNameA(const char* path, char* out, DWORD size) {
    if (!fakefs::find(path)) return 0;
    DWORD n = DWORD(std::strlen(path));
    if (n >= size) return n + 1;
    std::memcpy(out, path, n + 1);
    return n;
}
inline std::string& fakeCurrentFolder() { return fakefs::currentFolder(); }
inline DWORD GetCurrentDirectoryA(DWORD size, char* out) {
    const std::string& f = fakeCurrentFolder();
    if (f.size() >= size) return DWORD(f.size() + 1);
    std::memcpy(out, f.c_str(), f.size() + 1);
    return DWORD(f.size());
}
// Absolute folders ("X:\...", "\\..."), "X:" (the drive's root), or a name
// below the current folder; no "." or ".." levels.
inline BOOL SetCurrentDirectoryA(const char* path) {
    std::string p = path;
    if (p.size() == 2 && p[1] == ':') p += '\\';
    bool absolute =
        (p.size() >= 3 && p[1] == ':' && p[2] == '\\') || (p.size() >= 2 && p[0] == '\\' && p[1] == '\\');
    if (!absolute) {
        const std::string& cur = fakeCurrentFolder();
        if (cur.empty()) return 0;
        p = (fakefs::lastSeparator(cur) == cur.size() - 1 ? cur : cur + '\\') + p;
    }
    // A trailing separator (not the second byte of a character) goes.
    if (p.size() > 3 && fakefs::lastSeparator(p) == p.size() - 1) p.pop_back();
    fakefs::Node* n = fakefs::find(p);
    if (!n || !n->folder) return 0;
    fakeCurrentFolder() = p;
    return 1;
}
inline int wsprintfA(char* out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(out, 1024, format, args);
    va_end(args);
    return n;
}

typedef struct HINSTANCE__* HINSTANCE;
inline char* lstrcpyA(char* to, const char* from) { return std::strcpy(to, from); }

// Files of the in-memory file system.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 1u
#define FILE_SHARE_WRITE 2u
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u
#define FILE_ATTRIBUTE_READONLY 0x1u
#define FILE_ATTRIBUTE_NORMAL 0x80u
#define FILE_ATTRIBUTE_ARCHIVE 0x20u
#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)-1)
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_PATH_NOT_FOUND 3u
#define ERROR_ACCESS_DENIED 5u
#define ERROR_FILE_EXISTS 80u
#define ERROR_ALREADY_EXISTS 183u
typedef int32_t LONG;
typedef LONG* PLONG;
typedef DWORD* LPDWORD;
typedef size_t SIZE_T;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HGLOBAL;
typedef unsigned UINT;
struct OVERLAPPED;

inline DWORD GetLastError() { return fakefs::state().lastError; }
inline void SetLastError(DWORD e) { fakefs::state().lastError = e; }

inline HANDLE CreateFileA(const char* name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                          DWORD, HANDLE) {
    fakefs::State& st = fakefs::state();
    if (!st.enabled || !name || fakefs::failing("CreateFileA", name)) return INVALID_HANDLE_VALUE;
    fakefs::Node* n = fakefs::find(name);
    if (n && n->folder) {
        st.lastError = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    bool write = (access & GENERIC_WRITE) != 0;
    if (n && write && (n->attributes & FILE_ATTRIBUTE_READONLY)) {
        st.lastError = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    switch (disposition) {
    case CREATE_NEW:
        if (n) {
            st.lastError = ERROR_FILE_EXISTS;
            return INVALID_HANDLE_VALUE;
        }
        break;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING:
        if (!n) {
            st.lastError = ERROR_FILE_NOT_FOUND;
            return INVALID_HANDLE_VALUE;
        }
        break;
    default:
        break;
    }
    if (!n) {
        if (!fakefs::parentExists(name)) {
            st.lastError = ERROR_PATH_NOT_FOUND;
            return INVALID_HANDLE_VALUE;
        }
        st.nodes[fakefs::normal(name)] = fakefs::Node{false, FILE_ATTRIBUTE_ARCHIVE, std::string()};
        n = fakefs::find(name);
    } else if (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) {
        fakefs::changing(*n).clear();
    }
    uintptr_t h = st.nextHandle++;
    st.open[h] = fakefs::OpenFile{fakefs::normal(name), 0, write};
    return HANDLE(h);
}
inline fakefs::OpenFile* fakeOpen(HANDLE h) {
    auto it = fakefs::state().open.find(uintptr_t(h));
    return it == fakefs::state().open.end() ? nullptr : &it->second;
}
inline BOOL CloseHandle(HANDLE h) { return fakefs::state().open.erase(uintptr_t(h)) ? 1 : 0; }
inline BOOL ReadFile(HANDLE h, LPVOID buf, DWORD size, LPDWORD done, OVERLAPPED*) {
    fakefs::OpenFile* f = fakeOpen(h);
    if (done) *done = 0;
    if (!f || fakefs::failing("ReadFile", f ? f->name : std::string())) return 0;
    fakefs::Node* n = fakefs::find(f->name);
    if (!n) return 0;
    const std::string& bytes = fakefs::content(*n);
    size_t have = f->pos < bytes.size() ? bytes.size() - f->pos : 0;
    size_t k = size < have ? size : have;
    if (k) std::memcpy(buf, bytes.data() + f->pos, k);
    f->pos += DWORD(k);
    if (done) *done = DWORD(k);
    return 1;
}
inline BOOL WriteFile(HANDLE h, LPCVOID buf, DWORD size, LPDWORD done, OVERLAPPED*) {
    fakefs::OpenFile* f = fakeOpen(h);
    if (done) *done = 0;
    if (!f || !f->write || fakefs::failing("WriteFile", f ? f->name : std::string())) return 0;
    fakefs::Node* n = fakefs::find(f->name);
    if (!n) return 0;
    std::string& bytes = fakefs::changing(*n);
    if (bytes.size() < f->pos + size) bytes.resize(f->pos + size);
    if (size) std::memcpy(&bytes[f->pos], buf, size);
    f->pos += size;
    if (done) *done = size;
    return 1;
}
inline DWORD SetFilePointer(HANDLE h, LONG distance, PLONG high, DWORD method) {
    fakefs::OpenFile* f = fakeOpen(h);
    fakefs::Node* n = f ? fakefs::find(f->name) : nullptr;
    if (!n || (high && *high)) return INVALID_SET_FILE_POINTER;
    int64_t base = method == FILE_BEGIN     ? 0
                   : method == FILE_CURRENT ? int64_t(f->pos)
                                            : int64_t(fakefs::sizeOf(*n));
    int64_t to = base + distance;
    if (to < 0 || to > 0x7FFFFFFF) return INVALID_SET_FILE_POINTER;
    f->pos = uint32_t(to);
    return f->pos;
}
inline BOOL SetEndOfFile(HANDLE h) {
    fakefs::OpenFile* f = fakeOpen(h);
    fakefs::Node* n = f ? fakefs::find(f->name) : nullptr;
    if (!n || !f->write) return 0;
    fakefs::changing(*n).resize(f->pos);
    return 1;
}
inline DWORD GetFileSize(HANDLE h, LPDWORD high) {
    fakefs::OpenFile* f = fakeOpen(h);
    fakefs::Node* n = f ? fakefs::find(f->name) : nullptr;
    if (high) *high = 0;
    return n ? DWORD(fakefs::sizeOf(*n)) : INVALID_FILE_SIZE;
}
inline BOOL DeleteFileA(const char* name) {
    fakefs::State& st = fakefs::state();
    fakefs::Node* n = fakefs::find(name);
    if (!n || n->folder || fakefs::failing("DeleteFileA", name)) return 0;
    st.nodes.erase(fakefs::normal(name));
    return 1;
}
inline BOOL RemoveDirectoryA(const char* name) {
    fakefs::State& st = fakefs::state();
    fakefs::Node* n = fakefs::find(name);
    if (!n || !n->folder || fakefs::failing("RemoveDirectoryA", name)) return 0;
    // Only an empty folder goes.
    const std::string self = fakefs::normal(name);
    for (auto& e : st.nodes) {
        if (fakefs::sameName(fakefs::parentOf(e.first), self)) return 0;
    }
    st.nodes.erase(self);
    return 1;
}
inline BOOL SetFileAttributesA(const char* name, DWORD attributes) {
    fakefs::Node* n = fakefs::find(name);
    if (!n || fakefs::failing("SetFileAttributesA", name)) return 0;
    n->attributes = (attributes & ~0x10u) | (n->folder ? 0x10u : 0u);
    if (!n->folder && n->attributes == 0) n->attributes = FILE_ATTRIBUTE_NORMAL;
    return 1;
}
inline DWORD GetTempPathA(DWORD size, char* out) {
    static const char kTemp[] = "C:\\TEMP\\";
    if (fakefs::state().enabled && !fakefs::find("C:\\TEMP"))
        fakefs::state().nodes["C:\\TEMP"] = {true, 0x10, ""};
    if (size < sizeof kTemp) return sizeof kTemp;
    std::memcpy(out, kTemp, sizeof kTemp);
    return sizeof kTemp - 1;
}
// A new, empty file of a name not used before.
inline UINT GetTempFileNameA(const char* folder, const char* prefix, UINT, char* out) {
    fakefs::State& st = fakefs::state();
    if (!st.enabled || fakefs::failing("GetTempFileNameA", folder)) return 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s%.3s%04X.TMP", folder, prefix, ++st.tempCounter & 0xFFFF);
    if (!fakefs::parentExists(name)) return 0;
    st.nodes[name] = fakefs::Node{false, FILE_ATTRIBUTE_ARCHIVE, std::string()};
    std::strcpy(out, name);
    return st.tempCounter;
}

// Address space: reserved ranges are inaccessible until committed.
#define MEM_COMMIT 0x1000u
#define MEM_RESERVE 0x2000u
#define MEM_DECOMMIT 0x4000u
#define MEM_RELEASE 0x8000u
#define PAGE_READWRITE 0x04u
inline LPVOID VirtualAlloc(LPVOID at, SIZE_T size, DWORD type, DWORD) {
    if (fakefs::failing("VirtualAlloc", std::string())) return nullptr;
    if (!at) {
        void* p = mmap(nullptr, size, (type & MEM_COMMIT) ? PROT_READ | PROT_WRITE : PROT_NONE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) return nullptr;
        fakefs::regions()[uintptr_t(p)] = fakefs::Region{size};
        return p;
    }
    // Committing part of a reserved range: whole pages, inside the range.
    uintptr_t a = uintptr_t(at) & ~uintptr_t(4095);
    uintptr_t end = (uintptr_t(at) + size + 4095) & ~uintptr_t(4095);
    for (auto& r : fakefs::regions())
        if (a >= r.first && end <= r.first + ((r.second.size + 4095) & ~size_t(4095))) {
            if (mprotect(reinterpret_cast<void*>(a), end - a, PROT_READ | PROT_WRITE) != 0) return nullptr;
            return at;
        }
    return nullptr;
}
inline BOOL VirtualFree(LPVOID at, SIZE_T, DWORD type) {
    auto it = fakefs::regions().find(uintptr_t(at));
    if (it == fakefs::regions().end() || type != MEM_RELEASE) return 0;
    munmap(at, it->second.size);
    fakefs::regions().erase(it);
    return 1;
}

// Movable memory: plain heap blocks (lock gives the block itself).
#define GMEM_FIXED 0x0u
#define GMEM_MOVEABLE 0x2u
#define GMEM_ZEROINIT 0x40u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
inline std::map<void*, size_t>& fakeGlobals() {
    static std::map<void*, size_t> blocks;
    return blocks;
}
inline HGLOBAL GlobalAlloc(UINT flags, SIZE_T size) {
    if (fakefs::failing("GlobalAlloc", std::string())) return nullptr;
    void* p = (flags & GMEM_ZEROINIT) ? std::calloc(size ? size : 1, 1) : std::malloc(size ? size : 1);
    if (p) fakeGlobals()[p] = size;
    return p;
}
inline HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T size, UINT flags) {
    auto it = fakeGlobals().find(h);
    if (it == fakeGlobals().end() || fakefs::failing("GlobalReAlloc", std::string())) return nullptr;
    size_t old = it->second;
    void* p = std::realloc(h, size ? size : 1);
    if (!p) return nullptr;
    fakeGlobals().erase(h);
    if ((flags & GMEM_ZEROINIT) && size > old) std::memset(static_cast<char*>(p) + old, 0, size - old);
    fakeGlobals()[p] = size;
    return p;
}
inline LPVOID GlobalLock(HGLOBAL h) { return fakeGlobals().count(h) ? h : nullptr; }
inline BOOL GlobalUnlock(HGLOBAL) { return 1; }
inline HGLOBAL GlobalFree(HGLOBAL h) {
    if (fakeGlobals().erase(h)) std::free(h);
    return nullptr;
}
inline SIZE_T GlobalSize(HGLOBAL h) {
    auto it = fakeGlobals().find(h);
    return it == fakeGlobals().end() ? 0 : it->second;
}

// Names and drives.
// Wide characters are the host's (UTF-32 on Linux): the code that uses them
// works on whole characters, never on UTF-16 units.
typedef wchar_t WCHAR;
#define DRIVE_NO_ROOT_DIR 1u
#define DRIVE_FIXED 3u
// Drives C and D exist.
inline UINT GetDriveTypeA(const char* root) {
    if (!root || !root[0]) return DRIVE_FIXED;
    char d = root[0];
    if (d >= 'a' && d <= 'z') d = char(d - 32);
    return (d == 'C' || d == 'D') ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}
// Absolute names stay as they are; others are put below the current folder.
inline DWORD GetFullPathNameA(const char* name, DWORD size, char* out, char** filePart) {
    std::string full = name;
    bool absolute =
        (full.size() >= 2 && full[1] == ':') || (full.size() >= 2 && full[0] == '\\' && full[1] == '\\');
    if (!absolute) {
        const std::string& cur = fakeCurrentFolder();
        full = (cur.empty() || fakefs::lastSeparator(cur) == cur.size() - 1 ? cur : cur + '\\') + full;
    }
    if (full.size() >= size) return DWORD(full.size() + 1);
    std::memcpy(out, full.c_str(), full.size() + 1);
    if (filePart) *filePart = nullptr;
    return DWORD(full.size());
}
inline char* lstrcpynA(char* to, const char* from, int size) {
    if (size <= 0) return to;
    std::strncpy(to, from, size_t(size - 1));
    to[size - 1] = 0;
    return to;
}
inline int lstrcmpiA(const char* a, const char* b) {
    std::string x = a, y = b;
    return fakefs::NoCaseLess()(x, y) ? -1 : fakefs::NoCaseLess()(y, x) ? 1 : 0;
}
// ASCII letters only, second bytes of double-byte characters left alone.
inline DWORD CharUpperBuffA(char* s, DWORD n) {
    for (DWORD i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < n) {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z') s[i] = char(c - 32);
    }
    return n;
}

// Windows and message boxes: only the types and flags the headers name.
typedef struct HWND__* HWND;
typedef uint32_t COLORREF;
#define RGB(r, g, b)                                                                                         \
    ((COLORREF)(((uint8_t)(r)) | ((uint32_t)(uint8_t)(g) << 8) | ((uint32_t)(uint8_t)(b) << 16)))
#define GetRValue(c) ((uint8_t)(c))
#define GetGValue(c) ((uint8_t)((c) >> 8))
#define GetBValue(c) ((uint8_t)((c) >> 16))
#define MB_OK 0x0u
#define MB_ICONERROR 0x10u
#define MB_ICONWARNING 0x30u

// Private profiles read from the in-memory files by the parse the disc
// checker also uses (profile_text.h), which answers as Windows does.
inline DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                      char* out, DWORD size, const char* file) {
    if (!out || size == 0) return 0;
    fakefs::Node* n = file ? fakefs::find(file) : nullptr;
    static const common::ProfileText none{std::string()};
    const common::ProfileText* read = &none;  // no file: the default, or an empty list
    if (n && !n->folder && !fakefs::failing("GetPrivateProfileStringA", file)) {
        if (!n->profile) n->profile = std::make_shared<common::ProfileText>(fakefs::content(*n));
        read = n->profile.get();
    }
    return DWORD(read->readString(section, key, defaultValue, out, size));
}
inline UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file) {
    char value[64];
    if (GetPrivateProfileStringA(section, key, "", value, sizeof value, file) == 0) return UINT(defaultValue);
    return fakefs::find(file)->profile->readInt(section, key, defaultValue);
}
inline DWORD GetPrivateProfileSectionNamesA(char* out, DWORD size, const char* file) {
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, out, size, file);
}

// Moving and file times. A move keeps the bytes and attributes and never
// replaces an existing name; every file carries the same (zero) times.
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000u
inline BOOL MoveFileA(const char* from, const char* to) {
    fakefs::State& st = fakefs::state();
    if (!st.enabled || fakefs::failing("MoveFileA", from)) return 0;
    fakefs::Node* n = fakefs::find(from);
    if (!n || fakefs::find(to) || !fakefs::parentExists(to) || n->folder) {
        st.lastError = !n ? ERROR_FILE_NOT_FOUND : ERROR_ALREADY_EXISTS;
        return 0;
    }
    fakefs::Node moved = *n;
    st.nodes.erase(fakefs::normal(from));
    st.nodes[fakefs::normal(to)] = moved;
    return 1;
}
inline LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
    uint64_t x = (uint64_t(a->dwHighDateTime) << 32) | a->dwLowDateTime;
    uint64_t y = (uint64_t(b->dwHighDateTime) << 32) | b->dwLowDateTime;
    return x < y ? -1 : x > y ? 1 : 0;
}
inline BOOL GetFileTime(HANDLE h, FILETIME* c, FILETIME* a, FILETIME* w) {
    if (!fakeOpen(h)) return 0;
    for (FILETIME* t : {c, a, w})
        if (t) *t = FILETIME{0, 0};
    return 1;
}
inline BOOL SetFileTime(HANDLE h, const FILETIME*, const FILETIME*, const FILETIME*) {
    return fakeOpen(h) ? 1 : 0;
}

// Pictures: the bitmap headers and rectangles, a screen that accepts every
// drawing call and device bitmaps that are plain tokens.
typedef uint8_t BYTE;
typedef uint16_t WORD;
#define GMEM_LOCKCOUNT 0x00FFu
#define GMEM_DISCARDED 0x4000u
inline UINT GlobalFlags(HGLOBAL h) { return fakeGlobals().count(h) ? 0u : GMEM_DISCARDED; }
struct RGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1, bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth, biHeight;
    WORD biPlanes, biBitCount;
    DWORD biCompression, biSizeImage;
    LONG biXPelsPerMeter, biYPelsPerMeter;
    DWORD biClrUsed, biClrImportant;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
struct RECT {
    LONG left, top, right, bottom;
};
#define BI_RGB 0u
#define BI_BITFIELDS 3u
#define CBM_INIT 4u
#define DIB_RGB_COLORS 0u
#define SRCCOPY 0x00CC0020u
typedef struct HDC__* HDC;
typedef struct HBITMAP__* HBITMAP;
typedef void* HGDIOBJ;
inline BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b) {
    RECT r{a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
           a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom};
    if (r.left >= r.right || r.top >= r.bottom) {
        *out = RECT{0, 0, 0, 0};
        return 0;
    }
    *out = r;
    return 1;
}
inline HDC GetDC(HWND) { return reinterpret_cast<HDC>(uintptr_t(0x10)); }
inline int ReleaseDC(HWND, HDC) { return 1; }
inline HDC CreateCompatibleDC(HDC) { return reinterpret_cast<HDC>(uintptr_t(0x20)); }
inline BOOL DeleteDC(HDC) { return 1; }
inline HGDIOBJ SelectObject(HDC, HGDIOBJ o) { return o; }
inline BOOL DeleteObject(HGDIOBJ) { return 1; }
inline BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return 1; }
// Reads every pixel byte it is given, so a row outside the block is caught.
inline HBITMAP CreateDIBitmap(HDC, const BITMAPINFOHEADER* h, DWORD init, const void* bits, const BITMAPINFO*,
                              UINT) {
    if (init == CBM_INIT && bits && h->biWidth > 0) {
        LONG height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
        size_t stride = ((size_t(h->biWidth) * h->biBitCount + 31) / 32) * 4;
        // Run-length compressed rows: the header's image size.
        size_t bytes =
            h->biCompression == 1 || h->biCompression == 2 ? h->biSizeImage : stride * size_t(height);
        volatile BYTE sum = 0;
        const BYTE* p = static_cast<const BYTE*>(bits);
        for (size_t i = 0; i < bytes; ++i) sum = BYTE(sum + p[i]);
    }
    return reinterpret_cast<HBITMAP>(uintptr_t(0x30));
}
inline int StretchDIBits(HDC, int, int, int, int, int, int, int, int, const void*, const BITMAPINFO*, UINT,
                         DWORD) {
    return 1;
}

// Code conversion with iconv: code page 932 (CP_ACP: the disc's programs
// run with the Japanese code page), UTF-8 and the host's wide characters.
#include <iconv.h>

#include <cwchar>
#define CP_ACP 0u
#define CP_UTF8 65001u
#define WC_NO_BEST_FIT_CHARS 0x400u
namespace fakefs {
// One conversion descriptor per direction, kept for the run.
inline iconv_t converter(const char* to, const char* from) {
    static std::map<std::string, iconv_t> open;
    std::string key = std::string(to) + "<" + from;
    auto it = open.find(key);
    if (it == open.end()) it = open.emplace(key, iconv_open(to, from)).first;
    return it->second;
}
inline const char* codeName(UINT codePage) { return codePage == CP_UTF8 ? "UTF-8" : "CP932"; }
// Converts the bytes; false when they do not convert whole.
inline bool convert(iconv_t cd, const char* in, size_t n, std::string* out) {
    out->clear();
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    size_t left = n;
    char buffer[256];
    while (left > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out->append(buffer, size_t(dst - buffer));
        if (r == size_t(-1) && errno != E2BIG) return false;
    }
    char* dst = buffer;
    size_t room = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &room);
    out->append(buffer, size_t(dst - buffer));
    return true;
}
}  // namespace fakefs
#include <cerrno>
// Multibyte to wide: a byte sequence that does not convert becomes U+30FB,
// one per byte, as the system's table gives for undefined code points.
inline int MultiByteToWideChar(UINT codePage, DWORD, const char* from, int n, WCHAR* to, int size) {
    size_t length = n < 0 ? std::strlen(from) + 1 : size_t(n);
    iconv_t cd = fakefs::converter("WCHAR_T", fakefs::codeName(codePage));
    std::wstring wide;
    size_t i = 0;
    std::string piece;
    while (i < length) {
        // Whole characters: one byte, or a lead byte and the next.
        unsigned char c = static_cast<unsigned char>(from[i]);
        size_t step = 1;
        if (codePage == CP_UTF8) {
            step = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        } else if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < length) {
            step = 2;
        }
        if (i + step > length) step = length - i;
        if (fakefs::convert(cd, from + i, step, &piece) && piece.size() % sizeof(wchar_t) == 0 &&
            !piece.empty())
            wide.append(reinterpret_cast<const wchar_t*>(piece.data()), piece.size() / sizeof(wchar_t));
        else
            wide += c == 0 ? L'\0' : wchar_t(0x30FB);
        i += step;
    }
    if (size == 0) return int(wide.size());
    if (int(wide.size()) > size) return 0;
    std::memcpy(to, wide.data(), wide.size() * sizeof(wchar_t));
    return int(wide.size());
}
// Wide to multibyte, character by character: one that the code page cannot
// write becomes the default character ("?" when none is given) and sets
// *usedDefault.
inline int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR* from, int n, char* to, int size,
                               const char* defaultChar, BOOL* usedDefault) {
    size_t length = n < 0 ? std::wcslen(from) + 1 : size_t(n);
    iconv_t cd = fakefs::converter(fakefs::codeName(codePage), "WCHAR_T");
    std::string out, piece;
    if (usedDefault) *usedDefault = 0;
    for (size_t i = 0; i < length; ++i) {
        if (from[i] == 0) {
            out += '\0';
        } else if (fakefs::convert(cd, reinterpret_cast<const char*>(from + i), sizeof(wchar_t), &piece) &&
                   !piece.empty()) {
            out += piece;
        } else {
            out += defaultChar ? defaultChar : "?";
            if (usedDefault) *usedDefault = 1;
        }
    }
    if (size == 0) return int(out.size());
    if (int(out.size()) > size) return 0;
    std::memcpy(to, out.data(), out.size());
    return int(out.size());
}

// Wide-character file searches over the same file system: names as the host
// spells them when it has them, else converted from code page 932.
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime, ftLastAccessTime, ftLastWriteTime;
    DWORD nFileSizeHigh, nFileSizeLow, dwReserved0, dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
};
namespace fakefs {
struct WideSearch {
    std::vector<WIN32_FIND_DATAW> found;
    size_t next = 0;
};
inline std::map<uintptr_t, WideSearch>& wideSearches() {
    static std::map<uintptr_t, WideSearch> s;
    return s;
}
}  // namespace fakefs
inline HANDLE FindFirstFileW(const WCHAR* pattern, WIN32_FIND_DATAW* fd) {
    char narrow[MAX_PATH * 2];
    if (!WideCharToMultiByte(CP_ACP, 0, pattern, -1, narrow, sizeof narrow, nullptr, nullptr))
        return INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA a;
    HANDLE h = FindFirstFileA(narrow, &a);
    if (h == INVALID_HANDLE_VALUE) return h;
    fakefs::WideSearch wide;
    const fakefs::Search& search = fakefs::searches()[uintptr_t(h)];
    for (const auto& e : search.found) {
        WIN32_FIND_DATAW w;
        std::memset(&w, 0, sizeof w);
        w.dwFileAttributes = e.second.attributes;
        w.nFileSizeLow = DWORD(fakefs::sizeOf(e.second));
        std::wstring name = e.second.wideName;
        if (name.empty()) {
            name.resize(e.first.size() + 1);
            int k = MultiByteToWideChar(CP_ACP, 0, e.first.c_str(), int(e.first.size()), &name[0],
                                        int(name.size()));
            name.resize(size_t(k));
        }
        std::wcsncpy(w.cFileName, name.c_str(), MAX_PATH - 1);
        wide.found.push_back(w);
    }
    FindClose(h);
    *fd = wide.found[0];
    wide.next = 1;
    uintptr_t id = fakefs::state().nextHandle++;
    fakefs::wideSearches()[id] = wide;
    return HANDLE(id);
}
inline BOOL FindNextFileW(HANDLE h, WIN32_FIND_DATAW* fd) {
    auto it = fakefs::wideSearches().find(uintptr_t(h));
    if (it == fakefs::wideSearches().end()) return 0;
    if (it->second.next >= it->second.found.size()) return 0;
    *fd = it->second.found[it->second.next++];
    return 1;
}
namespace fakefs {
inline void dropWideSearch(uintptr_t h) { wideSearches().erase(h); }
}  // namespace fakefs

#include <ctime>

// The archiver libraries' calls. Calling conventions and export markers mean
// nothing on the host; the libraries themselves are linked in (the loader
// calls are in archiver_modules.cpp, which a build that loads them links).
#ifndef _WIN32
#define __declspec(x)
#endif
#define WINAPI
#define CALLBACK
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef BYTE* LPBYTE;
typedef WORD* LPWORD;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef intptr_t (*FARPROC)();
union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    };
    int64_t QuadPart;
};
union ULARGE_INTEGER {
    struct {
        DWORD LowPart;
        DWORD HighPart;
    };
    uint64_t QuadPart;
};
#define ERROR_INVALID_HANDLE 6u
#define ERROR_MOD_NOT_FOUND 126u
#define ERROR_PROC_NOT_FOUND 127u
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x8u

HMODULE LoadLibraryExA(const char* path, HANDLE file, DWORD flags);
HMODULE LoadLibraryA(const char* path);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);

// The system folder of the emulated machine: the loader finds the archiver
// libraries there (host_disc.cpp puts their names in it).
inline UINT GetSystemDirectoryA(char* out, UINT size) {
    static const char kSystem[] = "C:\\WINDOWS\\SYSTEM32";
    if (size < sizeof kSystem) return UINT(sizeof kSystem);
    std::memcpy(out, kSystem, sizeof kSystem);
    return UINT(sizeof kSystem - 1);
}

// Positions are kept in 32 bits by the in-memory files.
inline BOOL SetFilePointerEx(HANDLE h, LARGE_INTEGER distance, LARGE_INTEGER* now, DWORD method) {
    fakefs::OpenFile* f = fakeOpen(h);
    fakefs::Node* n = f ? fakefs::find(f->name) : nullptr;
    if (!n) return 0;
    int64_t base = method == FILE_BEGIN     ? 0
                   : method == FILE_CURRENT ? int64_t(f->pos)
                                            : int64_t(fakefs::sizeOf(*n));
    int64_t to = base + distance.QuadPart;
    if (to < 0 || to > int64_t(0xFFFFFFFFu)) return 0;
    f->pos = uint32_t(to);
    if (now) now->QuadPart = to;
    return 1;
}
inline BOOL GetFileSizeEx(HANDLE h, LARGE_INTEGER* size) {
    fakefs::OpenFile* f = fakeOpen(h);
    fakefs::Node* n = f ? fakefs::find(f->name) : nullptr;
    if (!n) return 0;
    size->QuadPart = int64_t(fakefs::sizeOf(*n));
    return 1;
}

// File times: 100 ns steps since 1601 (UTC); local time as the host's zone has it.
inline BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
    uint64_t t = (uint64_t(utc->dwHighDateTime) << 32) | utc->dwLowDateTime;
    time_t seconds = time_t(t / 10000000ull) - time_t(11644473600ll);
    struct tm parts;
    if (!localtime_r(&seconds, &parts)) return 0;
    t += uint64_t(int64_t(parts.tm_gmtoff) * 10000000ll);
    local->dwLowDateTime = DWORD(t);
    local->dwHighDateTime = DWORD(t >> 32);
    return 1;
}
// DOS dates hold 1980 to 2107, seconds in steps of two.
inline BOOL FileTimeToDosDateTime(const FILETIME* ft, WORD* date, WORD* timeOfDay) {
    uint64_t t = (uint64_t(ft->dwHighDateTime) << 32) | ft->dwLowDateTime;
    time_t seconds = time_t(t / 10000000ull) - time_t(11644473600ll);
    struct tm parts;
    if (!gmtime_r(&seconds, &parts) || parts.tm_year < 80 || parts.tm_year > 207) return 0;
    *date = WORD(((parts.tm_year - 80) << 9) | ((parts.tm_mon + 1) << 5) | parts.tm_mday);
    *timeOfDay = WORD((parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
    return 1;
}

// There are no windows on the host: messages are registered by name (the
// same name gives the same number), no window exists and nothing is sent.
inline UINT RegisterWindowMessageA(const char* name) {
    static std::map<std::string, UINT> registered;
    auto it = registered.find(name ? name : "");
    if (it != registered.end()) return it->second;
    UINT id = UINT(0xC000 + registered.size());
    registered[name ? name : ""] = id;
    return id;
}
inline BOOL IsWindow(HWND) { return 0; }
inline LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM) { return 0; }
