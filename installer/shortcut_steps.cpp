#include "shortcut_steps.h"
#include "message_box.h"
#include "text_util.h"
#include "texts.h"

namespace {

// Characters a folder name cannot hold; second bytes of double-byte
// characters never match.
bool hasForbidden(const char* s) {
    for (const char* c = "\\\":;/?*<>|"; *c; c++)
        if (text::findFirst(s, *c)) return true;
    return false;
}

} // namespace

bool checkGroupKeys(InstallerContext& ctx, GroupCheck* check) {
    const char* section = ctx.section.c_str();
    *check = GroupCheck();
    if (!ctx.script.hasKey(section, "Group") && !ctx.script.hasKey(section, "GroupIcon1")) return true;
    std::string title = text::format(texts::kTitleGroupError, section);
    std::string group, folder;
    ctx.script.getString(section, "Group", &group);
    if (hasForbidden(group.c_str())) {
        errorBox(title.c_str(), "%s", texts::kGroupNameBad);
        return false;
    }
    ctx.script.getString(section, "GroupFolder", &folder);
    if (hasForbidden(folder.c_str())) {
        errorBox(title.c_str(), "%s", texts::kGroupFolderBad);
        return false;
    }
    check->programMenu = true;
    check->desktop = ctx.script.hasKey(section, "ShortCut1");
    return true;
}

// The links themselves are written by the shell-link layer; until it is
// present no shortcut is made and no group folder is offered.
bool createShortcuts(InstallerContext&, bool, bool, std::string* groupFolder) {
    groupFolder->clear();
    return true;
}
