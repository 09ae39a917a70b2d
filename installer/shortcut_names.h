// The names of the program-menu group and its links, worked out from the
// script's values: pure text work on Shift-JIS, no <windows.h>.
#pragma once
#include <string>

namespace installer {

// A GroupIcon value: the target before the first tab or comma (trailing
// blanks removed), the name after it (leading blanks and commas skipped).
struct IconValue {
    std::string target;
    std::string name;  // empty: the link takes its default name
};
IconValue splitIconValue(const char* value);

// The target's file name (without its folders).
std::string targetFileName(const std::string& target);

// The name of a link whose GroupIcon value names none, from the target's
// extension: "お読みください" for readme.*, base for programs, base plus
// " ヘルプ" for help files, base plus " 説明書" for documents,
// " 最初にお読みください" for .1st, otherwise the target's file name. base is
// the Group value, or the target's title when that name is taken already.
std::string defaultLinkName(const std::string& target, const std::string& base);

// True when s holds one of the characters a group or folder name cannot
// hold ("\":;/?*<>|"; a backslash is allowed, so GroupFolder can name
// nested folders). Second bytes of double-byte characters never match.
bool hasForbiddenGroupCharacter(const char* s);

}  // namespace installer
