#include "item_rows.h"
#include "script_file.h"
#include "texts.h"
#include "sjis.h"
#include <algorithm>

namespace installer {

static std::string cut(const std::string& s, size_t max) {
    return s.substr(0, common::boundedLength(s.data(), s.size(), max));
}

std::vector<ItemRow> itemRows(ScriptFile& script) {
    std::vector<ItemRow> rows;
    for (const std::string& name : script.sectionNames()) {
        std::string title;
        if (!script.getString(name.c_str(), "ProductName", &title)) continue;
        ItemRow r;
        r.title = cut(title, kRowTitleBytes);
        if (!script.getString(name.c_str(), "Mode", &r.mode)) r.mode = texts::kDefaultMode;
        r.mode = cut(r.mode, kRowModeBytes);
        r.section = name;
        rows.push_back(r);
    }
    return rows;
}

void sortRows(std::vector<ItemRow>& rows, int column, bool descending) {
    static const int kOrder[3][3] = {{0, 2, 1}, {1, 0, 2}, {2, 0, 1}};
    if (column < 0 || column > 2) return;
    const int* order = kOrder[column];
    auto field = [](const ItemRow& r, int c) -> const std::string& {
        return c == 0 ? r.title : c == 1 ? r.mode : r.section;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ItemRow& a, const ItemRow& b) {
        for (int i = 0; i < 3; i++) {
            int c = common::compareNoCase(field(a, order[i]).c_str(), field(b, order[i]).c_str());
            if (c != 0) return descending ? c > 0 : c < 0;
        }
        return false;
    });
}

}  // namespace installer
