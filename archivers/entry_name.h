// Checks and matching of archive entry names. Pure logic: no Win32.
//
// Names are Shift-JIS; every separator test skips the second byte of a
// double-byte character, whose value may be 0x5C ('\') as in "表" or "ソ".
#pragma once
#include <string>

// Turns an entry name into a relative path below the destination folder with
// '\' separators, dropping "." steps, doubled separators and a trailing
// separator. Returns false, leaving out untouched, when the name could reach
// outside the folder or name something that is not a file there: an empty
// name, a leading separator (absolute or UNC), a drive or stream colon, a ".."
// step (or any step made only of dots and blanks), a device name (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with or without extension),
// control characters, the characters < > " | ? *, or a broken double-byte
// character.
bool safeEntryPath(const std::string& name, std::string& out);

// The last step of a relative path made by safeEntryPath.
std::string lastStep(const std::string& path);

// Wildcard match of a Shift-JIS name: '?' is one character, '*' any run of
// characters within one step (across steps too when starCrossesSteps), "**"
// any run across steps. '/' and '\' are the same separator. ASCII letters
// compare without case when ignoreCase.
bool matchName(const std::string& pattern, const std::string& name, bool starCrossesSteps, bool ignoreCase);

// True when path lies inside the folder base ("app" holds "app\x" and
// "APP\sub\y", not "app" itself nor "apple\x"); ASCII letters compare
// without case, separators are either slash.
bool isBelow(const std::string& path, const std::string& base);
