// The sample disc shipped in the source tree starts as a disc author would
// see it: caption, background size, first page shown with its entries.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"

TEST(SampleDisc, OpensWithItsCaptionBackgroundAndFirstPage) {
    std::string disc = e2e::freshFolder("e2e_startup_sample");
    ASSERT_FALSE(disc.empty());
    ASSERT_TRUE(e2e::copyTree(e2e::source("sample-disc"), disc));
    ASSERT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), disc + "\\Ostrel.exe"));
    // As on the pressed disc: the referenced programs are not beside it in
    // this build tree, and a read-only MENU.DAT is not checked for them.
    ASSERT_TRUE(SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY));

    e2e::Driver driver;
    e2e::Process p = driver.start(disc + "\\Ostrel.exe");
    HWND window = driver.waitWindow(p, "OstrelClass", 15000);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("サンプルディスク メニュー", e2e::windowText(window));
    SIZE size = e2e::clientSize(window);
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(455, size.cy);

    // The first page comes after the 3-second delay: its two entries appear
    // on page-menu buttons.
    HWND firstEntry = nullptr;
    DWORD until = GetTickCount() + 15000;
    while (GetTickCount() < until) {
        firstEntry = e2e::findChild(window, "MN_MenuButton", "このディスクについて");
        if (firstEntry && IsWindowVisible(firstEntry)) break;
        firstEntry = nullptr;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    ASSERT_NE(nullptr, firstEntry);
    EXPECT_FALSE(e2e::screenshot(window, "ostrel_sample_disc").empty());
    // The gold rule under the tabs is part of the background picture.
    EXPECT_EQ(RGB(250, 210, 90), e2e::pixelAt(window, 400, 50));
    SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
}
