// The shortcut steps of a copy section (keys Group, GroupFolder, GroupIcon%d,
// ShortCut%d).
#pragma once
#include <string>
#include "installer_context.h"

struct GroupCheck {
    bool programMenu = false;   // program-menu shortcuts may be offered
    bool desktop = false;       // desktop shortcuts too
};

// Checks Group and GroupFolder; false (after its message) ends the section.
bool checkGroupKeys(InstallerContext& ctx, GroupCheck* check);
// Creates the chosen shortcuts. groupFolder: in, the place picked in the
// destination dialog (empty: the Programs folder); out, the group's folder.
bool createShortcuts(InstallerContext& ctx, bool programMenu, bool desktop, std::string* groupFolder);
