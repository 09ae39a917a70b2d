// The shortcut step in-process: the COM rule and link paths that do not fit.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <string>
#include "driver.h"
#include "shortcut_steps.h"

using namespace installer;

namespace {

class ShortcutStep : public ::testing::Test {
protected:
    void SetUp() override {
        root = e2e::freshFolder("shortcut_step");
        ctx.section = "APP";
        ctx.destination = root + "\\dest";
        std::string text = "[APP]\nGroup=Tools\nGroupIcon1=a.exe\n";
        ctx.script.loadText(text.data(), text.size());
        ASSERT_TRUE(CreateDirectoryA(ctx.destination.c_str(), nullptr));
        ASSERT_TRUE(e2e::writeFile(ctx.destination + "\\a.exe", "a"));
    }
    void TearDown() override { e2e::removeTree(root); }
    std::string root;
    InstallerContext ctx;
};

TEST_F(ShortcutStep, NothingIsMadeWhenComIsAlreadyInitialised) {
    std::string place = root + "\\place";
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_FALSE(createShortcuts(ctx, true, false, &place));
    CoUninitialize();
    EXPECT_TRUE(place.empty());
    EXPECT_FALSE(e2e::fileExists(root + "\\place"));

    // With COM its own again the step makes the group and leaves COM as it found it.
    place = root + "\\place";
    EXPECT_TRUE(createShortcuts(ctx, true, false, &place));
    EXPECT_EQ(root + "\\place\\Tools", place);
    EXPECT_TRUE(e2e::fileExists(place + "\\Tools.lnk"));
    EXPECT_EQ(S_OK, CoInitialize(nullptr));
    CoUninitialize();
}

TEST_F(ShortcutStep, ALinkPathOverTheLimitIsNotWritten) {
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    std::string fits = root + "\\" + std::string(200 - root.size(), 'f') + ".lnk";
    std::string over = root + "\\" + std::string(260 - root.size(), 'o') + ".lnk";
    EXPECT_TRUE(createShortcut(fits, "fits", ctx.destination + "\\a.exe", ctx.destination));
    EXPECT_TRUE(e2e::fileExists(fits));
    EXPECT_FALSE(createShortcut(over, "over", ctx.destination + "\\a.exe", ctx.destination));
    EXPECT_FALSE(e2e::fileExists(over.substr(0, 259)));
    CoUninitialize();
}

}  // namespace
