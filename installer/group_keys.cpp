#include "group_keys.h"
#include <string>
#include "path_text.h"
#include "shortcut_names.h"

namespace installer {

GroupKeys evaluateGroupKeys(ScriptFile& script, const char* section, GroupCheck* check) {
    *check = GroupCheck();
    if (!script.hasKey(section, "Group") || !script.hasKey(section, "GroupIcon1")) return GroupKeys::Ok;
    std::string group, folder;
    script.getString(section, "Group", &group);
    if (hasForbiddenGroupCharacter(group.c_str())) return GroupKeys::BadGroupName;
    script.getString(section, "GroupFolder", &folder);
    if (hasForbiddenGroupCharacter(folder.c_str())) return GroupKeys::BadGroupFolder;
    if (!common::staysInside(folder, false)) return GroupKeys::BadGroupFolder;
    // A Group key without a name gives no folder of its own.
    if (group.empty()) return GroupKeys::Ok;
    if (!common::staysInside(group, true)) return GroupKeys::BadGroupName;
    check->programMenu = true;
    check->desktop = script.hasKey(section, "ShortCut1");
    return GroupKeys::Ok;
}

}  // namespace installer
