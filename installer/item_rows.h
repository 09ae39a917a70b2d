// The rows of the item list and their ordering.
#pragma once
#include <string>
#include <vector>

namespace installer {

class ScriptFile;

struct ItemRow {
    std::string title;    // ProductName, at most 255 bytes
    std::string mode;     // Mode, at most 15 bytes, default "Install"
    std::string section;  // the whole section name (the list shows at most 63 bytes of it)
};

const size_t kRowTitleBytes = 255;
const size_t kRowModeBytes = 15;
const size_t kRowSectionShown = 63;

// One row per section with a non-empty ProductName, in file order.
std::vector<ItemRow> itemRows(ScriptFile& script);
// Sorts by column (0 title, 1 mode, 2 section) and then by the remaining
// ones: title, section, mode / mode, title, section / section, title, mode.
void sortRows(std::vector<ItemRow>& rows, int column, bool descending);

}  // namespace installer
