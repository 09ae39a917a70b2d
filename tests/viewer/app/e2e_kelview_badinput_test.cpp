// Kelview given input it was not made for: binary files, control bytes, a
// file past the row limit, an overlong command line and an overlong name.
#include "kelview_e2e.h"
#include <cstdint>

using namespace kvtest;

namespace {

std::string pseudoRandomBytes(size_t n, uint32_t seed) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = static_cast<char>(seed >> 16);
    }
    return s;
}

// Works the window over and closes it; the process must end by itself with code 0.
void exerciseAndClose(e2e::Process& p, HWND frame) {
    HWND client = clientOf(frame);
    ASSERT_NE(nullptr, client);
    ASSERT_TRUE(e2e::sendKey(client, VK_END, false, true));
    ASSERT_TRUE(e2e::sendKey(client, VK_PRIOR));
    ASSERT_TRUE(e2e::sendKey(client, VK_F12));
    ASSERT_TRUE(e2e::sendKey(client, VK_RIGHT));
    ASSERT_TRUE(e2e::command(frame, 39));
    ASSERT_TRUE(e2e::command(frame, 40));
    ASSERT_TRUE(e2e::sendKey(client, VK_HOME, false, true));
    EXPECT_EQ(0, waitQuery(client, kTopRow, 0));
    ASSERT_TRUE(e2e::closeWindow(frame));
    DWORD code = 99;
    EXPECT_TRUE(p.waitExit(15000, &code));
    EXPECT_EQ(0u, code);
}

}  // namespace

TEST(KelviewBadInput, BinaryFile) {
    std::string folder = e2e::freshFolder("kelview_binary");
    std::string file = folder + "\\data.bin";
    ASSERT_TRUE(e2e::writeFile(file, pseudoRandomBytes(300 * 1024, 7)));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + file + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class", 30000);
    ASSERT_NE(nullptr, frame);
    EXPECT_GT(query(clientOf(frame), kRowCount), 1000);
    e2e::screenshot(frame, "kelview_binary");
    exerciseAndClose(p, frame);
}

TEST(KelviewBadInput, EveryControlByte) {
    std::string folder = e2e::freshFolder("kelview_controls");
    std::string text;
    for (int c = 0; c < 0x20; ++c) {
        if (c == '\r' || c == '\n') continue;
        text += "[";
        text += static_cast<char>(c);
        text += "]\r\n";
    }
    for (int c = 0; c < 256; ++c) text += static_cast<char>(c);
    ASSERT_TRUE(e2e::writeFile(folder + "\\controls.txt", text));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + folder + "\\controls.txt\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    HWND client = clientOf(frame);
    ASSERT_TRUE(e2e::activate(client));
    ASSERT_TRUE(e2e::sendKey(client, VK_F12));
    ASSERT_GT(waitQuery(client, kMarginWidth, 5 * digitWidth() + 8), 0);
    Sleep(200);  // let the repaint reach the screen before the capture
    e2e::screenshot(frame, "kelview_control_bytes");
    // 0x01 is drawn as an inverted 'A': the cell behind it is in the text colour, not white.
    SIZE c = cell();
    int margin = static_cast<int>(query(client, kMarginWidth));
    COLORREF behind = e2e::pixelAt(client, margin + c.cx + 1, 10 + 0 * c.cy + 1);   // row 0 is "[\x00]"
    COLORREF behindA = e2e::pixelAt(client, margin + c.cx + 1, 10 + 1 * c.cy + 1);  // row 1 is "[\x01]"
    EXPECT_NE(RGB(255, 255, 255), behindA);
    (void)behind;
    exerciseAndClose(p, frame);
}

TEST(KelviewBadInput, HundredMegabytesStopAtTheRowLimit) {
    std::string folder = e2e::freshFolder("kelview_huge");
    std::string file = folder + "\\huge.txt";
    {
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        std::string block;
        while (block.size() < 1024 * 1024) block += std::string(98, 'k') + "\r\n";
        block.resize(1024 * 1024);
        DWORD written = 0;
        bool ok = true;
        for (int i = 0; i < 100 && ok; ++i)
            ok = WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
                 written == block.size();
        CloseHandle(h);
        ASSERT_TRUE(ok);
    }
    {
        e2e::Driver d;
        e2e::Process p = d.start(viewer(), "\"" + file + "\"");
        HWND box = d.waitMessageBox(p, 120000);
        if (!box) e2e::screenshot(GetDesktopWindow(), "kelview_huge_failure");
        ASSERT_NE(nullptr, box);
        EXPECT_NE(std::string::npos, e2e::messageBoxText(box).find("行数が制限を越えました。"));
        e2e::pressButton(box, IDOK);
        DWORD code = 99;
        EXPECT_TRUE(p.waitExit(30000, &code));
        EXPECT_EQ(0u, code);
    }
    EXPECT_TRUE(DeleteFileA(file.c_str()));
}

TEST(KelviewBadInput, CommandLineOfFiveThousandBytes) {
    std::string args;
    while (args.size() < 5000) args += "/j12,3 /b /@ ";
    args += "\"" + e2e::source("sample-disc/docs/readme_sjis.txt") + "\"";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), args);
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "readme_sjis.txt"));
    EXPECT_EQ(12, position(clientOf(frame)).first);
    exerciseAndClose(p, frame);
}

TEST(KelviewBadInput, BareNameOfFiveThousandBytes) {
    std::string args(5000, 'n');
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), args, e2e::freshFolder("kelview_longbare"));
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    // The name is cut to 259 bytes; no such file: an empty new document.
    EXPECT_TRUE(waitCaptionHas(frame, "(新規)")) << e2e::windowText(frame);
    exerciseAndClose(p, frame);
}

TEST(KelviewBadInput, NameOfThreeHundredBytes) {
    std::string folder = e2e::freshFolder("kelview_longname");
    std::string name = folder + "\\" + std::string(300, 'a') + ".txt";
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + name + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    // In the foreground the caption holds the full path, which is longer than
    // 64 bytes and so shortened after the first backslash.
    ASSERT_TRUE(e2e::activate(frame));
    EXPECT_TRUE(waitCaptionHas(frame, ":\\...\\")) << e2e::windowText(frame);
    exerciseAndClose(p, frame);
}
