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

TEST(PathText, SeparatorRunsAndDotLevelsReadAsTheFileCallsReadThem) {
    const char* const cases[][2] = {
        {"D:\\\\\\DISC\\.\\表\\\\*.txt", "D:\\DISC\\表\\*.txt"},
        {"\\\\server\\\\share\\.\\a", "\\\\server\\share\\a"},
        {"\\\\\\.\\?*", "\\\\?*"},
        {"D:\\ソ\\.\\", "D:\\ソ\\"},
        {"..\\.\\a", "..\\a"},
        {"a", "a"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(c[1]), withoutEmptyLevels(c[0])) << c[0];
}

TEST(PathText, ExtensionIsTheLastDotOfTheFileName) {
    struct Case {
        const char* path;
        const char* extension;
        const char* without;
    } const cases[] = {
        {"help.HLP", "HLP", "help"},
        {"bin\\ソ.exe", "exe", "bin\\ソ"},       // trail byte 0x5C before the dot
        {"D:\\d.x\\tool", "", "D:\\d.x\\tool"},  // a dot in a folder is no extension
        {"d.x/tool", "", "d.x/tool"},
        {"doc.html.txt", "txt", "doc.html"},
        {"a.", "", "a"},
        {"表", "", "表"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.extension, extensionOf(c.path)) << c.path;
        EXPECT_EQ(c.without, withoutExtension(c.path)) << c.path;
    }
    EXPECT_EQ(nullptr, extensionDot("D:\\d.x\\tool"));
    EXPECT_STREQ(".", extensionDot("a."));
}

TEST(PathLevels, OnlyLevelsAboveTheStartClimbOut) {
    const struct {
        const char* folder;
        bool climbs;
    } cases[] = {
        {"", false},          {"bin", false},
        {"..", true},         {"..\\x", true},
        {"../x", true},       {"a\\..\\b", false},
        {"a\\..\\..", true},  {"a/./../..", true},
        {"...", true},        {".. \\x", true},
        {".\\a", false},      {"\x95\\..", false},
        {"a\\...\\b", false}, {"..a", false},
        {"C:..\\..", false},  {"\\\\server\\..\\..", false},  // full paths name their own place
    };
    for (const auto& c : cases) EXPECT_EQ(c.climbs, climbsOut(c.folder)) << c.folder;
}

TEST(PathLevels, RelativePathsStayInsideTheirFolder) {
    struct Case {
        const char* path;
        bool inside;     // never above the start
        bool ownFolder;  // and below it at the end
    } cases[] = {
        {"Tools", true, true},        {"Disc\\Tools", true, true},
        {"Disc/Tools\\", true, true}, {"", true, false},
        {".", true, false},           {"a\\..", true, false},
        {"..", false, false},         {"...", false, false},
        {". .", true, false},         {"a\\..\\..\\b", false, false},
        {"a\\..\\b", true, true},     {"\\\\server\\share", false, false},
        {"C:\\x", false, false},      {"..lnk", true, true},
        {"ソ\\..", true, false},  // the trail byte 0x5C is no level
        {"表\\x", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.inside, staysInside(c.path, false)) << c.path;
        EXPECT_EQ(c.ownFolder, staysInside(c.path, true)) << c.path;
    }
}

TEST(PathLevels, OnlyPlainLevelsBelowTheFolderPass) {
    struct Case {
        const char* path;
        bool below;
    } cases[] = {
        {"C:\\Tools\\a.txt", true},
        {"c:\\tools\\sub\\a.txt", true},
        {"C:\\Tools\\表\\ソ", true},  // 0x5C second bytes are no separators
        {"C:\\Tools", false},
        {"C:\\Tools\\", false},
        {"C:\\ToolsX\\a.txt", false},
        {"C:\\Tools\\..\\a.txt", false},
        {"C:\\Tools\\sub\\..\\..\\a.txt", false},
        {"C:\\Tools\\...\\a.txt", false},  // Windows drops trailing dots: ".." again
        {"C:\\Tools\\a\\\\b.txt", false},
        {"C:\\Tools\\D:\\a.txt", false},
        {"C:\\Tools\\a.txt:stream", false},
        {"D:\\Tools\\a.txt", false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.below, isBelowFolder(c.path, "C:\\Tools")) << c.path;
    EXPECT_TRUE(isBelowFolder("C:\\a.txt", "C:\\"));
    EXPECT_FALSE(isBelowFolder("C:\\a.txt", ""));
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
