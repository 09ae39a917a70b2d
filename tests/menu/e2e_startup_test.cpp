// The real Ostrel.exe started in a fresh folder with MENU.INI and MENU.DAT
// written by each test: start-up messages, single instance, caption, window
// size and position, background painting, Esc, and the program file itself.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "image_fixtures.h"

namespace {

const char* const kCaption = "ディスクメニュー試験";

// A PNG of width x height in four quadrant colours: top-left red, top-right
// green, bottom-left blue, bottom-right yellow.
const COLORREF kQuadrants[4] = {RGB(220, 30, 30), RGB(30, 200, 60), RGB(40, 60, 210), RGB(240, 220, 20)};
std::string quadrantPng(int width, int height) {
    fixture::PngPicture s;
    s.width = width;
    s.height = height;
    s.colorType = PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x) {
            COLORREF c = kQuadrants[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
            row.push_back(GetRValue(c));
            row.push_back(GetGValue(c));
            row.push_back(GetBValue(c));
        }
        s.rows.push_back(row);
    }
    return fixture::pngBytes(s);
}

// A button strip of `frames` frames, 40 x 10 each, in plain grey.
std::string buttonPng(int frames) {
    fixture::PngPicture s;
    s.width = 40;
    s.height = 10 * frames;
    s.colorType = PNG_COLOR_TYPE_GRAY;
    for (int y = 0; y < s.height; ++y)
        s.rows.push_back(std::vector<uint8_t>(40, static_cast<uint8_t>(100 + y)));
    return fixture::pngBytes(s);
}

struct IniOptions {
    bool caption = true;
    std::string background;  // BackGround value; empty: no key
    std::string whiteBack;   // WHITEBACK value; empty: no key
};

// Buttons sit in a corner of their own (from 600, 400), away from the
// pixels the tests read.
std::string menuIni(const IniOptions& o) {
    std::string s = "[OSTREL]\r\n";
    if (o.caption) s += std::string("Caption=") + kCaption + "\r\n";
    if (!o.background.empty()) s += "BackGround=" + o.background + "\r\n";
    if (!o.whiteBack.empty()) s += "WHITEBACK=" + o.whiteBack + "\r\n";
    s += "[BUTTON.Exit]\r\nBitmap=btn2.png\r\nPosition=600,400\r\n"
         "[BUTTON.Info]\r\nBitmap=btn3.png\r\nPosition=600,410\r\n"
         "[BUTTON.Execute]\r\nBitmap=btn2.png\r\nPosition=600,420\r\nColumn=1\r\nRow=1\r\n"
         "[BUTTON.MENU]\r\nBitMap1=btn3.png\r\nPosition1=600,430\r\n";
    return s;
}

const char* const kMenuDat =
    "[MENU]\r\nPage1=P1\r\n[P1]\r\nTitle=ページ\r\nMenu1=E1\r\n[E1]\r\nTitle=項目\r\n";

class Startup : public ::testing::Test {
protected:
    void SetUp() override { folder = makeDisc(testName()); }

    static std::string testName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    // A fresh folder with the program, the button pictures and, unless told
    // otherwise, MENU.INI and MENU.DAT.
    std::string makeDisc(const std::string& name, const IniOptions& ini = IniOptions(), bool withIni = true,
                         bool withDat = true) {
        std::string f = e2e::freshFolder("e2e_startup\\" + name);
        EXPECT_FALSE(f.empty());
        EXPECT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), f + "\\Ostrel.exe"));
        EXPECT_TRUE(e2e::writeFile(f + "\\btn2.png", buttonPng(2)));
        EXPECT_TRUE(e2e::writeFile(f + "\\btn3.png", buttonPng(3)));
        if (withIni) {
            EXPECT_TRUE(e2e::writeFile(f + "\\MENU.INI", menuIni(ini)));
        }
        if (withDat) {
            EXPECT_TRUE(e2e::writeFile(f + "\\MENU.DAT", kMenuDat));
        }
        return f;
    }

    void writeIni(const IniOptions& o) { ASSERT_TRUE(e2e::writeFile(folder + "\\MENU.INI", menuIni(o))); }

    e2e::Process start(const std::string& in = std::string()) {
        e2e::Process p = driver.start((in.empty() ? folder : in) + "\\Ostrel.exe");
        EXPECT_NE(0u, p.pid);
        return p;
    }

    HWND mainWindow(const e2e::Process& p) { return driver.waitWindow(p, "OstrelClass", 15000); }

    // Answers the only message box with OK and expects the program to end
    // with exit code 0 without a main window.
    void expectStops(const e2e::Process& p, HWND box) {
        for (HWND w : e2e::topWindows(p.pid)) EXPECT_NE("OstrelClass", e2e::className(w));
        ASSERT_TRUE(e2e::pressButton(box, IDOK));
        DWORD code = 1;
        ASSERT_TRUE(p.waitExit(15000, &code));
        EXPECT_EQ(0u, code);
    }

    std::string folder;
    e2e::Driver driver;
};

}  // namespace

TEST_F(Startup, MissingMenuIniIsAnErrorWithTheFullPath) {
    folder = makeDisc("noini", IniOptions(), false, true);
    e2e::Process p = start();
    HWND box = driver.waitMessageBox(p, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("設定ファイル '" + folder + "\\MENU.INI' が見つかりません", e2e::messageBoxText(box));
    EXPECT_EQ("TALVO DVD-ROM MENU", e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    expectStops(p, box);
}

TEST_F(Startup, MissingMenuDatIsAWarningWithoutTitle) {
    folder = makeDisc("nodat", IniOptions(), true, false);
    e2e::Process p = start();
    HWND box = driver.waitMessageBox(p, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("設定ファイル '" + folder + "\\MENU.DAT' が見つかりません", e2e::messageBoxText(box));
    EXPECT_EQ("", e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Warning, e2e::messageBoxIcon(box));
    expectStops(p, box);
}

TEST_F(Startup, SecondStartFromTheSamePathIsRefusedButAnotherFolderRuns) {
    // "表示ソフト": both 表 and ソ end in the byte 0x5C, which must not
    // break the instance name.
    std::string here = makeDisc("表示ソフト");
    e2e::Process first = start(here);
    HWND window = mainWindow(first);
    ASSERT_NE(nullptr, window);

    e2e::Process second = start(here);
    HWND box = driver.waitMessageBox(second, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(std::string(kCaption) + " は既に起動しています。", e2e::messageBoxText(box));
    EXPECT_EQ(kCaption, e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Information, e2e::messageBoxIcon(box));
    expectStops(second, box);

    std::string elsewhere = makeDisc("表示ソフト2");
    e2e::Process copy = start(elsewhere);
    EXPECT_NE(nullptr, mainWindow(copy));
    EXPECT_TRUE(first.running());
}

TEST_F(Startup, CaptionIsTheWindowTitleAndMissingCaptionLeavesItEmpty) {
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(kCaption, e2e::windowText(window));
    driver.killAll();

    IniOptions o;
    o.caption = false;
    folder = makeDisc("nocaption", o);
    e2e::Process q = start();
    window = mainWindow(q);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("", e2e::windowText(window));
}

TEST_F(Startup, WithoutBackgroundTheClientAreaIs640By455AndCentred) {
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    SIZE size = e2e::clientSize(window);
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(455, size.cy);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    RECT r = e2e::windowRect(window);
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((screenW - (r.right - r.left)) / 2, r.left, 1);
    EXPECT_NEAR((screenH - (r.bottom - r.top)) / 2, r.top, 1);
    // The blank background is painted black whatever the class brush.
    EXPECT_EQ(RGB(0, 0, 0), e2e::pixelAt(window, 10, 10));
}

TEST_F(Startup, ClientAreaIsTheBackgroundPictureAndItIsPainted) {
    ASSERT_TRUE(e2e::writeFile(folder + "\\pics\\back.png", quadrantPng(520, 380)));
    IniOptions o;
    o.background = "pics\\back.png";
    writeIni(o);
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    SIZE size = e2e::clientSize(window);
    EXPECT_EQ(520, size.cx);
    EXPECT_EQ(380, size.cy);
    EXPECT_FALSE(e2e::screenshot(window, "ostrel_startup_background").empty());
    EXPECT_EQ(kQuadrants[0], e2e::pixelAt(window, 5, 5));
    EXPECT_EQ(kQuadrants[1], e2e::pixelAt(window, 514, 5));
    EXPECT_EQ(kQuadrants[2], e2e::pixelAt(window, 5, 374));
    EXPECT_EQ(kQuadrants[3], e2e::pixelAt(window, 300, 200));
    EXPECT_EQ(kQuadrants[0], e2e::pixelAt(window, 259, 189));
}

TEST_F(Startup, BmpBackgroundIsPaintedToo) {
    fixture::BmpPicture s;
    s.width = 300;
    s.height = 200;
    s.bitsPerPixel = 8;
    s.table.assign(256, 0);
    s.table[1] = 0x3366CC;
    s.table[2] = 0xCC9933;
    s.pixels.assign(300 * 200, 1);
    for (int y = 0; y < 100; ++y)  // bottom half in colour 2
        for (int x = 0; x < 300; ++x) s.pixels[y * 300 + x] = 2;
    ASSERT_TRUE(e2e::writeFile(folder + "\\back.bmp", fixture::bmpBytes(s)));
    IniOptions o;
    o.background = "back.bmp";
    writeIni(o);
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    SIZE size = e2e::clientSize(window);
    EXPECT_EQ(300, size.cx);
    EXPECT_EQ(200, size.cy);
    EXPECT_EQ(RGB(0x33, 0x66, 0xCC), e2e::pixelAt(window, 10, 10));
    EXPECT_EQ(RGB(0xCC, 0x99, 0x33), e2e::pixelAt(window, 10, 190));
}

TEST_F(Startup, MissingBackgroundIsToldAndTheWindowOpensAt640By455) {
    IniOptions o;
    o.background = "gone\\back.png";
    writeIni(o);
    e2e::Process p = start();
    HWND box = driver.waitMessageBox(p, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("背景画像 '" + folder + "\\gone\\back.png' が見つかりません", e2e::messageBoxText(box));
    EXPECT_EQ(kCaption, e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    SIZE size = e2e::clientSize(window);
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(455, size.cy);
}

TEST_F(Startup, BrokenBackgroundPngIsReportedAndTheMenuStillOpens) {
    std::string png = quadrantPng(200, 100);
    ASSERT_TRUE(e2e::writeFile(folder + "\\back.png", png.substr(0, png.size() / 2)));
    IniOptions o;
    o.background = "back.png";
    writeIni(o);
    e2e::Process p = start();
    HWND box = driver.waitMessageBox(p, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("PNG Decode Error", e2e::windowText(box));
    EXPECT_FALSE(e2e::messageBoxText(box).empty());
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    SIZE size = e2e::clientSize(window);
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(455, size.cy);
}

TEST_F(Startup, EscClosesTheMenu) {
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(e2e::sendKey(window, VK_ESCAPE));
    DWORD code = 1;
    ASSERT_TRUE(p.waitExit(15000, &code));
    EXPECT_EQ(0u, code);
}

// The shipped build is 32-bit; the x86_64 build of the same sources (tested
// where 32-bit programs cannot run) must be a 64-bit image in the same way.
#ifdef _WIN64
const WORD kMachine = IMAGE_FILE_MACHINE_AMD64;
const WORD kOptionalMagic = IMAGE_NT_OPTIONAL_HDR64_MAGIC;
typedef IMAGE_OPTIONAL_HEADER64 OptionalHeader;
#else
const WORD kMachine = IMAGE_FILE_MACHINE_I386;
const WORD kOptionalMagic = IMAGE_NT_OPTIONAL_HDR32_MAGIC;
typedef IMAGE_OPTIONAL_HEADER32 OptionalHeader;
#endif

TEST_F(Startup, TheProgramIsAGuiExecutableOfItsBuildWithIconAndAccelerators) {
    std::string exe = e2e::dist("Ostrel.exe");
    std::string bytes;
    ASSERT_TRUE(e2e::readFile(exe, &bytes));
    ASSERT_GT(bytes.size(), 0x200u);
    ASSERT_EQ("MZ", bytes.substr(0, 2));
    uint32_t pe = *reinterpret_cast<const uint32_t*>(bytes.data() + 0x3C);
    ASSERT_LT(pe + 0x60, bytes.size());
    EXPECT_EQ(std::string("PE\0\0", 4), bytes.substr(pe, 4));
    const IMAGE_FILE_HEADER* file = reinterpret_cast<const IMAGE_FILE_HEADER*>(bytes.data() + pe + 4);
    EXPECT_EQ(kMachine, file->Machine);
    const OptionalHeader* opt =
        reinterpret_cast<const OptionalHeader*>(bytes.data() + pe + 4 + sizeof(IMAGE_FILE_HEADER));
    EXPECT_EQ(kOptionalMagic, opt->Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, opt->Subsystem);

    HMODULE m = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, m);
    EXPECT_NE(nullptr, FindResourceA(m, MAKEINTRESOURCEA(101), RT_GROUP_ICON));
    EXPECT_NE(nullptr, FindResourceA(m, MAKEINTRESOURCEA(104), RT_GROUP_CURSOR));
    HRSRC accel = FindResourceA(m, MAKEINTRESOURCEA(133), RT_ACCELERATOR);
    ASSERT_NE(nullptr, accel);
    // Accelerator entries as stored: flags, key, command, padding (8 bytes).
    struct Entry {
        WORD flags, key, command, padding;
    };
    DWORD size = SizeofResource(m, accel);
    const Entry* e = static_cast<const Entry*>(LockResource(LoadResource(m, accel)));
    ASSERT_NE(nullptr, e);
    ASSERT_EQ(2u, size / sizeof(Entry));
    bool infoKey = false, escKey = false;
    for (DWORD i = 0; i < size / sizeof(Entry); ++i) {
        EXPECT_TRUE(e[i].flags & FVIRTKEY);
        if (e[i].key == 'I' && e[i].command == 112) infoKey = true;
        if (e[i].key == VK_ESCAPE && e[i].command == 111) escKey = true;
    }
    EXPECT_TRUE(infoKey);
    EXPECT_TRUE(escKey);
    FreeLibrary(m);
}

TEST_F(Startup, TheIKeyOpensTheExplanationAndEscClosesItBeforeTheMenu) {
    ASSERT_TRUE(e2e::writeFile(folder + "\\MENU.DAT",
                               "[MENU]\r\nPage1=P1\r\n[P1]\r\nTitle=ページ\r\nMenu1=E1\r\n"
                               "[E1]\r\nTitle=項目\r\nText=readme.txt\r\nBmp1=btn2.png\r\n"));
    ASSERT_TRUE(e2e::writeFile(folder + "\\readme.txt", "説明文です。\r\n"));
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    // The first page (and its entry with the explanation) comes after 3 s.
    HWND entry = nullptr;
    for (DWORD until = GetTickCount() + 15000; GetTickCount() < until;) {
        entry = e2e::findChild(window, "MN_MenuButton");
        if (entry && IsWindowVisible(entry)) break;
        entry = nullptr;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    ASSERT_NE(nullptr, entry);

    ASSERT_TRUE(e2e::sendKey(window, 'I'));
    HWND document = driver.waitWindowTitled(p, "説明", 15000);
    ASSERT_NE(nullptr, document);
    // Esc belongs to the document window while it is active.
    ASSERT_TRUE(e2e::sendKey(document, VK_ESCAPE));
    EXPECT_TRUE(driver.waitGone(document, 15000));
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(IsWindow(window));

    ASSERT_TRUE(e2e::sendKey(window, VK_ESCAPE));
    DWORD code = 1;
    ASSERT_TRUE(p.waitExit(15000, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(Startup, AnExecuteButtonRunsItsCommand) {
    ASSERT_TRUE(e2e::writeFile(folder + "\\MENU.DAT",
                               "[MENU]\r\nPage1=P1\r\n[P1]\r\nTitle=ページ\r\nMenu1=E1\r\n"
                               "[E1]\r\nTitle=項目\r\ncommand1=読む,@view readme.txt\r\nBmp1=btn2.png\r\n"));
    ASSERT_TRUE(e2e::writeFile(folder + "\\readme.txt", "説明文です。\r\n"));
    e2e::Process p = start();
    HWND window = mainWindow(p);
    ASSERT_NE(nullptr, window);
    HWND button = nullptr;
    for (DWORD until = GetTickCount() + 15000; GetTickCount() < until;) {
        button = e2e::findChild(window, "MN_Button", "読む");
        if (button && IsWindowVisible(button)) break;
        button = nullptr;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(e2e::clickAt(button, 5, 5));
    EXPECT_NE(nullptr, driver.waitWindowTitled(p, "説明", 15000));
}
