// Searching in Kelview through its find dialog and keys, each result read
// back through the position indicator (1-based row and column).
#include "kelview_e2e.h"

using namespace kvtest;

namespace {

struct Viewer : RunningViewer {
    using RunningViewer::RunningViewer;

    // Commands posted before this one have run once it returns true: the
    // line-number margin (F12) is toggled and its new width awaited.
    bool settle() {
        LRESULT before = query(client, kMarginWidth);
        if (!e2e::command(frame, IDM_LINE_NUMBERS)) return false;
        DWORD start = GetTickCount();
        while (query(client, kMarginWidth) == before) {
            if (GetTickCount() - start > 5000) return false;
            Sleep(20);
        }
        return true;
    }

    HWND openFind(WORD command = IDM_FIND) {
        if (!e2e::command(frame, command)) return nullptr;
        return d.waitWindowTitled(p, "検索", 15000);
    }

    // One search through the dialog: the string, the two options, the direction.
    bool find(const std::string& text, bool caseSensitive, bool wholeWord, bool up = false) {
        HWND dlg = openFind();
        if (!dlg) return false;
        e2e::setText(e2e::child(dlg, IDC_FIND_TEXT), text);
        if ((e2e::checkState(e2e::child(dlg, IDC_FIND_CASE)) == BST_CHECKED) != caseSensitive)
            e2e::pressButton(dlg, IDC_FIND_CASE);
        if ((e2e::checkState(e2e::child(dlg, IDC_FIND_WORD)) == BST_CHECKED) != wholeWord)
            e2e::pressButton(dlg, IDC_FIND_WORD);
        e2e::pressButton(dlg, up ? IDC_FIND_UP : IDOK);
        return d.waitGone(dlg, 5000) && settle();
    }
};

std::pair<int, int> rc(int row, int column) { return {row, column}; }

}  // namespace

TEST(KelviewSearch, MatchesRespectCharactersWordsLinesTabsAndTheEnd) {
    std::string folder = e2e::freshFolder("kelview_search_edges");
    const std::string file = folder + "\\s.txt";
    ASSERT_TRUE(e2e::writeFile(file, "ャ\r\n"              // row 1
                                     "ア ャ xAx\r\n"       // 2: ア ends in 0x41, ャ in 0x61
                                     "312 12x ab1 12\r\n"  // 3
                                         + std::string(78, 'w') +
                                         "needle\r\n"         // 4-5: wrapped at 80 bytes
                                         "pin\r\n"            // 6
                                         "cushion\r\n"        // 7
                                         "tab\there\r\n"      // 8: the tab fills to column 8
                                         "1234567\tx\r\n"));  // 9: this tab is one column
    Viewer v(file);
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));

    // The field is filled with the (double-byte) word at the caret.
    HWND dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ("ャ", e2e::windowText(e2e::child(dlg, IDC_FIND_TEXT)));
    EXPECT_FALSE(IsWindowEnabled(e2e::child(dlg, IDC_FIND_IN_SELECTION)));  // no selection
    EXPECT_FALSE(IsWindowEnabled(v.frame));
    e2e::pressButton(dlg, IDOK);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));
    // Folding leaves ャ (83 61) alone: ア (83 41) at column 1 is not it.
    EXPECT_EQ(rc(2, 4), position(v.client));
    EXPECT_TRUE(IsWindowEnabled(v.frame));

    // After the last match: no wrap to row 1, the caret stays.
    ASSERT_TRUE(e2e::command(v.frame, IDM_FIND_NEXT));
    ASSERT_TRUE(v.settle());
    EXPECT_EQ(rc(2, 4), position(v.client));

    // From the top, "a" in any case: never the second byte of ャ or ア.
    ASSERT_TRUE(e2e::sendKey(v.client, VK_HOME, false, true));
    ASSERT_EQ(MAKELONG(1, 1), waitQuery(v.client, kPosition, MAKELONG(1, 1)));
    ASSERT_TRUE(v.find("a", false, false));
    EXPECT_EQ(rc(2, 8), position(v.client));

    // Whole words: "312" has a digit before, "12x" a letter after.
    ASSERT_TRUE(v.find("12", false, true));
    EXPECT_EQ(rc(3, 13), position(v.client));
    // Upwards: a string ending in a letter is a word before a digit ("ab1").
    ASSERT_TRUE(v.find("ab", false, true, true));
    EXPECT_EQ(rc(3, 9), position(v.client));

    // Across the wrap between rows 4 and 5.
    ASSERT_TRUE(v.find("needle", false, false));
    EXPECT_EQ(rc(4, 79), position(v.client));
    // Never across a line break; the caret stays on the last match.
    ASSERT_TRUE(v.find("pincushion", false, false));
    EXPECT_EQ(rc(4, 79), position(v.client));
    // A tab matches only where it takes a single column.
    ASSERT_TRUE(v.find("b\th", false, false));
    EXPECT_EQ(rc(4, 79), position(v.client));
    ASSERT_TRUE(v.find("7\tx", false, false));
    EXPECT_EQ(rc(9, 7), position(v.client));
    // The end mark is not text.
    ASSERT_TRUE(v.find("[EOF]", false, false));
    EXPECT_EQ(rc(9, 7), position(v.client));
    ASSERT_TRUE(v.find("EOF", true, false));
    EXPECT_EQ(rc(9, 7), position(v.client));

    // History, newest first; a string equal but for case moved up, not doubled.
    ASSERT_TRUE(v.find("NEEDLE", false, false));
    dlg = v.openFind(IDM_FIND_AGAIN_DOWN);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ("NEEDLE", e2e::windowText(e2e::child(dlg, IDC_FIND_TEXT)));
    std::vector<std::string> history = e2e::itemTexts(e2e::child(dlg, IDC_FIND_TEXT));
    std::vector<std::string> expected = {"NEEDLE",     "EOF", "[EOF]", "7\tx", "b\th",
                                         "pincushion", "ab",  "12",    "a",    "ャ"};
    EXPECT_EQ(expected, history);
    e2e::pressButton(dlg, IDCANCEL);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));

    // Back to where searching began (row 1), however far it went since.
    ASSERT_TRUE(e2e::command(v.frame, IDM_BACK_TO_SEARCH_START));
    EXPECT_EQ(MAKELONG(1, 1), waitQuery(v.client, kPosition, MAKELONG(1, 1)));
}

TEST(KelviewSearch, TwelveSelectedRowsBoundTheSearchEightDoNotByDefault) {
    std::string folder = e2e::freshFolder("kelview_search_rows");
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(folder + "\\r.txt", text));
    Viewer v(folder + "\\r.txt");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::sendKey(v.client, 'B', false, true));  // caret mode
    ASSERT_EQ(0, waitQuery(v.client, kBrowse, 0));
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(e2e::sendKey(v.client, VK_DOWN, true));
    // Real keys may be overtaken by posted commands: wait for their effect.
    ASSERT_EQ(MAKELONG(1, 13), waitQuery(v.client, kPosition, MAKELONG(1, 13)));

    HWND dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    HWND within = e2e::child(dlg, IDC_FIND_IN_SELECTION);
    EXPECT_TRUE(IsWindowEnabled(within));
    EXPECT_EQ(BST_CHECKED, e2e::checkState(within));
    EXPECT_EQ("", e2e::windowText(e2e::child(dlg, IDC_FIND_TEXT)));  // inner line breaks
    e2e::pressButton(dlg, IDCANCEL);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));

    for (int i = 0; i < 4; ++i) ASSERT_TRUE(e2e::sendKey(v.client, VK_UP, true));
    ASSERT_EQ(MAKELONG(1, 9), waitQuery(v.client, kPosition, MAKELONG(1, 9)));
    dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    within = e2e::child(dlg, IDC_FIND_IN_SELECTION);
    EXPECT_TRUE(IsWindowEnabled(within));
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(within));
    // Within rows 1-8: the first row's own match counts, "line 10" below does not.
    e2e::pressButton(dlg, IDC_FIND_IN_SELECTION);
    e2e::setText(e2e::child(dlg, IDC_FIND_TEXT), "line 1");
    e2e::pressButton(dlg, IDOK);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));
    ASSERT_TRUE(v.settle());
    EXPECT_EQ(rc(1, 1), position(v.client));
    ASSERT_TRUE(e2e::command(v.frame, IDM_FIND_NEXT));
    ASSERT_TRUE(v.settle());
    EXPECT_EQ(rc(1, 1), position(v.client));

    // Ctrl+L takes the word at the caret and ends the bounds: F3 goes on below.
    ASSERT_TRUE(e2e::sendKey(v.client, 'L', false, true));
    ASSERT_TRUE(e2e::sendKey(v.client, VK_F3));
    EXPECT_EQ(MAKELONG(1, 2), waitQuery(v.client, kPosition, MAKELONG(1, 2)));

    // The field starts with the match at the caret; the find key takes one more piece each time.
    dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    HWND field = e2e::child(dlg, IDC_FIND_TEXT);
    EXPECT_EQ("line", e2e::windowText(field));
    ASSERT_TRUE(e2e::activate(dlg));
    ASSERT_TRUE(e2e::sendKey(dlg, 'F', false, true));
    ASSERT_TRUE(e2e::sendKey(dlg, 'F', false, true));
    EXPECT_TRUE(e2e::waitText(field, "line 2", 5000)) << e2e::windowText(field);
    e2e::pressButton(dlg, IDCANCEL);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));
}

TEST(KelviewSearch, TheDialogFollowsTheUserToAnotherViewerWindow) {
    std::string folder = e2e::freshFolder("kelview_search_follow");
    ASSERT_TRUE(e2e::writeFile(folder + "\\a.txt", "alpha\r\n"));
    ASSERT_TRUE(e2e::writeFile(folder + "\\b.txt", "beta\r\n"));
    Viewer a(folder + "\\a.txt");
    ASSERT_NE(nullptr, a.client);
    Viewer b(folder + "\\b.txt");
    ASSERT_NE(nullptr, b.client);
    ASSERT_TRUE(e2e::activate(a.client));
    HWND dlg = a.openFind();
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ("alpha", e2e::windowText(e2e::child(dlg, IDC_FIND_TEXT)));
    // The user brings the other viewer to the front: the dialog closes here
    // and opens there with that window's own (still empty) search string.
    ASSERT_TRUE(e2e::activate(b.frame));
    EXPECT_TRUE(a.d.waitGone(dlg, 5000));
    HWND there = b.d.waitWindowTitled(b.p, "検索", 5000);
    ASSERT_NE(nullptr, there);
    EXPECT_EQ("", e2e::windowText(e2e::child(there, IDC_FIND_TEXT)));
    EXPECT_TRUE(IsWindowEnabled(a.frame));
    EXPECT_FALSE(IsWindowEnabled(b.frame));
    e2e::pressButton(there, IDCANCEL);
    EXPECT_TRUE(b.d.waitGone(there, 5000));
}

// The entries the dialog adds to its system menu, chosen as the menu sends
// them (this process cannot open another process's system menu under Wine).
TEST(KelviewSearch, SystemMenuEntriesMoveTheStartTakeWordsAndSwitchViewers) {
    std::string folder = e2e::freshFolder("kelview_search_sysmenu");
    std::string text = "alpha beta\r\n";
    for (int i = 2; i <= 30; ++i) text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(folder + "\\m.txt", text));
    ASSERT_TRUE(e2e::writeFile(folder + "\\other.txt", "other\r\n"));
    Viewer v(folder + "\\m.txt");
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    auto sysCommand = [](HWND dlg, WPARAM id) { return PostMessageA(dlg, WM_SYSCOMMAND, id, 0) != FALSE; };

    // "ファイルの最後に移動" moves the caret and makes the end the dialog's
    // start: an upward search runs from there, not from row 1.
    HWND dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    ASSERT_TRUE(sysCommand(dlg, IDM_FILE_END));
    EXPECT_EQ(MAKELONG(1, 31), waitQuery(v.client, kPosition, MAKELONG(1, 31)));
    EXPECT_TRUE(IsWindow(dlg));
    e2e::setText(e2e::child(dlg, IDC_FIND_TEXT), "line 2");
    e2e::pressButton(dlg, IDC_FIND_UP);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));
    ASSERT_TRUE(v.settle());
    EXPECT_EQ(rc(29, 1), position(v.client));

    // "ファイルの先頭に移動", then "検索文字列の追加取得" takes the word at
    // the new caret and one more piece each time.
    dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    HWND field = e2e::child(dlg, IDC_FIND_TEXT);
    ASSERT_TRUE(sysCommand(dlg, IDM_FILE_TOP));
    EXPECT_EQ(MAKELONG(1, 1), waitQuery(v.client, kPosition, MAKELONG(1, 1)));
    e2e::setText(field, "zzz");
    ASSERT_TRUE(sysCommand(dlg, IDM_FIND));
    EXPECT_TRUE(e2e::waitText(field, "alpha", 5000)) << e2e::windowText(field);
    ASSERT_TRUE(sysCommand(dlg, IDM_FIND));
    ASSERT_TRUE(sysCommand(dlg, IDM_FIND));
    EXPECT_TRUE(e2e::waitText(field, "alpha beta", 5000)) << e2e::windowText(field);

    e2e::pressButton(dlg, IDCANCEL);
    ASSERT_TRUE(v.d.waitGone(dlg, 5000));

    // "次のKelview" closes the dialog here and reopens it in the other viewer.
    // The other viewer is started first and this one brought back in front,
    // so that the dialog does not follow the other one's start-up.
    Viewer other(folder + "\\other.txt");
    ASSERT_NE(nullptr, other.client);
    // In front means on top of the z-order too, where "next" counts from.
    SetWindowPos(v.frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(e2e::pumpUntil([&] { return GetForegroundWindow() == v.frame; }, 5000));
    dlg = v.openFind();
    ASSERT_NE(nullptr, dlg);
    ASSERT_TRUE(sysCommand(dlg, IDM_NEXT_VIEWER));
    EXPECT_TRUE(v.d.waitGone(dlg, 5000));
    HWND there = other.d.waitWindowTitled(other.p, "検索", 20000);
    ASSERT_NE(nullptr, there);
    EXPECT_TRUE(IsWindowEnabled(v.frame));
    e2e::pressButton(there, IDCANCEL);
    EXPECT_TRUE(other.d.waitGone(there, 5000));
}

TEST(KelviewSearch, ALongDocumentIsSearchedThroughItsStoredPagesBothWays) {
    // About 90 KB, so that most rows are in the page file and not in the
    // text window when the search runs through them.
    std::string folder = e2e::freshFolder("kelview_search_long");
    std::string text;
    for (int line = 1; line <= 2600; ++line) {
        char filler[64];
        std::snprintf(filler, sizeof filler, "行 %04d あいうえお かきくけこ abc", line);
        if (line == 10)
            text += "Needle7Marker first";
        else if (line == 1999)
            text += std::string(filler) + " Need";  // the key broken by a line end
        else if (line == 2000)
            text += "le7Marker";
        else if (line == 2500)
            text += "xx needle7marker last";
        else
            text += filler;
        text += "\r\n";
    }
    const std::string file = folder + "\\long.txt";
    ASSERT_TRUE(e2e::writeFile(file, text));
    Viewer v(file);
    ASSERT_NE(nullptr, v.client);
    ASSERT_TRUE(e2e::activate(v.client));
    ASSERT_TRUE(v.find("NEEDLE7MARKER", false, false));
    EXPECT_EQ(rc(10, 1), position(v.client));
    ASSERT_TRUE(v.find("NEEDLE7MARKER", false, false));
    EXPECT_EQ(rc(2500, 4), position(v.client));
    ASSERT_TRUE(v.find("NEEDLE7MARKER", false, false));  // no further match: the caret stays
    EXPECT_EQ(rc(2500, 4), position(v.client));
    ASSERT_TRUE(v.find("NEEDLE7MARKER", false, false, true));
    EXPECT_EQ(rc(10, 1), position(v.client));
    ASSERT_TRUE(v.find("Needle7Marker", true, false));  // case counts: the last one differs
    EXPECT_EQ(rc(10, 1), position(v.client));
}
