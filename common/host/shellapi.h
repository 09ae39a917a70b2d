// Stand-in for <shellapi.h> in the host fuzz build: the shell file
// operation does nothing.
#pragma once
#include <windows.h>

typedef struct HWND__* HWND;
struct SHFILEOPSTRUCTA {
    HWND hwnd;
    unsigned wFunc;
    const char* pFrom;
    const char* pTo;
    unsigned short fFlags;
    BOOL fAnyOperationsAborted;
    void* hNameMappings;
    const char* lpszProgressTitle;
};
#define FO_COPY 2
#define FOF_SILENT 0x4
#define FOF_NOCONFIRMATION 0x10
#define FOF_ALLOWUNDO 0x40
#define FOF_NOCONFIRMMKDIR 0x200
#define FOF_NOERRORUI 0x400
inline int SHFileOperationA(SHFILEOPSTRUCTA*) { return 0; }
