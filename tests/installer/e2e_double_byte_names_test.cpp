// Names whose double-byte characters end in the bytes of '\\' (表, 0x5C) or
// ']' (望, 0x5D), and a first argument byte of 0x80 or above, through the
// real Talinst.exe.
#include "e2e_support.h"

using namespace inst;

namespace {

// Installs SRC\a.txt and answers the closing dialog; the destination edit
// gets folder.
void installInto(InstallerTest& t, e2e::Driver& driver, const e2e::Process& p, const std::string& folder) {
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), folder);
    e2e::pressButton(dest, IDOK);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle);
    ASSERT_TRUE(closing) << "no closing dialog: "
                         << (driver.waitMessageBox(p, 10) ? "an error box" : "nothing");
    e2e::pressButton(closing, IDCANCEL);
    (void)t;
}

class DoubleByteNamesTest : public InstallerTest {};

TEST_F(DoubleByteNamesTest, DestinationEndingInATrailBackslashIsCreatedAndFilled) {
    script("[APP]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\nCopy2=b.txt sub\r\n");
    source("SRC\\a.txt", "a in 成績表");
    source("SRC\\b.txt", "b below it");
    std::string folder = target + "\\成績表";
    e2e::Process p = start("APP");
    installInto(*this, driver, p, folder);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("a in 成績表", read(folder + "\\a.txt"));
    EXPECT_EQ("b below it", read(folder + "\\sub\\b.txt"));
}

TEST_F(DoubleByteNamesTest, SectionWhoseNameHoldsATrailBracketIsFound) {
    script("[A望遠鏡]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n");
    source("SRC\\a.txt", "telescope");
    e2e::Process p = start("A望遠鏡");
    installInto(*this, driver, p, target);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("telescope", read(target + "\\a.txt"));
}

TEST_F(DoubleByteNamesTest, SectionNamedWithADoubleByteFirstCharacterStartsFromTheCommandLine) {
    // 表 is 0x95 0x5C: the runtime's argument text would arrive as "\示".
    script("[表示]\r\nSrcDir=SRC\r\nCopy1=a.txt\r\n");
    source("SRC\\a.txt", "shown");
    e2e::Process p = start("表示");
    installInto(*this, driver, p, target);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ("shown", read(target + "\\a.txt"));
}

}  // namespace
