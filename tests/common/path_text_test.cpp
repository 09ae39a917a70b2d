// Path texts: the trail byte 0x5C of "表" or "ソ" never counts as a separator.
#include "file_system.h"
#include "path_text.h"
#include "driver.h"
#include <gtest/gtest.h>
#include <string>

using namespace common;

TEST(PathText, JoinParentAndSeparators) {
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    } const cases[] = {
        {"C:\\Program Files\\成績表", "a.txt", "C:\\Program Files\\成績表\\a.txt"},
        {"C:\\ソ", "\\a.txt", "C:\\ソ\\a.txt"},
        {"C:\\x\\", "\\a.txt", "C:\\x\\a.txt"},
        {"C:\\x\\", "a.txt", "C:\\x\\a.txt"},
        {"C:\\x", "D:\\y.txt", "D:\\y.txt"},
        {"C:\\x", "\\\\server\\share", "\\\\server\\share"},
        {"", "a", "a"},
        {"C:\\x", "", "C:\\x"},
    };
    for (const Case& c : cases) EXPECT_EQ(std::string(c.joined), joinPath(c.folder, c.name)) << c.folder;
    EXPECT_EQ("C:\\成績表", parentFolder("C:\\成績表\\a.txt"));
    EXPECT_EQ("C:", parentFolder("C:\\表"));
    EXPECT_EQ("", parentFolder("表"));
    EXPECT_FALSE(endsWithSeparator("C:\\成績表"));
    EXPECT_TRUE(endsWithSeparator("C:\\成績表\\"));
    EXPECT_TRUE(endsWithSeparator("a/"));
    EXPECT_FALSE(endsWithSeparator(""));
    EXPECT_STREQ("表.txt", fileNamePart("C:\\ソ\\表.txt"));
    EXPECT_STREQ("ソ", fileNamePart("ソ"));
    EXPECT_FALSE(hasDrivePrefix("\x81:"));
}

TEST(PathFolders, FolderEndingInTrailBackslashIsMadeWithAllLevels) {
    std::string root = e2e::freshFolder("common\\folders");
    std::string target = root + "\\Program Files\\成績表\\ソ";
    std::vector<std::string> made;
    ASSERT_TRUE(createFolderPath(target, &made));
    EXPECT_TRUE(isExistingFolder(root + "\\Program Files\\成績表"));
    EXPECT_TRUE(isExistingFolder(target));
    ASSERT_EQ(3u, made.size());
    EXPECT_EQ(root + "\\Program Files", made[0]);
    EXPECT_EQ(root + "\\Program Files\\成績表", made[1]);
    EXPECT_EQ(target, made[2]);
    // A level that is a file stops the walk.
    ASSERT_TRUE(e2e::writeFile(root + "\\file", "x"));
    EXPECT_FALSE(createFolderPath(root + "\\file\\sub"));
    EXPECT_TRUE(isExistingFile(root + "\\file"));
}

TEST(PathFolders, CurrentFolderGuardPutsTheFolderBack) {
    std::string root = e2e::freshFolder("common\\guard");
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    {
        CurrentFolderGuard guard;
        ASSERT_TRUE(guard.enter(root.c_str()));
        char now[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, now);
        EXPECT_EQ(root, std::string(now));
    }
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(before, after);
    std::string folder = programFolder();
    EXPECT_FALSE(folder.empty());
    EXPECT_FALSE(endsWithSeparator(folder));
}
