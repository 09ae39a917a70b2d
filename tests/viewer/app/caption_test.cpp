// The frame's caption: name part, long-name shortening, marks.
#include "caption.h"
#include <gtest/gtest.h>

using viewer::CaptionParts;
using viewer::captionText;

namespace {
CaptionParts parts(const char* folder, const char* name) {
    CaptionParts p;
    p.folder = folder;
    p.fileName = name;
    p.hasName = true;
    return p;
}
}  // namespace

TEST(Caption, FullPathWithUpperCasedDriveAndBlankBeforeSuffix) {
    EXPECT_EQ("C:\\docs\\a.txt  - Kelview", captionText(parts("c:\\docs", "a.txt")));
    EXPECT_EQ("C:\\a.txt  - Kelview", captionText(parts("c:\\", "a.txt")));
}

TEST(Caption, NameAloneWhenNotFullPath) {
    CaptionParts p = parts("c:\\docs", "a.txt");
    p.fullPath = false;
    EXPECT_EQ("a.txt  - Kelview", captionText(p));
}

TEST(Caption, CodeMarksAndNewFile) {
    CaptionParts p = parts("c:\\d", "x.txt");
    p.code = 2;
    EXPECT_EQ("C:\\d\\x.txt  [Unicode] - Kelview", captionText(p));
    p.code = 3;
    EXPECT_EQ("C:\\d\\x.txt  [EUC] - Kelview", captionText(p));
    p.code = 4;
    p.newFile = true;
    EXPECT_EQ("C:\\d\\x.txt (新規) [JIS] - Kelview", captionText(p));
    p.codeMark = false;
    EXPECT_EQ("C:\\d\\x.txt (新規) - Kelview", captionText(p));
}

TEST(Caption, UntitledWithoutName) {
    CaptionParts p;
    EXPECT_EQ("(無題) - Kelview", captionText(p));
}

TEST(Caption, LongNameKeepsDriveAndLastFolder) {
    CaptionParts p = parts("c:\\aaaaaaaaaaaaaaaa\\bbbbbbbbbbbbbbbbbbbb\\cccccccccccccccc\\sub", "file.txt");
    EXPECT_EQ("C:\\...\\sub\\file.txt  - Kelview", captionText(p));
}

TEST(Caption, LongNameSeparatorSearchSkipsSecondBytes) {
    // "表" is 0x95 0x5C: its second byte looks like a backslash.
    CaptionParts p =
        parts("c:\\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\\cc表", "file.txt");
    EXPECT_EQ("C:\\...\\cc表\\file.txt  - Kelview", captionText(p));
}

TEST(Caption, UncNameShortFormIsTheLastPart) {
    CaptionParts p;
    p.fileName = "\\\\server\\share\\doc.txt";
    p.hasName = true;
    p.fullPath = false;
    EXPECT_EQ("doc.txt  - Kelview", captionText(p));
    p.fullPath = true;
    EXPECT_EQ("\\\\server\\share\\doc.txt  - Kelview", captionText(p));
}
