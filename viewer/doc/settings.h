// The viewer's settings record: built-in defaults only, never read from or
// written to a file or the registry, so every viewer process starts alike.
#pragma once
#include "key_table.h"

namespace viewer {

// Options that every load re-applies (the same for every extension) unless
// the /c start option fixed them for the process.
struct FileTypeOptions {
    int tabWidth = 8;  // a power of two; stops mask the column with tabWidth - 1
    int foldColumns = 80;
    bool ctrlZAsText = true;   // off: 0x1A ends the file
    bool kinsoku = false;      // line-breaking rules
    bool lineNumbers = false;  // toggled by F12
    bool pageMode = false;
    bool proportionalFont = false;  // no tab padding while on
};

struct ViewerSettings {
    // Process-wide options.
    unsigned char openDialogKind = 3;  // 3: common dialog with hook; 2: older shell
    int sameFileAction = 0;            // 0 ask, 1 read-only, 2 activate, 3 activate and reload
    int lockMode = 0;                  // share mode of the document's file: 0 or 32 (deny write)
    bool fullPathInCaption = true;
    bool shortNameWhenInactive = true;
    bool codeInCaption = true;
    bool foregroundAtStart = true;
    char fileFilter[260] = {};
    bool memoryPages = false;
    char eucDrives[260] = {};  // drive letters whose files are taken as EUC
    bool detectEucJis = false;
    int maxRows = 1000000;
    bool verticalScrollBar = true;
    bool horizontalScrollBar = false;
    bool rememberPosition = false;
    int rememberedX = 0, rememberedY = 0;
    int textAreaWidth = 0, textAreaHeight = 0;  // 0, 0: none
    int leftMargin = 8;                         // pixels
    char noStartChars[200] = {};                // characters that may not start a row
    char noEndChars[60] = {};                   // characters that may not end a row
    bool hangingPunctuation = false;
    bool hangingLineEndMark = false;
    char fontFace[32] = {};  // copied from the string table at start-up
    char fullWidthSpace[4] = {};

    // File-type options in force for the current document.
    FileTypeOptions fileType;
    bool fileTypeFixed = false;  // set by /c

    KeyTable keys;

    // Fills every option with its default and sets the default key assignments.
    void fillDefaults(unsigned char dialogKind = 3);
    // Before each load: resets the file-type options unless /c fixed them.
    void applyFileTypeOptions();
};

// The process's settings record.
ViewerSettings& settings();

}  // namespace viewer
