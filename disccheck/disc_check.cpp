#include "disc_check.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>
#include <cstdio>
#include <cstring>

#include "check_texts.h"
#include "file_system.h"
#include "ini_lines.h"
#include "text_format.h"
#include "menu_config.h"
#include "path_text.h"
#include "picture_check.h"
#include "menu_data.h"
#include "menu_limits_check.h"
#include "menu_texts.h"
#include "profile.h"
#include "sjis.h"
#include "talinst_check.h"
#include "value_syntax.h"

namespace disccheck {

namespace {

const char* const kStyleNames[] = {"Normal", "Activate", "Select", "Disable"};

struct Context {
    std::string folder;  // ends in a backslash
    Findings& out;

    // A path below the disc folder relative to it; other paths unchanged.
    std::string relative(const std::string& path) const {
        if (path.size() >= folder.size() && common::equalsNoCase(path.c_str(), folder.size(), folder.c_str()))
            return path.substr(folder.size());
        return path;
    }
    // The menu's messages carry full paths: the disc folder is cut out of
    // them so that a report reads the same wherever the disc lies.
    std::string relativeText(const std::string& text) const {
        std::string result;
        const char* p = text.c_str();
        while (*p) {
            if (common::equalsNoCase(p, std::min(std::strlen(p), folder.size()), folder.c_str()) &&
                std::strlen(p) >= folder.size()) {
                p += folder.size();
                continue;
            }
            const char* next = common::nextChar(p);
            result.append(p, next);
            p = next;
        }
        return result;
    }
};

// The names of the folders a check has looked into, listed once: a large
// disc names a thousand files of one folder, and under Wine every search of
// a single name in a folder that large reads the whole folder again. Only
// while a check runs (checkDisc), so a later check sees the disc anew.
class FolderListings {
public:
    // The on-disc spelling of `name` in `folder` (a path ending in a
    // backslash); false when the listing has no name of that ASCII case
    // folding (the caller then asks the file system itself, which may fold
    // more letters). A name spelled exactly as asked wins over other cases.
    bool spelling(const std::string& folder, const std::string& name, std::string* spelled) {
        const Listing& listing = listingOf(folder);
        auto at = listing.find(upper(name));
        if (at == listing.end()) return false;
        *spelled = at->second.front();
        for (const std::string& n : at->second)
            if (n == name) *spelled = n;
        return true;
    }

private:
    using Listing = std::map<std::string, std::vector<std::string>>;  // upper-cased -> as spelled
    static std::string upper(std::string s) {
        common::upperCase(&s[0]);
        return s;
    }
    const Listing& listingOf(const std::string& folder) {
        std::string key = upper(folder);
        auto at = listings_.find(key);
        if (at != listings_.end()) return at->second;
        Listing& listing = listings_[key];
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return listing;
        do {
            listing[upper(data.cFileName)].push_back(data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
        return listing;
    }
    std::map<std::string, Listing> listings_;
};
FolderListings* g_listings = nullptr;

// The name of `relative` as the disc spells it, component by component; false
// when some component does not exist.
bool spellingOnDisc(const std::string& folder, const std::string& relative, std::string* onDisc) {
    onDisc->clear();
    std::string at = folder;
    size_t start = 0;
    while (start <= relative.size()) {
        const char* base = relative.c_str();
        const char* sep = common::findChar(base + start, '\\');
        size_t end = sep ? static_cast<size_t>(sep - base) : relative.size();
        std::string part = relative.substr(start, end - start);
        std::string spelled = part;
        if (!part.empty() && part != "." && part != ".." &&
            !(g_listings && g_listings->spelling(at, part, &spelled))) {
            WIN32_FIND_DATAA data;
            HANDLE h = FindFirstFileA((at + part).c_str(), &data);
            if (h == INVALID_HANDLE_VALUE) return false;
            FindClose(h);
            spelled = data.cFileName;
        }
        if (!onDisc->empty() || start > 0) *onDisc += "\\";
        *onDisc += spelled;
        at += part + "\\";
        if (!sep) break;
        start = end + 1;
    }
    return true;
}

void checkCase(Context& c, const std::string& file, int line, const std::string& path) {
    checkNameCase(c.folder, c.out, file, line, path);
}

// A referenced file: an error in `missingFormat` (given the relative path)
// when it is missing, else the case check.
void checkReference(Context& c, const std::string& file, int line, const std::string& path,
                    const char* missingFormat = checktext::kMissingFile, bool error = true) {
    if (path.empty()) return;
    if (!common::isExistingFile(path.c_str())) {
        c.out.add(file, line, error, common::formatText(missingFormat, c.relative(path).c_str()));
        return;
    }
    checkCase(c, file, line, path);
}

// A number key the reader would change: reported with the value used.
void checkClamp(Context& c, const IniLines& lines, common::ProfileFile& ini, const char* section,
                const char* key, long used) {
    char value[64];
    ini.readString(section, key, value, sizeof value);
    if (!value[0]) return;
    long written = menu::values::parseDecimal(value);
    if (written != used)
        c.out.add("MENU.INI", lines.key(section, key), false,
                  common::formatText(checktext::kClamped, key, written, used));
}

void checkButton(Context& c, const IniLines& lines, common::ProfileFile& ini, const menu::MenuConfig& config,
                 const char* section, int number) {
    menu::ButtonDesc desc;
    char message[menu::kMessageSize];
    char bitmapKey[40];
    std::snprintf(bitmapKey, sizeof bitmapKey, number > 0 ? "Bitmap%d" : "Bitmap", number);
    if (!menu::readButtonDesc(ini, config, section, number, desc, message, sizeof message)) {
        bool bitmapMissing = desc.bitmapPath[0] && !common::isExistingFile(desc.bitmapPath);
        c.out.add("MENU.INI", lines.key(section, bitmapMissing ? bitmapKey : "Sound"), true,
                  c.relativeText(message));
        return;
    }
    checkCase(c, "MENU.INI", lines.key(section, bitmapKey), desc.bitmapPath);
    // Exit and execute buttons show normal and lit frames, Info adds a
    // disabled one, page-menu buttons a selected one; the tab row is whole.
    int frames = std::strcmp(section, "BUTTON.TAB") == 0                                                ? 0
                 : std::strcmp(section, "BUTTON.Info") == 0 || std::strcmp(section, "BUTTON.MENU") == 0 ? 3
                                                                                                        : 2;
    checkPicture(desc.bitmapPath, c.relative(desc.bitmapPath), frames, "MENU.INI",
                 lines.key(section, bitmapKey), c.out);
    checkCase(c, "MENU.INI", lines.key(section, "Sound"), desc.soundPath);
    if (number > 1) return;  // the page-menu buttons share one section's styles
    char key[40];
    for (int s = 0; s < menu::StyleCount; ++s) {
        std::snprintf(key, sizeof key, "FontSize.%s", kStyleNames[s]);
        checkClamp(c, lines, ini, section, key, desc.styles[s].fontSize);
    }
}

void checkMenuIni(Context& c, std::string* caption) {
    std::string path = c.folder + "MENU.INI";
    if (!common::isExistingFile(path.c_str())) return;
    IniLines lines(readWholeFile(path));
    common::ProfileFile ini;
    ini.locateFrom((c.folder + "Ostrel.exe").c_str(), "MENU.INI");
    menu::MenuConfig config;
    menu::readOstrelSection(ini, config);
    *caption = config.caption;
    checkReference(c, "MENU.INI", lines.key("OSTREL", "BackGround"), config.backgroundPath,
                   menu::menutext::kMissingBackground);
    checkPicture(config.backgroundPath, c.relative(config.backgroundPath), 0, "MENU.INI",
                 lines.key("OSTREL", "BackGround"), c.out);
    // Without `StdSound` the menu looks for "Click.wav" and clicks silently
    // when there is none: a warning only, as the author named no file.
    char named[8];
    ini.readString("OSTREL", "StdSound", named, sizeof named);
    checkReference(c, "MENU.INI", lines.key("OSTREL", "StdSound"), config.stdSoundPath,
                   checktext::kMissingFile, named[0] != '\0');

    const char* const fixed[] = {"BUTTON.Exit", "BUTTON.Info", "BUTTON.TAB", "BUTTON.Execute"};
    for (const char* section : fixed) checkButton(c, lines, ini, config, section, 0);
    ini.setSection("BUTTON.MENU");
    int count = 0;
    for (;; ++count) {
        char key[40];
        std::snprintf(key, sizeof key, "BitMap%d", count + 1);
        if (!ini.hasValue(key)) break;
    }
    if (count == 0)
        c.out.add("MENU.INI", lines.section("BUTTON.MENU"), true, menu::configtext::kNoMenuButtons);
    for (int i = 1; i <= count; ++i) checkButton(c, lines, ini, config, "BUTTON.MENU", i);

    // The grid's own limits are the reader's: a full read tells what it made
    // of `Column` and `Row` (possible only when every section reads).
    menu::MenuConfig whole;
    menu::readOstrelSection(ini, whole);
    char message[menu::kMessageSize];
    if (menu::readButtonSections(ini, whole, message, sizeof message) && whole.execute) {
        checkClamp(c, lines, ini, "BUTTON.Execute", "Column", whole.execute->columns);
        checkClamp(c, lines, ini, "BUTTON.Execute", "Row", whole.execute->rows);
    }
}

// The menu reports the references of an entry in one box; the checker
// collects that box's text instead of showing it.
std::string* g_warningText = nullptr;
void collectWarning(HWND, const char*, const char* text) {
    if (g_warningText) *g_warningText = text;
}

// Every quoted program path of a built command list.
void checkCommandCase(Context& c, int line, const char* list) {
    for (const char* p = list; (p = common::findChar(p, '"'));) {
        const char* end = common::findChar(p + 1, '"');
        if (!end) return;
        checkCase(c, "MENU.DAT", line, std::string(p + 1, end));
        p = end + 1;
    }
}

void checkMenuDat(Context& c, const std::string& caption, std::vector<MenuCommandList>* lists) {
    std::string path = c.folder + "MENU.DAT";
    if (!common::isExistingFile(path.c_str())) return;
    IniLines lines(readWholeFile(path));
    menu::MenuData data;
    data.locate(nullptr, path.c_str());
    data.checkFiles = true;  // the disc is checked whether its file is read-only or not
    // The lists hold full paths: measured as on the pressed disc, where the
    // disc folder is a drive's root, wherever the copy checked here lies.
    data.measureAsDiscRoot(c.folder.c_str());
    data.setOwner(nullptr, caption.c_str());
    std::string warning;
    g_warningText = &warning;
    data.setWarningSink(collectWarning);

    char file[common::PathName::kPathSize];
    data.startImagePath(file, sizeof file);
    checkReference(c, "MENU.DAT", lines.key("MENU", "Bmp1"), file);
    checkPicture(file, c.relative(file), 0, "MENU.DAT", lines.key("MENU", "Bmp1"), c.out);
    data.movieFile(file, sizeof file);
    checkReference(c, "MENU.DAT", lines.key("MENU", "AVIFILE"), file);

    int pages = data.loadPages();
    for (int p = 0; p < pages; ++p) {
        std::string page = data.pages.sections[p];
        if (!lines.section(page)) {
            c.out.add("MENU.DAT", lines.key("MENU", common::formatText("Page%d", p + 1)), false,
                      common::formatText(checktext::kNoSection, page.c_str()));
            continue;
        }
        int entries = data.loadEntries(p);
        for (int e = 0; e < entries; ++e) {
            std::string entry = data.entries.sections[e];
            int line = lines.section(entry);
            if (!line) {
                c.out.add("MENU.DAT", lines.key(page, common::formatText("Menu%d", e + 1)), false,
                          common::formatText(checktext::kNoSection, entry.c_str()));
                continue;
            }
            warning.clear();
            int commands = data.loadCommands(e);
            if (!warning.empty()) c.out.add("MENU.DAT", line, true, c.relativeText(warning));
            for (int i = 0; i < commands; ++i) {
                int commandLine = lines.key(entry, common::formatText("command%d", i + 1));
                checkCommandCase(c, commandLine, data.commands.commandLists[i]);
                if (lists) lists->push_back(MenuCommandList{commandLine, data.commands.commandLists[i]});
            }
            checkCase(c, "MENU.DAT", lines.key(entry, "Text"), data.popupTextPath);
            // A popup text's folder link is opened by the document window's
            // button: a missing folder leaves the button opening nothing.
            // Without the text the window, and so the link, never shows.
            if (data.hasPopupText && data.popupLink[0] && !data.linkIsWebAddress) {
                if (!common::isExistingFolder(data.popupLink))
                    c.out.add(
                        "MENU.DAT", lines.key(entry, "Text"), true,
                        common::formatText(checktext::kMissingFolder, c.relative(data.popupLink).c_str()));
                else
                    checkCase(c, "MENU.DAT", lines.key(entry, "Text"), data.popupLink);
            }
            checkCase(c, "MENU.DAT", lines.key(entry, "Bmp1"), data.displayImagePath);
            checkPicture(data.displayImagePath, c.relative(data.displayImagePath), 0, "MENU.DAT",
                         lines.key(entry, "Bmp1"), c.out);
        }
    }
    g_warningText = nullptr;
}

// Every name below the folder, in a fixed order: one the disc's Shift-JIS
// programs cannot spell, or one longer than a Joliet disc holds.
void checkNames(Context& c, const std::wstring& folder, const std::string& prefix) {
    std::vector<WIN32_FIND_DATAW> found;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (std::wcscmp(data.cFileName, L".") && std::wcscmp(data.cFileName, L"..")) found.push_back(data);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    std::sort(found.begin(), found.end(), [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) {
        return std::wcscmp(a.cFileName, b.cFileName) < 0;
    });
    for (const WIN32_FIND_DATAW& f : found) {
        char name[MAX_PATH * 2];
        BOOL lost = FALSE;
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, f.cFileName, -1, name, sizeof name, "?", &lost);
        std::string rel = prefix + name;
        if (lost) c.out.add(rel, 0, true, common::formatText(checktext::kNotCp932, name));
        // Joliet counts UTF-16 units; the native build's wide characters
        // are whole code points, and one beyond U+FFFF takes two units.
        int length = 0;
        for (const wchar_t* w = f.cFileName; *w; ++w)
            length += sizeof(wchar_t) > 2 && static_cast<unsigned long>(*w) > 0xFFFF ? 2 : 1;
        if (length > 64) c.out.add(rel, 0, true, common::formatText(checktext::kTooLong, name, length));
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            checkNames(c, folder + L"\\" + f.cFileName, rel + "\\");
    }
}

}  // namespace

void checkNameCase(const std::string& folder, Findings& out, const std::string& file, int line,
                   const std::string& path) {
    if (path.empty()) return;
    Context c{folder, out};
    std::string rel = c.relative(path);
    if (rel == path) return;
    std::string onDisc;
    if (spellingOnDisc(c.folder, rel, &onDisc) && onDisc != rel)
        c.out.add(file, line, false, common::formatText(checktext::kOtherCase, rel.c_str(), onDisc.c_str()));
}

void checkDisc(const std::string& folder, Findings& out) {
    // The menu's readers ask MENU.INI and MENU.DAT a question per key, about
    // 12,500 for a disc of 1,000 entries: answered from one read of each
    // file instead of a system call each (3 ms apiece under Wine). The
    // line scans read the same copies.
    common::ProfileFile::FilesReadOnce readOnce;
    FolderListings listings;
    g_listings = &listings;
    PictureResults pictures;
    struct Reset {
        ~Reset() { g_listings = nullptr; }
    } reset;
    Context c{folder, out};
    if (c.folder.empty() || !common::endsWithSeparator(c.folder)) c.folder += '\\';
    std::string caption;
    checkMenuIni(c, &caption);
    checkMenuIniLimits(c.folder, out);
    out.sortLinesFrom(0);
    size_t first = out.all().size();
    std::vector<MenuCommandList> lists;
    checkMenuDat(c, caption, &lists);
    checkMenuDatLimits(c.folder, out);
    // The installer's sections the menu starts are checked with the script;
    // what is wrong with a command itself stays among MENU.DAT's findings.
    Findings menuDat, script;
    checkTalinst(
        c.folder, lists, [&c](const std::string& text) { return c.relativeText(text); }, menuDat, script);
    for (const Finding& f : menuDat.all()) out.add(f.file, f.line, f.error, f.text);
    out.sortLinesFrom(first);
    for (const Finding& f : script.all()) out.add(f.file, f.line, f.error, f.text);
    wchar_t wide[MAX_PATH * 2];
    std::string bare = c.folder.substr(0, c.folder.size() - 1);
    if (MultiByteToWideChar(CP_ACP, 0, bare.c_str(), -1, wide, MAX_PATH * 2)) checkNames(c, wide, "");
}

}  // namespace disccheck
