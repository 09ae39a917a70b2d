// Entry-name checks and matching of the archiver libraries, table-driven,
// plus a property: whatever safeEntryPath accepts, read the way the system
// reads paths, stays below the folder.
#include <gtest/gtest.h>
#include <random>
#include "entry_name.h"
#include "sjis.h"

namespace {

TEST(SafeEntryPath, RefusesNamesThatLeaveTheFolderOrNameDevices) {
    const char* refused[] = {"",
                             "..",
                             "..\\x",
                             "../x",
                             "a\\..\\..\\x",
                             "a/../x",
                             "/x",
                             "\\x",
                             "\\\\server\\share\\x",
                             "//server/share/x",
                             "C:\\x",
                             "C:x",
                             "x:stream",
                             "CON",
                             "con.txt",
                             "Con .log",
                             "PRN",
                             "AUX",
                             "NUL",
                             "nul.tar.gz",
                             "COM1",
                             "com9.txt",
                             "LPT1",
                             "lpt9",
                             "CONIN$",
                             "a\\CON\\b",
                             "...",
                             ". .",
                             "a\\...\\b",
                             "x\x01y",
                             "a|b",
                             "a?",
                             "a*",
                             "\x95",
                             "\x95." /* broken pair */};
    for (const char* name : refused) {
        std::string out = "unchanged";
        EXPECT_FALSE(safeEntryPath(name, out)) << name;
        EXPECT_EQ("unchanged", out);
    }
}

TEST(SafeEntryPath, KeepsLegitimateNamesWithBackslashSeparators) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"a.txt", "a.txt"},    {"a/b/c.txt", "a\\b\\c.txt"},    {"./a//b/", "a\\b"},
                 {"COM10", "COM10"},    {"CONSOLE.txt", "CONSOLE.txt"},  {"ソ", "ソ"},
                 {"表\\ソ", "表\\ソ"},  {"表/予定.txt", "表\\予定.txt"}, {"..a", "..a"},
                 {"ｱｲｳ.txt", "ｱｲｳ.txt"}};
    for (const auto& c : cases) {
        std::string out;
        EXPECT_TRUE(safeEntryPath(c.in, out)) << c.in;
        EXPECT_EQ(c.out, out);
    }
}

// Resolves a relative path the way the system does: separators split steps
// (skipping second bytes), "." stays, ".." climbs. Returns the lowest depth
// reached; below zero means outside the folder.
int lowestDepth(const std::string& path) {
    int depth = 0, lowest = 0;
    std::string step;
    auto finish = [&]() {
        if (step == "..")
            depth -= 1;
        else if (!step.empty() && step != ".")
            depth += 1;
        if (depth < lowest) lowest = depth;
        step.clear();
    };
    for (size_t i = 0; i < path.size(); ++i) {
        if (common::isPathLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            step += path[i];
            step += path[++i];
        } else if (path[i] == '\\' || path[i] == '/') {
            finish();
        } else {
            step += path[i];
        }
    }
    finish();
    return lowest;
}

TEST(SafeEntryPath, AcceptedNamesNeverClimbOutOfTheFolder) {
    // Names built from the bytes that matter: separators, dots, colons,
    // lead bytes and 0x5C second bytes.
    const char alphabet[] = {'.', '.', '\\', '/', 'a', ':', ' ', '\x95', '\x83', '\x5C', 'C'};
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::string name;
        int length = 1 + static_cast<int>(rng() % 10);
        for (int k = 0; k < length; ++k) name += alphabet[rng() % sizeof alphabet];
        std::string out;
        if (!safeEntryPath(name, out)) continue;
        EXPECT_GE(lowestDepth(out), 0) << name;
        EXPECT_NE('\\', out[0]) << name;
        EXPECT_EQ(std::string::npos, out.find(':')) << name;
    }
}

TEST(MatchName, WildcardsStepsAndShiftJis) {
    const struct {
        const char* pattern;
        const char* name;
        bool crosses;
        bool expected;
    } cases[] = {
        {"*.txt", "a.TXT", false, true},
        {"*.txt", "sub\\a.txt", false, false},
        {"*.txt", "sub\\a.txt", true, true},
        {"sub/**", "sub\\a\\b.txt", false, true},
        {"sub\\*", "sub\\a\\b.txt", true, true},
        {"sub\\*", "sub\\a\\b.txt", false, false},
        {"?", "表", false, true},
        {"??", "表", false, false},
        {"表*", "表示.txt", false, true},
        {"*\\", "表", false, false},
        {"sub\\big.txt", "sub/big.txt", false, true},
        {"a?c", "a\\c", true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, matchName(c.pattern, c.name, c.crosses, true)) << c.pattern << " " << c.name;
}

TEST(IsBelow, FolderPrefixOnCharacterBoundaries) {
    EXPECT_TRUE(isBelow("app\\x", "app"));
    EXPECT_TRUE(isBelow("APP\\sub\\y", "app\\"));
    EXPECT_TRUE(isBelow("表\\x", "表"));
    EXPECT_FALSE(isBelow("app", "app"));
    EXPECT_FALSE(isBelow("apple\\x", "app"));
}

}  // namespace
