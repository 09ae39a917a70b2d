// Kelview opened from the command line: caption marks, jumps, option errors, Esc.
#include "kelview_e2e.h"

using namespace kvtest;

namespace {

std::string doc(const char* name) { return e2e::source(std::string("sample-disc/docs/") + name); }

// A JIS (ISO-2022-JP) document of `lines` lines, each holding its number and two kana.
std::string jisDocument(int lines) {
    std::string s;
    for (int i = 1; i <= lines; ++i) {
        s += "line " + std::to_string(i) + " \x1b$B\x24\x22\x24\x24\x1b(B end\r\n";
    }
    return s;
}

}  // namespace

TEST(KelviewOpen, CaptionMarksOfTheFourCodes) {
    struct Case {
        const char* options;
        const char* file;
        const char* mark;
    };
    const Case cases[] = {
        {"", "readme_sjis.txt", ""},
        {"", "readme_unicode.txt", " [Unicode]"},
        {"/fe ", "readme_euc.txt", " [EUC]"},
        {"/fj ", "readme_jis.txt", " [JIS]"},
    };
    for (const Case& c : cases) {
        e2e::Driver d;
        e2e::Process p = d.start(viewer(), std::string(c.options) + "\"" + doc(c.file) + "\"");
        HWND frame = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, frame) << c.file;
        std::string expected = std::string(c.file) + " " + c.mark + " - Kelview";
        ASSERT_TRUE(waitCaptionHas(frame, expected)) << e2e::windowText(frame);
        if (!*c.mark) {
            EXPECT_EQ(std::string::npos, e2e::windowText(frame).find(" ["));
        }
        // The text arrived decoded: the same number of display rows in every code.
        EXPECT_EQ(35, query(clientOf(frame), kRowCount)) << c.file;
    }
}

TEST(KelviewOpen, JisOptionAndJumpToLineAndColumn) {
    std::string folder = e2e::freshFolder("kelview_jump");
    std::string file = folder + "\\read me.txt";
    ASSERT_TRUE(e2e::writeFile(file, jisDocument(300)));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/fj /j120,5 \"" + file + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "read me.txt  [JIS] - Kelview")) << e2e::windowText(frame);
    HWND client = clientOf(frame);
    ASSERT_NE(nullptr, client);
    auto pos = position(client);
    EXPECT_EQ(120, pos.first);
    EXPECT_EQ(6, pos.second);  // column 5 counted from 0 shows as 6
    // The jump target is on screen.
    LRESULT top = query(client, kTopRow);
    EXPECT_LE(top, 119);
    EXPECT_GT(top + query(client, kVisibleRows), 119);
    e2e::screenshot(frame, "kelview_jump_jis");
}

TEST(KelviewOpen, JumpToEndAndToDisplayRow) {
    std::string folder = e2e::freshFolder("kelview_jump_end");
    std::string file = folder + "\\a.txt";
    std::string text;
    for (int i = 0; i < 50; ++i) text += "row " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(e2e::writeFile(file, text));
    {
        e2e::Driver d;
        e2e::Process p = d.start(viewer(), "/je \"" + file + "\"");
        HWND frame = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, frame);
        EXPECT_EQ(51, position(clientOf(frame)).first);  // the end-of-file row
    }
    {
        e2e::Driver d;
        e2e::Process p = d.start(viewer(), "/k 30 \"" + file + "\"");
        HWND frame = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, frame);
        EXPECT_EQ(31, position(clientOf(frame)).first);
    }
}

TEST(KelviewOpen, UnknownOptionIsReportedWithItsLetterAndTheFileStillOpens) {
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/z \"" + doc("readme_sjis.txt") + "\"");
    HWND box = d.waitMessageBox(p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("起動時オプションがおかしいです。オプション：z", e2e::messageBoxText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    EXPECT_EQ("", e2e::windowText(box));
    e2e::pressButton(box, IDOK);
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "readme_sjis.txt"));
}

TEST(KelviewOpen, EscapeInBrowseModeCloses) {
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + doc("readme_sjis.txt") + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    HWND client = clientOf(frame);
    EXPECT_EQ(1, query(client, kBrowse));
    ASSERT_TRUE(e2e::sendKey(client, VK_ESCAPE));
    DWORD code = 99;
    EXPECT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(0u, code);
}

TEST(KelviewOpen, FirstEscapeOnlyEndsTheSelection) {
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + doc("readme_sjis.txt") + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    HWND client = clientOf(frame);
    ASSERT_TRUE(e2e::sendKey(client, 'A', false, true));
    EXPECT_EQ(1, waitQuery(client, kHasSelection, 1));
    ASSERT_TRUE(e2e::sendKey(client, VK_ESCAPE));
    EXPECT_EQ(0, waitQuery(client, kHasSelection, 0));
    EXPECT_TRUE(p.running());
    ASSERT_TRUE(e2e::sendKey(client, VK_ESCAPE));
    EXPECT_TRUE(p.waitExit(10000));
}

TEST(KelviewOpen, MissingFileOpensEmptyAsNew) {
    std::string folder = e2e::freshFolder("kelview_new");
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + folder + "\\nothing.txt\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "nothing.txt (新規) - Kelview")) << e2e::windowText(frame);
    EXPECT_EQ(1, query(clientOf(frame), kRowCount));
}

TEST(KelviewOpen, MissingFolderIsReported) {
    std::string folder = e2e::freshFolder("kelview_nofolder");
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + folder + "\\gone\\x.txt\"");
    HWND box = d.waitMessageBox(p);
    ASSERT_NE(nullptr, box);
    // The drive letter is folded to lower case.
    std::string shown = folder;
    shown[0] = static_cast<char>(tolower(shown[0]));
    EXPECT_EQ(shown + "\\goneというフォルダが見つかりません。", e2e::messageBoxText(box));
    e2e::pressButton(box, IDOK);
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "(無題) - Kelview")) << e2e::windowText(frame);
}

TEST(KelviewOpen, WindowRectangleAndMaximisedWidth) {
    {
        e2e::Driver d;
        e2e::Process p = d.start(viewer(), "/(30,40,500,400) \"" + doc("readme_sjis.txt") + "\"");
        HWND frame = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, frame);
        RECT r = e2e::windowRect(frame);
        EXPECT_EQ(30, r.left);
        EXPECT_EQ(40, r.top);
        EXPECT_EQ(500, r.right - r.left);
        EXPECT_EQ(400, r.bottom - r.top);
    }
    {
        e2e::Driver d;
        e2e::Process p = d.start(viewer(), "/(0,0,32767,0) \"" + doc("readme_sjis.txt") + "\"");
        HWND frame = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, frame);
        EXPECT_TRUE(IsZoomed(frame));
    }
}

TEST(KelviewOpen, ReloadWithCodeFromAnotherViewer) {
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + doc("readme_jis.txt") + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(waitCaptionHas(frame, "readme_jis.txt  - Kelview"));  // taken as Shift-JIS
    // Another viewer hands the file over: WM_COMMAND 4096 with the code in lParam.
    PostMessageA(frame, WM_COMMAND, 4096, 4);
    EXPECT_TRUE(waitCaptionHas(frame, "readme_jis.txt  [JIS] - Kelview")) << e2e::windowText(frame);
    EXPECT_EQ(35, query(clientOf(frame), kRowCount));
}

TEST(KelviewOpen, AboutBox) {
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + doc("readme_sjis.txt") + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(e2e::command(frame, 96));
    HWND box = d.waitDialog(p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Version 3.0", e2e::dlgItemText(box, 1003));
    EXPECT_EQ("Kelview", e2e::dlgItemText(box, 1002));
    e2e::screenshot(box, "kelview_about");
    e2e::pressButton(box, IDOK);
    EXPECT_TRUE(d.waitGone(box));
    EXPECT_TRUE(p.running());
}
