// The content of the menu as MENU.DAT describes it: pages (tabs), the menu
// entries of the current page and the commands, popup text and display
// picture of the current entry. Loaded in three steps on demand. While
// MENU.DAT is writable (the disc being authored on a hard disk) the files an
// entry refers to are checked and the missing ones reported in one warning.
#pragma once
#include <windows.h>

#include "path_name.h"
#include "profile.h"

namespace menu {

// Pages or entries: titles and the section names that describe them.
struct NamedList {
    static constexpr int kTextSize = 80;
    int count = 0;
    int capacity = 0;
    int current = 0;
    char (*titles)[kTextSize] = nullptr;
    char (*sections)[kTextSize] = nullptr;

    NamedList() = default;
    ~NamedList();
    NamedList(const NamedList&) = delete;
    NamedList& operator=(const NamedList&) = delete;
    // Keeps the arrays when they hold n already, else replaces them by arrays
    // of n; false (and an empty list) when memory is short.
    bool reserve(int n);
};

// The commands of the current entry, one per execute button.
struct CommandTable {
    static constexpr int kLabelSize = 80;
    static constexpr int kHintSize = 80;
    static constexpr int kListSize = 260;
    int count = 0;
    int capacity = 0;  // 9 after construction
    char (*labels)[kLabelSize] = nullptr;
    char (*hints)[kHintSize] = nullptr;
    char (*commandLists)[kListSize] = nullptr;

    CommandTable();
    ~CommandTable();
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;
    bool reserve(int n);
};

class MenuData {
public:
    static constexpr size_t kWarningSize = 1024;
    // A command value and a popup value hold at most 159 bytes; longer ones
    // are cut when read.
    static constexpr int kValueSize = 160;
    // Shows the collected reference warnings; the default stops any playing
    // sound and shows a message box owned by `owner` with the warning icon.
    typedef void (*WarningSink)(HWND owner, const char* title, const char* text);

    MenuData();
    MenuData(const MenuData&) = delete;
    MenuData& operator=(const MenuData&) = delete;

    // Locates MENU.DAT in the folder of `module` (or the file `name`; a name
    // with a backslash is a full path); checkFiles becomes true when the file
    // is not read-only. Returns whether the file exists.
    bool locate(HMODULE module, const char* name = "MENU.DAT");

    common::ProfileFile& file() { return file_; }
    bool checkFiles = false;

    // Owner window and caption of the warning box.
    void setOwner(HWND owner, const char* caption);
    void setWarningSink(WarningSink sink) { sink_ = sink; }
    // Measures command lists as they will be on the pressed disc: a program
    // path below `folder` (the disc's folder, ending in a backslash) counts
    // as if that folder were a drive root ("Q:\\"). The menu itself runs from
    // the disc and never sets this; a checker reading a copy elsewhere does.
    void measureAsDiscRoot(const char* folder);

    // Section "MENU": the start display picture (`Bmp1`) and the opening
    // movie (`AVIFILE`), resolved; empty when not given.
    void startImagePath(char* out, size_t size);
    void movieFile(char* out, size_t size);

    // Step 1: the pages (`Page`n of "MENU" and their `Title`). Returns the count.
    int loadPages();
    // Step 2: the entries of page n; an index outside the pages is refused
    // (nothing loaded, -1 returned). Returns the entry count.
    int loadEntries(int page);
    // Step 3: entry n becomes current when it is below the entry count; the
    // current entry's commands, popup text and display picture are read and,
    // when checkFiles is set, its references checked. Returns the number of
    // commands.
    int loadCommands(int entry);

    NamedList pages;
    NamedList entries;
    CommandTable commands;

    // The current entry.
    char displayImagePath[common::PathName::kPathSize] = {};
    char popupLink[common::PathName::kPathSize] = {};
    char popupTextPath[common::PathName::kPathSize] = {};
    bool linkIsWebAddress = false;
    bool hasPopupText = false;

    // First-opening placement of the document window (`InfoTextPos`,
    // `InfoTextSize` of MENU.INI).
    int docX = 400, docY = 110;
    int docWidth = 0, docHeight = 0;

    // Text of the last reference warning (empty when everything was found).
    const char* warnings() const { return warnings_; }
    // Title of the warning box: "<caption> - セクション [<section>] ".
    const char* warningTitle() const { return warningTitle_; }

    // A file name of MENU.DAT resolved against its folder.
    void resolve(const char* name, char* out, size_t size);

private:
    int countKeys(const char* keyStem) const;
    int loadList(NamedList& list, const char* section, const char* keyStem);
    void clearEntry();
    void readCommand(int number, const char* value);
    void rewriteCommandLine(int number, const char* part, char* out, size_t outSize);
    void readPopup(const char* section);
    void readDisplayImage(const char* section);
    void warn(const char* text);

    common::ProfileFile file_;
    HWND owner_ = nullptr;
    char caption_[common::PathName::kPathSize] = {};
    WarningSink sink_;
    char warnings_[kWarningSize] = {};
    char warningTitle_[common::PathName::kPathSize + NamedList::kTextSize + 32] = {};
    char discFolder_[common::PathName::kPathSize] = {};
};

}  // namespace menu
