// The shortcut steps of a copy section (keys Group, GroupFolder, GroupIcon%d,
// ShortCut%d).
#pragma once
#include <string>
#include "installer_context.h"
#include "shortcut_names.h"

namespace installer {

struct GroupCheck {
    bool programMenu = false;  // program-menu shortcuts may be offered
    bool desktop = false;      // desktop shortcuts too
};

enum class GroupKeys { Ok, BadGroupName, BadGroupFolder };
// The group keys judged without showing anything: shortcuts are offered only
// when both Group and GroupIcon1 are there, since the group folder is emptied
// of its files before the links are written and an empty Group would make
// that folder the Programs folder (or GroupFolder) itself. For the same
// reason a Group or GroupFolder that climbs out with ".." (or a Group that
// names no folder of its own, such as ".") counts as a bad name.
GroupKeys evaluateGroupKeys(ScriptFile& script, const char* section, GroupCheck* check);
// Checks Group and GroupFolder; false (after its message) ends the section.
bool checkGroupKeys(InstallerContext& ctx, GroupCheck* check);
// Creates the chosen shortcuts. groupFolder: in, the place picked in the
// destination dialog (empty: the Programs folder); out, the group's folder
// (empty when no program-menu group was made). False only when COM was
// already initialised on this thread: nothing is made then.
bool createShortcuts(InstallerContext& ctx, bool programMenu, bool desktop, std::string* groupFolder);
// Writes one shell link; false when any part of it fails.
bool createShortcut(const std::string& linkPath, const std::string& description, const std::string& target,
                    const std::string& workingFolder);

}  // namespace installer
