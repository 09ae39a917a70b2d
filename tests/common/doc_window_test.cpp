// The document window in-process: a hidden parent window, real files, and the
// rich-edit control read back through its messages.
#include "doc_window.h"
#include "doc_window_res.h"
#include "driver.h"
#include <gtest/gtest.h>
#include <richedit.h>
#include <string>
#include <vector>

using namespace common;

namespace {

using e2e::pumpUntil;

int closedNotifications = 0;

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DOCUMENT_CLOSED) ++closedNotifications;
    return DefWindowProcA(window, message, wParam, lParam);
}

// The text of a control as CP932 bytes. The length a rich-edit control
// reports counts characters, so the buffer allows two bytes for each.
std::string controlText(HWND control) {
    int length = GetWindowTextLengthA(control);
    std::string text(2 * length + 2, '\0');
    int got = GetWindowTextA(control, &text[0], 2 * length + 2);
    text.resize(got > 0 ? got : 0);
    return text;
}

RECT windowRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

class DocumentWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = e2e::freshFolder("common\\docwindow");
        WNDCLASSA wc = {};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DocumentTestParent";
        RegisterClassA(&wc);
        parent_ = CreateWindowA("DocumentTestParent", "parent", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, parent_);
        resetDocumentPlacement();
        closedNotifications = 0;
    }
    void TearDown() override {
        closeDocument();
        DestroyWindow(parent_);
        pumpUntil([] { return false; }, 0);
    }
    std::string file(const std::string& name, const std::string& bytes) {
        std::string path = folder_ + "\\" + name;
        EXPECT_TRUE(e2e::writeFile(path, bytes));
        return path;
    }
    HWND open(const std::string& path, const char* link = "", bool web = false, int x = 80, int y = 0,
              int width = 480, int height = 400) {
        DocumentRequest request;
        request.setTextFile(path.c_str());
        request.setLink(link);
        request.linkIsWebAddress = web;
        request.x = x;
        request.y = y;
        request.width = width;
        request.height = height;
        return openDocument(parent_, request);
    }
    static HWND text(HWND dialog) { return GetDlgItem(dialog, IDC_DOCUMENT_TEXT); }

    std::string folder_;
    HWND parent_ = nullptr;
};

}  // namespace

TEST_F(DocumentWindowTest, PlainTextIsShownWithoutTheEndOfFileMark) {
    HWND w = open(file("eof.txt", "説明文です。\x1A"));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(w, documentWindow());
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ("説明", controlText(w));
    EXPECT_EQ("説明文です。", controlText(text(w)));
}

TEST_F(DocumentWindowTest, UpperCaseRtfMarkerIsShownFormatted) {
    HWND w = open(file("upper.rtf", "{\\RTF1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 Gothic;}}"
                                    "\\f0 \\b 太字\\b0  plain}"));
    ASSERT_NE(nullptr, w);
    std::string shown = controlText(text(w));
    EXPECT_NE(std::string::npos, shown.find("太字")) << shown;
    EXPECT_NE(std::string::npos, shown.find("plain")) << shown;
    EXPECT_EQ(std::string::npos, shown.find("{\\rtf")) << shown;
    EXPECT_EQ(std::string::npos, shown.find("{\\RTF")) << shown;
    EXPECT_EQ(std::string::npos, shown.find("fonttbl")) << shown;
}

TEST_F(DocumentWindowTest, TextNotStartingWithTheMarkerStaysPlain) {
    HWND w = open(file("notrtf.txt", " {\\rtf1 x}"));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(" {\\rtf1 x}", controlText(text(w)));
}

TEST_F(DocumentWindowTest, UnreadableFileShowsNothing) {
    EXPECT_EQ(nullptr, open(folder_ + "\\missing.txt"));
    EXPECT_EQ(nullptr, documentWindow());
    HWND w = open(file("a.txt", "first"));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(w, open(folder_ + "\\missing.txt"));
    EXPECT_EQ("first", controlText(text(w)));
}

TEST_F(DocumentWindowTest, SecondDocumentReplacesTextAndKeepsThePlace) {
    HWND w = open(file("one.txt", "first document"));
    ASSERT_NE(nullptr, w);
    RECT before = windowRect(w);
    EXPECT_EQ(w, open(file("two.txt", "二番目"), "", false, 10, 10, 200, 200));
    EXPECT_EQ("二番目", controlText(text(w)));
    RECT after = windowRect(w);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(before.bottom, after.bottom);
}

TEST_F(DocumentWindowTest, FirstOpeningUsesTheRequestedPlaceInParentCoordinates) {
    POINT origin = {0, 0};
    ClientToScreen(parent_, &origin);
    HWND w = open(file("place.txt", "x"), "", false, 80, 0, 480, 400);
    ASSERT_NE(nullptr, w);
    RECT r = windowRect(w);
    EXPECT_EQ(origin.x + 80, r.left);
    EXPECT_EQ(origin.y, r.top);
    EXPECT_EQ(480, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
}

TEST_F(DocumentWindowTest, ZeroSizeKeepsTheDialogsOwnSize) {
    HWND w = open(file("own.txt", "x"), "", false, 0, 0, 0, 0);
    ASSERT_NE(nullptr, w);
    RECT r = windowRect(w);
    EXPECT_GT(r.right - r.left, 100);
    EXPECT_GT(r.bottom - r.top, 100);
}

TEST_F(DocumentWindowTest, WindowPassingTheRightEdgeIsMovedLeft) {
    HWND w = open(file("edge.txt", "x"), "", false, 5000, 0, 480, 400);
    ASSERT_NE(nullptr, w);
    RECT r = windowRect(w);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right);
    EXPECT_EQ(480, r.right - r.left);
}

TEST_F(DocumentWindowTest, MovedAndResizedPlaceIsKeptAfterClosing) {
    HWND w = open(file("move.txt", "x"));
    ASSERT_NE(nullptr, w);
    SetWindowPos(w, nullptr, 30, 40, 500, 300, SWP_NOZORDER);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    SendMessageA(w, WM_COMMAND, IDCANCEL, 0);  // the Close button
    EXPECT_EQ(nullptr, documentWindow());
    EXPECT_FALSE(IsWindow(w));
    ASSERT_TRUE(pumpUntil([] { return closedNotifications == 1; }, 5000));

    HWND again = open(file("move2.txt", "y"), "", false, 200, 200, 300, 300);
    ASSERT_NE(nullptr, again);
    RECT r = windowRect(again);
    EXPECT_EQ(30, r.left);
    EXPECT_EQ(40, r.top);
    EXPECT_EQ(500, r.right - r.left);
    EXPECT_EQ(300, r.bottom - r.top);
}

TEST_F(DocumentWindowTest, ControlsAreLaidOutForTheClientSize) {
    HWND w = open(file("layout.txt", "x"), "C:\\", false);
    ASSERT_NE(nullptr, w);
    SetWindowPos(w, nullptr, 0, 0, 600, 420, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(w, &client);
    auto inClient = [w](int id) {
        RECT r;
        GetWindowRect(GetDlgItem(w, id), &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT edit = inClient(IDC_DOCUMENT_TEXT), close = inClient(IDCANCEL);
    RECT open = inClient(IDC_DOCUMENT_OPEN_LINK), link = inClient(IDC_DOCUMENT_LINK);
    EXPECT_EQ(0, edit.left);
    EXPECT_EQ(0, edit.top);
    EXPECT_EQ(client.right, edit.right);
    EXPECT_EQ(client.bottom - (close.bottom - close.top) - 4, edit.bottom);
    EXPECT_EQ(4, close.left);
    EXPECT_EQ(client.bottom - 2, close.bottom);
    EXPECT_EQ(client.right - 4, open.right);
    EXPECT_EQ(client.bottom - 2, open.bottom);
    EXPECT_EQ(close.right + 8, link.left);
    EXPECT_LE(link.right, open.left);
}

TEST_F(DocumentWindowTest, LinkRowFollowsEachRequest) {
    HWND w = open(file("link.txt", "x"), "http://www.example.jp/", true);
    ASSERT_NE(nullptr, w);
    HWND field = GetDlgItem(w, IDC_DOCUMENT_LINK), button = GetDlgItem(w, IDC_DOCUMENT_OPEN_LINK);
    EXPECT_TRUE(IsWindowVisible(field));
    EXPECT_TRUE(IsWindowVisible(button));
    EXPECT_EQ("http://www.example.jp/", controlText(field));
    EXPECT_EQ("ﾎｰﾑﾍﾟｰｼﾞへ(&H)", controlText(button));

    open(file("link2.txt", "x"), "D:\\ソ表示\\", false);
    EXPECT_EQ("D:\\ソ表示\\", controlText(field));
    EXPECT_EQ("ﾌｫﾙﾀﾞを開く(&O)", controlText(button));

    open(file("link3.txt", "x"));
    EXPECT_FALSE(IsWindowVisible(field));
    EXPECT_FALSE(IsWindowVisible(button));
}

TEST_F(DocumentWindowTest, FaceAndCaretAfterLoading) {
    HWND w = open(file("caret.txt", "line one\r\nline two\r\n"));
    ASSERT_NE(nullptr, w);
    CHARRANGE selection = {-1, -1};
    SendMessageA(text(w), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(0, selection.cpMin);
    EXPECT_EQ(0, selection.cpMax);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(text(w), EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ("ＭＳ ゴシック", format.szFaceName);
}

TEST_F(DocumentWindowTest, EmptyAndBinaryFilesDoNotBreakTheWindow) {
    HWND w = open(file("empty.txt", ""));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ("", controlText(text(w)));
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    binary[0] = 'B';
    EXPECT_EQ(w, open(file("binary.bin", binary)));
    EXPECT_EQ(w, open(file("only.txt", "\x1A")));
    EXPECT_EQ("", controlText(text(w)));
    EXPECT_EQ(w, open(file("rtfbad.rtf", "{\\rtf1 {{{{ \\unknown ")));
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(DocumentWindowTest, LongDocumentsAreShownWhole) {
    // Far beyond the control's default 32 K characters.
    std::string line = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n";
    std::string body;
    while (body.size() < 200 * 1024) body += line;
    HWND w = open(file("long.txt", body));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(static_cast<int>(body.size()), GetWindowTextLengthA(text(w)));
}

// A megabyte of short lines. (Wine's rich edit 1.0 takes time that grows with
// the square of the line count, several minutes for 10 MB, so the size stays
// at one megabyte here; the reader itself is tried with 10 MB elsewhere.)
TEST_F(DocumentWindowTest, MegabyteFileOpensWhole) {
    std::string body(1024 * 1024, 'a');
    for (size_t i = 100; i < body.size(); i += 100) {
        body[i - 2] = '\r';
        body[i - 1] = '\n';
    }
    HWND w = open(file("huge.txt", body));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(static_cast<int>(body.size()), GetWindowTextLengthA(text(w)));
}

TEST_F(DocumentWindowTest, LinkClickSelectsTheAddress) {
    HWND w = open(file("url.txt", "see Z:\\no\\such\\file.txt here"));
    ASSERT_NE(nullptr, w);
    ENLINK link = {};
    link.nmhdr.hwndFrom = text(w);
    link.nmhdr.idFrom = IDC_DOCUMENT_TEXT;
    link.nmhdr.code = EN_LINK;
    link.msg = WM_LBUTTONDOWN;
    link.chrg.cpMin = 4;
    link.chrg.cpMax = 24;
    SendMessageA(w, WM_NOTIFY, IDC_DOCUMENT_TEXT, reinterpret_cast<LPARAM>(&link));
    CHARRANGE selection = {};
    SendMessageA(text(w), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(4, selection.cpMin);
    EXPECT_EQ(24, selection.cpMax);
    // A range far longer than the text, or reversed, is ignored safely.
    link.chrg.cpMin = 0;
    link.chrg.cpMax = 1000000;
    SendMessageA(w, WM_NOTIFY, IDC_DOCUMENT_TEXT, reinterpret_cast<LPARAM>(&link));
    link.chrg.cpMin = 20;
    link.chrg.cpMax = 5;
    SendMessageA(w, WM_NOTIFY, IDC_DOCUMENT_TEXT, reinterpret_cast<LPARAM>(&link));
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(DocumentWindowTest, JapaneseDocumentWithLinkRowLooksRight) {
    std::string body = "ディスクの内容\r\n\r\n"
                       "この文書は説明用のテキストです。\r\n"
                       "詳しくは http://www.example.jp/ をご覧ください。\r\n";
    HWND w = open(file("look.txt", body), "http://www.example.jp/", true, 20, 20, 480, 300);
    ASSERT_NE(nullptr, w);
    SetForegroundWindow(w);
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == w; }, 3000));
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Right of the short last line the text background is the control's white.
    // The display shows what was painted a little later, so the pixel is read
    // again with messages delivered in between until it shows or 3 s pass.
    COLORREF right = CLR_INVALID;
    EXPECT_TRUE(pumpUntil([&] { return (right = e2e::pixelAt(w, 440, 150)) == RGB(255, 255, 255); }, 3000))
        << std::hex << right;
    std::string png = e2e::screenshot(w, "common_docwindow");
    EXPECT_FALSE(png.empty());
}

TEST_F(DocumentWindowTest, RealClickOnAnAddressSelectsIt) {
    // A file address that does not exist: the shell answers with an error and
    // nothing starts, but the click has to reach the link handler.
    const std::string address = "file://Z:/no/such/file.txt";
    HWND w = open(file("click.txt", "see " + address + " here"), "", false, 20, 20, 480, 300);
    ASSERT_NE(nullptr, w);
    SetForegroundWindow(w);
    pumpUntil([] { return false; }, 200);
    POINTL at = {};
    SendMessageA(text(w), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 8);
    POINT client = {at.x + 2, at.y + 4};
    MapWindowPoints(text(w), w, &client, 1);
    ASSERT_TRUE(e2e::clickAt(w, client.x, client.y));
    CHARRANGE selection = {};
    bool selected = pumpUntil(
        [&] {
            SendMessageA(text(w), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
            return selection.cpMax > selection.cpMin;
        },
        5000);
    ASSERT_TRUE(selected);
    EXPECT_EQ(4, selection.cpMin);
    EXPECT_EQ(4 + static_cast<LONG>(address.size()), selection.cpMax);
}

// The link button and a clicked address both go to the shell. A copy of the
// recorder program stands for the folder or web page: when the shell runs it,
// it writes its start into record.txt beside itself.
TEST_F(DocumentWindowTest, LinkButtonOpensTheFieldThroughTheShell) {
    std::string folder = e2e::freshFolder("common\\docwindow_linkbutton");
    std::string program = folder + "\\ソ表示.exe";
    ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), program));
    HWND w = open(file("linkbutton.txt", "x"), program.c_str(), false);
    ASSERT_NE(nullptr, w);
    SendMessageA(GetDlgItem(w, IDC_DOCUMENT_OPEN_LINK), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::waitForRuns(folder, 1, 20000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(folder);
    ASSERT_EQ(1u, runs.size());
    EXPECT_NE(std::string::npos, runs[0].commandLine.find("ソ表示.exe")) << runs[0].commandLine;
}

TEST_F(DocumentWindowTest, EmptiedLinkFieldOpensNothing) {
    std::string folder = e2e::freshFolder("common\\docwindow_emptylink");
    std::string program = folder + "\\rec.exe";
    ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), program));
    HWND w = open(file("emptylink.txt", "x"), program.c_str(), false);
    ASSERT_NE(nullptr, w);
    SetDlgItemTextA(w, IDC_DOCUMENT_LINK, "");
    SendMessageA(GetDlgItem(w, IDC_DOCUMENT_OPEN_LINK), BM_CLICK, 0, 0);
    // Then the field names the program again: only this second press starts it.
    SetDlgItemTextA(w, IDC_DOCUMENT_LINK, program.c_str());
    SendMessageA(GetDlgItem(w, IDC_DOCUMENT_OPEN_LINK), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::waitForRuns(folder, 1, 20000));
    pumpUntil([] { return false; }, 500);
    EXPECT_EQ(1u, e2e::recordedRuns(folder).size());
}

TEST_F(DocumentWindowTest, ClickedAddressIsOpenedThroughTheShell) {
    std::string folder = e2e::freshFolder("common\\docwindow_address");
    std::string program = folder + "\\rec.exe";
    ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), program));
    const std::string before = "run ";
    HWND w = open(file("address.txt", before + program + " now"));
    ASSERT_NE(nullptr, w);
    ENLINK link = {};
    link.nmhdr.hwndFrom = text(w);
    link.nmhdr.idFrom = IDC_DOCUMENT_TEXT;
    link.nmhdr.code = EN_LINK;
    // A mouse move over the address only shows it as a link.
    link.msg = WM_MOUSEMOVE;
    link.chrg.cpMin = static_cast<LONG>(before.size());
    link.chrg.cpMax = link.chrg.cpMin + static_cast<LONG>(program.size());
    SendMessageA(w, WM_NOTIFY, IDC_DOCUMENT_TEXT, reinterpret_cast<LPARAM>(&link));
    pumpUntil([] { return false; }, 300);
    EXPECT_TRUE(e2e::recordedRuns(folder).empty());
    link.msg = WM_LBUTTONDOWN;
    SendMessageA(w, WM_NOTIFY, IDC_DOCUMENT_TEXT, reinterpret_cast<LPARAM>(&link));
    ASSERT_TRUE(e2e::waitForRuns(folder, 1, 20000));
}
