// Start-up of the real menu program on broken MENU.INI button sections, and
// the reference warning of a writable MENU.DAT.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"

namespace {

const char* const kCaption = "体験版ソフト集";

class ConfigStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = e2e::freshFolder(std::string("e2e_config\\") + info->name());
        ASSERT_FALSE(folder.empty());
        ASSERT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), path("Ostrel.exe")));
    }

    std::string path(const std::string& name) const { return folder + "\\" + name; }

    void write(const std::string& name, const std::string& text) { ASSERT_TRUE(e2e::writeFile(path(name), text)); }

    // Starts the menu, expects one message box and answers it; the program
    // must then end with exit code 0 without having opened its window.
    void expectStartUpFailure(const std::string& text, e2e::Icon icon)
    {
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

const char* const kMenuDat = "[MENU]\nPage1=P\n[P]\nTitle=ページ\nMenu1=E\n[E]\nTitle=項目\n";

}  // namespace

TEST_F(ConfigStartup, MissingButtonImageStopsStartUp)
{
    write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption +
                          "\n[BUTTON.Exit]\n[BUTTON.Info]\nBitmap=img\\info.bmp\n[BUTTON.MENU]\nBitMap1=m.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("セクション[BUTTON.Info]\nBitmap のボタン画像\n '" + path("img\\info.bmp") +
                             "' が見つかりません",
                         e2e::Icon::Error);
}

TEST_F(ConfigStartup, MissingPageMenuImageNamesItsKey)
{
    write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption + "\nPATH=parts\n[BUTTON.MENU]\nBitMap1=m1.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("セクション[BUTTON.MENU]\nBitmap1 のボタン画像\n '" + path("parts\\m1.bmp") +
                             "' が見つかりません",
                         e2e::Icon::Error);
}

TEST_F(ConfigStartup, MissingSoundStopsStartUp)
{
    write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption +
                          "\n[BUTTON.Execute]\nSound=snd\\click.wav,Sync\n[BUTTON.MENU]\nBitMap1=m.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("セクション[BUTTON.Execute]\nSound の音声\n '" + path("snd\\click.wav") + "' が見つかりません",
                         e2e::Icon::Error);
}

TEST_F(ConfigStartup, NoPageMenuButtonsStopsStartUp)
{
    write("MENU.INI", std::string("[OSTREL]\nCaption=") + kCaption + "\n[BUTTON.MENU]\nBitMap2=m.bmp\n");
    write("MENU.DAT", kMenuDat);
    expectStartUpFailure("メニューボタンの設定がありません", e2e::Icon::Error);
}
