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
}

TEST(DiscCheck, SampleDiscWithItsProgramsHasNoFinding) {
    std::string disc = copiedDisc(e2e::source("sample-disc"), "C:\\disccheck-sample");
    for (const char* program : {"Ostrel.exe", "Talinst.exe", "Kelview.exe", "OstrelMovie.exe"})
        ASSERT_TRUE(e2e::copyFile(e2e::dist(program), disc + "\\" + program)) << program;
    disccheck::Findings findings;
    std::string actual = report(disc, &findings);
    EXPECT_TRUE(findings.all().empty()) << actual;
}

// The JSON form carries the same findings; a double-byte character whose
// trail byte is a backslash stays whole, a real backslash is escaped.
TEST(DiscCheck, JsonKeepsDoubleByteCharactersWhole) {
    disccheck::Findings findings;
    findings.add("docs\\a.txt", 3, true, "表\r\nx\"");
    findings.add("b", 0, false, "w");
    EXPECT_EQ("{\"findings\":[\n{\"file\":\"docs\\\\a.txt\",\"line\":3,\"severity\":\"error\",\"text\":\"表 "
              "x\\\"\"},"
              "\n{\"file\":\"b\",\"line\":0,\"severity\":\"warning\",\"text\":\"w\"}],\n\"errors\":1,"
              "\"warnings\":1}\n",
              findings.json());
}

}  // namespace
