#include "shortcut_steps.h"
#include "file_system.h"
#include "installer_messages.h"
#include "message_box.h"
#include "message_text.h"
#include "path_text.h"
#include "sjis.h"
#include "system_folders.h"
#include "text_format.h"
#include "texts.h"
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <cstdio>

namespace installer {

namespace {

// A GroupIcon value is read into this many bytes.
const size_t kIconValueBytes = 128;

// Deletes the files of folder; its subfolders and their contents stay.
void deleteFilesIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(common::joinPath(folder, "*.*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        DeleteFileA(common::joinPath(folder, found.cFileName).c_str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder of a file, with the root's backslash kept ("C:\\", not "C:",
// which would mean the drive's current folder).
std::string folderOf(const std::string& file) {
    std::string folder = common::parentFolder(file);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

void warnMissingTarget(const char* section, const char* key, const std::string& target) {
    char caption[kMessageBytes], text[kMessageBytes];
    common::copyBounded(caption, common::formatText(texts::kTitleShortcutError, section).c_str(),
                        sizeof caption);
    common::copyBounded(text, common::formatText(texts::kShortcutTargetMissing, key, target.c_str()).c_str(),
                        sizeof text);
    common::showMessageBox(nullptr, text, caption, MB_ICONEXCLAMATION | MB_OK);
}

// A link file in folder; empty when the name would put it elsewhere.
std::string linkIn(const std::string& folder, const std::string& name) {
    std::string file = name + ".lnk";
    return common::staysInside(file, true) ? common::joinPath(folder, file) : std::string();
}

}  // namespace

bool checkGroupKeys(InstallerContext& ctx, GroupCheck* check) {
    const char* section = ctx.section.c_str();
    GroupKeys r = evaluateGroupKeys(ctx.script, section, check);
    if (r == GroupKeys::Ok) return true;
    std::string title = common::formatText(texts::kTitleGroupError, section);
    errorBox(title.c_str(), "%s",
             r == GroupKeys::BadGroupName ? texts::kGroupNameBad : texts::kGroupFolderBad);
    return false;
}

bool createShortcut(const std::string& linkPath, const std::string& description, const std::string& target,
                    const std::string& workingFolder) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))) ||
        !link)
        return false;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());
    bool saved = false;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) && file) {
        // A path that does not fit the 260 characters is not saved at all
        // rather than saved under a cut name.
        WCHAR wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, linkPath.c_str(), -1, wide, MAX_PATH) > 0)
            saved = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

bool createShortcuts(InstallerContext& ctx, bool programMenu, bool desktop, std::string* groupFolder) {
    const char* section = ctx.section.c_str();
    std::string place = *groupFolder;
    groupFolder->clear();

    // Initialised already (S_FALSE), COM belongs to someone else on this
    // thread whose set-up the links would depend on: the step makes nothing.
    HRESULT com = CoInitialize(nullptr);
    if (com == S_FALSE) {
        CoUninitialize();
        return false;
    }

    std::string desktopFolder = desktop ? specialFolder(CSIDL_DESKTOPDIRECTORY) : std::string();
    if (programMenu && place.empty()) place = specialFolder(CSIDL_PROGRAMS);
    // Without a folder to put them in, the links of that kind are not made:
    // a relative group folder would land in (and empty) the current folder.
    desktop = desktop && !desktopFolder.empty();
    programMenu = programMenu && !place.empty();

    std::string group, folderKey, folder;
    ctx.script.getString(section, "Group", &group);
    ctx.script.getString(section, "GroupFolder", &folderKey);
    if (programMenu) {
        folder = common::joinPath(common::joinPath(place, folderKey), group);
        common::createFolderPath(folder);
        deleteFilesIn(folder);
        *groupFolder = folder;
    }

    for (int n = 1; n <= 98; n++) {
        char key[32], value[kIconValueBytes];
        snprintf(key, sizeof key, "GroupIcon%d", n);
        if (!ctx.script.hasKey(section, key)) continue;
        ctx.script.getString(section, key, value, sizeof value);
        IconValue icon = splitIconValue(value);
        std::string name = icon.name.empty() ? defaultLinkName(icon.target, group) : icon.name;

        std::string target = common::joinPath(ctx.destination, icon.target);
        if (!common::isExistingFile(target)) {
            warnMissingTarget(section, key, icon.target);
            continue;
        }
        if (programMenu) {
            std::string link = linkIn(folder, name);
            if (!link.empty() && exists(link)) {
                // Taken by an earlier entry: the target's own name stands in
                // for the Group value, then the target's file name for the file.
                name = defaultLinkName(icon.target, common::withoutExtension(targetFileName(icon.target)));
                link = linkIn(folder, name);
                if (!link.empty() && exists(link)) link = linkIn(folder, targetFileName(icon.target));
            }
            if (!link.empty()) createShortcut(link, name, target, folderOf(target));
        }
        char desktopKey[32];
        snprintf(desktopKey, sizeof desktopKey, "ShortCut%d", n);
        if (desktop && ctx.script.hasKey(section, desktopKey)) {
            std::string link = linkIn(desktopFolder, name);
            if (!link.empty()) createShortcut(link, name, target, ctx.destination);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return true;
}

}  // namespace installer
