// The checker on whole discs: the broken fixture disc must give exactly its
// expected report (one finding of each kind the checker knows), the sample
// disc none at all. Both are copied to a fixed place first: the menu's
// command lists hold full paths, so their length depends on where the disc lies.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "disc_check.h"
#include "driver.h"
#include "findings.h"

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
    disccheck::checkDisc(folder, *findings);
    return findings->report();
}

TEST(DiscCheck, BrokenDiscGivesItsExpectedReport) {
    std::string disc = copiedDisc(e2e::source("tests\\disccheck\\broken-disc"), "C:\\disccheck-broken");
    disccheck::Findings findings;
    std::string actual = report(disc, &findings);
    std::string expected;
    ASSERT_TRUE(e2e::readFile(e2e::source("tests\\disccheck\\broken-disc.expected"), &expected));
    if (actual != expected) e2e::writeFile(e2e::winPath(TEST_WORK_DIR) + "\\broken-disc.actual", actual);
    EXPECT_EQ(expected, actual);
    EXPECT_GT(findings.errors(), 0);
    EXPECT_GT(findings.warnings(), 0);

    // The program prints the same report and ends with 1 for the errors.
    std::string printed;
    EXPECT_EQ(1, runProgram(disc, &printed));
    EXPECT_EQ(expected, printed);
    EXPECT_EQ(1, runProgram("--json " + disc, &printed));
    EXPECT_EQ(findings.json(), printed);
}

TEST(DiscCheck, SampleDiscWithItsProgramsHasNoFinding) {
    std::string disc = copiedDisc(e2e::source("sample-disc"), "C:\\disccheck-sample");
    for (const char* program : {"Ostrel.exe", "Talinst.exe", "Kelview.exe", "OstrelMovie.exe"})
        ASSERT_TRUE(e2e::copyFile(e2e::dist(program), disc + "\\" + program)) << program;
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
        ASSERT_TRUE(e2e::writeFile(disc + "\\menu.png", "x"));
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

}  // namespace
