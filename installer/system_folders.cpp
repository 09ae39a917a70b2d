#include "system_folders.h"
#include "registry_key.h"
#include <windows.h>
#include <shlobj.h>

namespace installer {

static std::string windowsFolderOf() {
    char buf[MAX_PATH] = "";
    GetWindowsDirectoryA(buf, sizeof buf);
    return buf;
}

std::string SystemFolders::windowsFolder() const { return windowsFolderOf(); }

std::string SystemFolders::systemFolder() const {
    char buf[MAX_PATH] = "";
    GetSystemDirectoryA(buf, sizeof buf);
    return buf;
}

std::string SystemFolders::programFilesFolder() const {
    char buf[MAX_PATH] = "";
    common::RegistryKey key(HKEY_LOCAL_MACHINE);
    // Reading needs no more than read access; asking for all access fails
    // for users without administrator rights.
    if (key.open("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", KEY_READ))
        key.queryValue("ProgramFilesDir", buf, sizeof buf - 1);
    buf[sizeof buf - 1] = 0;
    return buf;
}

std::string SystemFolders::tempFolder() const {
    char buf[MAX_PATH] = "";
    GetTempPathA(sizeof buf, buf);
    return buf;
}

std::string specialFolder(int csidl) {
    std::string out;
    LPITEMIDLIST pidl = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) && pidl) {
        char buf[MAX_PATH] = "";
        if (SHGetPathFromIDListA(pidl, buf)) out = buf;
        LPMALLOC malloc = nullptr;
        if (SUCCEEDED(SHGetMalloc(&malloc)) && malloc) {
            malloc->Free(pidl);
            malloc->Release();
        }
    }
    return out;
}

std::string SystemFolders::documentsFolder() const { return specialFolder(CSIDL_PERSONAL); }

std::string SystemFolders::profileString(const std::string& file, const std::string& section,
                                         const std::string& key) const {
    char buf[MAX_PATH] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf, sizeof buf, file.c_str());
    return buf;
}

}  // namespace installer
