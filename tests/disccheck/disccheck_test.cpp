// The checker on whole discs: the broken fixture disc must give exactly its
// expected report (one finding of each kind the checker knows), the sample
// disc none at all. Both are copied to a fixed place first: the menu's
// command lists hold full paths, so their length depends on where the disc lies.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "disc_check.h"
#include "file_system.h"
#include "path_text.h"
#include "driver.h"
#include "findings.h"
#include "text_code.h"

namespace {

namespace fs = std::filesystem;

// Wide-character copy: the fixture holds a name Shift-JIS cannot spell.
std::string copiedDisc(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::remove_all(to, ec);
    fs::copy(fs::path(from), fs::path(to), fs::copy_options::recursive, ec);
    EXPECT_FALSE(ec) << ec.message();
    return to;
}

// Runs the built program with its output sent to a file; its exit code, or
// -1 when it could not start or did not end within a minute.
int runProgram(const std::string& args, std::string* output) {
    std::string outPath = e2e::winPath(TEST_WORK_DIR) + "\\disccheck-output.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    std::string line = "\"" + e2e::dist("DiscCheck.exe") + "\" " + args;
    BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(out);
    if (!started) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    e2e::readFile(outPath, output);
    return static_cast<int>(code);
}

std::string report(const std::string& folder, disccheck::Findings* findings) {
    // The installer's archiver libraries are loaded from beside the program
    // that checks, as DiscCheck.exe finds them in dist (once: a loaded
    // library cannot be replaced).
    static bool placed = false;
    for (const char* library : {"UnLha32.DLL", "UnZip32.DLL", "Cab32.DLL"})
        if (!placed)
            EXPECT_TRUE(
                e2e::copyFile(e2e::dist(library), common::joinPath(common::programFolder(), library)));
    placed = true;
    disccheck::checkDisc(folder, *findings);
    return findings->report();
}

TEST(DiscCheck, BrokenDiscGivesItsExpectedReport) {
    std::string expected;
    ASSERT_TRUE(e2e::readFile(e2e::source("tests\\disccheck\\broken-disc.expected"), &expected));
    // The command lists are measured as on the pressed disc: the report is
    // the same however deep the copy lies.
    for (const char* folder : {"C:\\d", "C:\\disccheck-broken-disc-copied-into-a-folder-with-a-long-name"}) {
        std::string disc = copiedDisc(e2e::source("tests\\disccheck\\broken-disc"), folder);
        disccheck::Findings findings;
        std::string actual = report(disc, &findings);
        if (actual != expected) e2e::writeFile(e2e::winPath(TEST_WORK_DIR) + "\\broken-disc.actual", actual);
        EXPECT_EQ(expected, actual) << folder;
    }
    std::string disc = copiedDisc(e2e::source("tests\\disccheck\\broken-disc"), "C:\\disccheck-broken");
    disccheck::Findings findings;
    report(disc, &findings);
    EXPECT_GT(findings.errors(), 0);
    EXPECT_GT(findings.warnings(), 0);

    // The program prints the same report and ends with 1 for the errors.
    std::string printed;
    EXPECT_EQ(1, runProgram(disc, &printed));
    EXPECT_EQ(expected, printed);
    // JSON in UTF-8 ("見つかりません" as E8 A6 8B ...), Shift-JIS nowhere.
    EXPECT_EQ(1, runProgram("--json " + disc, &printed));
    EXPECT_EQ(disccheck::utf8FromSjis(findings.json()), printed);
    EXPECT_NE(std::string::npos, printed.find("\xE8\xA6\x8B\xE3\x81\xA4\xE3\x81\x8B\xE3\x82\x8A"));
    EXPECT_EQ(std::string::npos, printed.find("見つかりません"));
}

TEST(DiscCheck, SampleDiscWithItsProgramsHasNoFinding) {
    std::string disc = copiedDisc(e2e::source("sample-disc"), "C:\\disccheck-sample");
    for (const char* program : {"Ostrel.exe", "Talinst.exe", "Kelview.exe", "OstrelMovie.exe"})
        ASSERT_TRUE(e2e::copyFile(e2e::dist(program), disc + "\\" + program)) << program;
    // The installer's archives are written at build time and put where its
    // archive sections look for them when the disc is assembled.
    ASSERT_TRUE(CreateDirectoryA((disc + "\\INSTALL\\ARC").c_str(), nullptr));
    for (const char* archive : {"item.lzh", "item.zip", "item.cab", "docs.lzh", "setup.lzh"})
        ASSERT_TRUE(e2e::copyFile(e2e::winPath(SAMPLE_ARCHIVE_DIR) + "\\" + archive,
                                  disc + "\\INSTALL\\ARC\\" + archive))
            << archive;
    disccheck::Findings findings;
    std::string actual = report(disc, &findings);
    EXPECT_TRUE(findings.all().empty()) << actual;
    std::string printed;
    EXPECT_EQ(0, runProgram(disc, &printed)) << printed;
}

// The grid keys are reported with the size the menu makes of them; the
// default click sound missing is only a warning.
TEST(DiscCheck, GridKeysAreReportedWithTheSizeTheMenuUses) {
    struct Case {
        const char* keys;
        const char* report;
        bool clickSound = true;
    } cases[] = {
        {"Column=3\r\nRow=2\r\n", ""},
        {"", "MENU.INI:1: warning: 'Click.wav' が見つかりません\n", false},
        {"Column=0\r\n", "MENU.INI:3: warning: Column の値 0 は 3 として使われます\n"},
        {"Column=3\r\nRow=100\r\n", "MENU.INI:4: warning: Row の値 100 は 29 として使われます\n"},
        {"Column=200\r\nRow=2\r\n", "MENU.INI:3: warning: Column の値 200 は 87 として使われます\n"
                                    "MENU.INI:4: warning: Row の値 2 は 1 として使われます\n"},
    };
    for (const Case& c : cases) {
        std::string disc = e2e::freshFolder("disccheck-grid");
        ASSERT_TRUE(e2e::copyFile(e2e::source("tests\\disccheck\\broken-disc\\buttons\\menu.png"),
                                  disc + "\\menu.png"));
        if (c.clickSound) {
            ASSERT_TRUE(e2e::writeFile(disc + "\\Click.wav", "x"));
        }
        ASSERT_TRUE(e2e::writeFile(disc + "\\MENU.INI", std::string("[OSTREL]\r\n[BUTTON.Execute]\r\n") +
                                                            c.keys + "Bitmap=menu.png\r\n" +
                                                            "[BUTTON.MENU]\r\nBitMap1=menu.png\r\n"));
        disccheck::Findings findings;
        std::string actual = report(disc, &findings);
        EXPECT_EQ(c.report, actual.substr(0, actual.find("disccheck:"))) << c.keys;
    }
}

// The installer's sections are followed as the installer would carry them
// out: how the menu starts them, what a selection offers, where Copy and
// archive keys (with ArcBaseDir) put files, and what LastExec and GroupIcon
// then find there.
TEST(DiscCheck, InstallerSectionsAreFollowedAsTheyWouldBeCarriedOut) {
    struct Case {
        const char* command;  // of the menu entry
        const char* script;   // TALINST.INI after its [Talinst] line
        const char* report;
    } cases[] = {
        {"\"Talinst.exe\" A /V2 read.txt", "[A]\r\nSrcDir=S\r\nCopy1=a.txt\r\n", ""},
        {"Talinst.exe A /Q", "[A]\r\nSrcDir=S\r\nCopy1=a.txt\r\n",
         "MENU.DAT:6: error: 無効なオプション'/Q'が指定されました\n"
         "TALINST.INI:2: warning: セクション [A] "
         "はメニューからも項目一覧からも選択メニューからも実行できません\n"},
        {"Talinst.exe",
         "[B.SELECT]\r\nitem1.Caption=x\r\nitem1.Section=A\r\n[A]\r\nSrcDir=S\r\nCopy1=a.txt\r\n", ""},
        {"Talinst.exe A", "[A]\r\nSrcDir=S\r\nCopy1=*.txt\r\nLastExec=sub\\b.txt\r\n", ""},
        {"Talinst.exe A", "[A]\r\nSrcDir=S\r\nCopy1=a.txt docs\r\nLastExec=a.txt\r\n",
         "TALINST.INI:5: error: LastExec の 'a.txt' はインストールされるファイルにありません\n"},
        {"Talinst.exe A",
         "[A]\r\nSrcDir=S\r\nLZH=item.zip\r\nArcBaseDir=app\r\nGroup=G\r\nGroupIcon1=tool.exe\r\n"
         "GroupIcon2=readme.txt\r\n",
         "TALINST.INI:8: error: ｷｰ GroupIcon2 = readme.txt :指定されたﾌｧｲﾙが見つかりません\n"},
        {"Talinst.exe A", "[A]\r\nSrcDir=S\r\nLZH=item.zip sub\r\nLastExec=sub\\app\\tool.exe\r\n", ""},
    };
    for (const Case& c : cases) {
        std::string disc = e2e::freshFolder("disccheck-talinst");
        ASSERT_TRUE(e2e::writeFile(disc + "\\Talinst.exe", "x"));
        ASSERT_TRUE(e2e::writeFile(disc + "\\S\\a.txt", "a"));
        ASSERT_TRUE(e2e::writeFile(disc + "\\S\\sub\\b.txt", "b"));
        ASSERT_TRUE(e2e::copyFile(e2e::source("tests\\disccheck\\broken-disc\\INST\\item.zip"),
                                  disc + "\\S\\item.zip"));
        ASSERT_TRUE(
            e2e::writeFile(disc + "\\MENU.DAT", std::string("[MENU]\r\nPage1=P\r\n[P]\r\nMenu1=E\r\n[E]\r\n"
                                                            "command1=a;b,") +
                                                    c.command + "\r\n"));
        ASSERT_TRUE(e2e::writeFile(disc + "\\TALINST.INI", std::string("[Talinst]\r\n") + c.script));
        disccheck::Findings findings;
        std::string actual = report(disc, &findings);
        EXPECT_EQ(c.report, actual.substr(0, actual.find("disccheck:"))) << c.command << "\n" << c.script;
    }
}

}  // namespace
