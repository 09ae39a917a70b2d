// The shortcut steps of a copy section (keys Group, GroupFolder, GroupIcon%d,
// ShortCut%d).
#pragma once
#include <string>
#include "group_keys.h"
#include "installer_context.h"
#include "shortcut_names.h"

namespace installer {

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
