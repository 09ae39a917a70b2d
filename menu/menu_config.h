// The look of the menu as MENU.INI describes it: the start-up keys of section
// "OSTREL" and the button descriptions of sections "BUTTON.Exit",
// "BUTTON.Info", "BUTTON.TAB", "BUTTON.Execute" and "BUTTON.MENU". File names
// are resolved against the base folder (the folder of MENU.INI with `PATH`
// applied) and referenced button images and sounds must exist.
#pragma once
#include <windows.h>

#include <memory>

#include "path_name.h"

namespace common {
class ProfileFile;
}

namespace menu {

// Indices of the four state styles, in the order they inherit colours.
enum StyleState { StyleNormal = 0, StyleActivate = 1, StyleSelect = 2, StyleDisable = 3, StyleCount = 4 };

// How one button state draws its label.
struct StateStyle {
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF lightColor = RGB(255, 255, 255);  // never configured
    COLORREF darkColor = RGB(64, 64, 64);      // never configured
    // Pixel height of the bold Gothic font taken from the button font cache;
    // 12 when unset, at most 20; a negative height selects no font.
    int fontSize = 12;
    int decoration = 0;  // 0 none, 1 outset, 2 inset
};

// One button description (fixed buttons, tab row, execute grid, page-menu buttons).
struct ButtonDesc {
    char bitmapPath[common::PathName::kPathSize] = {};  // resolved image; empty when none
    char hintText[common::PathName::kPathSize] = {};    // tooltip text
    char soundPath[common::PathName::kPathSize] = {};   // resolved sound; empty: the standard click sound
    short x = 0, y = 0;                                 // position in the main window's client area
    LONG soundAsync = 1;                                // 1 asynchronous, 0 synchronous ("Sync")
    StateStyle styles[StyleCount];
};

// "BUTTON.TAB": the tab row.
struct TabDesc : ButtonDesc {
    int width = 234, height = 40;           // `Size`
    int paddingX = 0, paddingY = 3;         // `Padding`
    COLORREF bgColor = RGB(128, 128, 128);  // `BGCOLOR`
};

// "BUTTON.Execute": the description shared by the whole execute grid; x, y
// is the top-left button.
struct ExecuteDesc : ButtonDesc {
    short marginX = 0, marginY = 0;  // `Margin`; a negative marginY stacks rows upward
    int columns = 3, rows = 3;       // `Column`, `Row`
};

// Execute buttons have the control identifiers 113 up to 199; 200 onward
// belong to the page-menu buttons, so a grid never holds more than this.
constexpr int kMaxExecuteButtons = 87;

// Everything MENU.INI says, as read at start-up.
struct MenuConfig {
    // Section "OSTREL".
    char caption[common::PathName::kPathSize] = {};  // `Caption`
    char baseFolder[common::PathName::kPathSize] =
        {};                  // folder of MENU.INI with `PATH` applied, ends in a backslash
    bool whiteBack = false;  // `WHITEBACK`
    char backgroundPath[common::PathName::kPathSize] = {};  // `BackGround`, resolved; empty when not given
    short dispX = 0, dispY = 0;                             // `disprect`; 0,0 when missing
    bool hasDispRect = false;
    char stdSoundPath[common::PathName::kPathSize] = {};  // `StdSound`, resolved; "Click.wav" by default
    int infoX = 400, infoY = 110;                         // `InfoTextPos`
    int infoWidth = 0, infoHeight = 0;                    // `InfoTextSize`; 0 keeps the dialog's own size

    // The button sections (filled by readButtonSections).
    std::unique_ptr<ButtonDesc> exitButton;
    std::unique_ptr<ButtonDesc> infoButton;
    std::unique_ptr<TabDesc> tab;  // may be released once the tab row is built
    std::unique_ptr<ExecuteDesc> execute;
    std::unique_ptr<ButtonDesc[]> menuButtons;  // one per `BitMap`n of "BUTTON.MENU"
    int menuButtonCount = 0;

    // Number of execute buttons: columns x rows.
    int executeCount() const { return execute ? execute->columns * execute->rows : 0; }
    // Full path of a MENU.INI file name resolved against the base folder.
    void resolve(const char* name, char* out, size_t outSize) const;
};

// Size of the message buffers of start-up.
constexpr size_t kMessageSize = 1024;

// Reads the keys of section "OSTREL" (`Caption`, `PATH`, `WHITEBACK`,
// `BackGround`, `disprect`, `StdSound`, `InfoTextPos`, `InfoTextSize`). The
// profile must already be located; its current section is left at "OSTREL".
void readOstrelSection(common::ProfileFile& ini, MenuConfig& config);

// Reads one button description from `section`. With `number` above 0 the
// image and position come from `Bitmap`n and `Position`n (the page-menu
// buttons). False with the message in `message` when the image or the sound
// names a missing file.
bool readButtonDesc(common::ProfileFile& ini, const MenuConfig& config, const char* section, int number,
                    ButtonDesc& desc, char* message, size_t messageSize);

// `Column`, `Row` and `Margin` of the current section ("BUTTON.Execute"):
// the grid is cut to whole rows that fit kMaxExecuteButtons.
void readExecuteGrid(common::ProfileFile& ini, ExecuteDesc& execute);

// The number of page-menu buttons: `BitMap1`, `BitMap2`, ... of
// "BUTTON.MENU" up to the first missing or empty one. Leaves the current
// section at "BUTTON.MENU".
int countMenuButtons(common::ProfileFile& ini);

// Reads "BUTTON.Exit", "BUTTON.Info", "BUTTON.TAB", "BUTTON.Execute" and
// "BUTTON.MENU" in this order into config; stops at the first failure and
// returns false with its message (at most messageSize bytes, terminated).
bool readButtonSections(common::ProfileFile& ini, MenuConfig& config, char* message, size_t messageSize);

// Start-up step of reading the button sections: on failure the message is
// shown in a message box owned by no window, error icon, titled with the
// caption, and false is returned (start-up then ends).
bool loadButtonSections(common::ProfileFile& ini, MenuConfig& config);

}  // namespace menu
