// Where the extraction window lets an archive write: the folder of each
// archive entry, and the check every file name the library announces must
// pass before it is written.
#include <gtest/gtest.h>
#include "extract_window.h"

using namespace installer;

using namespace installer;

TEST(ExtractTarget, OnlyPlainStepsBelowTheFolderPass) {
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

TEST(ExtractTarget, EntryFolders) {
    CopyEntry plain;
    plain.destination.setPath("C:\\Program Files\\Tool");
    EXPECT_EQ("C:\\Program Files\\Tool", archiveTarget(plain));
    CopyEntry sub;
    sub.destination.setPath("C:\\Program Files\\Tool");
    sub.destFolder = "bin\\表";
    EXPECT_EQ("C:\\Program Files\\Tool\\bin\\表", archiveTarget(sub));
    CopyEntry macro;
    macro.destination.setPath("C:\\Program Files\\Tool");
    macro.destFolder = "C:\\windows\\fonts";
    macro.absolute = true;
    EXPECT_EQ("C:\\windows\\fonts", archiveTarget(macro));
}
