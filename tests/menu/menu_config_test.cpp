// MENU.INI: the "OSTREL" keys and the button sections, read from real
// profile files in fresh folders through the platform's profile functions.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "driver.h"
#include "menu_config.h"
#include "profile.h"

using namespace menu;

using namespace common;

namespace {

class MenuIni : public ::testing::Test {
protected:
    // A disc folder with a few button images and sounds that exist.
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = e2e::freshFolder(std::string("menuconfig\\") + info->test_suite_name() + "_" + info->name());
        ASSERT_FALSE(folder.empty());
        for (const char* f : {"exit.bmp", "info.bmp", "tab.bmp", "exec.bmp", "m1.bmp", "m2.bmp", "m3.bmp",
                              "click.wav", "img\\ソフト.png", "snd\\tab.wav"})
            ASSERT_TRUE(e2e::writeFile(folder + "\\" + f, "x"));
    }

    // Writes MENU.INI, reads "OSTREL" and the button sections.
    bool load(const std::string& ini) {
        EXPECT_TRUE(e2e::writeFile(folder + "\\MENU.INI", ini));
        EXPECT_TRUE(profile.locate(nullptr, (folder + "\\MENU.INI").c_str()));
        readOstrelSection(profile, config);
        message[0] = '\0';
        return readButtonSections(profile, config, message, sizeof message);
    }

    std::string path(const char* name) const { return folder + "\\" + name; }

    // MENU.INI text: "OSTREL" when given, then the five button sections with
    // the given bodies, the others with a minimal valid body (each section
    // appears once: the profile functions read only the first of two).
    static std::string ini(const std::map<std::string, std::string>& bodies = {}) {
        static const char* const order[][2] = {
            {"OSTREL", nullptr},
            {"BUTTON.Exit", "Bitmap=exit.bmp\n"},
            {"BUTTON.Info", "Bitmap=info.bmp\n"},
            {"BUTTON.TAB", "Bitmap=tab.bmp\n"},
            {"BUTTON.Execute", "Bitmap=exec.bmp\n"},
            {"BUTTON.MENU", "BitMap1=m1.bmp\n"},
        };
        std::string text;
        for (const auto& s : order) {
            auto it = bodies.find(s[0]);
            if (it != bodies.end())
                text += "[" + it->first + "]\n" + it->second;
            else if (s[1])
                text += std::string("[") + s[0] + "]\n" + s[1];
        }
        return text;
    }

    std::string folder;
    ProfileFile profile;
    MenuConfig config;
    char message[kMessageSize];
};

}  // namespace

TEST_F(MenuIni, OstrelDefaults) {
    ASSERT_TRUE(load(ini({{"OSTREL", ""}})));
    EXPECT_STREQ("", config.caption);
    EXPECT_EQ(folder + "\\", config.baseFolder);
    EXPECT_FALSE(config.whiteBack);
    EXPECT_STREQ("", config.backgroundPath);
    EXPECT_FALSE(config.hasDispRect);
    EXPECT_EQ(0, config.dispX);
    EXPECT_EQ(0, config.dispY);
    EXPECT_EQ(path("Click.wav"), config.stdSoundPath);
    EXPECT_EQ(400, config.infoX);
    EXPECT_EQ(110, config.infoY);
    EXPECT_EQ(0, config.infoWidth);
    EXPECT_EQ(0, config.infoHeight);
}

TEST_F(MenuIni, OstrelKeys) {
    ASSERT_TRUE(load(
        ini({{"OSTREL", "Caption=体験版ソフト集\nWHITEBACK=Yes\nBackGround=img\\ソフト.png\n"
                        "disprect=12,34\nStdSound=snd\\tab.wav\nInfoTextPos=50\nInfoTextSize=300,-5\n"}})));
    EXPECT_STREQ("体験版ソフト集", config.caption);
    EXPECT_TRUE(config.whiteBack);
    EXPECT_EQ(path("img\\ソフト.png"), config.backgroundPath);
    EXPECT_TRUE(config.hasDispRect);
    EXPECT_EQ(12, config.dispX);
    EXPECT_EQ(34, config.dispY);
    EXPECT_EQ(path("snd\\tab.wav"), config.stdSoundPath);
    EXPECT_EQ(50, config.infoX);
    EXPECT_EQ(110, config.infoY);
    EXPECT_EQ(300, config.infoWidth);
    EXPECT_EQ(0, config.infoHeight);  // a negative size keeps the dialog's own
}

TEST_F(MenuIni, PathMovesTheBaseFolder) {
    ASSERT_TRUE(e2e::writeFile(path("data\\b.bmp"), "x"));
    ASSERT_TRUE(load("[OSTREL]\nPATH=data\nBackGround=b.bmp\n"
                     "[BUTTON.Exit]\nBitmap=b.bmp\n[BUTTON.MENU]\nBitMap1=b.bmp\n"));
    EXPECT_EQ(path("data\\"), config.baseFolder);
    EXPECT_EQ(path("data\\b.bmp"), config.backgroundPath);
    EXPECT_EQ(path("data\\b.bmp"), config.exitButton->bitmapPath);
}

TEST_F(MenuIni, PathClimbsWithDotDot) {
    std::string up = folder.substr(0, folder.rfind('\\') + 1);
    ASSERT_TRUE(e2e::writeFile(path("MENU.INI"), "[OSTREL]\nPATH=..\\\nBackGround=x.bmp\n"));
    ASSERT_TRUE(profile.locate(nullptr, path("MENU.INI").c_str()));
    readOstrelSection(profile, config);
    EXPECT_EQ(up, config.baseFolder);
    EXPECT_EQ(up + "x.bmp", config.backgroundPath);
}

TEST_F(MenuIni, AbsolutePathReplacesTheFolder) {
    std::string other = e2e::freshFolder("menuconfig\\elsewhere");
    ASSERT_TRUE(e2e::writeFile(path("MENU.INI"), "[OSTREL]\nPATH=" + other + "\nBackGround=b.bmp\n"));
    ASSERT_TRUE(profile.locate(nullptr, path("MENU.INI").c_str()));
    readOstrelSection(profile, config);
    EXPECT_EQ(other + "\\", config.baseFolder);
    EXPECT_EQ(other + "\\b.bmp", config.backgroundPath);
}

TEST_F(MenuIni, ButtonDescriptionDefaults) {
    ASSERT_TRUE(load(ini()));
    const ButtonDesc& d = *config.exitButton;
    EXPECT_EQ(path("exit.bmp"), d.bitmapPath);
    EXPECT_STREQ("", d.hintText);
    EXPECT_STREQ("", d.soundPath);
    EXPECT_EQ(0, d.x);
    EXPECT_EQ(0, d.y);
    EXPECT_EQ(1, d.soundAsync);
    for (const StateStyle& s : d.styles) {
        EXPECT_EQ(RGB(0, 0, 0), s.textColor);
        EXPECT_EQ(RGB(255, 255, 255), s.lightColor);
        EXPECT_EQ(RGB(64, 64, 64), s.darkColor);
        EXPECT_EQ(12, s.fontSize);
        EXPECT_EQ(0, s.decoration);
    }
}

TEST_F(MenuIni, ButtonDescriptionKeys) {
    ASSERT_TRUE(
        load(ini({{"BUTTON.Exit",
                   "Position=-5, 600\nHintText=終了します\nSound=click.wav\n"
                   "Decoration=INSET\nFontSize.Normal=16\nFontSize.Activate=30\nFontSize.Disable=-2\n"}})));
    const ButtonDesc& d = *config.exitButton;
    EXPECT_EQ(-5, d.x);
    EXPECT_EQ(600, d.y);
    EXPECT_STREQ("終了します", d.hintText);
    EXPECT_EQ(path("click.wav"), d.soundPath);
    EXPECT_EQ(1, d.soundAsync);
    EXPECT_EQ(16, d.styles[StyleNormal].fontSize);
    EXPECT_EQ(20, d.styles[StyleActivate].fontSize);
    EXPECT_EQ(12, d.styles[StyleSelect].fontSize);  // not inherited from Normal
    EXPECT_EQ(-2, d.styles[StyleDisable].fontSize);
    for (const StateStyle& s : d.styles) EXPECT_EQ(2, s.decoration);
}

TEST_F(MenuIni, FontSizeClamps) {
    ASSERT_TRUE(load(ini({{"BUTTON.Info", "FontSize.Normal=0\nFontSize.Activate=25\n"
                                          "FontSize.Select=20\nFontSize.Disable=1\n"}})));
    const ButtonDesc& d = *config.infoButton;
    EXPECT_EQ(12, d.styles[StyleNormal].fontSize);
    EXPECT_EQ(20, d.styles[StyleActivate].fontSize);
    EXPECT_EQ(20, d.styles[StyleSelect].fontSize);
    EXPECT_EQ(1, d.styles[StyleDisable].fontSize);
}

TEST_F(MenuIni, ColourOfNormalReachesAllStates) {
    ASSERT_TRUE(load(ini({{"BUTTON.Exit", "Color.Normal=255,0,0\n"}})));
    for (const StateStyle& s : config.exitButton->styles) EXPECT_EQ(RGB(255, 0, 0), s.textColor);
}

TEST_F(MenuIni, ColourInheritsFromTheStateBefore) {
    ASSERT_TRUE(load(ini({{"BUTTON.Exit", "Color.Activate=0,255,0\nColor.Disable=1,2,3\n"},
                          {"BUTTON.Info", "Color.Normal=9,9,9\nColor.Select=0,0,255\n"}})));
    const ButtonDesc& e = *config.exitButton;
    EXPECT_EQ(RGB(0, 0, 0), e.styles[StyleNormal].textColor);
    EXPECT_EQ(RGB(0, 255, 0), e.styles[StyleActivate].textColor);
    EXPECT_EQ(RGB(0, 255, 0), e.styles[StyleSelect].textColor);
    EXPECT_EQ(RGB(1, 2, 3), e.styles[StyleDisable].textColor);
    const ButtonDesc& i = *config.infoButton;
    EXPECT_EQ(RGB(9, 9, 9), i.styles[StyleNormal].textColor);
    EXPECT_EQ(RGB(9, 9, 9), i.styles[StyleActivate].textColor);
    EXPECT_EQ(RGB(0, 0, 255), i.styles[StyleSelect].textColor);
    EXPECT_EQ(RGB(0, 0, 255), i.styles[StyleDisable].textColor);
}

TEST_F(MenuIni, SoundVariants) {
    struct Case {
        const char* value;
        const char* file;
        LONG async;
    } cases[] = {
        {"click.wav", "click.wav", 1},
        {"click.wav,Sync", "click.wav", 0},
        {"click.wav sync", "click.wav", 0},
        {"click.wav, Sync", "click.wav", 1},
        {",Sync", "", 0},
        {",sync", "", 0},
        {"snd\\tab.wav,SYNC", "snd\\tab.wav", 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(load(ini({{"BUTTON.Info", std::string("Sound=") + c.value + "\n"}})))
            << c.value << ": " << message;
        const ButtonDesc& d = *config.infoButton;
        EXPECT_EQ(c.file[0] ? path(c.file) : std::string(), d.soundPath) << c.value;
        EXPECT_EQ(c.async, d.soundAsync) << c.value;
    }
}

TEST_F(MenuIni, TabRowKeysAndDefaults) {
    ASSERT_TRUE(load(ini()));
    EXPECT_EQ(234, config.tab->width);
    EXPECT_EQ(40, config.tab->height);
    EXPECT_EQ(0, config.tab->paddingX);
    EXPECT_EQ(3, config.tab->paddingY);
    EXPECT_EQ(RGB(128, 128, 128), config.tab->bgColor);

    ASSERT_TRUE(load(ini({{"BUTTON.TAB", "Size=500\nPadding=6,8\nBGCOLOR=0,0,64\nPosition=10,20\n"}})));
    EXPECT_EQ(500, config.tab->width);
    EXPECT_EQ(40, config.tab->height);
    EXPECT_EQ(6, config.tab->paddingX);
    EXPECT_EQ(8, config.tab->paddingY);
    EXPECT_EQ(RGB(0, 0, 64), config.tab->bgColor);
    EXPECT_EQ(10, config.tab->x);
    EXPECT_EQ(20, config.tab->y);
}

TEST_F(MenuIni, ExecuteGridKeysAndDefaults) {
    ASSERT_TRUE(load(ini()));
    EXPECT_EQ(3, config.execute->columns);
    EXPECT_EQ(3, config.execute->rows);
    EXPECT_EQ(0, config.execute->marginX);
    EXPECT_EQ(0, config.execute->marginY);
    EXPECT_EQ(9, config.executeCount());

    ASSERT_TRUE(load(ini({{"BUTTON.Execute", "Column=4\nRow=\nMargin=5,-7\n"}})));
    EXPECT_EQ(4, config.execute->columns);
    EXPECT_EQ(3, config.execute->rows);
    EXPECT_EQ(5, config.execute->marginX);
    EXPECT_EQ(-7, config.execute->marginY);
}

TEST_F(MenuIni, ExecuteGridNeverNegativeOrIntoPageMenuIdentifiers) {
    ASSERT_TRUE(load(ini({{"BUTTON.Execute", "Column=-4\nRow=0\n"}})));
    EXPECT_EQ(3, config.execute->columns);
    EXPECT_EQ(3, config.execute->rows);

    ASSERT_TRUE(load(ini({{"BUTTON.Execute", "Column=10\nRow=100000\n"}})));
    EXPECT_EQ(10, config.execute->columns);
    EXPECT_EQ(8, config.execute->rows);
    EXPECT_LE(config.executeCount(), kMaxExecuteButtons);

    ASSERT_TRUE(load(ini({{"BUTTON.Execute", "Column=2147483647\nRow=2147483647\n"}})));
    EXPECT_EQ(87, config.execute->columns);
    EXPECT_EQ(1, config.execute->rows);
}

TEST_F(MenuIni, PositionsWrapToSixteenBits) {
    ASSERT_TRUE(load(ini({{"BUTTON.Exit", "Position=65536,70000\n"}})));
    EXPECT_EQ(0, config.exitButton->x);
    EXPECT_EQ(4464, config.exitButton->y);
}

TEST_F(MenuIni, PageMenuButtonsEndAtTheFirstGap) {
    ASSERT_TRUE(load(ini(
        {{"BUTTON.MENU",
          "BitMap1=m1.bmp\nbitmap2=m2.bmp\nBitMap3=\nBitMap4=m3.bmp\n"
          "Position1=10,20\nPosition2=10,60\nPosition4=10,100\nHintText=共通\nColor.Select=255,255,0\n"}})));
    ASSERT_EQ(2, config.menuButtonCount);
    EXPECT_EQ(path("m1.bmp"), config.menuButtons[0].bitmapPath);
    EXPECT_EQ(path("m2.bmp"), config.menuButtons[1].bitmapPath);
    EXPECT_EQ(20, config.menuButtons[0].y);
    EXPECT_EQ(60, config.menuButtons[1].y);
    for (int i = 0; i < 2; ++i) {
        EXPECT_STREQ("共通", config.menuButtons[i].hintText);
        EXPECT_EQ(RGB(255, 255, 0), config.menuButtons[i].styles[StyleDisable].textColor);
    }
}

TEST_F(MenuIni, MissingPageMenuButtonsStopStartUp) {
    EXPECT_FALSE(load("[BUTTON.MENU]\nBitmap2=m2.bmp\n"));
    EXPECT_STREQ("メニューボタンの設定がありません", message);
    EXPECT_FALSE(load("[BUTTON.MENU]\nBitMap1=\n"));
    EXPECT_STREQ("メニューボタンの設定がありません", message);
}

TEST_F(MenuIni, MissingButtonImageMessage) {
    EXPECT_FALSE(load(ini({{"BUTTON.Info", "Bitmap=nothere.bmp\n"}})));
    EXPECT_EQ("セクション[BUTTON.Info]\nBitmap のボタン画像\n '" + path("nothere.bmp") + "' が見つかりません",
              message);
}

TEST_F(MenuIni, MissingPageMenuImageNamesItsNumberedKey) {
    EXPECT_FALSE(load(ini({{"BUTTON.MENU", "BitMap1=m1.bmp\nBitMap2=gone.bmp\n"}})));
    EXPECT_EQ("セクション[BUTTON.MENU]\nBitmap2 のボタン画像\n '" + path("gone.bmp") + "' が見つかりません",
              message);
}

TEST_F(MenuIni, MissingSoundMessage) {
    EXPECT_FALSE(load(ini({{"BUTTON.TAB", "Sound=gone.wav,Sync\n"}})));
    EXPECT_EQ("セクション[BUTTON.TAB]\nSound の音声\n '" + path("gone.wav") + "' が見つかりません", message);
}

TEST_F(MenuIni, FirstFailureInSectionOrderWins) {
    EXPECT_FALSE(load(ini({{"BUTTON.Exit", "Sound=a.wav\n"}, {"BUTTON.MENU", "BitMap1=\n"}})));
    EXPECT_NE(nullptr, std::strstr(message, "セクション[BUTTON.Exit]"));
}

TEST_F(MenuIni, ImageThatIsAFolderIsMissing) {
    ASSERT_TRUE(CreateDirectoryA(path("dir.bmp").c_str(), nullptr));
    EXPECT_FALSE(load(ini({{"BUTTON.Exit", "Bitmap=dir.bmp\n"}})));
}

TEST_F(MenuIni, OverlongValuesStayInsideTheirBuffers) {
    std::string longText(5000, 'h');
    std::string longName = std::string(5000, 'n') + ".bmp";
    ASSERT_FALSE(load(ini({{"BUTTON.Exit", "HintText=" + longText + "\nBitmap=" + longName + "\n"}})));
    EXPECT_LT(std::strlen(message), kMessageSize);
    // The hint comes before the image in the description but the image is
    // read first; read the hint alone.
    ASSERT_TRUE(load(ini({{"BUTTON.Exit", "HintText=" + longText + "\nPosition=" + longText + "\n"}})));
    EXPECT_EQ(std::string(259, 'h'), config.exitButton->hintText);
}

TEST_F(MenuIni, EveryKeyOverItsBuffer) {
    std::string big(5000, '7');
    std::string keys;
    for (const char* k : {"Position", "Decoration", "FontSize.Normal", "Color.Normal", "Color.Select", "Size",
                          "Padding", "BGCOLOR", "Column", "Row", "Margin"})
        keys += std::string(k) + "=" + big + "\n";
    // Whether the cut PATH still names a folder is the path object's matter;
    // every text stays inside its buffer either way.
    load(
        ini({{"OSTREL", "Caption=" + big + "\nPATH=" + big + "\nBackGround=" + big + "\ndisprect=" + big +
                            "\nStdSound=" + big + "\nInfoTextPos=" + big + "\nInfoTextSize=" + big + "\n"}}));
    EXPECT_EQ(259u, std::strlen(config.caption));
    EXPECT_LT(std::strlen(config.baseFolder), sizeof config.baseFolder);
    EXPECT_LT(std::strlen(config.backgroundPath), sizeof config.backgroundPath);
    EXPECT_LT(std::strlen(config.stdSoundPath), sizeof config.stdSoundPath);
    EXPECT_LT(std::strlen(message), kMessageSize);

    ASSERT_TRUE(load(ini({{"BUTTON.Exit", "Bitmap=exit.bmp\n" + keys},
                          {"BUTTON.TAB", "Bitmap=tab.bmp\n" + keys},
                          {"BUTTON.Execute", "Bitmap=exec.bmp\n" + keys}})))
        << message;
    EXPECT_EQ(20, config.exitButton->styles[StyleNormal].fontSize);
    // One token: red saturates to 255, green and blue are missing.
    EXPECT_EQ(RGB(255, 0, 0), config.exitButton->styles[StyleSelect].textColor);
    EXPECT_EQ(87, config.execute->columns);
    EXPECT_EQ(1, config.execute->rows);
}

TEST_F(MenuIni, OverlongSoundValueIsMissingNotOverrun) {
    EXPECT_FALSE(load(ini({{"BUTTON.Info", "Sound=" + std::string(5000, 's') + ",Sync\n"}})));
    EXPECT_LT(std::strlen(message), kMessageSize);
    EXPECT_NE(nullptr, std::strstr(message, "Sound の音声"));
}

TEST_F(MenuIni, MessageIsCutInsideItsBuffer) {
    std::string section(120, 's');
    ASSERT_TRUE(e2e::writeFile(path("MENU.INI"), "[" + section + "]\nBitmap=gone.bmp\n"));
    ASSERT_TRUE(profile.locate(nullptr, path("MENU.INI").c_str()));
    ButtonDesc d;
    char small[40];
    std::memset(small, 'X', sizeof small);
    EXPECT_FALSE(readButtonDesc(profile, config, section.c_str(), 0, d, small, 20));
    EXPECT_EQ(std::string("セクション[") + std::string(8, 's'), small);
    EXPECT_EQ('X', small[20]);
}

TEST_F(MenuIni, SectionNameBeyondTheProfileBufferFindsNothing) {
    // The profile keeps 127 bytes of a section name; a longer one cannot
    // name its section and reads as empty instead of overrunning anything.
    std::string section(300, 's');
    ASSERT_TRUE(e2e::writeFile(path("MENU.INI"), "[" + section + "]\nBitmap=gone.bmp\n"));
    ASSERT_TRUE(profile.locate(nullptr, path("MENU.INI").c_str()));
    ButtonDesc d;
    EXPECT_TRUE(readButtonDesc(profile, config, section.c_str(), 0, d, message, sizeof message));
    EXPECT_STREQ("", d.bitmapPath);
}

TEST_F(MenuIni, MissingIniGivesDefaultsButNoMenuButtons) {
    ProfileFile ini;
    EXPECT_FALSE(ini.locate(nullptr, path("NONE.INI").c_str()));
    readOstrelSection(ini, config);
    EXPECT_EQ(400, config.infoX);
    EXPECT_FALSE(readButtonSections(ini, config, message, sizeof message));
    EXPECT_STREQ("メニューボタンの設定がありません", message);
}
