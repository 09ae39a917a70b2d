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
// level of dots only counts as "..", since Windows drops trailing dots). A
// full path climbs nowhere: it names its own place.
bool climbsOut(const std::string& relative);
// Whether a relative path, appended to a folder, stays inside it: no full
// path, no ".." level above the start. ownLevel also asks that it ends in a
// folder below the start, not the start itself ("." or "a\\..").
bool staysInside(const std::string& relative, bool ownLevel);
// Whether path names something strictly below folder (compared without
// case): after the folder and one separator, every level is a plain name,
// none empty, none of dots and blanks only (Windows reads ".. " as ".."), no
// ":" anywhere (no drive, no alternate stream). The check a written name
// must pass before anything is written under a folder.
bool isBelowFolder(const std::string& path, const std::string& folder);
// folder + "\\" + name with exactly one backslash between; a name that is a
// full path (drive or "\\\\server") is taken as it stands.
std::string joinPath(const std::string& folder, const std::string& name);
// The path as the file calls read it: a run of separators is one separator
// and a "." level names the folder it is in. A network path keeps its leading
// pair; a trailing separator stays. Levels are cut between characters: a
// second byte 0x5C separates nothing.
std::string withoutEmptyLevels(const std::string& path);
// The path up to its last separator ("" when it has none).
std::string parentFolder(const std::string& path);
// The part after the last separator (the whole path when it has none).
const char* fileNamePart(const char* path);
// True when s holds a "*" or "?" (trail bytes skipped).
bool hasWildcard(const char* s);
inline bool hasWildcard(const std::string& s) { return hasWildcard(s.c_str()); }
// The "." that starts the extension: the last one of the file-name part
// (trail bytes skipped; a dot in a folder name is no extension); null when
// the file name has none.
const char* extensionDot(const char* path);
char* extensionDot(char* path);
// The extension of the file name without its dot ("" when none).
std::string extensionOf(const std::string& path);
// path without the extension of its file name (its folder part kept).
std::string withoutExtension(const std::string& path);

}  // namespace common
