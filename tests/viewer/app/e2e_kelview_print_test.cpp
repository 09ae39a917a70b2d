// Kelview prints on a file printer (Wine's PostScript driver on FILE:): /p
// prints and closes; the PostScript is read back to text and a page is
// rendered to build/screenshots for people to look at.
#include "print_e2e.h"
#include <algorithm>

using namespace kvtest;

namespace {

struct PrintChoices {
    bool fileName = false, pageNumber = false, lineNumbers = false;
    std::string size = "10";
};

// Answers the print dialog: the check boxes, the size, then OK.
HWND answerPrintDialog(e2e::Driver& d, const e2e::Process& p, const PrintChoices& c) {
    HWND dlg = d.waitWindowTitled(p, "印刷", 20000);
    if (!dlg) return nullptr;
    const struct {
        int id;
        bool on;
    } boxes[] = {{IDC_PRINT_FILE_NAME, c.fileName},
                 {IDC_PRINT_PAGE_NUMBER, c.pageNumber},
                 {IDC_PRINT_LINE_NUMBERS, c.lineNumbers}};
    for (auto& b : boxes)
        SendMessageA(e2e::child(dlg, b.id), BM_SETCHECK, b.on ? BST_CHECKED : BST_UNCHECKED, 0);
    e2e::setText(e2e::child(dlg, IDC_PRINT_SIZE), c.size);
    return e2e::pressButton(dlg, IDOK) ? dlg : nullptr;
}

std::string numberedLines(int from, int to) {
    std::string s;
    for (int i = from; i <= to; ++i) s += "line " + std::to_string(i) + "\r\n";
    return s;
}

using Pages = std::vector<std::vector<std::string>>;

}  // namespace

class KelviewPrint : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(installFilePrinter()) << "no file printer in the test prefix"; }
};

// /p: the dialog, then the pages with header, line numbers and the form
// feed's page break; the window closes afterwards.
TEST_F(KelviewPrint, SlashPPrintsHeaderLineNumbersAndFormFeedThenCloses) {
    std::string folder = e2e::freshFolder("kelview_print_numbers");
    std::string doc = folder + "\\numbers.txt";
    ASSERT_TRUE(e2e::writeFile(doc, numberedLines(1, 12) + "abc\x0c"
                                                           "def\r\n日本語の行\r\n"));
    std::string out = folder + "\\out.ps";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    HWND dlg = d.waitWindowTitled(p, "印刷", 20000);
    ASSERT_NE(nullptr, dlg);
    // Run right after loading: no selection, so selection-only is off and disabled.
    EXPECT_EQ(BST_UNCHECKED, e2e::checkState(e2e::child(dlg, IDC_PRINT_SELECTION)));
    EXPECT_FALSE(IsWindowEnabled(e2e::child(dlg, IDC_PRINT_SELECTION)));
    EXPECT_EQ("(0～)", e2e::dlgItemText(dlg, IDC_PRINT_TOP_MIN));
    EXPECT_EQ(kTestPrinter, e2e::dlgItemText(dlg, IDC_PRINT_PRINTER));
    PrintChoices c;
    c.fileName = c.pageNumber = c.lineNumbers = true;
    ASSERT_NE(nullptr, answerPrintDialog(d, p, c));
    ASSERT_TRUE(answerOutputFile(d, p, out));
    DWORD code = 99;
    EXPECT_TRUE(p.waitExit(30000, &code)) << "the window stays open after printing";
    EXPECT_EQ(0u, code);
    ASSERT_TRUE(e2e::waitForFile(out, 10000, 1));
    Pages pages = printedPages(out);
    std::vector<std::string> first = {"numbers.txt     Page 1", ""};
    for (int i = 1; i <= 12; ++i)
        first.push_back((i < 10 ? "   " : "  ") + std::to_string(i) + " line " + std::to_string(i));
    first.push_back("  13 abc");
    Pages expected = {first, {"numbers.txt     Page 2", "", "     def", "  14 日本語の行"}};
    EXPECT_EQ(expected, pages);
    EXPECT_TRUE(renderPage(out, "kelview_print_numbers.png"));
}

// Printing a selection (command 199 while rows are selected): the rows keep
// their ordinals, row 10000 prints five blanks, and the row where the
// selection ends at column 0 is left out.
TEST_F(KelviewPrint, SelectionEndingAtColumnZeroLeavesThatRowOut) {
    std::string folder = e2e::freshFolder("kelview_print_selection");
    std::string doc = folder + "\\many.txt";
    ASSERT_TRUE(e2e::writeFile(doc, numberedLines(1, 10002)));
    std::string out = folder + "\\out.ps";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + doc + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    HWND client = clientOf(frame);
    ASSERT_TRUE(e2e::activate(client));
    ASSERT_TRUE(e2e::sendKey(client, 'B', false, true));  // caret mode
    ASSERT_EQ(0, waitQuery(client, kBrowse, 0));
    ASSERT_TRUE(e2e::sendKey(client, VK_END, false, true));
    ASSERT_TRUE(e2e::sendKey(client, VK_UP));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(e2e::sendKey(client, VK_UP, true));
    ASSERT_EQ(1, waitQuery(client, kHasSelection, 1));
    ASSERT_EQ(MAKELONG(1, 9999), waitQuery(client, kPosition, MAKELONG(1, 9999)));
    ASSERT_TRUE(e2e::command(frame, IDM_PRINT_AND_CLOSE));
    HWND dlg = d.waitWindowTitled(p, "印刷", 20000);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(BST_CHECKED, e2e::checkState(e2e::child(dlg, IDC_PRINT_SELECTION)));
    EXPECT_TRUE(IsWindowEnabled(e2e::child(dlg, IDC_PRINT_SELECTION)));
    PrintChoices c;
    c.lineNumbers = true;
    ASSERT_NE(nullptr, answerPrintDialog(d, p, c));
    ASSERT_TRUE(answerOutputFile(d, p, out));
    EXPECT_TRUE(p.waitExit(30000));
    ASSERT_TRUE(e2e::waitForFile(out, 10000, 1));
    EXPECT_EQ((Pages{{"9999 line 9999", "     line 10000", "   1 line 10001"}}), printedPages(out));
}

// No default printer: the message, then the printer-setup dialog; cancelling
// it ends printing and the window closes without a print dialog.
TEST_F(KelviewPrint, WithoutDefaultPrinterTheMessageAndNothingPrinted) {
    NoDefaultPrinter none;
    std::string folder = e2e::freshFolder("kelview_print_none");
    std::string doc = folder + "\\a.txt";
    ASSERT_TRUE(e2e::writeFile(doc, "text\r\n"));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    HWND box = d.waitMessageBox(p, 20000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("通常使うプリンタが指定されていません。コントロールパネルで指定してください。",
              e2e::messageBoxText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(d.waitGone(box));
    // The printer-setup dialog is offered; cancelling it ends printing.
    DWORD code = 99;
    for (int i = 0; i < 3 && !p.waitExit(2000, &code); ++i) {
        for (HWND w : e2e::topWindows(p.pid)) {
            ASSERT_NE("印刷", e2e::windowText(w)) << "the print dialog came up without a printer";
            if (e2e::className(w) == "#32770") e2e::pressButton(w, IDCANCEL);
        }
    }
    EXPECT_TRUE(p.waitExit(20000, &code));
    EXPECT_EQ(0u, code);
}

// "中断" in the abort box stops the output: the job is dropped.
TEST_F(KelviewPrint, AbortStopsOutput) {
    std::string folder = e2e::freshFolder("kelview_print_abort");
    std::string doc = folder + "\\long.txt";
    ASSERT_TRUE(e2e::writeFile(doc, numberedLines(1, 30000)));
    std::string out = folder + "\\out.ps";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    ASSERT_NE(nullptr, answerPrintDialog(d, p, PrintChoices()));
    HWND abortBox = d.waitWindowTitled(p, "ヴァントロ", 20000);
    ASSERT_NE(nullptr, abortBox);
    EXPECT_EQ("long.txt", e2e::dlgItemText(abortBox, IDC_PRINT_ABORT_NAME));
    ASSERT_TRUE(answerOutputFile(d, p, out));
    ASSERT_TRUE(e2e::pressButton(abortBox, IDCANCEL));
    EXPECT_TRUE(p.waitExit(60000));
    // Nothing of the dropped job reaches the file, or at most a part of it.
    if (e2e::fileExists(out)) {
        Pages pages = printedPages(out);
        ASSERT_FALSE(pages.empty());
        EXPECT_LT(pages.size(), 300u);
        EXPECT_NE("line 30000", pages.back().empty() ? "" : pages.back().back());
    }
}

// A fixed-pitch font too wide for 80 columns: the question names the
// overflowing columns; Yes narrows the fold and prints the re-wrapped rows.
TEST_F(KelviewPrint, TooWideAsksAndYesNarrowsTheFold) {
    std::string folder = e2e::freshFolder("kelview_print_wide");
    std::string doc = folder + "\\wide.txt";
    std::string row;
    for (int i = 0; i < 80; ++i) row += char('0' + i % 10);
    ASSERT_TRUE(e2e::writeFile(doc, row + "\r\nshort\r\n"));
    std::string out = folder + "\\out.ps";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    PrintChoices c;
    c.size = "20";
    ASSERT_NE(nullptr, answerPrintDialog(d, p, c));
    HWND box = d.waitMessageBox(p, 20000);
    ASSERT_NE(nullptr, box);
    std::string q = e2e::messageBoxText(box);
    const std::string before = "印刷可能範囲から右側に半角文字で";
    const std::string after = "文字分はみ出します。１行の折り返し文字数を調節しますか？";
    ASSERT_EQ(0u, q.find(before)) << q;
    ASSERT_GT(q.size(), before.size() + after.size());
    ASSERT_EQ(after, q.substr(q.size() - after.size()));
    int n = std::atoi(q.substr(before.size(), q.size() - before.size() - after.size()).c_str());
    ASSERT_GT(n, 0);
    ASSERT_LT(n, 60);
    EXPECT_EQ(e2e::Icon::Question, e2e::messageBoxIcon(box));
    ASSERT_TRUE(e2e::pressButton(box, IDYES));
    ASSERT_TRUE(answerOutputFile(d, p, out));
    EXPECT_TRUE(p.waitExit(30000));
    ASSERT_TRUE(e2e::waitForFile(out, 10000, 1));
    EXPECT_EQ((Pages{{row.substr(0, size_t(80 - n)), row.substr(size_t(80 - n)), "short"}}),
              printedPages(out));
    EXPECT_TRUE(renderPage(out, "kelview_print_wide.png"));
}

// Size 0 prints in the screen font's cell height taken to the printer's
// resolution: at 300 dpi the glyphs stay readable instead of shrinking to a
// few printer pixels.
TEST_F(KelviewPrint, SizeZeroFollowsTheScreenFontAtPrinterResolution) {
    std::string folder = e2e::freshFolder("kelview_print_size0");
    std::string doc = folder + "\\a.txt";
    ASSERT_TRUE(e2e::writeFile(doc, "size zero\r\n"));
    std::string out = folder + "\\out.ps";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    PrintChoices c;
    c.size = "0";
    ASSERT_NE(nullptr, answerPrintDialog(d, p, c));
    ASSERT_TRUE(answerOutputFile(d, p, out));
    EXPECT_TRUE(p.waitExit(30000));
    ASSERT_TRUE(e2e::waitForFile(out, 10000, 1));
    EXPECT_EQ((Pages{{"size zero"}}), printedPages(out));
    // The font matrix: "[EM 0 0 -EM 0 0] makefont" with EM in printer pixels.
    std::string ps;
    ASSERT_TRUE(e2e::readFile(out, &ps));
    size_t at = ps.find("makefont");
    ASSERT_NE(std::string::npos, at);
    size_t open = ps.rfind('[', at);
    ASSERT_NE(std::string::npos, open);
    int em = std::atoi(ps.c_str() + open + 1);
    EXPECT_GE(em, 30) << ps.substr(open, at - open);
}

// A proportional printer face: the document is re-wrapped without tab
// padding for the time of printing, tabs are drawn as tab stops, and rows
// still fold at 80 columns.
TEST_F(KelviewPrint, ProportionalFaceKeepsTabsAndFold) {
    std::string folder = e2e::freshFolder("kelview_print_proportional");
    std::string doc = folder + "\\p.txt";
    ASSERT_TRUE(e2e::writeFile(doc, "x\ty\r\n" + std::string(100, 'a') + "\r\n"));
    std::string out = folder + "\\out.ps";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    HWND dlg = d.waitWindowTitled(p, "印刷", 20000);
    ASSERT_NE(nullptr, dlg);
    HWND faces = e2e::child(dlg, IDC_PRINT_FACE);
    std::vector<std::string> names = e2e::itemTexts(faces);
    // The face's name may come localised.
    auto it = std::find_if(names.begin(), names.end(),
                           [](const std::string& n) { return n == "IPAPGothic" || n == "IPA Pゴシック"; });
    ASSERT_NE(names.end(), it) << "no proportional face among " << ::testing::PrintToString(names);
    EXPECT_EQ(names.end(), std::find_if(names.begin(), names.end(),
                                        [](const std::string& n) { return !n.empty() && n[0] == '@'; }))
        << "vertical faces are left out";
    SendMessageA(faces, CB_SETCURSEL, WPARAM(it - names.begin()), 0);
    ASSERT_NE(nullptr, answerPrintDialog(d, p, PrintChoices()));
    ASSERT_TRUE(answerOutputFile(d, p, out));
    EXPECT_TRUE(p.waitExit(30000));
    ASSERT_TRUE(e2e::waitForFile(out, 10000, 1));
    Pages pages = printedPages(out);
    for (auto& page : pages)
        for (auto& line : page) line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    EXPECT_EQ((Pages{{"xy", std::string(80, 'a'), std::string(20, 'a')}}), pages);
}

// Without a default printer the printer-setup dialog offers the installed
// one; confirming it brings the print dialog up for that printer.
TEST_F(KelviewPrint, WithoutDefaultPrinterTheSetupDialogChoosesOne) {
    NoDefaultPrinter none;
    std::string folder = e2e::freshFolder("kelview_print_setup");
    std::string doc = folder + "\\a.txt";
    ASSERT_TRUE(e2e::writeFile(doc, "text\r\n"));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "/p \"" + doc + "\"");
    HWND box = d.waitMessageBox(p, 20000);
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(d.waitGone(box));
    HWND setup = d.waitDialog(p, 20000);
    ASSERT_NE(nullptr, setup);
    ASSERT_NE("印刷", e2e::windowText(setup));
    // The setup dialog's printer list (its first combo box) starts without a choice.
    HWND names = e2e::findChild(setup, "ComboBox");
    ASSERT_NE(nullptr, names);
    std::vector<std::string> printers = e2e::itemTexts(names);
    auto it = std::find(printers.begin(), printers.end(), kTestPrinter);
    ASSERT_NE(printers.end(), it);
    SendMessageA(names, CB_SETCURSEL, WPARAM(it - printers.begin()), 0);
    SendMessageA(setup, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(names), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(names));
    ASSERT_TRUE(e2e::pressButton(setup, IDOK));
    HWND dlg = d.waitWindowTitled(p, "印刷", 20000);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(kTestPrinter, e2e::dlgItemText(dlg, IDC_PRINT_PRINTER));
    // Cancel prints nothing; the window closes all the same.
    ASSERT_TRUE(e2e::pressButton(dlg, IDCANCEL));
    EXPECT_TRUE(p.waitExit(20000));
}
