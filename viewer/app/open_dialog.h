// The open dialog of commands 4 and 6: the common open-file dialog with an
// added character-code choice (template 149).
#pragma once
#include <windows.h>
#include <string>

namespace viewer {

struct OpenChoice {
    std::string path;        // full path of the chosen (maybe new) file
    unsigned char code = 0;  // the code chosen in the added combo box
};

// Shows the dialog for command 4 or 6, starting in folder (empty: the
// current folder). False when cancelled or failed (a failure was shown).
bool runOpenDialog(HWND owner, unsigned command, const std::string& folder, OpenChoice* choice);

}  // namespace viewer
