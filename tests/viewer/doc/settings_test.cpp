#include <gtest/gtest.h>
#include <cstring>
#include "settings.h"
#include "key_table.h"

using namespace viewer;

namespace {
constexpr unsigned F1 = 0x70;
}

TEST(ViewerSettingsDefaults, ProcessWideOptions) {
    ViewerSettings s;
    s.sameFileAction = 3;
    s.memoryPages = true;
    s.maxRows = 12;
    s.fillDefaults();
    EXPECT_EQ(s.openDialogKind, 3);
    EXPECT_EQ(s.sameFileAction, 0);
    EXPECT_EQ(s.lockMode, 0);
    EXPECT_TRUE(s.fullPathInCaption);
    EXPECT_TRUE(s.shortNameWhenInactive);
    EXPECT_TRUE(s.codeInCaption);
    EXPECT_TRUE(s.foregroundAtStart);
    EXPECT_STREQ(s.fileFilter, "*.txt;*.log;*.doc;*.htm*;*.cpp;*.c;*.h");
    EXPECT_FALSE(s.memoryPages);
    EXPECT_STREQ(s.eucDrives, "");
    EXPECT_FALSE(s.detectEucJis);
    EXPECT_EQ(s.maxRows, 1000000);
    EXPECT_TRUE(s.verticalScrollBar);
    EXPECT_FALSE(s.horizontalScrollBar);
    EXPECT_FALSE(s.rememberPosition);
    EXPECT_EQ(s.textAreaWidth, 0);
    EXPECT_EQ(s.leftMargin, 8);
    EXPECT_GT(std::strlen(s.noStartChars), 0u);
    EXPECT_LT(std::strlen(s.noStartChars), sizeof s.noStartChars);
    EXPECT_LT(std::strlen(s.noEndChars), sizeof s.noEndChars);
    EXPECT_FALSE(s.hangingPunctuation);
    EXPECT_FALSE(s.hangingLineEndMark);
}

TEST(ViewerSettingsDefaults, OlderShellGetsTheProgramDrawnDialog) {
    ViewerSettings s;
    s.fillDefaults(2);
    EXPECT_EQ(s.openDialogKind, 2);
}

TEST(ViewerSettingsDefaults, StringTableCopiesSurviveFillDefaults) {
    ViewerSettings s;
    std::strcpy(s.fontFace, "ＭＳ ゴシック");
    std::strcpy(s.fullWidthSpace, "　");
    s.fillDefaults();
    EXPECT_STREQ(s.fontFace, "ＭＳ ゴシック");
    EXPECT_STREQ(s.fullWidthSpace, "　");
}

TEST(FileTypeOptions, EveryLoadResetsThemUnlessFixed) {
    ViewerSettings s;
    s.fillDefaults();
    EXPECT_EQ(s.fileType.tabWidth, 8);
    EXPECT_EQ(s.fileType.foldColumns, 80);
    EXPECT_TRUE(s.fileType.ctrlZAsText);
    EXPECT_FALSE(s.fileType.kinsoku);
    EXPECT_FALSE(s.fileType.lineNumbers);
    EXPECT_FALSE(s.fileType.pageMode);
    EXPECT_FALSE(s.fileType.proportionalFont);

    s.fileType.lineNumbers = true;  // F12 in the first document
    s.applyFileTypeOptions();       // the next document
    EXPECT_FALSE(s.fileType.lineNumbers);

    s.fileTypeFixed = true;  // /c
    s.fileType.lineNumbers = true;
    s.applyFileTypeOptions();
    EXPECT_TRUE(s.fileType.lineNumbers);
}

TEST(FileTypeOptions, ProcessRecordIsOneInstance) { EXPECT_EQ(&settings(), &settings()); }

TEST(KeyTableLayout, RegionsAndEntries) {
    EXPECT_EQ(KeyTable::entryIndex(kRegionPlain, 0x2D), 0);  // Insert
    EXPECT_EQ(KeyTable::entryIndex(kRegionPlain, F1), 1);
    EXPECT_EQ(KeyTable::entryIndex(kRegionPlain, F1 + 11), 12);
    EXPECT_EQ(KeyTable::entryIndex(kRegionPlain, 0x24), 13);  // Home
    EXPECT_EQ(KeyTable::entryIndex(kRegionPlain, 0x23), 14);  // End
    EXPECT_EQ(KeyTable::entryIndex(kRegionPlain, 'A'), -1);

    EXPECT_EQ(KeyTable::entryIndex(kRegionShift, F1), 0);
    EXPECT_EQ(KeyTable::entryIndex(kRegionShift, 0x24), 12);
    EXPECT_EQ(KeyTable::entryIndex(kRegionShift, 0x08), 14);  // Backspace
    EXPECT_EQ(KeyTable::entryIndex(kRegionShift, 0x25), 21);  // Left
    EXPECT_EQ(KeyTable::entryIndex(kRegionShift, 'A'), -1);

    for (KeyRegion r :
         {kRegionCtrl, kRegionCtrlShift, kRegionAlt, kRegionAltShift, kRegionCtrlAlt, kRegionCtrlAltShift}) {
        EXPECT_EQ(KeyTable::entryIndex(r, F1 + 11), 11);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x24), 12);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x23), 13);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x08), 14);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x0D), 15);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x2D), 16);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x2E), 17);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x26), 18);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x28), 19);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x27), 20);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x25), 21);
        EXPECT_EQ(KeyTable::entryIndex(r, 0xC0), 22);
        EXPECT_EQ(KeyTable::entryIndex(r, 'A'), 23);
        EXPECT_EQ(KeyTable::entryIndex(r, 'Z'), 48);
        EXPECT_EQ(KeyTable::entryIndex(r, 0xDB), 49);
        EXPECT_EQ(KeyTable::entryIndex(r, 0xDE), 52);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x5B), 49);
        EXPECT_EQ(KeyTable::entryIndex(r, 0xBC), 54);
        EXPECT_EQ(KeyTable::entryIndex(r, 0xBE), 55);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x1D), 55);
        EXPECT_EQ(KeyTable::entryIndex(r, 0x20), -1);
    }
}

TEST(KeyTableLayout, ModifiersPickTheirRegion) {
    EXPECT_EQ(KeyTable::regionFor(false, false, false), kRegionPlain);
    EXPECT_EQ(KeyTable::regionFor(false, true, false), kRegionShift);
    EXPECT_EQ(KeyTable::regionFor(true, false, false), kRegionCtrl);
    EXPECT_EQ(KeyTable::regionFor(true, true, false), kRegionCtrlShift);
    EXPECT_EQ(KeyTable::regionFor(false, false, true), kRegionAlt);
    EXPECT_EQ(KeyTable::regionFor(false, true, true), kRegionAltShift);
    EXPECT_EQ(KeyTable::regionFor(true, false, true), kRegionCtrlAlt);
    EXPECT_EQ(KeyTable::regionFor(true, true, true), kRegionCtrlAltShift);
}

TEST(KeyTableDefaults, TheThirteenAssignments) {
    ViewerSettings s;
    s.fillDefaults();
    const KeyTable& k = s.keys;
    EXPECT_EQ(k.lookup('F', true, false, false), 62);
    EXPECT_EQ(k.lookup(F1 + 2, false, false, false), 63);
    EXPECT_EQ(k.lookup(F1 + 2, false, true, false), 64);
    EXPECT_EQ(k.lookup('N', true, false, false), 63);
    EXPECT_EQ(k.lookup('P', true, false, false), 64);
    EXPECT_EQ(k.lookup('L', true, false, false), 196);
    EXPECT_EQ(k.lookup('C', true, false, false), 40);
    EXPECT_EQ(k.lookup('A', true, false, false), 39);
    EXPECT_EQ(k.lookup('B', true, false, false), 37);
    EXPECT_EQ(k.lookup('A', false, false, true), 37);
    EXPECT_EQ(k.lookup('O', true, false, false), 4);
    EXPECT_EQ(k.lookup(F1 + 11, false, false, false), 136);
    EXPECT_EQ(k.lookup(F1 + 5, false, false, false), 142);

    // Everything else is empty.
    int assigned = 0;
    for (int r = kRegionPlain; r < kRegionCount; ++r)
        for (int i = 0; i < 64; ++i)
            if (k.get(KeyRegion(r), i)) ++assigned;
    EXPECT_EQ(assigned, 13);
    EXPECT_EQ(k.lookup('Q', true, false, false), 0);
    EXPECT_EQ(k.lookup('F', true, true, false), 0);      // Ctrl+Shift+F
    EXPECT_EQ(k.lookup(F1 + 2, true, false, false), 0);  // Ctrl+F3
    EXPECT_EQ(k.mouse(kMouseLeftDouble), 0);
    EXPECT_EQ(k.mouse(kMouseRight), 0);
    EXPECT_EQ(k.mouse(kMouseLeftTriple), 0);
}

TEST(KeyTableDefaults, OemKeysShareTheLetterBlockEntries) {
    KeyTable k;
    k.assign(0xDB, true, false, false, 77);
    EXPECT_EQ(k.lookup(0x5B, true, false, false), 77);
    EXPECT_EQ(k.lookup(0xDB, false, false, true), 0);
}

TEST(KeyTableDefaults, OutOfRangeSetsAreIgnored) {
    KeyTable k;
    k.set(kRegionPlain, 15, 9);
    k.set(kRegionShift, -1, 9);
    k.set(kRegionCtrl, 56, 9);
    k.set(kRegionMouse, 3, 9);
    for (int r = kRegionPlain; r < kRegionCount; ++r)
        for (int i = -1; i < 64; ++i) EXPECT_EQ(k.get(KeyRegion(r), i), 0);
}
