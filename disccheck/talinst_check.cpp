#include "talinst_check.h"

#include <memory>
#include <set>

#include "archive_library.h"
#include "archive_names.h"
#include "archive_lookup.h"
#include "check_texts.h"
#include "command_line.h"
#include "command_list.h"
#include "entry_name.h"
#include "file_list.h"
#include "file_system.h"
#include "folder_rules.h"
#include "ini_lines.h"
#include "installer_command.h"
#include "item_rows.h"
#include "last_move.h"
#include "path_macros.h"
#include "path_name.h"
#include "path_text.h"
#include "script_file.h"
#include "value_syntax.h"
#include "section_texts.h"
#include "shortcut_names.h"
#include "group_keys.h"
#include "sjis.h"
#include "text_format.h"
#include "texts.h"

namespace disccheck {

namespace {

namespace itext = installer::texts;

const char* const kScript = "TALINST.INI";
const char* const kProgram = "Talinst.exe";
const int kMaxNumberedKey = 98;
const size_t kIconValueBytes = 128;  // as the installer reads GroupIcon
const size_t kLastExecValueBytes = installer::kLastExecBytes + 1;

// The folders the macros stand for on the user's system are unknown when the
// disc is checked; these typical ones keep the report the same on every
// machine and still catch values that grow too long. $INI reads nothing.
class DiscMacros : public installer::MacroSource {
public:
    std::string windowsFolder() const override { return "C:\\WINDOWS"; }
    std::string systemFolder() const override { return "C:\\WINDOWS\\system32"; }
    std::string programFilesFolder() const override { return "C:\\Program Files"; }
    std::string tempFolder() const override { return "C:\\WINDOWS\\TEMP\\"; }
    std::string documentsFolder() const override { return "C:\\My Documents"; }
    std::string profileString(const std::string&, const std::string&, const std::string&) const override {
        return std::string();
    }
};

bool folderPartExists(const char* path) {
    common::PathName p(path);
    return p.folderExists();
}

// The files a section puts below its destination folder, relative to it.
// Incomplete when an archive could not be looked into: nothing is then
// reported missing from it.
struct InstalledFiles {
    std::vector<std::string> files;
    bool complete = true;

    void add(const std::string& relative) {
        std::string name = relative;
        for (char* p = &name[0]; *p; p = common::nextChar(p))
            if (*p == '/') *p = '\\';
        while (!name.empty() && name[0] == '\\') name.erase(0, 1);
        files.push_back(name);
    }
    // A file of that name, or (folder) a folder holding installed files.
    bool has(const std::string& relative, bool folder) const {
        std::string name = relative;
        while (name.size() > 2 && name.compare(0, 2, ".\\") == 0) name.erase(0, 2);
        for (const std::string& f : files) {
            if (common::equalsNoCase(f.c_str(), name.c_str())) return true;
            if (folder && f.size() > name.size() &&
                common::equalsNoCase(f.c_str(), name.size(), name.c_str()) && f[name.size()] == '\\')
                return true;
        }
        return false;
    }
    // True when the file search of the installed folder would find a match
    // of the pattern (wildcards in its last part only): a file, or a folder
    // holding installed files. "*.*" ends match names without a dot too, as
    // the file search takes them.
    bool matches(const std::string& pattern) const {
        std::string name = pattern;
        while (name.size() > 2 && name.compare(0, 2, ".\\") == 0) name.erase(0, 2);
        const char* slash = common::findLastChar(name.c_str(), '\\');
        size_t folderLength = slash ? static_cast<size_t>(slash - name.c_str()) + 1 : 0;
        std::string folder = name.substr(0, folderLength);
        std::string last = name.substr(folderLength);
        std::string bare = last.size() > 2 && last.compare(last.size() - 2, 2, ".*") == 0
                               ? last.substr(0, last.size() - 2)
                               : last;
        for (const std::string& f : files) {
            if (f.size() <= folderLength || !common::equalsNoCase(f.c_str(), folderLength, folder.c_str()))
                continue;
            std::string below = f.substr(folderLength);
            const char* step = common::findChar(below.c_str(), '\\');
            std::string first = step ? below.substr(0, static_cast<size_t>(step - below.c_str())) : below;
            if (matchName(last, first, false, true) ||
                (bare != last && !common::findChar(first.c_str(), '.') &&
                 matchName(bare, first, false, true)))
                return true;
        }
        return false;
    }
};

enum class Listing { Listed, NotArchive, NoLibrary, Broken };

// The items of an archive, read with the archiver library the installer
// would use; *text the library's message when it fails.
Listing listArchive(const std::string& path, std::vector<std::string>* names, std::string* text) {
    installer::ArchiveLibrary& lib = installer::ArchiveLibrary::instance();
    names->clear();
    lib.text.clear();
    if (!lib.bind(path.c_str())) {
        *text = lib.text;
        return lib.text.empty() ? Listing::NotArchive : Listing::NoLibrary;
    }
    if (!lib.open(nullptr, path.c_str(), 0)) {
        *text = lib.text;
        return Listing::Broken;
    }
    ArcItemInfo info = {};
    for (bool more = lib.findFirst("*", &info); more; more = lib.findNext(&info))
        if (!(info.attributes & FILE_ATTRIBUTE_DIRECTORY)) names->push_back(info.fileName);
    lib.close();
    return Listing::Listed;
}

class TalinstCheck {
public:
    TalinstCheck(const std::string& folder,
                 const std::function<std::string(const std::string&)>& relativeText, Findings& out)
        : folder_(folder), relativeText_(relativeText), out_(out) {}

    bool load() {
        std::string path = folder_ + kScript;
        if (!common::isExistingFile(path)) return false;
        // Read once through the file calls every other disc file goes
        // through, so that the script and its line numbers are the same bytes
        // (and a disc mounted by the native build is read at all).
        std::string bytes = readWholeFile(path);
        script_.loadText(bytes.data(), bytes.size());
        lines_.reset(new IniLines(bytes));
        return true;
    }

    void checkMenuCommands(const std::vector<MenuCommandList>& commands, Findings& menuDat);
    void checkSections();

private:
    void add(int line, bool error, const std::string& text) {
        out_.add(kScript, line, error, relativeText_(text));
    }
    int keyLine(const std::string& section, const std::string& key) { return lines_->key(section, key); }
    void reach(const std::string& section);
    void checkSelection(const std::string& section);
    void checkSection(const std::string& section);
    void checkSetupArchive(const std::string& section, const std::string& sourceBase, std::string* archive);
    void checkArchives(const std::string& section, const std::string& sourceBase, InstalledFiles* installed,
                       std::string* firstArchive);
    void checkCopies(const std::string& section, const std::string& sourceBase, InstalledFiles* installed);
    void checkShortcuts(const std::string& section, const InstalledFiles& installed);
    void checkFollowUps(const std::string& section, const std::string& destination,
                        const InstalledFiles& installed);
    void checkDocument(const std::string& section, const std::string& archive);
    void checkMacro(int line, const char* key, const std::string& value, const std::string& expanded) {
        if (common::findChar(expanded.c_str(), '$'))
            add(line, false, common::formatText(checktext::kUnknownMacro, key, value.c_str()));
    }

    std::string folder_;
    const std::function<std::string(const std::string&)>& relativeText_;
    Findings& out_;
    installer::ScriptFile script_;
    std::unique_ptr<IniLines> lines_;
    DiscMacros macros_;
    std::set<std::string> reached_;  // upper-cased section names
};

std::string upper(const std::string& s) {
    std::string u = s;
    if (!u.empty()) common::upperCase(&u[0]);
    return u;
}

void TalinstCheck::reach(const std::string& section) { reached_.insert(upper(section)); }

void TalinstCheck::checkMenuCommands(const std::vector<MenuCommandList>& commands, Findings& menuDat) {
    for (const MenuCommandList& c : commands) {
        menu::commands::PendingList pending;
        pending.assign(c.list.c_str());
        char command[menu::commands::kCommandSize];
        while (pending.takeNext(command, sizeof command)) {
            if (menu::commands::kindOf(command) != menu::commands::Kind::Program) continue;
            char program[menu::commands::kCommandSize], parameters[menu::commands::kCommandSize];
            menu::values::splitCommandLine(command, program, sizeof program, parameters, sizeof parameters);
            if (!common::equalsNoCase(common::fileNamePart(program), kProgram)) continue;
            installer::CommandLine line = installer::parseCommandLine(parameters, common::isExistingFile);
            if (line.kind != installer::CommandLine::Section) continue;
            if (line.badOption) {
                menuDat.add("MENU.DAT", c.line, true,
                            common::formatText(itext::kBadOption, line.option.c_str()));
                continue;
            }
            if (!script_.hasSection(line.section.c_str())) {
                menuDat.add("MENU.DAT", c.line, true,
                            common::formatText(itext::kSectionMissing, line.section.c_str(), kScript));
                continue;
            }
            reach(line.section);
        }
    }
}

// A selection section is a way in of its own (the menu or a shortcut starts
// it by name): the sections it offers are reachable, it is never reported.
void TalinstCheck::checkSelection(const std::string& section) {
    const char* s = section.c_str();
    // Caption n takes the window's texts from [Talinst] where the section
    // has none of its own; a missing one leaves the text empty.
    int n = script_.getInt(s, "Caption");
    for (const char* key : {"TitleBarCaption", "DialogCaption"}) {
        std::string shared = common::formatText("%s%d", key, n);
        if (n != 0 && !script_.hasKey(s, key) && !script_.hasKey("Talinst", shared.c_str()))
            add(keyLine(section, "Caption"), false,
                common::formatText(checktext::kNoSharedCaption, shared.c_str()));
    }
    for (int i = 1; i <= 6; i++) {
        std::string captionKey = common::formatText("item%d.Caption", i);
        if (!script_.hasKey(s, captionKey.c_str())) continue;
        std::string key = common::formatText("item%d.Section", i);
        std::string target;
        if (!script_.getString(s, key.c_str(), &target)) {
            add(keyLine(section, captionKey), true, common::formatText(checktext::kNoKey, key.c_str()));
        } else if (!script_.hasSection(target.c_str())) {
            add(keyLine(section, key), true,
                common::formatText(itext::kSectionMissing, target.c_str(), kScript));
        } else {
            reach(target);
        }
    }
}

void TalinstCheck::checkSections() {
    for (const installer::ItemRow& row : installer::itemRows(script_)) reach(row.section);
    std::vector<std::string> sections;
    for (const std::string& section : script_.sectionNames())
        if (!section.empty() && !common::equalsNoCase(section.c_str(), "Talinst"))
            sections.push_back(section);
    for (const std::string& section : sections)
        if (installer::isSelectionSection(section.c_str())) checkSelection(section);
    for (const std::string& section : sections) {
        bool selection = installer::isSelectionSection(section.c_str());
        if (!selection && !reached_.count(upper(section))) {
            add(lines_->section(section), false,
                common::formatText(checktext::kUnreachable, section.c_str()));
        }
        // A selection section is carried out as an item only when the item
        // list offers it.
        std::string product;
        if (!selection || script_.getString(section.c_str(), "ProductName", &product)) checkSection(section);
    }
}

void TalinstCheck::checkSection(const std::string& section) {
    const char* s = section.c_str();

    // A message value "$NAME" is replaced by that text of [Talinst]; a name
    // the shared section lacks leaves the message without its text.
    for (const char* key : {"FirstMsg", "LastMsg", "DIRMsg"}) {
        std::string value;
        if (script_.getString(s, key, &value) && !value.empty() && value[0] == '$' &&
            !script_.hasKey("Talinst", value.c_str()))
            add(keyLine(section, key), false,
                common::formatText(checktext::kNoSharedText, key, value.c_str()));
    }

    std::string srcDir, source;
    bool hasSrc = script_.getString(s, "SrcDir", &srcDir);
    if (!installer::sourceFolder(hasSrc ? srcDir.c_str() : nullptr, s, folderPartExists, &source,
                                 common::isExistingFolder)) {
        add(keyLine(section, "SrcDir"), true, common::formatText(itext::kSrcDirMissing, srcDir.c_str()));
        return;
    }
    std::string sourceBase = common::joinPath(folder_, source);

    std::string dstDir, destination;
    script_.getString(s, "DstDir", &dstDir);
    switch (installer::destinationFolder(dstDir.c_str(), s, macros_, &destination)) {
    case installer::DestinationStatus::DriveGiven:
        add(keyLine(section, "DstDir"), true, itext::kDriveInDstDir);
        return;
    case installer::DestinationStatus::TooLong:
        add(keyLine(section, "DstDir"), true, common::formatText(itext::kDstDirTooLong, dstDir.c_str()));
        return;
    case installer::DestinationStatus::Ok:
        if (!dstDir.empty() && dstDir[0] == '$')
            checkMacro(keyLine(section, "DstDir"), "DstDir", dstDir, destination);
        break;
    }

    if (script_.hasKey(s, "INSTALLER")) {
        std::string value;
        script_.getString(s, "INSTALLER", &value);
        installer::InstallerCommand c =
            installer::installerCommand(value.c_str(), s, sourceBase, common::isExistingFile);
        if (!common::isExistingFile(c.program))
            add(keyLine(section, "INSTALLER"), true,
                common::formatText(itext::kProgramMissing, c.program.c_str()));
        return;
    }
    if (script_.hasKey(s, "LZHSETUP")) {
        std::string archive;
        checkSetupArchive(section, sourceBase, &archive);
        checkDocument(section, archive);
        return;
    }
    InstalledFiles installed;
    std::string firstArchive;
    checkArchives(section, sourceBase, &installed, &firstArchive);
    checkCopies(section, sourceBase, &installed);
    checkShortcuts(section, installed);
    checkFollowUps(section, destination, installed);
    checkDocument(section, firstArchive);
}

void TalinstCheck::checkSetupArchive(const std::string& section, const std::string& sourceBase,
                                     std::string* archive) {
    const char* s = section.c_str();
    int line = keyLine(section, "LZHSETUP");
    std::string value;
    if (!script_.getString(s, "LZHSETUP", &value)) {
        add(line, true, itext::kSetupNoValue);
        return;
    }
    installer::SetupValue v = installer::parseSetupValue(value.c_str());
    std::string path;
    if (!installer::findSetupArchive(v, sourceBase, s, &path)) {
        add(line, true, common::formatText(itext::kSetupArchiveMissing, path.c_str()));
        return;
    }
    *archive = path;
    if (v.program.empty()) {
        add(line, true, itext::kSetupNoProgram);
        return;
    }
    std::vector<std::string> names;
    std::string text;
    Listing listing = listArchive(path, &names, &text);
    if (listing == Listing::NoLibrary || listing == Listing::Broken || listing == Listing::NotArchive) {
        // The setup program is looked for inside: an archive no library
        // takes cannot hold it.
        if (text.empty()) text = common::formatText(itext::kArchiveBroken, path.c_str(), "LZH/ZIP/CAB");
        add(line, listing != Listing::NoLibrary, text);
        return;
    }
    std::string program = installer::archivePathToFolder(v.program);
    for (const std::string& n : names)
        if (common::equalsNoCase(installer::archivePathToFolder(n).c_str(), program.c_str())) return;
    add(line, true, common::formatText(itext::kSetupProgramMissing, path.c_str(), v.program.c_str()));
}

void TalinstCheck::checkArchives(const std::string& section, const std::string& sourceBase,
                                 InstalledFiles* installed, std::string* firstArchive) {
    const char* s = section.c_str();
    std::string base;
    script_.getString(s, "ArcBaseDir", &base);
    base = installer::archivePathToFolder(base);
    for (const installer::ArchiveKey& k : installer::archiveKeys(script_, s)) {
        bool defaultKey = k.key == itext::kDefaultArchiveKey;
        int line = defaultKey ? lines_->section(section) : keyLine(section, k.key);
        installer::ArchiveValue v = installer::parseArchiveValue(k.value.c_str());
        std::string named = common::joinPath(sourceBase, v.archive), path;
        if (v.archive.empty() || !installer::findArchive(named, &path)) {
            add(line, true,
                common::formatText(itext::kArchiveMissing, k.key.c_str(),
                                   installer::archiveStem(named).c_str()));
            continue;
        }
        if (firstArchive->empty()) *firstArchive = path;
        std::string into = v.destination;
        bool inside = true;  // below the destination folder
        if (common::findChar(into.c_str(), '$')) {
            std::string expanded;
            if (!installer::expandMacros(into.c_str(), macros_, &expanded)) {
                add(line, true, common::formatText(itext::kCopyErrors[1], into.c_str()));
                continue;
            }
            checkMacro(line, k.key.c_str(), k.value, expanded);
            inside = false;
        } else if (common::climbsOut(into)) {
            add(line, true, common::formatText(itext::kCopyErrors[1], into.c_str()));
            continue;
        } else if (common::isFullPath(into)) {
            inside = false;
        }
        std::vector<std::string> names;
        std::string text;
        switch (listArchive(path, &names, &text)) {
        case Listing::NotArchive:
            // No library takes it: the installer copies it as it is.
            if (inside) installed->add(common::joinPath(into, common::fileNamePart(path.c_str())));
            break;
        case Listing::NoLibrary:
            add(line, false, text);
            installed->complete = false;
            break;
        case Listing::Broken:
            add(line, true, text);
            installed->complete = false;
            break;
        case Listing::Listed: {
            int belowBase = 0;
            for (const std::string& n : names) {
                std::string name = installer::archivePathToFolder(n);
                if (!base.empty()) {
                    // Only what lies below the base folder is installed, without it.
                    if (name.size() <= base.size() + 1 ||
                        !common::equalsNoCase(name.c_str(), base.size(), base.c_str()) ||
                        name[base.size()] != '\\')
                        continue;
                    name = name.substr(base.size() + 1);
                }
                ++belowBase;
                if (inside) installed->add(common::joinPath(into, name));
            }
            if (!base.empty() && !names.empty() && belowBase == 0)
                add(line, false,
                    common::formatText(checktext::kNothingBelowBase, base.c_str(), path.c_str()));
            break;
        }
        }
    }
}

void TalinstCheck::checkCopies(const std::string& section, const std::string& sourceBase,
                               InstalledFiles* installed) {
    const char* s = section.c_str();
    for (int n = 1; n <= kMaxNumberedKey; n++) {
        std::string key = common::formatText("Copy%d", n), value;
        if (!script_.getString(s, key.c_str(), &value)) continue;
        // The file list stops at its first failing key; each key is listed
        // on its own so that every failing one is reported.
        installer::ScriptFile one;
        std::string text = "[C]\r\nCopy1=" + value + "\r\n";
        one.loadText(text.data(), text.size());
        installer::CopyList list;
        installer::FileListError error;
        int line = keyLine(section, key);
        if (!installer::buildFileList(one, "C", sourceBase.c_str(), macros_, &list, &error)) {
            if (error.destinationTooLong)
                add(line, true, common::formatText(itext::kCopyDestinationTooLong, n));
            else
                add(line, true, common::formatText(itext::kCopySourceMissing, n, error.sourcePath.c_str()));
            continue;
        }
        bool macroChecked = false, climbReported = false;
        for (auto& e : list) {
            if (e->absolute) {
                if (!macroChecked) checkMacro(line, key.c_str(), value, e->destFolder);
                macroChecked = true;
                continue;
            }
            std::string target = common::joinPath(e->destFolder, common::fileNamePart(e->source.fullPath()));
            if (common::climbsOut(e->destFolder)) {
                // The installer refuses each such file while copying; one
                // finding per key says where the first would have gone.
                if (!climbReported)
                    add(line, true, common::formatText(itext::kCopyErrors[2], target.c_str()));
                climbReported = true;
                continue;
            }
            installed->add(target);
        }
    }
}

void TalinstCheck::checkShortcuts(const std::string& section, const InstalledFiles& installed) {
    const char* s = section.c_str();
    installer::GroupCheck group;
    switch (installer::evaluateGroupKeys(script_, s, &group)) {
    case installer::GroupKeys::BadGroupName:
        add(keyLine(section, "Group"), true, itext::kGroupNameBad);
        return;
    case installer::GroupKeys::BadGroupFolder:
        add(keyLine(section, "GroupFolder"), true, itext::kGroupFolderBad);
        return;
    case installer::GroupKeys::Ok:
        break;
    }
    if (!group.programMenu) return;
    for (int n = 1; n <= kMaxNumberedKey; n++) {
        std::string key = common::formatText("GroupIcon%d", n);
        char value[kIconValueBytes];
        if (!script_.hasKey(s, key.c_str())) continue;
        script_.getString(s, key.c_str(), value, sizeof value);
        installer::IconValue icon = installer::splitIconValue(value);
        if (installed.complete && !installed.has(icon.target, false))
            add(keyLine(section, key), true,
                common::formatText(itext::kShortcutTargetMissing, key.c_str(), icon.target.c_str()));
    }
    if (!group.desktop) {
        for (int n = 2; n <= kMaxNumberedKey; n++) {
            std::string key = common::formatText("ShortCut%d", n);
            if (script_.hasKey(s, key.c_str()))
                add(keyLine(section, key), false, common::formatText(checktext::kDesktopNeedsShortCut1, n));
        }
    }
}

void TalinstCheck::checkFollowUps(const std::string& section, const std::string& destination,
                                  const InstalledFiles& installed) {
    const char* s = section.c_str();
    std::vector<std::string> values = installer::lastMoveValues(script_, s);
    int number = script_.hasKey(s, "LastMove") ? 0 : 1;
    for (const std::string& value : values) {
        std::string key = number == 0 ? std::string("LastMove") : common::formatText("LastMove%d", number);
        number++;
        int line = keyLine(section, key);
        installer::LastMoveEntry entry;
        if (!installer::parseLastMove(value.c_str(), macros_, destination, &entry)) {
            add(line, false, common::formatText(checktext::kLastMoveSkipped, key.c_str()));
            continue;
        }
        if (!installed.complete) continue;
        for (const std::string& source : entry.sources) {
            if (source.size() <= destination.size() + 1) continue;
            std::string relative = source.substr(destination.size() + 1);
            if (!common::hasWildcard(relative)) {
                if (!installed.has(relative, true))
                    add(line, true,
                        common::formatText(checktext::kNotInstalled, key.c_str(), relative.c_str()));
                continue;
            }
            // The copy searches the folder for the pattern: a wildcard in a
            // folder name finds nothing, and so does a pattern that matches
            // none of the installed files. Either way the copy is silently
            // not made.
            const char* slash = common::findLastChar(relative.c_str(), '\\');
            if (slash &&
                common::hasWildcard(relative.substr(0, static_cast<size_t>(slash - relative.c_str()))))
                add(line, true,
                    common::formatText(checktext::kWildcardInFolder, key.c_str(), relative.c_str()));
            else if (!installed.matches(relative))
                add(line, true,
                    common::formatText(checktext::kNoLastMoveMatch, key.c_str(), relative.c_str()));
        }
    }
    char value[kLastExecValueBytes];
    if (!script_.getString(s, "LastExec", value, sizeof value)) return;
    installer::LastExec exec = installer::parseLastExec(value);
    if (exec.hasFile && installed.complete && !installed.has(exec.file, false))
        add(keyLine(section, "LastExec"), true,
            common::formatText(checktext::kNotInstalled, "LastExec", exec.file.c_str()));
}

void TalinstCheck::checkDocument(const std::string& section, const std::string& archive) {
    std::string document;
    if (!script_.getString(section.c_str(), "LzhView", &document) || archive.empty()) return;
    if (document[0] == '?') document.erase(0, 1);
    std::vector<std::string> names;
    std::string text;
    if (listArchive(archive, &names, &text) != Listing::Listed) return;  // reported with the archive
    std::string wanted = installer::archivePathToFolder(document);
    for (const std::string& n : names)
        if (common::equalsNoCase(installer::archivePathToFolder(n).c_str(), wanted.c_str())) return;
    add(keyLine(section, "LzhView"), true,
        common::formatText(itext::kSetupProgramMissing, archive.c_str(), document.c_str()));
}

}  // namespace

void checkTalinst(const std::string& folder, const std::vector<MenuCommandList>& commands,
                  const std::function<std::string(const std::string&)>& relativeText, Findings& menuDat,
                  Findings& out) {
    // The installer works from the script's folder and takes names on its
    // command line relative to it; every section is checked from there.
    common::CurrentFolderGuard here;
    here.enter(folder.c_str());
    TalinstCheck check(folder, relativeText, out);
    if (!check.load()) return;
    check.checkMenuCommands(commands, menuDat);
    check.checkSections();
    out.sortLinesFrom(0);
}

}  // namespace disccheck
