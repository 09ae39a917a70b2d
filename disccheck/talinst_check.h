// Checks the installer's script TALINST.INI the way the installer will read
// it: through its own reader, folder rules, file list, archive keys and
// archiver libraries, its shortcut and follow-up rules. Every section must
// be reachable from the menu, the item list or a selection menu.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "findings.h"

namespace disccheck {

// One command list of MENU.DAT as the menu built it, and its line.
struct MenuCommandList {
    int line = 0;
    std::string list;
};

// folder: the disc folder, ending in a backslash. commands: every command
// list of MENU.DAT (the installer's sections the menu starts). relativeText
// cuts the disc folder out of a text that names full paths. Findings about
// the menu's commands go to menuDat (they belong among MENU.DAT's), those
// about the script to out, in line order.
void checkTalinst(const std::string& folder, const std::vector<MenuCommandList>& commands,
                  const std::function<std::string(const std::string&)>& relativeText, Findings& menuDat,
                  Findings& out);

}  // namespace disccheck
