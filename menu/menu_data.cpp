#include "menu_data.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "menu_texts.h"
#include "sjis.h"
#include "value_syntax.h"
#include "file_system.h"
#include "message_box.h"

namespace menu {

namespace {

const char* const kUnknown = "(?_?)";

bool pathExists(const char* path) {
    return path[0] != '\0' && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

template <typename T>
bool regrow(T*& array, int n) {
    T* fresh = new (std::nothrow) T[n];
    if (!fresh) return false;
    std::memset(fresh, 0, sizeof(T) * static_cast<size_t>(n));
    delete[] array;
    array = fresh;
    return true;
}

void showWarning(HWND owner, const char* title, const char* text) {
    // The box waits for the user: a click sound must not go on under it.
    sndPlaySoundA(nullptr, 0);
    common::showMessageBox(owner, text, title, MB_OK | MB_ICONWARNING);
}

}  // namespace

NamedList::~NamedList() {
    delete[] titles;
    delete[] sections;
}

bool NamedList::reserve(int n) {
    if (n <= capacity) return true;
    if (!regrow(titles, n) || !regrow(sections, n)) {
        count = 0;
        return false;
    }
    capacity = n;
    return true;
}

CommandTable::CommandTable() { reserve(9); }

CommandTable::~CommandTable() {
    delete[] labels;
    delete[] hints;
    delete[] commandLists;
}

bool CommandTable::reserve(int n) {
    if (n <= capacity) return true;
    if (!regrow(labels, n) || !regrow(hints, n) || !regrow(commandLists, n)) {
        count = 0;
        return false;
    }
    capacity = n;
    return true;
}

MenuData::MenuData() : sink_(showWarning) {}

bool MenuData::locate(HMODULE module, const char* name) {
    bool found = file_.locate(module, name);
    checkFiles = found && !file_.readOnly();
    return found;
}

void MenuData::measureAsDiscRoot(const char* folder) {
    common::copyBounded(discFolder_, folder ? folder : "", sizeof discFolder_);
}

void MenuData::setOwner(HWND owner, const char* caption) {
    owner_ = owner;
    common::copyBounded(caption_, caption, sizeof caption_);
}

void MenuData::resolve(const char* name, char* out, size_t size) {
    if (!out || size == 0) return;
    out[0] = '\0';
    if (!name || !name[0]) return;
    common::PathName p(file_.getPath());
    const char* resolved = p.setNameWithExtension(name);
    // A name too long for a path is refused by the path object; it is kept
    // as written (bounded) so that the existence checks report it missing.
    common::copyBounded(out, resolved[0] ? resolved : name, size);
}

void MenuData::startImagePath(char* out, size_t size) {
    char value[common::PathName::kPathSize];
    file_.readString("MENU", "Bmp1", value, sizeof value);
    resolve(value, out, size);
}

void MenuData::movieFile(char* out, size_t size) {
    char value[common::PathName::kPathSize];
    file_.readString("MENU", "AVIFILE", value, sizeof value);
    resolve(value, out, size);
}

int MenuData::countKeys(const char* keyStem) const {
    // Numbered keys end at the first one missing or empty; later ones are ignored.
    char key[40];
    int n = 0;
    for (;;) {
        std::snprintf(key, sizeof key, "%s%d", keyStem, n + 1);
        if (!file_.hasValue(key)) return n;
        ++n;
    }
}

int MenuData::loadList(NamedList& list, const char* section, const char* keyStem) {
    file_.setSection(section);
    int n = countKeys(keyStem);
    char key[40];
    list.current = 0;
    if (!list.reserve(n)) return 0;
    for (int i = 0; i < n; ++i) {
        std::snprintf(key, sizeof key, "%s%d", keyStem, i + 1);
        file_.readString(section, key, list.sections[i], NamedList::kTextSize, kUnknown);
        file_.readString(list.sections[i], "Title", list.titles[i], NamedList::kTextSize, kUnknown);
    }
    list.count = n;
    return n;
}

int MenuData::loadPages() { return loadList(pages, "MENU", "Page"); }

int MenuData::loadEntries(int page) {
    if (page < 0 || page >= pages.count) return -1;
    pages.current = page;
    return loadList(entries, pages.sections[page], "Menu");
}

void MenuData::clearEntry() {
    commands.count = 0;
    displayImagePath[0] = '\0';
    popupLink[0] = '\0';
    popupTextPath[0] = '\0';
    linkIsWebAddress = false;
    hasPopupText = false;
    warnings_[0] = '\0';
    warningTitle_[0] = '\0';
}

int MenuData::loadCommands(int entry) {
    if (entry >= 0 && entry < entries.count) entries.current = entry;
    clearEntry();
    if (entries.count <= 0 || entries.current >= entries.count) return 0;

    char section[NamedList::kTextSize];
    common::copyBounded(section, entries.sections[entries.current], sizeof section);
    file_.setSection(section);
    int n = countKeys("command");
    if (!commands.reserve(n)) n = 0;
    for (int i = 0; i < n; ++i) {
        char key[40];
        char value[kValueSize];
        std::snprintf(key, sizeof key, "command%d", i + 1);
        file_.readString(section, key, value, sizeof value);
        readCommand(i + 1, value);
    }
    readPopup(section);
    readDisplayImage(section);

    if (warnings_[0]) {
        char title[sizeof warningTitle_ + 64];
        std::snprintf(title, sizeof title, configtext::kWarningTitle, caption_, section);
        common::copyBounded(warningTitle_, title, sizeof warningTitle_);
        if (sink_) sink_(owner_, warningTitle_, warnings_);
    }
    return commands.count;
}

void MenuData::readCommand(int number, const char* value) {
    int slot = commands.count;
    char* list = commands.commandLists[slot];
    const char* rest = values::splitCommandValue(value, commands.labels[slot], CommandTable::kLabelSize,
                                                 commands.hints[slot], CommandTable::kHintSize);
    list[0] = '\0';
    char part[kValueSize];
    int index = 0;
    bool full = false;
    // The list's length on the pressed disc (the same as its bytes unless a
    // disc folder to measure from is set), and whether the buffer, which
    // holds the paths as they are here, still takes pieces.
    size_t pressedUsed = 0;
    bool stored = true;
    const size_t folderLength = std::strlen(discFolder_);
    const size_t rootLength = 3;  // "Q:\"
    for (const char* p = rest; (p = values::nextPart(p, part, sizeof part));) {
        const char* text = part;
        while (*text == ' ' || *text == '\t') ++text;
        if (!*text) continue;  // an empty part between two commas names nothing
        ++index;
        // A whole path plus its arguments: at most 259 + 3 + 159 bytes.
        char piece[common::PathName::kPathSize + kValueSize + 8];
        if (*text == '@') {
            common::copyBounded(piece, text, sizeof piece);
            for (size_t n = std::strlen(piece); n > 0 && (piece[n - 1] == ' ' || piece[n - 1] == '\t');)
                piece[--n] = '\0';
        } else {
            rewriteCommandLine(number, text, piece, sizeof piece);
        }
        if (!piece[0] || full) continue;
        size_t pressed = std::strlen(piece);
        if (folderLength > rootLength && piece[0] == '"' && pressed > folderLength &&
            common::equalsNoCase(piece + 1, folderLength, discFolder_))
            pressed -= folderLength - rootLength;
        size_t need = pressedUsed + (pressedUsed ? 1 : 0) + pressed;
        if (need >= CommandTable::kListSize) {
            // Later commands would run out of order without this one: the
            // list ends with the last command that fitted whole.
            full = true;
            if (checkFiles) {
                char line[256];
                std::snprintf(line, sizeof line, configtext::kCommandListTooLong, number, index);
                warn(line);
            }
            continue;
        }
        // Fits on the disc; kept here while the longer paths still fit.
        pressedUsed = need;
        if (stored) stored = values::appendWhole(list, CommandTable::kListSize, piece);
    }
    commands.count = slot + 1;
}

void MenuData::rewriteCommandLine(int number, const char* part, char* out, size_t outSize) {
    out[0] = '\0';
    char program[common::PathName::kPathSize];
    char arguments[kValueSize];
    if (!values::splitCommandLine(part, program, sizeof program, arguments, sizeof arguments)) return;
    char full[common::PathName::kPathSize];
    resolve(program, full, sizeof full);
    std::snprintf(out, outSize, "\"%s\"%s%s", full, arguments[0] ? " " : "", arguments);
    if (!checkFiles) return;

    char head[common::PathName::kPathSize + 64];
    std::snprintf(head, sizeof head, configtext::kCommandProgram, number, full);
    bool programExists = pathExists(full);
    if (!programExists) {
        warn(head);
        warn(configtext::kProgramMissing);
    }
    char argument[kValueSize];
    values::firstArgument(arguments, argument, sizeof argument);
    if (!argument[0] || argument[0] == '/' || argument[0] == '-' || !common::findChar(argument, '.')) return;
    // A web address handed to a browser names no file on the disc.
    if (std::strstr(argument, "://")) return;
    common::PathName resolved(full);
    const char* argumentPath = resolved.setNameWithExtension(argument);
    if (pathExists(argumentPath)) return;
    char line[common::PathName::kPathSize + 128];
    std::snprintf(line, sizeof line,
                  programExists ? configtext::kArgumentMissing : configtext::kArgumentMissingToo,
                  argumentPath);
    warn(head);
    warn(line);
}

void MenuData::readPopup(const char* section) {
    char value[kValueSize];
    file_.readString(section, "Text", value, sizeof value);
    char link[common::PathName::kPathSize];
    char text[common::PathName::kPathSize];
    values::splitPopupValue(value, link, sizeof link, text, sizeof text);

    if (link[0]) {
        if (values::isWebAddress(link)) {
            common::copyBounded(popupLink, link, sizeof popupLink);
            linkIsWebAddress = true;
        } else {
            common::PathName folder(file_.getPath());
            folder.changeFolder(link);
            common::copyBounded(popupLink, folder.folderPath(), sizeof popupLink);
            // Drive and folder without a trailing backslash, except a drive's root.
            size_t n = std::strlen(popupLink);
            if (n > 3 && common::findLastChar(popupLink, '\\') == popupLink + n - 1) popupLink[n - 1] = '\0';
        }
    }

    if (!text[0]) return;
    resolve(text, popupTextPath, sizeof popupTextPath);
    hasPopupText = true;
    if (checkFiles && !common::isExistingFile(popupTextPath)) {
        char line[common::PathName::kPathSize + 128];
        std::snprintf(line, sizeof line, configtext::kPopupTextMissing, popupTextPath);
        warn(line);
        hasPopupText = false;
        popupTextPath[0] = '\0';
    }
}

void MenuData::readDisplayImage(const char* section) {
    char value[common::PathName::kPathSize];
    file_.readString(section, "Bmp1", value, sizeof value);
    resolve(value, displayImagePath, sizeof displayImagePath);
    if (checkFiles && displayImagePath[0] && !common::isExistingFile(displayImagePath)) {
        char line[common::PathName::kPathSize + 128];
        std::snprintf(line, sizeof line, configtext::kBitmapMissing, displayImagePath);
        warn(line);
        displayImagePath[0] = '\0';
    }
}

void MenuData::warn(const char* text) { common::appendBounded(warnings_, text, sizeof warnings_); }

}  // namespace menu
