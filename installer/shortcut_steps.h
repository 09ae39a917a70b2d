// The shortcut steps of a copy section (keys Group, GroupFolder, GroupIcon%d,
// ShortCut%d).
#pragma once
#include <string>
#include "installer_context.h"

struct GroupCheck {
    bool programMenu = false;  // program-menu shortcuts may be offered
    bool desktop = false;      // desktop shortcuts too
};

enum class GroupKeys { Ok, BadGroupName, BadGroupFolder };
// The group keys judged without showing anything: shortcuts are offered only
// when both Group and GroupIcon1 are there, since the group folder is emptied
// of its files before the links are written and an empty Group would make
// that folder the Programs folder (or GroupFolder) itself.
GroupKeys evaluateGroupKeys(ScriptFile& script, const char* section, GroupCheck* check);
// True when s holds one of the characters a group or folder name cannot
// hold ("\":;/?*<>|"; a backslash is allowed, so GroupFolder can name
// nested folders). Second bytes of double-byte characters never match.
bool hasForbiddenGroupCharacter(const char* s);
// Checks Group and GroupFolder; false (after its message) ends the section.
bool checkGroupKeys(InstallerContext& ctx, GroupCheck* check);
// Creates the chosen shortcuts. groupFolder: in, the place picked in the
// destination dialog (empty: the Programs folder); out, the group's folder.
bool createShortcuts(InstallerContext& ctx, bool programMenu, bool desktop, std::string* groupFolder);
