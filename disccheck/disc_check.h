// Checks one disc folder the way its programs will read it: MENU.INI and
// MENU.DAT through the menu's own readers, then every name on the disc.
#pragma once
#include <string>

#include "findings.h"

namespace disccheck {

// `folder` is the disc folder's full path (with or without a trailing
// backslash). Findings name files relative to it.
void checkDisc(const std::string& folder, Findings& out);

// Warns (in `file` at `line`) when `path`, below `folder` (ending in a
// backslash), exists only under a name of different case: the disc's file
// system finds it, a copy on a case-sensitive one would not. Paths outside
// the folder and missing names are left alone.
void checkNameCase(const std::string& folder, Findings& out, const std::string& file, int line,
                   const std::string& path);

}  // namespace disccheck
