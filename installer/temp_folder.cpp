#include "temp_folder.h"
#include "path_text.h"
#include "sjis.h"
#include <windows.h>

namespace installer {

bool makeTempFolder(const char* prefix, std::string* folder) {
    char temp[MAX_PATH] = "";
    DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp) return false;
    // The name of a file the system just made is unused; its folder twin may
    // still exist from an earlier run, so a few names are tried.
    for (int attempt = 0; attempt < 16; attempt++) {
        char file[MAX_PATH] = "";
        if (!GetTempFileNameA(temp, prefix, 0, file)) return false;
        DeleteFileA(file);
        if (char* dot = common::extensionDot(file)) *dot = '\0';
        if (CreateDirectoryA(file, nullptr)) {
            *folder = file;
            return true;
        }
    }
    return false;
}

bool deleteTree(const std::string& folder) {
    if (folder.empty()) return false;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(common::joinPath(folder, "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!lstrcmpA(fd.cFileName, ".") || !lstrcmpA(fd.cFileName, "..")) continue;
            std::string path = common::joinPath(folder, fd.cFileName);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesA(path.c_str(), fd.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
            bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            bool isLink = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (isFolder && !isLink)
                deleteTree(path);
            else if (isFolder)
                RemoveDirectoryA(path.c_str());
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

}  // namespace installer
