// What start-up works out and every section step reads: the loaded script,
// its folder, the section being carried out and its folders.
#pragma once
#include <windows.h>
#include <string>
#include "script_file.h"
#include "system_folders.h"

namespace installer {

struct InstallerContext {
    HINSTANCE instance = nullptr;
    ScriptFile script;
    std::string scriptPath;
    std::string scriptFolder;  // also the current directory
    std::string section;       // at most 259 bytes
    std::string sourceFolder;  // relative to the script folder
    std::string destination;   // 260 bytes at most; edited in the destination dialog
    bool pickerMode = false;
    SystemFolders folders;

    // Script folder plus source folder: where a section's files are read.
    std::string sourceBase() const;
};

}  // namespace installer
