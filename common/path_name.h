// A file path held as drive, folder, name and extension. The full path is
// rebuilt from the four parts after every change and split again, so the five
// always agree. All text is Shift-JIS; separators are searched with the
// double-byte aware helpers of sjis.h. Every buffer is bounded: overlong input
// is cut, never written past a buffer.
#pragma once
#include <windows.h>

namespace common {

class PathName {
public:
    static const int kPathSize = 260;       // full path, name with extension, folder path
    static const int kDriveSize = 3;        // "D:"
    static const int kFolderSize = 256;     // "\\dir\\sub\\"
    static const int kNameSize = 256;       // name without extension
    static const int kExtensionSize = 256;  // ".ext"

    PathName();
    explicit PathName(const char* path);
    virtual ~PathName() = default;
    PathName(const PathName&) = default;
    PathName& operator=(const PathName&) = default;

    // Sets the whole path. A path beginning with a double quote is taken
    // without it and cut at the next double quote ("\"C:\\a b\\x.exe\" -v"
    // gives C:\a b\x.exe). Null clears everything.
    const char* setPath(const char* path);
    // Rebuilds and returns the full path.
    const char* fullPath();
    // Drive plus folder; the trailing backslash is removed unless the folder
    // is just "\\" or does not begin with a backslash.
    const char* folderPath();
    // The path of the given module (null: the running program).
    const char* fromModule(HMODULE module = nullptr);
    // Removes the last folder level ("\\a\\b\\" -> "\\a\\", "\\a\\" -> "\\").
    const char* upFolder();
    // Applies a relative folder: leading "../" or "..\\" steps climb, an
    // absolute one ("C:..." or "\\\\server...") replaces drive and folder,
    // anything else is appended. Name and extension stay.
    const char* changeFolder(const char* relative);
    // Sets the file name; leading "../" steps and sub-folders move into the
    // folder, a name with "." brings its own extension, a name beginning
    // with a backslash or a drive replaces the folder (and drive).
    const char* setFileName(const char* name);
    // With a name: clears the extension and sets the name (sub-folders and
    // absolute paths allowed); returns the full path. Without: returns the
    // name with extension, no folder.
    const char* setNameWithExtension(const char* name = nullptr);
    // With an extension ("txt" or ".txt"; "" removes it): sets it and returns
    // the full path. Without: returns the extension.
    const char* setExtension(const char* extension = nullptr);
    // Case-insensitive comparison with the extension; the dot is optional.
    bool hasExtension(const char* extension) const;
    // Index of the first entry of a null-terminated list that hasExtension
    // accepts; -1 when none does.
    int extensionIndex(const char* const* list) const;
    // FindFirstFileA on the pattern (null: the full path); reads entries until
    // one whose attributes ANDed with mask are non-zero (zero when invert is
    // set). The find data of that entry stays in the object. Returns non-zero
    // when an entry passed.
    DWORD findEntry(const char* pattern, DWORD mask, bool invert);
    // The full path names an existing file (not a folder).
    bool isFile();
    // The folder part of the full path exists (paths without a folder part,
    // ending in a backslash or just "X:\\" count as existing).
    bool folderExists();

    const char* drive() const { return drive_; }
    const char* folder() const { return folder_; }
    const char* name() const { return name_; }
    const char* extension() const { return extension_; }
    bool empty() const { return full_[0] == '\0'; }
    // Find data of the entry found by the last successful existence test
    // (zero-filled when it failed).
    const WIN32_FIND_DATAA& findData() const { return findData_; }
    // Size of that entry in bytes (files over 4 GB are reported as MAXDWORD).
    DWORD foundSize() const;

    // Direct setters of single parts, followed by a rebuild.
    const char* setDrive(const char* drive);
    const char* setFolder(const char* folder);

    void clear();

protected:
    void split();
    void rebuild();
    // Full path from drive, folder, the given name and the extension, then split again.
    void compose(const char* name);

    char full_[kPathSize];
    char drive_[kDriveSize];
    char folder_[kFolderSize];
    char name_[kNameSize];
    char extension_[kExtensionSize];
    char nameWithExtension_[kPathSize];
    char folderPath_[kPathSize];
    WIN32_FIND_DATAA findData_;
};

}  // namespace common
