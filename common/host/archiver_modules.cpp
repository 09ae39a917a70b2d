// The archiver libraries as the native build has them: the same archiver
// source compiled once per archive kind and linked in (over the host's
// libarchive), instead of three DLLs loaded at run time. LoadLibraryExA and
// LoadLibraryA hand out one module handle per library name; GetProcAddress
// answers the names each library exports with the linked functions. Any
// other library name fails to load, as a missing DLL does.
#include <windows.h>

#include <cstring>

#include "arc_extract_info.h"
#include "host_disc.h"

#define HOST_ARC_DECLARE(P)                                                                                  \
    extern "C" {                                                                                             \
    int P(HWND, LPCSTR, LPSTR, DWORD);                                                                       \
    BOOL P##CheckArchive(LPCSTR, int);                                                                       \
    int P##ExtractMem(HWND, LPCSTR, LPBYTE, DWORD, time_t*, LPWORD, LPDWORD);                                \
    HARCHIVE P##OpenArchive(HWND, LPCSTR, DWORD);                                                            \
    int P##CloseArchive(HARCHIVE);                                                                           \
    int P##FindFirst(HARCHIVE, LPCSTR, ArcItemInfo*);                                                        \
    int P##FindNext(HARCHIVE, ArcItemInfo*);                                                                 \
    int P##GetOriginalSize(HARCHIVE);                                                                        \
    int P##GetCompressedSize(HARCHIVE);                                                                      \
    BOOL P##SetOwnerWindow(HWND);                                                                            \
    BOOL P##ClearOwnerWindow(void);                                                                          \
    BOOL P##SetOwnerWindowEx(HWND, ArcNotifyProc);                                                           \
    BOOL P##KillOwnerWindowEx(HWND);                                                                         \
    BOOL P##GetRunning(void);                                                                                \
    BOOL P##SetCursorMode(BOOL);                                                                             \
    BOOL P##SetBackGroundMode(BOOL);                                                                         \
    }

HOST_ARC_DECLARE(Unlha)
HOST_ARC_DECLARE(UnZip)
HOST_ARC_DECLARE(Cab)

namespace {

struct Export {
    const char* name;
    FARPROC proc;
};

template <class F>
FARPROC toProc(F f) {
    return reinterpret_cast<FARPROC>(f);
}

// The command function is named by the prefix alone, the others by prefix
// plus suffix, as the DLLs export them.
#define HOST_ARC_EXPORT(P, suffix)                                                                           \
    Export { #P #suffix, toProc(&P##suffix) }
#define HOST_ARC_EXPORTS(P)                                                                                  \
    {                                                                                                        \
        Export{#P, toProc(&P)}, HOST_ARC_EXPORT(P, CheckArchive), HOST_ARC_EXPORT(P, ExtractMem),            \
            HOST_ARC_EXPORT(P, OpenArchive), HOST_ARC_EXPORT(P, CloseArchive),                               \
            HOST_ARC_EXPORT(P, FindFirst), HOST_ARC_EXPORT(P, FindNext),                                     \
            HOST_ARC_EXPORT(P, GetOriginalSize), HOST_ARC_EXPORT(P, GetCompressedSize),                      \
            HOST_ARC_EXPORT(P, SetOwnerWindow), HOST_ARC_EXPORT(P, ClearOwnerWindow),                        \
            HOST_ARC_EXPORT(P, SetOwnerWindowEx), HOST_ARC_EXPORT(P, KillOwnerWindowEx),                     \
            HOST_ARC_EXPORT(P, GetRunning), HOST_ARC_EXPORT(P, SetCursorMode),                               \
            HOST_ARC_EXPORT(P, SetBackGroundMode)                                                            \
    }

const size_t kExports = 16;

struct Module {
    const char* file;
    Export exports[kExports];
};

const Module kModules[] = {
    {"UnLha32.DLL", HOST_ARC_EXPORTS(Unlha)},
    {"UnZip32.DLL", HOST_ARC_EXPORTS(UnZip)},
    {"Cab32.DLL", HOST_ARC_EXPORTS(Cab)},
};

// The library a path names, by its last part (a full path is what callers give).
const Module* moduleFor(const char* path) {
    if (!path) return nullptr;
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    for (const Module& m : kModules)
        if (lstrcmpiA(m.file, name) == 0) return &m;
    return nullptr;
}

}  // namespace

namespace hostdisc {

void placeLibraries() {
    char system[MAX_PATH];
    UINT n = GetSystemDirectoryA(system, sizeof system);
    if (n == 0 || n >= sizeof system) return;
    // An empty file per library (its folders made as needed): only its
    // presence is asked about before loading.
    for (const Module& m : kModules) fakefs::addFile(std::string(system) + "\\" + m.file, std::string());
}

}  // namespace hostdisc

HMODULE LoadLibraryExA(const char* path, HANDLE, DWORD) {
    const Module* m = moduleFor(path);
    if (!m) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // The handle is the table entry itself: GetProcAddress checks it is one.
    return reinterpret_cast<HMODULE>(const_cast<Module*>(m));
}

HMODULE LoadLibraryA(const char* path) { return LoadLibraryExA(path, nullptr, 0); }

FARPROC GetProcAddress(HMODULE module, const char* name) {
    for (const Module& m : kModules) {
        if (reinterpret_cast<const Module*>(module) != &m) continue;
        for (const Export& e : m.exports)
            if (name && std::strcmp(e.name, name) == 0) return e.proc;
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

// The linked libraries stay for the whole run.
BOOL FreeLibrary(HMODULE module) {
    for (const Module& m : kModules)
        if (reinterpret_cast<const Module*>(module) == &m) return TRUE;
    return FALSE;
}
