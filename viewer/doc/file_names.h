// Turning the command line's file name into a document folder and name:
// shell links, patterns, folders, drives, UNC names and long forms.
#pragma once
#include <functional>
#include <string>

namespace viewer {

struct ResolvedName {
    std::string folder;     // becomes the current folder; empty for a UNC name
    std::string fileName;   // empty: no document (pattern, folder, or a folder that was not found)
    std::string pattern;    // a file pattern for the open dialog
    std::string extension;  // upper-cased, "." when the name has none
};

// Replaces a ".lnk" name by the link's target (an empty target keeps the name).
std::string resolveShellLink(const std::string& name);

// Called with a drive or folder of the name that does not exist.
using FolderNotFound = std::function<void(const std::string& folder)>;

// Resolves the name against the current folder; reports a drive or folder
// that does not exist. Changes the current folder.
ResolvedName resolveDocumentName(const std::string& name, const FolderNotFound& folderNotFound);

}  // namespace viewer
