// A stand-in for <windows.h> for the host fuzz build: the few types and
// calls the pure code's headers name. The file-system calls find nothing,
// so the code under test only ever sees missing files and folders.
#pragma once
#include <cstdint>
#include <cstring>

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
inline HANDLE FindFirstFileA(const char*, WIN32_FIND_DATAA*) { return INVALID_HANDLE_VALUE; }
inline BOOL FindNextFileA(HANDLE, WIN32_FIND_DATAA*) { return 0; }
inline BOOL FindClose(HANDLE) { return 1; }
inline DWORD GetFileAttributesA(const char*) { return INVALID_FILE_ATTRIBUTES; }

#include <cstdarg>
#include <cstdio>
typedef void* LPSECURITY_ATTRIBUTES;
inline BOOL CreateDirectoryA(const char*, LPSECURITY_ATTRIBUTES) { return 0; }
#define FALSE 0
#define TRUE 1
inline DWORD GetLongPathNameA(const char*, char*, DWORD) { return 0; }
inline DWORD GetCurrentDirectoryA(DWORD size, char* out) {
    if (size) out[0] = '\0';
    return 0;
}
inline BOOL SetCurrentDirectoryA(const char*) { return 0; }
inline int wsprintfA(char* out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(out, 1024, format, args);
    va_end(args);
    return n;
}

typedef struct HINSTANCE__* HINSTANCE;
inline char* lstrcpyA(char* to, const char* from) { return std::strcpy(to, from); }
