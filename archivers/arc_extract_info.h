// The interface of the archiver libraries UnLha32.DLL, UnZip32.DLL and
// Cab32.DLL as their callers see it: the records they fill, the progress
// message they send, their result codes and the types of their entry points.
// Each library exports the same functions under its own prefix ("Unlha",
// "UnZip", "Cab"): the command function is named by the prefix alone, the
// others by prefix plus suffix ("UnlhaOpenArchive", "CabFindFirst", ...).
// Every entry point is stdcall with an undecorated export name.
#pragma once
#include <windows.h>
#include <time.h>
#include "arc_results.h"

// Name of the registered window message sent to the owner window during an
// extraction: wParam is the notification type below, lParam points to an
// ArcExtractInfo. Answering 1 stops the extraction.
#define ARC_EXTRACT_MESSAGE_NAME "wm_arcextract"

enum ArcNotification {
    ARC_NOTIFY_BEGIN = 0,     // a file is about to be written (bytesWritten 0)
    ARC_NOTIFY_PROGRESS = 1,  // a block of the file was written
    ARC_NOTIFY_END = 2,       // the file is complete
    ARC_NOTIFY_ARCHIVE = 3,   // an extraction starts on the archive in archiveName
};

// What an owner window is told about the file being extracted. Names are
// Shift-JIS; sizes are bytes.
struct ArcExtractInfo {
    DWORD fileSize;              // uncompressed size of the stored file
    DWORD bytesWritten;          // bytes written so far
    char storedName[MAX_PATH];   // the file's name inside the archive
    char destName[MAX_PATH];     // the full path being written
    char archiveName[MAX_PATH];  // the archive's path
};

// One item of an archive, filled by FindFirst and FindNext.
struct ArcItemInfo {
    DWORD originalSize;       // uncompressed size (0xFFFFFFFF above 4 GB)
    DWORD compressedSize;     // stored size (0xFFFFFFFF above 4 GB or unknown)
    WORD ratio;               // compressed size per mille of the original
    WORD date;                // DOS date of the last change
    WORD time;                // DOS time of the last change
    DWORD attributes;         // FILE_ATTRIBUTE_* bits (FILE_ATTRIBUTE_DIRECTORY for folders)
    char fileName[MAX_PATH];  // name inside the archive, folders separated by '\\'
    char method[8];           // "-lh5-", "deflate", "MSZIP", ...
};

// CheckArchive modes: 0 checks the headers, 2 reads the whole archive.
#define ARC_CHECK_HEADERS 0
#define ARC_CHECK_FULL 2

typedef HANDLE HARCHIVE;

// Optional callback set with SetOwnerWindowEx: called for every notification
// instead of sending the message; returning TRUE stops the extraction.
typedef BOOL(CALLBACK* ArcNotifyProc)(HWND owner, UINT message, UINT type, ArcExtractInfo* info);

// The entry points as a caller binds them with GetProcAddress.
typedef int(WINAPI* ArcCommandFn)(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize);
typedef BOOL(WINAPI* ArcCheckArchiveFn)(LPCSTR archive, int mode);
typedef HARCHIVE(WINAPI* ArcOpenArchiveFn)(HWND owner, LPCSTR archive, DWORD mode);
typedef int(WINAPI* ArcFindFirstFn)(HARCHIVE archive, LPCSTR pattern, ArcItemInfo* info);
typedef int(WINAPI* ArcFindNextFn)(HARCHIVE archive, ArcItemInfo* info);
typedef int(WINAPI* ArcCloseArchiveFn)(HARCHIVE archive);
typedef int(WINAPI* ArcExtractMemFn)(HWND owner, LPCSTR commandLine, LPBYTE buffer, DWORD bufferSize,
                                     time_t* time, LPWORD attributes, LPDWORD written);
typedef BOOL(WINAPI* ArcSetOwnerWindowFn)(HWND owner);
typedef BOOL(WINAPI* ArcClearOwnerWindowFn)(void);
typedef BOOL(WINAPI* ArcSetOwnerWindowExFn)(HWND owner, ArcNotifyProc proc);
typedef BOOL(WINAPI* ArcKillOwnerWindowExFn)(HWND owner);
typedef BOOL(WINAPI* ArcGetRunningFn)(void);
typedef BOOL(WINAPI* ArcSetCursorModeFn)(BOOL mode);
typedef BOOL(WINAPI* ArcSetBackGroundModeFn)(BOOL mode);
// Sizes of the item found last by FindFirst/FindNext; -1 without one.
typedef int(WINAPI* ArcGetSizeFn)(HARCHIVE archive);
