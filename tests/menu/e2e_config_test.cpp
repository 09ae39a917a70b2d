// Start-up of the real menu program on broken MENU.INI button sections, and
// the reference warning of an entry of a writable MENU.DAT.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"

namespace {

const char* const kCaption = "体験版ソフト集";

class ConfigStartup : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = e2e::freshFolder(std::string("e2e_config\\") + info->name());
        ASSERT_FALSE(folder.empty());
        ASSERT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), path("Ostrel.exe")));
    }

    std::string path(const std::string& name) const { return folder + "\\" + name; }

    void write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(e2e::writeFile(path(name), text));
    }

    // Starts the menu, expects one message box and answers it; the program
    // must then end with exit code 0 without having opened its window.
    void expectStartUpFailure(const std::string& text, e2e::Icon icon) {
        e2e::Process p = driver.start(path("Ostrel.exe"));
        ASSERT_NE(0u, p.pid);
        HWND box = driver.waitMessageBox(p, 15000);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(text, e2e::messageBoxText(box));
        EXPECT_EQ(kCaption, e2e::windowText(box));
        EXPECT_EQ(icon, e2e::messageBoxIcon(box));
        for (HWND w : e2e::topWindows(p.pid)) EXPECT_NE("OstrelClass", e2e::className(w));
        ASSERT_TRUE(e2e::pressButton(box, IDOK));
        DWORD code = 1;
        ASSERT_TRUE(p.waitExit(15000, &code));
        EXPECT_EQ(0u, code);
    }

    std::string folder;
    e2e::Driver driver;
};

// A 24-bit BMP file of w x h pixels in one grey.
std::string bmp(int w, int h) {
    int row = (w * 3 + 3) & ~3;
    int size = 54 + row * h;
    std::string b(static_cast<size_t>(size), '\x80');
    auto put = [&b](int at, unsigned v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[static_cast<size_t>(at + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<unsigned>(size), 4);
    put(6, 0, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<unsigned>(w), 4);
    put(22, static_cast<unsigned>(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int at = 30; at < 54; ++at) b[static_cast<size_t>(at)] = 0;
    return b;
}

// True once an execute button shows a command: the entry's commands were
// loaded and any warning about them has been answered (the warning box is
// modal inside the loading).
bool commandsShown(HWND main) {
    for (int id = 113; id < 200; ++id) {
        HWND button = GetDlgItem(main, id);
        if (button && IsWindowVisible(button)) return true;
    }
    return false;
}

BOOL CALLBACK AddChild(HWND w, LPARAM lp) {
    std::string& out = *reinterpret_cast<std::string*>(lp);
    out +=
        e2e::className(w) + (IsWindowVisible(w) ? " visible" : " hidden") + " '" + e2e::windowText(w) + "'\n";
    return TRUE;
}

// The child windows of the menu, for failure messages.
std::string children(HWND main) {
    std::string out;
    EnumChildWindows(main, AddChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

bool waitCommandsShown(HWND main, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!commandsShown(main)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

const char* const kMenuDat = "[MENU]\nPage1=P\n[P]\nTitle=ページ\nMenu1=E\n[E]\nTitle=項目\n";

}  // namespace

TEST_F(ConfigStartup, MissingButtonImageStopsStartUp) {
    write("MENU.INI",
          std::string("[OSTREL]\nCaption=") + kCaption +
              "\n[BUTTON.Exit]\n[BUTTON.Info]\nBitmap=img\\info.bmp\n[BUTTON.MENU]\nBitMap1=m.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("セクション[BUTTON.Info]\nBitmap のボタン画像\n '" + path("img\\info.bmp") +
                             "' が見つかりません",
                         e2e::Icon::Error);
}

TEST_F(ConfigStartup, MissingPageMenuImageNamesItsKey) {
    write("MENU.INI",
          std::string("[OSTREL]\nCaption=") + kCaption + "\nPATH=parts\n[BUTTON.MENU]\nBitMap1=m1.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("セクション[BUTTON.MENU]\nBitmap1 のボタン画像\n '" + path("parts\\m1.bmp") +
                             "' が見つかりません",
                         e2e::Icon::Error);
}

TEST_F(ConfigStartup, MissingSoundStopsStartUp) {
    write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption +
                          "\n[BUTTON.Execute]\nSound=snd\\click.wav,Sync\n[BUTTON.MENU]\nBitMap1=m.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("セクション[BUTTON.Execute]\nSound の音声\n '" + path("snd\\click.wav") +
                             "' が見つかりません",
                         e2e::Icon::Error);
}

TEST_F(ConfigStartup, NoPageMenuButtonsStopsStartUp) {
    write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption + "\n[BUTTON.MENU]\nBitMap2=m.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("メニューボタンの設定がありません", e2e::Icon::Error);
}

class EntryWarning : public ConfigStartup {
protected:
    // A menu whose one entry names a missing program, popup text and picture.
    void SetUp() override {
        ConfigStartup::SetUp();
        write("exec.bmp", bmp(80, 60));
        write("menu.bmp", bmp(120, 90));
        write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption +
                              "\n[BUTTON.Execute]\nBitmap=exec.bmp\nPosition=300,100\n"
                              "[BUTTON.MENU]\nBitMap1=menu.bmp\nPosition1=20,100\n");
        write("MENU.DAT", "[MENU]\nPage1=P\n[P]\nTitle=ページ\nMenu1=E\n"
                          "[E]\nTitle=項目\ncommand1=実行,nothere.exe\nText=pop.txt\nBmp1=pic.bmp\n");
    }

    void TearDown() override { SetFileAttributesA(path("MENU.DAT").c_str(), FILE_ATTRIBUTE_NORMAL); }
};

TEST_F(EntryWarning, WritableMenuDatReportsMissingFilesOfTheEntry) {
    e2e::Process p = driver.start(path("Ostrel.exe"));
    HWND main = driver.waitWindow(p, "OstrelClass", 15000);
    ASSERT_NE(nullptr, main);
    // The first page is shown 3 seconds after the screen is built.
    HWND box = driver.waitMessageBox(p, 15000);
    ASSERT_NE(nullptr, box) << children(main);
    EXPECT_EQ(std::string(kCaption) + " - セクション [E] ", e2e::windowText(box));
    EXPECT_EQ("'Command1 = ' のプログラム '" + path("nothere.exe") + "'が見つかりません\r\n" +
                  "ポップアップテキストファイル '" + path("pop.txt") + "'が見つかりません。\r\n" +
                  "ビットマップファイル '" + path("pic.bmp") + "'が見つかりません。\r\n",
              e2e::messageBoxText(box));
    EXPECT_EQ(e2e::Icon::Warning, e2e::messageBoxIcon(box));
    EXPECT_EQ(main, GetWindow(box, GW_OWNER));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(driver.waitGone(box, 10000));
    // The menu goes on and shows the entry's command.
    EXPECT_TRUE(waitCommandsShown(main, 10000)) << children(main);
}

TEST_F(EntryWarning, ReadOnlyMenuDatReportsNothing) {
    ASSERT_TRUE(SetFileAttributesA(path("MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY));
    e2e::Process p = driver.start(path("Ostrel.exe"));
    HWND main = driver.waitWindow(p, "OstrelClass", 15000);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(waitCommandsShown(main, 15000))
        << children(main) << e2e::screenshot(main, "e2e_config_readonly");
    for (HWND w : e2e::topWindows(p.pid)) EXPECT_NE("#32770", e2e::className(w));
}
