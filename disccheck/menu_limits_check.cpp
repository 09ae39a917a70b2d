#include "menu_limits_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "check_texts.h"
#include "command_list.h"
#include "disc_check.h"
#include "file_system.h"
#include "ini_lines.h"
#include "text_format.h"
#include "menu_config.h"
#include "menu_data.h"
#include "menu_texts.h"
#include "profile.h"
#include "sjis.h"
#include "value_syntax.h"

namespace disccheck {

namespace {

const char* const kButtonSections[] = {"BUTTON.Exit", "BUTTON.Info", "BUTTON.TAB", "BUTTON.Execute",
                                       "BUTTON.MENU"};
const char* const kStyleNames[] = {"Normal", "Activate", "Select", "Disable"};
// Large enough for any line of a profile file, so that the true length of
// a value the menu reads into a smaller buffer can be measured.
const int kWholeValueSize = 4096;

std::string numbered(const char* stem, int n) { return common::formatText("%s%d", stem, n); }

// The number of a key "<stem><digits>" (stem in any case, as the profile
// functions compare), 0 for any other key. A number with a leading zero
// ("Page02") is never asked for by the menu and counts as another key.
int keyNumber(const std::string& key, const char* stem) {
    size_t n = std::strlen(stem);
    if (key.size() <= n || !common::equalsNoCase(key.c_str(), n, stem)) return 0;
    if (key[n] == '0' || key.size() - n > 6) return 0;
    for (size_t i = n; i < key.size(); ++i)
        if (key[i] < '0' || key[i] > '9') return 0;
    return std::atoi(key.c_str() + n);
}

// Numbered keys are read up to the first one missing or empty (`counted`
// were read): a key with a larger number and a value is never read. Reports
// the first of them. The profile's current section must be `section`.
void checkGap(Findings& out, const char* file, const IniLines& lines, const common::ProfileFile& ini,
              const std::string& section, const char* stem, int counted) {
    int first = 0;
    for (const std::string& key : lines.keys(section)) {
        int n = keyNumber(key, stem);
        if (n > counted + 1 && (first == 0 || n < first) && ini.hasValue(numbered(stem, n).c_str()))
            first = n;
    }
    if (first == 0) return;
    std::string key = numbered(stem, first);
    out.add(file, lines.key(section, key), false,
            common::formatText(checktext::kAfterGap, key.c_str(), numbered(stem, counted + 1).c_str()));
}

// A value longer than the menu's buffer holds is cut without a word.
void checkLength(Findings& out, const IniLines& lines, const common::ProfileFile& data,
                 const std::string& section, const std::string& key, int bufferSize) {
    std::vector<char> value(kWholeValueSize);
    data.readString(section.c_str(), key.c_str(), value.data(), kWholeValueSize);
    int length = static_cast<int>(std::strlen(value.data()));
    if (length > bufferSize - 1)
        out.add("MENU.DAT", lines.key(section, key), false,
                common::formatText(checktext::kValueCut, key.c_str(), length, bufferSize - 1));
}

bool firstTime(std::vector<std::string>& done, const char* section) {
    for (const std::string& s : done)
        if (common::equalsNoCase(s.c_str(), section)) return false;
    done.push_back(section);
    return true;
}

// The menu's own reading of MENU.INI beside the menu program.
void locateMenuIni(const std::string& folder, common::ProfileFile& ini) {
    ini.locateFrom((folder + "Ostrel.exe").c_str(), "MENU.INI");
}

// The number of execute buttons the grid gets, as start-up makes it.
int executeButtons(const std::string& folder) {
    common::ProfileFile ini;
    locateMenuIni(folder, ini);
    menu::ExecuteDesc grid;
    ini.setSection("BUTTON.Execute");
    menu::readExecuteGrid(ini, grid);
    return grid.columns * grid.rows;
}

int pageMenuButtons(const std::string& folder) {
    common::ProfileFile ini;
    locateMenuIni(folder, ini);
    return menu::countMenuButtons(ini);
}

// Every "@view" document of an entry's command list: the document window
// opens nothing when the file is missing; one found only under another case
// is warned about as the other references are.
void checkViewDocuments(Findings& out, const std::string& folder, menu::MenuData& data, int line,
                        const char* list) {
    menu::commands::PendingList pending;
    pending.assign(list);
    char command[menu::commands::kCommandSize];
    while (pending.takeNext(command, sizeof command)) {
        if (menu::commands::kindOf(command) != menu::commands::Kind::View) continue;
        char name[menu::commands::kCommandSize];
        menu::commands::viewFileName(command, name, sizeof name);
        if (!name[0]) continue;
        char path[common::PathName::kPathSize];
        data.resolve(name, path, sizeof path);
        if (common::isExistingFile(path)) {
            checkNameCase(folder, out, "MENU.DAT", line, path);
            continue;
        }
        std::string shown = path;
        if (shown.size() >= folder.size() &&
            common::equalsNoCase(shown.c_str(), folder.size(), folder.c_str()))
            shown = shown.substr(folder.size());
        out.add("MENU.DAT", line, true, common::formatText(checktext::kMissingFile, shown.c_str()));
    }
}

}  // namespace

void checkMenuIniLimits(const std::string& folder, Findings& out) {
    std::string path = folder + "MENU.INI";
    if (!common::isExistingFile(path.c_str())) return;
    IniLines lines(readWholeFile(path));
    common::ProfileFile ini;
    locateMenuIni(folder, ini);
    menu::MenuConfig config;
    menu::readOstrelSection(ini, config);

    // Every grid button shares the execute picture: without one start-up
    // ends with the menu's box about a missing button image. A named file
    // that is missing is reported with the other button reads.
    menu::ExecuteDesc execute;
    char message[menu::kMessageSize];
    if (menu::readButtonDesc(ini, config, "BUTTON.Execute", 0, execute, message, sizeof message) &&
        !execute.bitmapPath[0])
        out.add("MENU.INI", lines.key("BUTTON.Execute", "Bitmap"), true,
                common::formatText(menu::configtext::kMissingButtonImage, "BUTTON.Execute", "Bitmap", ""));

    // A negative height passes the reader unchanged and selects no font.
    char key[40];
    char value[64];
    for (const char* section : kButtonSections) {
        for (const char* style : kStyleNames) {
            std::snprintf(key, sizeof key, "FontSize.%s", style);
            ini.readString(section, key, value, sizeof value);
            long written = menu::values::parseDecimal(value);
            if (menu::values::clampFontSize(written) < 0)
                out.add("MENU.INI", lines.key(section, key), false,
                        common::formatText(checktext::kNegativeFontSize, key, written));
        }
    }

    int buttons = menu::countMenuButtons(ini);
    checkGap(out, "MENU.INI", lines, ini, "BUTTON.MENU", "BitMap", buttons);
}

void checkMenuDatLimits(const std::string& folder, Findings& out) {
    std::string path = folder + "MENU.DAT";
    if (!common::isExistingFile(path.c_str())) return;
    IniLines lines(readWholeFile(path));
    menu::MenuData data;
    data.locate(nullptr, path.c_str());
    // Only the menu's reading is wanted here; its reference checks run elsewhere.
    data.checkFiles = false;
    data.setWarningSink(nullptr);
    common::ProfileFile& file = data.file();
    int pageButtons = pageMenuButtons(folder);
    int executeCount = executeButtons(folder);

    int pages = data.loadPages();
    file.setSection("MENU");
    checkGap(out, "MENU.DAT", lines, file, "MENU", "Page", pages);
    std::vector<std::string> donePages, doneEntries;
    for (int p = 0; p < pages; ++p) {
        std::string page = data.pages.sections[p];
        if (!lines.section(page) || !firstTime(donePages, page.c_str())) continue;
        checkLength(out, lines, file, page, "Title", menu::NamedList::kTextSize);
        int entries = data.loadEntries(p);
        file.setSection(page.c_str());
        checkGap(out, "MENU.DAT", lines, file, page, "Menu", entries);
        if (pageButtons > 0 && entries > pageButtons) {
            std::string key = numbered("Menu", pageButtons + 1);
            out.add("MENU.DAT", lines.key(page, key), false,
                    common::formatText(checktext::kHiddenEntries, key.c_str(), pageButtons));
        }
        for (int e = 0; e < entries; ++e) {
            std::string entry = data.entries.sections[e];
            if (!lines.section(entry) || !firstTime(doneEntries, entry.c_str())) continue;
            checkLength(out, lines, file, entry, "Title", menu::NamedList::kTextSize);
            checkLength(out, lines, file, entry, "Text", menu::MenuData::kValueSize);
            int commands = data.loadCommands(e);
            file.setSection(entry.c_str());
            checkGap(out, "MENU.DAT", lines, file, entry, "command", commands);
            if (commands > executeCount) {
                std::string key = numbered("command", executeCount + 1);
                out.add("MENU.DAT", lines.key(entry, key), false,
                        common::formatText(checktext::kHiddenCommands, key.c_str(), executeCount));
            }
            for (int i = 0; i < commands; ++i) {
                std::string key = numbered("command", i + 1);
                checkLength(out, lines, file, entry, key, menu::MenuData::kValueSize);
                // A hidden button's commands never run.
                if (i < executeCount)
                    checkViewDocuments(out, folder, data, lines.key(entry, key),
                                       data.commands.commandLists[i]);
            }
        }
    }
}

}  // namespace disccheck
