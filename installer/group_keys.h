// The Group and GroupFolder keys of a copy section judged from the script
// alone: the installer acts on the verdict, the disc checker reports it.
#pragma once
#include "script_file.h"

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

}  // namespace installer
