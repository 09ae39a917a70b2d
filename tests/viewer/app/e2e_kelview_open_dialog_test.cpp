// The open dialog: its code choice hands a file to a new viewer in that code,
// a missing name becomes a new document, and close-and-open has its title.
#include "kelview_e2e.h"

using namespace kvtest;

namespace {

struct FindId {
    int id;
    HWND found;
};

BOOL CALLBACK matchId(HWND w, LPARAM lp) {
    FindId* f = reinterpret_cast<FindId*>(lp);
    if (GetDlgCtrlID(w) == f->id) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

// A control anywhere below the dialog (the added part is a child dialog).
HWND descendant(HWND dialog, int id) {
    FindId f = {id, nullptr};
    EnumChildWindows(dialog, matchId, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// The file-name box of the common dialog: an edit, alone or inside a combo box.
HWND fileNameBox(HWND dialog) {
    for (int id : {0x47c, 0x480}) {
        HWND w = descendant(dialog, id);
        if (!w) continue;
        if (e2e::className(w) == "Edit") return w;
        if (HWND edit = e2e::findChild(w, "Edit")) return edit;
    }
    return nullptr;
}

HWND openDialog(const e2e::Process& p) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        for (HWND w : e2e::topWindows(p.pid))
            if (e2e::className(w) == "#32770" && descendant(w, IDC_OPEN_CODE)) return w;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

TEST(KelviewOpenDialog, ChosenCodeGoesWithTheFileToANewViewer) {
    std::string folder = e2e::freshFolder("kelview_opendlg");
    ASSERT_TRUE(e2e::writeFile(folder + "\\first.txt", "first\r\n"));
    ASSERT_TRUE(e2e::writeFile(folder + "\\second.txt", "second\r\n"));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + folder + "\\first.txt\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(waitCaptionHas(frame, "first.txt"));
    ASSERT_TRUE(e2e::command(frame, IDM_OPEN));
    HWND dialog = openDialog(p);
    ASSERT_NE(nullptr, dialog);
    HWND combo = descendant(dialog, IDC_OPEN_CODE);
    std::vector<std::string> codes = e2e::itemTexts(combo);
    std::vector<std::string> expected = {"SHIFT-JIS/Unicode自動選択", "SHIFT-JIS", "Unicode", "EUC", "JIS"};
    EXPECT_EQ(expected, codes);
    EXPECT_EQ(0, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("文字ｺｰﾄﾞ'(&C):", e2e::windowText(descendant(dialog, IDC_OPEN_CODE_LABEL)));
    SendMessageA(combo, CB_SETCURSEL, 4, 0);
    HWND name = fileNameBox(dialog);
    ASSERT_NE(nullptr, name);
    ASSERT_TRUE(e2e::setText(name, "second.txt"));
    e2e::pressButton(dialog, IDOK);
    // This viewer shows a document already: a new one opens the file, as JIS.
    DWORD start = GetTickCount();
    HWND second = nullptr;
    while (!second && GetTickCount() - start < 15000) {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w != frame && IsWindowVisible(w) && e2e::className(w) == "Kelview32Class" &&
                e2e::windowText(w).find("second.txt") != std::string::npos)
                second = w;
        Sleep(50);
    }
    ASSERT_NE(nullptr, second);
    d.attach(second);
    EXPECT_TRUE(waitCaptionHas(second, "second.txt  [JIS] - Kelview")) << e2e::windowText(second);
    EXPECT_TRUE(waitCaptionHas(frame, "first.txt"));
}

TEST(KelviewOpenDialog, AMissingNameAnsweredYesOpensANewDocument) {
    std::string folder = e2e::freshFolder("kelview_opendlg_new");
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "", folder);
    HWND dialog = openDialog(p);
    ASSERT_NE(nullptr, dialog);
    HWND name = fileNameBox(dialog);
    ASSERT_NE(nullptr, name);
    ASSERT_TRUE(e2e::setText(name, "fresh.txt"));
    e2e::pressButton(dialog, IDOK);
    HWND box = d.waitMessageBox(p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("fresh.txtは見つかりません。新規作成しますか？", e2e::messageBoxText(box));
    EXPECT_EQ("fresh.txt", e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Question, e2e::messageBoxIcon(box));
    e2e::pressButton(box, IDYES);
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "fresh.txt (新規)")) << e2e::windowText(frame);
}

TEST(KelviewOpenDialog, CloseAndOpenHasItsTitleAndCancelKeepsTheDocument) {
    std::string folder = e2e::freshFolder("kelview_opendlg_close");
    ASSERT_TRUE(e2e::writeFile(folder + "\\kept.txt", "kept\r\n"));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + folder + "\\kept.txt\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(waitCaptionHas(frame, "kept.txt"));
    ASSERT_TRUE(e2e::command(frame, IDM_CLOSE_AND_OPEN));
    HWND dialog = openDialog(p);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("閉じて開く", e2e::windowText(dialog));
    e2e::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(d.waitGone(dialog));
    EXPECT_TRUE(waitCaptionHas(frame, "kept.txt"));
    EXPECT_EQ(2, query(clientOf(frame), kRowCount));
    // Chosen the second time, a file replaces the document in this window.
    ASSERT_TRUE(e2e::writeFile(folder + "\\other.txt", "a\r\nb\r\nc\r\n"));
    ASSERT_TRUE(e2e::command(frame, IDM_CLOSE_AND_OPEN));
    dialog = openDialog(p);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(e2e::setText(fileNameBox(dialog), "other.txt"));
    e2e::pressButton(dialog, IDOK);
    EXPECT_TRUE(waitCaptionHas(frame, "other.txt")) << e2e::windowText(frame);
    EXPECT_EQ(4, query(clientOf(frame), kRowCount));
    EXPECT_EQ(1u, e2e::topWindows(p.pid).size());
}

TEST(KelviewOpenDialog, APatternWithAFolderStartsTheDialogThere) {
    std::string folder = e2e::freshFolder("kelview_opendlg_pattern");
    ASSERT_TRUE(e2e::writeFile(folder + "\\picked.log", "one\r\ntwo\r\nthree\r\n"));
    e2e::Driver d;
    // Started elsewhere: the dialog must look in the pattern's folder.
    e2e::Process p =
        d.start(viewer(), "\"" + folder + "\\*.log\"", e2e::freshFolder("kelview_opendlg_elsewhere"));
    HWND dialog = openDialog(p);
    ASSERT_NE(nullptr, dialog);
    HWND name = fileNameBox(dialog);
    ASSERT_NE(nullptr, name);
    EXPECT_EQ("*.log", e2e::windowText(name));
    HWND filters = descendant(dialog, 0x470);
    ASSERT_NE(nullptr, filters);
    std::vector<std::string> items = e2e::itemTexts(filters);
    ASSERT_EQ(8u, items.size());
    EXPECT_EQ("すべてのﾌｧｲﾙ (*.*)", items[0]);
    EXPECT_EQ("ヴァンｼﾘｰｽﾞ関連 (*.mac;*.hsc;*.scr;*.hilight)", items[6]);
    EXPECT_EQ("ユーザー指定", items[7]);
    EXPECT_EQ(7, SendMessageA(filters, CB_GETCURSEL, 0, 0));
    ASSERT_TRUE(e2e::setText(name, "picked.log"));
    e2e::pressButton(dialog, IDOK);
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "picked.log")) << e2e::windowText(frame);
    EXPECT_EQ(4, query(clientOf(frame), kRowCount));
}
