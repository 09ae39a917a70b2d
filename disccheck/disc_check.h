// Checks one disc folder the way its programs will read it: MENU.INI and
// MENU.DAT through the menu's own readers, then every name on the disc.
#pragma once
#include <string>

#include "findings.h"

namespace disccheck {

// `folder` is the disc folder's full path (with or without a trailing
// backslash). Findings name files relative to it.
void checkDisc(const std::string& folder, Findings& out);

}  // namespace disccheck
