// Path operations of the installer beyond the path object: joining,
// existence tests and making a folder with all its parents.
#pragma once
#include <string>
#include <vector>

// A path with a drive ("C:...") or a UNC path ("\\\\server...").
bool isFullPath(const std::string& path);
// folder + "\\" + name with exactly one backslash between; a name that is a
// full path (drive or "\\\\server") is taken as it stands.
std::string joinPath(const std::string& folder, const std::string& name);
// True when path ends in a backslash (a double-byte second byte never counts).
bool endsWithBackslash(const std::string& path);
// True when a relative folder climbs above its starting point through ".."
// levels ("/" and backslash both separate levels, as Windows reads them; a
// level of dots only counts as "..", since Windows drops trailing dots).
bool climbsOut(const std::string& relative);
// The path up to its last backslash ("" when it has none).
std::string parentFolder(const std::string& path);
bool isExistingFile(const char* path);
bool isExistingFolder(const char* path);
// Creates every missing level of folder, top down. The levels made are
// appended to created (when given). False when a level cannot be made or
// is a file.
bool createFolderPath(const std::string& folder, std::vector<std::string>* created = nullptr);
