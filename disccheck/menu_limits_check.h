// The limits of the menu files that the menu meets silently: keys it never
// reads (after a gap in the numbering), entries and commands beyond its
// buttons, values it cuts, font sizes that select no font, documents of
// "@view" commands, and the execute grid's picture, without which start-up
// ends. Everything is read through the menu's own readers and constants.
#pragma once
#include <string>

#include "findings.h"

namespace disccheck {

// `folder` is the disc folder's full path, ending in a backslash.
void checkMenuIniLimits(const std::string& folder, Findings& out);
void checkMenuDatLimits(const std::string& folder, Findings& out);

}  // namespace disccheck
