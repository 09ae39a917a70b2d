// Message escapes, path macros, folder rules, size texts and the texts a
// section composes from its keys.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "folder_rules.h"
#include "message_text.h"
#include "path_macros.h"
#include "script_file.h"
#include "section_texts.h"
#include "size_text.h"

using namespace installer;

namespace {

class FixedFolders : public MacroSource {
public:
    std::string win = "C:\\windows", prog = "C:\\Program Files", ini;
    std::string lastFile, lastSection, lastKey;
    std::string windowsFolder() const override { return win; }
    std::string systemFolder() const override { return "C:\\windows\\system32"; }
    std::string programFilesFolder() const override { return prog; }
    std::string tempFolder() const override { return "C:\\temp\\"; }
    std::string documentsFolder() const override { return "C:\\users\\me\\Documents"; }
    std::string profileString(const std::string& f, const std::string& s,
                              const std::string& k) const override {
        auto* self = const_cast<FixedFolders*>(this);
        self->lastFile = f;
        self->lastSection = s;
        self->lastKey = k;
        return ini;
    }
};

std::string escapes(const char* in) {
    char out[kMessageBytes];
    processEscapes(in, out, sizeof out);
    return out;
}

TEST(MessageEscapes, BackslashSequences) {
    EXPECT_EQ("a\nb\tc\\d", escapes("a\\nb\\tc\\\\d"));
    EXPECT_EQ("A\nB\tC", escapes("A\\NB\\TC"));
    EXPECT_EQ("xqy", escapes("x\\qy"));
    EXPECT_EQ("end", escapes("end\\"));
}

TEST(MessageEscapes, QuotedPathsSurvive) {
    EXPECT_EQ("copied to 'C:\\new'\nnext", escapes("copied to 'C:\\new'\\nnext"));
    EXPECT_EQ("'a\\b' and 'c\\d'\n", escapes("'a\\b' and 'c\\d'\\n"));
    // An unpaired quote does not protect what follows it.
    EXPECT_EQ("it's\n", escapes("it's\\n"));
}

TEST(MessageEscapes, SecondBytesAreNeverBackslashes) {
    // "ソ" is 0x83 0x5C: its second byte must not start an escape.
    EXPECT_EQ("ソn表t", escapes("ソn表t"));
}

TEST(MessageEscapes, AtMostEightyQuotedStretches) {
    std::string in = "'\\n'";
    for (int i = 1; i < 80; i++) in += "''";
    in += "'\\n'";
    std::string out = escapes(in.c_str());
    EXPECT_EQ(std::string("'\\n'"), out.substr(0, 4));
    // The 81st pair is no stretch: its escape is processed.
    EXPECT_EQ(std::string("'\n'"), out.substr(4 + 79 * 2));
}

TEST(MessageEscapes, LongTextsAreCutWithinTheBuffer) {
    std::string in(1000, 'a');
    char out[kMessageBytes + 8];
    memset(out, 'Z', sizeof out);
    EXPECT_EQ(kMessageBytes - 1, processEscapes(in.c_str(), out, kMessageBytes));
    EXPECT_EQ(0, out[kMessageBytes - 1]);
    EXPECT_EQ('Z', out[kMessageBytes]);
    std::string sj;
    for (int i = 0; i < 200; i++) sj += "表";
    EXPECT_EQ(254u, processEscapes(sj.c_str(), out, kMessageBytes));
}

TEST(PathMacros, FoldersAndBackslashes) {
    FixedFolders f;
    std::string out;
    EXPECT_TRUE(expandMacros("$WIN\\FONTS", f, &out));
    EXPECT_EQ("C:\\windows\\FONTS", out);
    EXPECT_TRUE(expandMacros("$prog\\Tool;$system;$Doc", f, &out));
    EXPECT_EQ("C:\\Program Files\\Tool;C:\\windows\\system32;C:\\users\\me\\Documents", out);
    EXPECT_TRUE(expandMacros("$TEMP\\x", f, &out));
    EXPECT_EQ("C:\\temp\\x", out);
    EXPECT_TRUE(expandMacros("cost $5 $WINDOWS", f, &out));
    EXPECT_EQ("cost $5 C:\\windowsDOWS", out);
    f.win = "C:\\";
    EXPECT_TRUE(expandMacros("$WIN\\FONTS", f, &out));
    EXPECT_EQ("C:\\FONTS", out);
}

TEST(PathMacros, ProfileValues) {
    FixedFolders f;
    std::string out;
    f.ini = "C:\\pics\\wall.bmp";
    EXPECT_TRUE(expandMacros("$INI(win.ini Desktop Wallpaper)", f, &out));
    EXPECT_EQ("C:\\pics\\wall.bmp", out);
    EXPECT_EQ("win.ini", f.lastFile);
    EXPECT_EQ("Desktop", f.lastSection);
    EXPECT_EQ("Wallpaper", f.lastKey);
    f.ini = "";
    EXPECT_TRUE(expandMacros("[$INI( win.ini  Desktop Wallpaper )]", f, &out));
    EXPECT_EQ("[]", out);
    // A drive-only value followed by a backslash keeps the backslash.
    f.ini = "D:";
    EXPECT_TRUE(expandMacros("$INI(a.ini s k)\\x", f, &out));
    EXPECT_EQ("D:\\x", out);
    // No closing parenthesis: the argument runs to the end.
    f.ini = "v";
    EXPECT_TRUE(expandMacros("$INI(a.ini s k", f, &out));
    EXPECT_EQ("v", out);
}

TEST(PathMacros, LimitsAreKept) {
    FixedFolders f;
    f.win = std::string(200, 'w');
    f.ini = std::string(200, 'i');
    std::string out;
    // A long folder is used whole: a cut one would name a different folder.
    EXPECT_TRUE(expandMacros("$WIN\\x", f, &out));
    EXPECT_EQ(f.win + "\\x", out);
    std::string longArg = "$INI(" + std::string(300, 'f') + " " + std::string(100, 's') + " k)tail";
    EXPECT_TRUE(expandMacros(longArg.c_str(), f, &out));
    EXPECT_EQ("tail", out);  // the cut argument names no key; the ")" is consumed
    EXPECT_TRUE(expandMacros("$INI(a.ini sec key)", f, &out));
    EXPECT_EQ(f.ini, out);
    std::string many;
    for (int i = 0; i < 8; i++) many += "$WIN";
    EXPECT_FALSE(expandMacros(many.c_str(), f, &out));
    EXPECT_EQ(kExpandedBytes - 1, out.size());
}

TEST(FolderRules, DestinationForms) {
    FixedFolders f;
    std::string out;
    EXPECT_EQ(DestinationStatus::DriveGiven, destinationFolder("C:\\Tools", "ABC", f, &out));
    EXPECT_EQ(DestinationStatus::Ok, destinationFolder("\\Tools", "ABC", f, &out));
    EXPECT_EQ("C:\\Tools", out);
    EXPECT_EQ(DestinationStatus::Ok, destinationFolder("Tools", "ABC", f, &out));
    EXPECT_EQ("C:\\Program Files\\Tools", out);
    EXPECT_EQ(DestinationStatus::Ok, destinationFolder(nullptr, "ABC", f, &out));
    EXPECT_EQ("C:\\Program Files\\ABC", out);
    EXPECT_EQ(DestinationStatus::Ok, destinationFolder("", "ABC", f, &out));
    EXPECT_EQ("C:\\Program Files\\ABC", out);
    EXPECT_EQ(DestinationStatus::Ok, destinationFolder("$WIN\\FONTS", "ABC", f, &out));
    EXPECT_EQ("C:\\windows\\FONTS", out);
    f.prog = "D:\\Apps\\";
    EXPECT_EQ(DestinationStatus::Ok, destinationFolder("Tools", "ABC", f, &out));
    EXPECT_EQ("D:\\Apps\\Tools", out);
    std::string longDir(300, 'd');
    EXPECT_EQ(DestinationStatus::TooLong, destinationFolder(longDir.c_str(), "ABC", f, &out));
}

bool onlyInstallExists(const char* path) {
    const char* slash = strrchr(path, '\\');
    if (!slash || !slash[1]) return true;
    return std::string(path, slash - path) == "INSTALL";
}

TEST(FolderRules, SourceForms) {
    std::string out;
    EXPECT_TRUE(sourceFolder(".\\INSTALL\\APP", "S", onlyInstallExists, &out));
    EXPECT_EQ("INSTALL\\APP", out);
    EXPECT_FALSE(sourceFolder("MISSING\\APP", "S", onlyInstallExists, &out));
    EXPECT_TRUE(sourceFolder(".\\", "S", onlyInstallExists, &out));
    EXPECT_EQ(".\\", out);
    EXPECT_TRUE(sourceFolder(nullptr, "SAMPLE", onlyInstallExists, &out));
    EXPECT_EQ("SAMPLE", out);
}

std::string size(unsigned long long n) {
    char buf[32];
    char* end = formatSize(n, buf, sizeof buf);
    EXPECT_EQ(strlen(buf), (size_t)(end - buf));
    return buf;
}

TEST(SizeText, TableOfUnits) {
    EXPECT_EQ("1024 ﾊﾞｲﾄ ", size(1024));
    EXPECT_EQ("  1.001 KB ", size(1025));
    EXPECT_EQ("  2 KB ", size(2048));
    EXPECT_EQ("  1.512 MB ", size(1572864));
    EXPECT_EQ("  5 GB ", size(5ull << 30));
    EXPECT_EQ("  0 ﾊﾞｲﾄ ", size(0));
    EXPECT_EQ("1024 KB ", size(0x100000));
    EXPECT_EQ("1024 MB ", size(0x40000000));
    EXPECT_EQ("  4.001 GB ", size((4ull << 30) + (1 << 20)));
}

TEST(SizeText, ChainsAndStaysInItsBuffer) {
    char buf[40];
    char* p = formatSize(2048, buf, sizeof buf);
    formatSize(1025, p, sizeof buf - (p - buf));
    EXPECT_STREQ("  2 KB   1.001 KB ", buf);
    char tiny[5];
    memset(tiny, 'Z', sizeof tiny);
    char* e = formatSize(1572864, tiny, 4);
    EXPECT_EQ(tiny + 3, e);
    EXPECT_EQ('Z', tiny[4]);
}

ScriptFile parse(const std::string& text) {
    ScriptFile s;
    s.loadText(text.data(), text.size());
    return s;
}

TEST(SectionTexts, FirstLineAndGlobalTexts) {
    ScriptFile s = parse("[Talinst]\n$MSG1=Install now?\n$DIR=B text+C text\n"
                         "[P]\nProductName=Tool\nFirstMsg=$MSG1\nLastMsg=Done\\nbye\n"
                         "[G]\nGroup=Grp\nFirstMsg=plain\n[N]\nFirstMsg=bare\n");
    EXPECT_EQ("Tool\n\nInstall now?", sectionMessage(s, "P", "FirstMsg"));
    EXPECT_EQ("Tool\n\nDone\\nbye", sectionMessage(s, "P", "LastMsg"));
    EXPECT_EQ("Grp\n\nplain", sectionMessage(s, "G", "FirstMsg"));
    EXPECT_EQ("bare", sectionMessage(s, "N", "FirstMsg"));
    EXPECT_EQ("", sectionMessage(s, "N", "LastMsg"));
    EXPECT_EQ("", directoryHeading(s, "$MISSING"));
    EXPECT_EQ("BAC", directoryHeading(s, "+A+B+C"));
    EXPECT_EQ("BA", directoryHeading(s, "+A+B"));
    EXPECT_EQ("B textAC text", directoryHeading(s, "+A+$DIR"));
    EXPECT_EQ("plain", directoryHeading(s, "plain"));
}

TEST(SectionTexts, MessagesStayWithin512Bytes) {
    ScriptFile s =
        parse("[P]\nProductName=" + std::string(400, 'p') + "\nFirstMsg=" + std::string(400, 'f') + "\n");
    EXPECT_EQ(kSectionMessageBytes - 1, sectionMessage(s, "P", "FirstMsg").size());
}

TEST(SectionTexts, LastExecEntries) {
    LastExec le = parseLastExec(" $dstdir ");
    EXPECT_TRUE(le.openFolder);
    EXPECT_FALSE(le.hasFile);

    le = parseLastExec("doc/readme.txt, notepad.exe ; $DstDir; other.exe");
    EXPECT_TRUE(le.openFolder);
    EXPECT_TRUE(le.hasFile);
    EXPECT_EQ("doc\\readme.txt", le.file);
    EXPECT_EQ("notepad.exe", le.program);
    EXPECT_EQ("ドキュメント readme.txt を表示します", followUpCaption(le));

    le = parseLastExec("bin\\tool.EXE");
    EXPECT_FALSE(le.openFolder);
    EXPECT_EQ("プログラム tool.EXE を実行します", followUpCaption(le));
    le = parseLastExec("tool.exe,viewer.exe");
    EXPECT_EQ("ドキュメント tool.exe を表示します", followUpCaption(le));
    le = parseLastExec("manual.htm");
    EXPECT_EQ("ドキュメント manual.htm を表示します", followUpCaption(le));

    // An entry without a file is skipped whole: its program is not used for
    // the file of a later entry.
    le = parseLastExec(",notepad.exe;readme.txt");
    EXPECT_TRUE(le.hasFile);
    EXPECT_EQ("readme.txt", le.file);
    EXPECT_EQ("", le.program);
    le = parseLastExec(" , viewer.exe ; ;");
    EXPECT_FALSE(le.hasFile);
    EXPECT_EQ("", le.program);
}

}  // namespace
