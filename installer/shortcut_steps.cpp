#include "shortcut_steps.h"
#include "installer_messages.h"
#include "texts.h"
#include "sjis.h"
#include "text_format.h"

bool hasForbiddenGroupCharacter(const char* s) {
    for (const char* c = "\":;/?*<>|"; *c; c++)
        if (common::findChar(s, *c)) return true;
    return false;
}

GroupKeys evaluateGroupKeys(ScriptFile& script, const char* section, GroupCheck* check) {
    *check = GroupCheck();
    if (!script.hasKey(section, "Group") || !script.hasKey(section, "GroupIcon1")) return GroupKeys::Ok;
    std::string group, folder;
    script.getString(section, "Group", &group);
    if (hasForbiddenGroupCharacter(group.c_str())) return GroupKeys::BadGroupName;
    script.getString(section, "GroupFolder", &folder);
    if (hasForbiddenGroupCharacter(folder.c_str())) return GroupKeys::BadGroupFolder;
    // A Group key without a name gives no folder of its own.
    if (group.empty()) return GroupKeys::Ok;
    check->programMenu = true;
    check->desktop = script.hasKey(section, "ShortCut1");
    return GroupKeys::Ok;
}

bool checkGroupKeys(InstallerContext& ctx, GroupCheck* check) {
    const char* section = ctx.section.c_str();
    GroupKeys r = evaluateGroupKeys(ctx.script, section, check);
    if (r == GroupKeys::Ok) return true;
    std::string title = common::formatText(texts::kTitleGroupError, section);
    errorBox(title.c_str(), "%s",
             r == GroupKeys::BadGroupName ? texts::kGroupNameBad : texts::kGroupFolderBad);
    return false;
}

// The links themselves are written by the shell-link layer; until it is
// present no shortcut is made and no group folder is offered.
bool createShortcuts(InstallerContext&, bool, bool, std::string* groupFolder) {
    groupFolder->clear();
    return true;
}
