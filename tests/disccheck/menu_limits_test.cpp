// The menu-limit findings at their edges: an empty key ends a numbered
// series as a missing one does, a number with a leading zero is another key,
// 79 bytes fit and 80 do not, commands and entries up to the button count are
// shown, and only commands that get a button have their documents checked.
#include <gtest/gtest.h>

#include <string>

#include "disc_check.h"
#include "driver.h"
#include "findings.h"

namespace {

// One page-menu button and a grid of 1 x 2 execute buttons.
const char* const kMenuIni =
    "[BUTTON.Execute]\r\nBitmap=b.png\r\nColumn=1\r\nRow=2\r\n[BUTTON.MENU]\r\nBitMap1=b.png\r\n";

// The MENU.DAT lines of the report.
std::string datReport(const std::string& datText) {
    std::string disc = e2e::freshFolder("disccheck-limits");
    EXPECT_TRUE(e2e::writeFile(disc + "\\b.png", "x"));
    EXPECT_TRUE(e2e::writeFile(disc + "\\Click.wav", "x"));
    EXPECT_TRUE(e2e::writeFile(disc + "\\my doc.txt", "x"));
    EXPECT_TRUE(e2e::writeFile(disc + "\\MENU.INI", kMenuIni));
    EXPECT_TRUE(e2e::writeFile(disc + "\\MENU.DAT", datText));
    disccheck::Findings findings;
    disccheck::checkDisc(disc, findings);
    std::string out;
    for (const disccheck::Finding& f : findings.all())
        if (f.file == "MENU.DAT")
            out += std::to_string(f.line) + (f.error ? " error: " : " warning: ") + f.text + "\n";
    return out;
}

TEST(MenuLimits, FindingsStartWhereTheMenuStops) {
    const std::string t79(79, 't'), t80(80, 't');
    struct Case {
        std::string dat;
        std::string report;
    } cases[] = {
        {"[MENU]\r\nPage1=P\r\nPage2=\r\nPage3=P\r\n[P]\r\n",
         "4 warning: Page3 は Page2 がないため読まれません\n"},
        {"[MENU]\r\nPage1=P\r\nPage03=P\r\nPAGE5=P\r\npage4=P\r\n[P]\r\n",
         "5 warning: Page4 は Page2 がないため読まれません\n"},
        {"[MENU]\r\nPage1=P\r\nPage2=Q\r\n[P]\r\nTitle=" + t79 + "\r\n[Q]\r\nTitle=" + t80 + "\r\n",
         "7 warning: Title の値は 80 バイトで、79 バイトを超える部分は切り捨てられます\n"},
        {"[MENU]\r\nPage1=P\r\n[P]\r\nMenu1=E\r\nMenu2=E\r\n[E]\r\ncommand1=a,@view \"my doc.txt\"\r\n"
         "command2=b,@view gone.txt\r\ncommand3=c,@view gone.txt\r\n",
         "5 warning: Menu2 以降はメニューボタンが 1 個しかないため表示されません\n"
         "8 error: 'gone.txt' が見つかりません\n"
         "9 warning: command3 以降は実行ボタンが 2 個しかないため表示されません\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.report, datReport(c.dat)) << c.dat;
}

// Every grid button shares the execute picture: start-up ends without one.
TEST(MenuLimits, ExecuteGridWithoutPictureIsAnError) {
    std::string disc = e2e::freshFolder("disccheck-execute");
    ASSERT_TRUE(e2e::writeFile(disc + "\\b.png", "x"));
    ASSERT_TRUE(e2e::writeFile(disc + "\\Click.wav", "x"));
    ASSERT_TRUE(e2e::writeFile(disc + "\\MENU.INI",
                               "[BUTTON.Execute]\r\nBitmap=\r\n[BUTTON.MENU]\r\nBitMap1=b.png\r\n"));
    disccheck::Findings findings;
    disccheck::checkDisc(disc, findings);
    // The page-menu strip "x" is reported too, as no picture.
    const disccheck::Finding* grid = nullptr;
    for (const disccheck::Finding& f : findings.all())
        if (f.file == "MENU.INI" && f.line == 2) grid = &f;
    ASSERT_NE(nullptr, grid);
    EXPECT_TRUE(grid->error);
    EXPECT_EQ("セクション[BUTTON.Execute] Bitmap のボタン画像 '' が見つかりません", grid->text);
}

}  // namespace
