// The archive steps' pure text work: kinds from names, the command lines of
// the three libraries, and the archive keys' values.
#include <gtest/gtest.h>
#include "archive_names.h"

using namespace installer;

using namespace installer;

TEST(ArchiveNames, NamesClassifyByTheirLastExtensionOnly) {
    struct Case {
        const char* path;
        NameClass expected;
    } cases[] = {
        {"D:\\disc\\tool.lzh", NameClass::Lzh},
        {"tool.Zip", NameClass::Zip},
        {"a.b\\tool.CAB", NameClass::Cab},
        {"setup.exe", NameClass::Program},
        {"archive.dat", NameClass::Other},
        {"tool.lzh.bak", NameClass::Other},
        {"D:\\disc.lzh\\tool", NameClass::NoExtension},  // the dot is in a folder
        {"表.lzh", NameClass::Lzh},                      // 95 5C: no separator
        {"ソ", NameClass::NoExtension},
        {"", NameClass::NoExtension},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, classifyName(c.path)) << c.path;
}

TEST(ArchiveNames, CommandLinesOfEachKind) {
    const std::string a = "D:\\disc\\tool.lzh", f = "C:\\Program Files\\Tool\\";
    EXPECT_EQ("x -n -a1 -jf0 -jc D:\\disc\\tool.lzh \"C:\\Program Files\\Tool\\\"",
              extractAllCommand(kLzh, a, f));
    EXPECT_EQ("-x --i -o D:\\disc\\tool.lzh \"C:\\Program Files\\Tool\\\"", extractAllCommand(kZip, a, f));
    EXPECT_EQ("-x -i -o D:\\disc\\tool.lzh \"C:\\Program Files\\Tool\\\"", extractAllCommand(kCab, a, f));
    // The folder's own final backslash goes before the command adds one.
    EXPECT_EQ("x -n -a1 -jf0 -jc \"D:\\disc\\tool.lzh\" \"C:\\Program Files\\Tool\\\" \"-jbapp\"",
              extractBelowCommand(kLzh, a, f, "app"));
    EXPECT_EQ("-x --i -o \"D:\\disc\\tool.lzh\" \"C:\\Program Files\\Tool\\\" \"app/**\"",
              extractBelowCommand(kZip, a, f, "app"));
    EXPECT_EQ("-x -o -i \"D:\\disc\\tool.lzh\" \"C:\\Program Files\\Tool\\\" \"app\\*\"",
              extractBelowCommand(kCab, a, f, "app"));
    EXPECT_EQ("-x --i -o \"D:\\disc\\tool.lzh\" \"C:\\t\\\" \"doc\\read me.txt\"",
              extractItemCommand(kZip, a, "C:\\t", "doc\\read me.txt"));
    // A folder that is a backslash alone keeps it.
    EXPECT_EQ("-x -o -i \"x.cab\" \"\\\\\" \"a\"", extractItemCommand(kCab, "x.cab", "\\", "a"));
    // A folder ending in a double-byte character with a 0x5C second byte
    // loses nothing.
    EXPECT_EQ("-x --i -o \"x.zip\" \"C:\\表\\\" \"a\"", extractItemCommand(kZip, "x.zip", "C:\\表", "a"));
    EXPECT_EQ("\"x.lzh\" \"readme.txt\"", toMemoryCommand("x.lzh", "readme.txt"));
    EXPECT_EQ("\"read me.txt\"", findPattern("read me.txt"));
    EXPECT_EQ("setup.exe", findPattern("setup.exe"));
    EXPECT_EQ("", extractAllCommand(kNoKind, a, f));
}

TEST(ArchiveNames, ArchiveAndSetupValues) {
    struct Case {
        const char* value;
        const char* archive;
        const char* destination;
    } cases[] = {
        {"tool.lzh", "tool.lzh", ""},
        {"tool.lzh bin", "tool.lzh", "bin"},
        {"tool.lzh, , bin\\sub , ignored", "tool.lzh", "bin\\sub"},
        {"tool\tbin", "tool", "bin"},
        {"表.lzh 表", "表.lzh", "表"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        ArchiveValue v = parseArchiveValue(c.value);
        EXPECT_EQ(c.archive, v.archive) << c.value;
        EXPECT_EQ(c.destination, v.destination) << c.value;
    }
    SetupValue s = parseSetupValue(",setup.exe");
    EXPECT_EQ("", s.archive);
    EXPECT_EQ("setup.exe", s.program);
    s = parseSetupValue("tool.lzh,  bin/setup.exe");
    EXPECT_EQ("tool.lzh", s.archive);
    EXPECT_EQ("bin/setup.exe", s.program);
    EXPECT_EQ("", parseSetupValue("tool.lzh").program);
    EXPECT_EQ("bin\\ソ\\setup.exe", archivePathToFolder("bin/ソ/setup.exe"));
}

TEST(ArchiveNames, ShellDocumentsAndExtensions) {
    for (const char* n :
         {"index.HTML", "a.htm", "help.hlp", "x.chm", "s.xls", "p.bmp", "p.JPG", "p.gif", "p.png"})
        EXPECT_TRUE(isShellDocument(n)) << n;
    for (const char* n : {"readme.txt", "manual.rtf", "doc.html.txt", "html", "a.doc"})
        EXPECT_FALSE(isShellDocument(n)) << n;
    EXPECT_EQ("D:\\d\\tool.ZIP", withExtension("D:\\d\\tool.lzh", "ZIP"));
    EXPECT_EQ("D:\\d.x\\tool.EXE", withExtension("D:\\d.x\\tool", "EXE"));
}
