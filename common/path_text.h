// Path texts as strings: joining, the parent folder, the last separator. Pure
// string work on Shift-JIS (no <windows.h>): a trail byte 0x5C is never a
// separator, so "C:\\成績表" ends in a folder name, not in a backslash.
#pragma once
#include <string>

namespace common {

// Last backslash or slash of s, trail bytes skipped; null when none.
const char* lastSeparator(const char* s);
char* lastSeparator(char* s);
// The last character of s is a backslash or slash (a trail byte 0x5C of a
// double-byte character does not count).
bool endsWithSeparator(const char* s);
inline bool endsWithSeparator(const std::string& s) { return endsWithSeparator(s.c_str()); }
// True for "X:..." where X is a single-byte character.
bool hasDrivePrefix(const char* s);
// A path with a drive ("C:...") or a network path ("\\\\server...").
bool isFullPath(const std::string& path);
// True when a relative folder climbs above its starting point through ".."
// levels ("/" and backslash both separate levels, as Windows reads them; a
// level of dots only counts as "..", since Windows drops trailing dots).
bool climbsOut(const std::string& relative);
// folder + "\\" + name with exactly one backslash between; a name that is a
// full path (drive or "\\\\server") is taken as it stands.
std::string joinPath(const std::string& folder, const std::string& name);
// The path up to its last separator ("" when it has none).
std::string parentFolder(const std::string& path);
// The part after the last separator (the whole path when it has none).
const char* fileNamePart(const char* path);

}  // namespace common
