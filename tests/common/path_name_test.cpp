// The path object: splitting and rebuilding, relative folders and names,
// quoted paths, double-byte folder names, bounds, and the existence tests.
#include "path_name.h"
#include "file_reader.h"
#include "driver.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

using namespace common;

TEST(PathNameSplit, PartsOfAFullPath) {
    PathName p("D:\\menu\\MENU.INI");
    EXPECT_STREQ("D:", p.drive());
    EXPECT_STREQ("\\menu\\", p.folder());
    EXPECT_STREQ("MENU", p.name());
    EXPECT_STREQ(".INI", p.extension());
    EXPECT_STREQ("D:\\menu\\MENU.INI", p.fullPath());
    EXPECT_STREQ("MENU.INI", p.setNameWithExtension());
}

TEST(PathNameSplit, EmptyAndRelativePaths) {
    PathName empty;
    EXPECT_STREQ("", empty.fullPath());
    EXPECT_TRUE(empty.empty());
    PathName bare("readme.txt");
    EXPECT_STREQ("readme.txt", bare.fullPath());  // no root slipped in front
    EXPECT_STREQ("", bare.folder());
    PathName sub("docs/readme");
    EXPECT_STREQ("docs/", sub.folder());
    EXPECT_STREQ("readme", sub.name());
    EXPECT_STREQ("", sub.extension());
}

TEST(PathNameSplit, DoubleByteFolderWithTrailBackslashIsNotCut) {
    PathName p("C:\\ソ表示\\表\\prog.exe");
    EXPECT_STREQ("\\ソ表示\\表\\", p.folder());
    EXPECT_STREQ("prog", p.name());
    EXPECT_STREQ("C:\\ソ表示\\表", p.folderPath());
    p.upFolder();
    EXPECT_STREQ("C:\\ソ表示\\prog.exe", p.fullPath());
    p.upFolder();
    EXPECT_STREQ("C:\\prog.exe", p.fullPath());
    PathName q("C:\\dir\\ソ");  // the name itself ends in byte 0x5C
    EXPECT_STREQ("\\dir\\", q.folder());
    EXPECT_STREQ("ソ", q.name());
    EXPECT_STREQ("C:\\dir\\ソ", q.fullPath());
}

TEST(PathNameSplit, AnOverlongFolderEndingInADoubleByteCharacterIsRefusedWhole) {
    // The folder part is 257 bytes: cut to its 255-byte limit it would end in
    // the lead byte of the last character and name another folder. It is
    // refused instead: nothing of it is left to be used.
    std::string path = "\\" + std::string(253, 'a') + "\x95\x5C\\x.txt";
    PathName p(path.c_str());
    EXPECT_STREQ("", p.folder());
    EXPECT_STREQ("", p.name());
    EXPECT_TRUE(p.empty());
}

TEST(PathNameSetPath, QuotedPathKeepsOnlyTheQuotedPart) {
    PathName p;
    p.setPath("\"C:\\Program Files\\Talinst.exe\" SECTION /V readme.txt");
    EXPECT_STREQ("C:\\Program Files\\Talinst.exe", p.fullPath());
    p.setPath("\"C:\\ソ表示\\a b.exe");  // no closing quote: the rest is the path
    EXPECT_STREQ("C:\\ソ表示\\a b.exe", p.fullPath());
    p.setPath(nullptr);
    EXPECT_STREQ("", p.fullPath());
    EXPECT_STREQ("", p.name());
}

TEST(PathNameFolderPath, TrailingBackslashRules) {
    EXPECT_STREQ("D:\\menu", PathName("D:\\menu\\x.ini").folderPath());
    EXPECT_STREQ("D:\\", PathName("D:\\x.ini").folderPath());
    EXPECT_STREQ("sub\\", PathName("sub\\x.ini").folderPath());
    EXPECT_STREQ("", PathName("x.ini").folderPath());
}

TEST(PathNameUpFolder, LevelsAndRoot) {
    PathName p("D:\\a\\b\\x.txt");
    EXPECT_STREQ("D:\\a\\x.txt", p.upFolder());
    EXPECT_STREQ("D:\\x.txt", p.upFolder());
    EXPECT_STREQ("D:\\x.txt", p.upFolder());  // the root stays
    PathName r("a\\x.txt");
    EXPECT_STREQ("x.txt", r.upFolder());
    EXPECT_STREQ("x.txt", r.upFolder());
}

TEST(PathNameChangeFolder, UpStepThenSubFolder) {
    PathName p("D:\\menu\\MENU.INI");
    p.changeFolder("..\\data\\");
    EXPECT_STREQ("D:", p.drive());
    EXPECT_STREQ("\\data\\", p.folder());
    EXPECT_STREQ("D:\\data\\MENU.INI", p.fullPath());
}

TEST(PathNameChangeFolder, SlashStepsAndMissingTrailingBackslash) {
    PathName p("D:\\disc\\menu\\MENU.INI");
    EXPECT_STREQ("D:\\data\\MENU.INI", p.changeFolder("../../data"));
    PathName q("D:\\menu\\MENU.INI");
    EXPECT_STREQ("D:\\menu\\img\\MENU.INI", q.changeFolder("img"));
    EXPECT_STREQ("D:\\menu\\img\\MENU.INI", q.changeFolder(""));
    EXPECT_STREQ("D:\\menu\\img\\MENU.INI", q.changeFolder(nullptr));
    PathName r("D:\\menu\\MENU.INI");
    EXPECT_STREQ("D:\\menu\\x\\MENU.INI", r.changeFolder("\\x\\"));
}

TEST(PathNameChangeFolder, AbsoluteFoldersReplaceDriveAndFolder) {
    PathName p("D:\\menu\\MENU.INI");
    EXPECT_STREQ("C:\\other\\MENU.INI", p.changeFolder("C:\\other\\"));
    EXPECT_STREQ("C:", p.drive());
    PathName q("D:\\menu\\MENU.INI");
    EXPECT_STREQ("\\\\server\\share\\MENU.INI", q.changeFolder("\\\\server\\share"));
    EXPECT_STREQ("", q.drive());
}

TEST(PathNameChangeFolder, DoubleByteFolderLevels) {
    PathName p("C:\\ソ表示\\menu\\MENU.INI");
    EXPECT_STREQ("C:\\ソ表示\\ソフト\\MENU.INI", p.changeFolder("..\\ソフト"));
}

TEST(PathNameFileName, SubFoldersMoveIntoTheFolder) {
    PathName p("D:\\menu\\MENU.INI");
    EXPECT_STREQ("D:\\menu\\img\\top.png", p.setNameWithExtension("img\\top.png"));
    EXPECT_STREQ("\\menu\\img\\", p.folder());
    EXPECT_STREQ("top", p.name());
    EXPECT_STREQ(".png", p.extension());
}

TEST(PathNameFileName, FullPathOnAnotherDriveReplacesAll) {
    PathName p("D:\\menu\\MENU.INI");
    EXPECT_STREQ("C:\\tools\\setup.exe", p.setNameWithExtension("C:\\tools\\setup.exe"));
    PathName q("D:\\menu\\MENU.INI");
    EXPECT_STREQ("D:\\root.txt", q.setNameWithExtension("\\root.txt"));
    PathName u("D:\\menu\\MENU.INI");
    EXPECT_STREQ("\\\\srv\\share\\a.txt", u.setNameWithExtension("\\\\srv\\share\\a.txt"));
}

TEST(PathNameFileName, UpStepsInTheName) {
    PathName p("D:\\disc\\menu\\MENU.INI");
    EXPECT_STREQ("D:\\disc\\doc\\read.txt", p.setNameWithExtension("..\\doc\\read.txt"));
    PathName q("D:\\disc\\menu\\MENU.INI");
    // The slash of the name's own folder stays; the system takes both.
    EXPECT_STREQ("D:\\doc/read.txt", q.setNameWithExtension("../../doc/read.txt"));
    EXPECT_STREQ("\\doc/", q.folder());
}

TEST(PathNameFileName, ExtensionHandling) {
    PathName p("D:\\menu\\MENU.INI");
    // setFileName keeps the old extension for a name without a dot...
    EXPECT_STREQ("D:\\menu\\OTHER.INI", p.setFileName("OTHER"));
    // ...a name with a dot brings its own.
    EXPECT_STREQ("D:\\menu\\pic.bmp", p.setFileName("pic.bmp"));
    // setNameWithExtension never keeps the old one.
    EXPECT_STREQ("D:\\menu\\README", p.setNameWithExtension("README"));
}

TEST(PathNameExtension, SetAndCompare) {
    PathName p("D:\\menu\\help.CHM");
    EXPECT_TRUE(p.hasExtension("chm"));
    EXPECT_TRUE(p.hasExtension(".Chm"));
    EXPECT_FALSE(p.hasExtension("ch"));
    EXPECT_STREQ(".CHM", p.setExtension());
    EXPECT_STREQ("D:\\menu\\help.txt", p.setExtension("txt"));
    EXPECT_STREQ("D:\\menu\\help.htm", p.setExtension(".htm"));
    const char* const media[] = {".avi", ".mpg", ".mpeg", ".qt", nullptr};
    EXPECT_EQ(-1, p.extensionIndex(media));
    p.setExtension("MPEG");
    EXPECT_EQ(2, p.extensionIndex(media));
    EXPECT_STREQ("D:\\menu\\help", p.setExtension(""));
}

namespace {
// A path object between guard areas: nothing may be written outside it, and
// every part must stay terminated inside its own buffer.
struct Guarded {
    char before[64];
    PathName path;
    char after[64];
    Guarded() {
        std::memset(before, 0x5A, sizeof before);
        std::memset(after, 0x5A, sizeof after);
    }
    void expectIntact() {
        for (char c : before) ASSERT_EQ(0x5A, c);
        for (char c : after) ASSERT_EQ(0x5A, c);
        EXPECT_LT(std::strlen(path.fullPath()), 260u);
        EXPECT_LT(std::strlen(path.drive()), 3u);
        EXPECT_LT(std::strlen(path.folder()), 256u);
        EXPECT_LT(std::strlen(path.name()), 256u);
        EXPECT_LT(std::strlen(path.extension()), 256u);
        EXPECT_LT(std::strlen(path.folderPath()), 260u);
        EXPECT_LT(std::strlen(path.setNameWithExtension()), 260u);
    }
};
}  // namespace

TEST(PathNameBounds, OverlongPathsAreRefusedNotCut) {
    Guarded g;
    std::string longPath = "C:\\" + std::string(300, 'f') + "\\" + std::string(300, 'n') + ".ext";
    g.path.setPath(longPath.c_str());
    g.expectIntact();
    EXPECT_STREQ("", g.path.fullPath());
    g.path.setPath(std::string(5000, 'x').c_str());
    g.expectIntact();
    EXPECT_TRUE(g.path.empty());
    g.path.setPath("D:\\menu\\x.ini");
    g.path.changeFolder(std::string(5000, 'd').c_str());
    g.expectIntact();
    EXPECT_TRUE(g.path.empty());
    g.path.setPath("D:\\menu\\x.ini");
    g.path.setNameWithExtension(
        (std::string(300, 's') + "\\" + std::string(5000, 'n') + "." + std::string(400, 'e')).c_str());
    g.expectIntact();
    EXPECT_TRUE(g.path.empty());
    g.path.setPath("D:\\menu\\x.ini");
    g.path.setExtension(std::string(5000, 'e').c_str());
    g.expectIntact();
    g.path.setPath("D:\\menu\\x.ini");
    g.path.setFileName(("..\\" + std::string(5000, 'u')).c_str());
    g.expectIntact();
    EXPECT_TRUE(g.path.empty());
}

TEST(PathNameBounds, LongUncFolderIsRefusedRatherThanTurnedIntoAnother) {
    // A UNC path of 258 bytes whose folder part (257 bytes) does not fit the
    // 256-byte folder: a cut at 255 bytes would drop the trailing separator
    // and half of the last "表", naming another folder.
    std::string folder = "\\\\server\\share\\" + std::string(236, 'd') + "\\";
    while (folder.size() < 255) folder += "表";
    folder += "\\";
    ASSERT_EQ(257u, folder.size());
    Guarded g;
    g.path.setPath((folder + "a").c_str());
    g.expectIntact();
    EXPECT_STREQ("", g.path.fullPath());
    EXPECT_STREQ("", g.path.folder());
    EXPECT_FALSE(g.path.isFile());
    // What fits is taken whole.
    std::string fitting = "\\\\server\\share\\" + std::string(200, 'd') + "\\表\\";
    g.path.setPath((fitting + "a.txt").c_str());
    EXPECT_EQ(fitting, g.path.folder());
    EXPECT_STREQ("a", g.path.name());
}

TEST(PathNameBounds, OverlongDoubleByteNamesAreRefusedWhole) {
    Guarded g;
    std::string name;
    for (int i = 0; i < 200; ++i) name += "表";
    g.path.setPath(("C:\\" + name + "\\x.txt").c_str());
    g.expectIntact();
    EXPECT_TRUE(g.path.empty());
    g.path.setPath(("C:\\" + name.substr(0, 200) + "\\x.txt").c_str());
    EXPECT_EQ("\\" + name.substr(0, 200) + "\\", g.path.folder());
}

class PathNameOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = e2e::freshFolder("common\\pathname");
        folder_ = root_ + "\\ソ表示";
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        ASSERT_TRUE(e2e::writeFile(folder_ + "\\doc.txt", "hello\x1A"));
        ASSERT_TRUE(CreateDirectoryA((folder_ + "\\sub").c_str(), nullptr));
    }
    std::string root_, folder_;
};

TEST_F(PathNameOnDisk, IsFileAndFolderExists) {
    PathName file((folder_ + "\\doc.txt").c_str());
    EXPECT_TRUE(file.isFile());
    EXPECT_EQ(6u, file.foundSize());
    EXPECT_TRUE(file.folderExists());
    PathName folder((folder_ + "\\sub").c_str());
    EXPECT_FALSE(folder.isFile());  // a folder is not a file
    PathName missing((folder_ + "\\none.txt").c_str());
    EXPECT_FALSE(missing.isFile());
    EXPECT_TRUE(missing.folderExists());
    PathName noFolder((folder_ + "\\nowhere\\none.txt").c_str());
    EXPECT_FALSE(noFolder.folderExists());
    PathName wildcard((folder_ + "\\*.txt").c_str());
    EXPECT_FALSE(wildcard.isFile());
    EXPECT_TRUE(PathName("C:\\x.txt").folderExists());
    EXPECT_TRUE(PathName("x.txt").folderExists());
}

TEST_F(PathNameOnDisk, FindEntryWithMaskAndInvert) {
    PathName p;
    std::string pattern = folder_ + "\\*";
    EXPECT_NE(0u, p.findEntry(pattern.c_str(), FILE_ATTRIBUTE_DIRECTORY, false));
    EXPECT_TRUE(p.findData().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_NE(0u, p.findEntry(pattern.c_str(), FILE_ATTRIBUTE_DIRECTORY, true));
    EXPECT_STREQ("doc.txt", p.findData().cFileName);
    EXPECT_EQ(0u, p.findEntry((folder_ + "\\*.none").c_str(), 0, true));
    EXPECT_EQ(0u, p.findData().nFileSizeLow);
}

TEST_F(PathNameOnDisk, ReadAllGivesTheBytesAndATerminator) {
    FileReader r((folder_ + "\\doc.txt").c_str());
    void* data = nullptr;
    DWORD size = 0;
    HGLOBAL h = r.readAll(true, &data, &size);
    ASSERT_NE(nullptr, h);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(6u, size);
    EXPECT_GE(GlobalSize(h), 7u);
    EXPECT_EQ(0, std::memcmp(data, "hello\x1A\0", 7));
    EXPECT_FALSE(r.isOpen());
    GlobalUnlock(h);
    GlobalFree(h);

    HGLOBAL fixed = r.readAll(false);
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(0, std::memcmp(fixed, "hello\x1A\0", 7));
    GlobalFree(fixed);
}

TEST_F(PathNameOnDisk, ReadAllOfAMissingOrEmptyFile) {
    FileReader missing((folder_ + "\\none.txt").c_str());
    EXPECT_EQ(nullptr, missing.readAll(true));
    EXPECT_FALSE(missing.isOpen());
    ASSERT_TRUE(e2e::writeFile(folder_ + "\\empty.txt", ""));
    FileReader empty((folder_ + "\\empty.txt").c_str());
    void* data = nullptr;
    HGLOBAL h = empty.readAll(false, &data);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ('\0', *static_cast<char*>(data));
    GlobalFree(h);
}

TEST_F(PathNameOnDisk, ReadInPiecesAndClose) {
    FileReader r((folder_ + "\\doc.txt").c_str());
    char buf[4] = {};
    EXPECT_EQ(3u, r.read(buf, 3));
    EXPECT_TRUE(r.isOpen());
    EXPECT_EQ(0, std::memcmp(buf, "hel", 3));
    EXPECT_EQ(3u, r.read(buf, 4));
    EXPECT_EQ(0u, r.read(buf, 4));
    r.close();
    EXPECT_FALSE(r.isOpen());
    FileReader none((folder_ + "\\none.txt").c_str());
    EXPECT_EQ(0u, none.read(buf, 4));
    EXPECT_FALSE(none.open());
}

TEST_F(PathNameOnDisk, ReadAllOfTenMegabytes) {
    std::string body(10 * 1024 * 1024, '\0');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 7 + 1);
    ASSERT_TRUE(e2e::writeFile(folder_ + "\\big.bin", body));
    FileReader r((folder_ + "\\big.bin").c_str());
    void* data = nullptr;
    DWORD size = 0;
    HGLOBAL h = r.readAll(true, &data, &size);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(body.size(), size);
    EXPECT_EQ(0, std::memcmp(data, body.data(), body.size()));
    EXPECT_EQ('\0', static_cast<char*>(data)[body.size()]);
    GlobalUnlock(h);
    GlobalFree(h);
}
