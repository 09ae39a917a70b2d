// Double-byte aware string helpers: trail bytes 0x5C must never be taken for
// separators, and bounded copies must never write past their destination.
#include "sjis.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace common;

namespace {
// "ソ" and "表" both end in 0x5C, the backslash byte.
const char* const kSo = "ソ";
const char* const kHyoujiFolder = "ソ表示\\x";
}  // namespace

TEST(SjisFind, TrailByteBackslashIsNotASeparator) {
    ASSERT_EQ(0x5C, static_cast<unsigned char>(kSo[1]));
    const char* p = findChar(kHyoujiFolder, '\\');
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(6, p - kHyoujiFolder);
    EXPECT_EQ(nullptr, findChar("ソ表示", '\\'));
}

TEST(SjisFind, LastOccurrenceSkipsTrailBytes) {
    const char* s = "a\\b\\ソ表";
    const char* p = findLastChar(s, '\\');
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(3, p - s);
    EXPECT_EQ(nullptr, findLastChar("ソ", '\\'));
}

TEST(SjisFind, LastOccurrenceOfALeadByteValueIsACharacterStart) {
    // 0x8B 0x8B is one character: its second byte is never a match, and the
    // search goes on after the whole character.
    const char* s = "\x8B\x8B\x8B\x41";
    EXPECT_EQ(s + 2, findLastChar(s, '\x8B'));
    const char* t = "\x8B\x8B"
                    "a";
    EXPECT_EQ(t, findLastChar(t, '\x8B'));
}

TEST(SjisFind, LoneLeadByteBeforeTerminatorDoesNotRunPastIt) {
    // A cut string may end in a lead byte; the byte after the terminator must
    // never be looked at.
    const char s[] = {'a', '\x83', '\0', 'Z', '\0'};
    EXPECT_EQ(nullptr, findChar(s, 'Z'));
    EXPECT_EQ(nullptr, findLastChar(s, 'Z'));
    EXPECT_EQ(s + 2, stringEnd(s));
}

TEST(SjisFind, NullPointersAreTolerated) {
    EXPECT_EQ(nullptr, findChar(static_cast<const char*>(nullptr), 'a'));
    EXPECT_EQ(nullptr, findLastChar(static_cast<const char*>(nullptr), 'a'));
    EXPECT_EQ(nullptr, stringEnd(static_cast<const char*>(nullptr)));
    EXPECT_EQ(nullptr, cutAtLast(nullptr, 'a'));
    copyBounded(nullptr, "abc", 4);
    char d[4] = "xyz";
    EXPECT_EQ(0u, copyBounded(d, nullptr, sizeof d));
    EXPECT_STREQ("", d);
}

TEST(SjisCut, WritesOverTheLastRealOccurrence) {
    char s[] = "C:\\ソ\\表示\\name.ext";
    char* p = cutAtLast(s, '\\');
    ASSERT_NE(nullptr, p);
    EXPECT_STREQ("C:\\ソ\\表示", s);
    char t[] = "a.b.c";
    cutAtLast(t, '.', '_');
    EXPECT_STREQ("a.b_c", t);
    char u[] = "表";
    EXPECT_EQ(nullptr, cutAtLast(u, '\\'));
    EXPECT_STREQ("表", u);
}

TEST(SjisCopyBounded, ShortTextIsCopiedWhole) {
    char d[8];
    EXPECT_EQ(3u, copyBounded(d, "abc", sizeof d));
    EXPECT_STREQ("abc", d);
}

TEST(SjisCopyBounded, TextAtOrOverTheLimitIsCutAndTerminatedInside) {
    struct {
        char d[8];
        char guard[8];
    } g;
    std::memset(&g, 0x7E, sizeof g);
    EXPECT_EQ(7u, copyBounded(g.d, "12345678", sizeof g.d));
    EXPECT_STREQ("1234567", g.d);
    EXPECT_EQ(7u, copyBounded(g.d, std::string(5000, 'x').c_str(), sizeof g.d));
    EXPECT_EQ(std::string(7, 'x'), g.d);
    for (char c : g.guard) EXPECT_EQ(0x7E, c);
}

TEST(SjisCopyBounded, DoubleByteCharacterIsNotSplitAtTheLimit) {
    char d[4];
    // "aソ表": a copy of 3 bytes would end with the lead byte of 表.
    EXPECT_EQ(3u, copyBounded(d, "aソ表", sizeof d));
    EXPECT_STREQ("aソ", d);
    char e[3];
    EXPECT_EQ(1u, copyBounded(e, "aソ", sizeof e));
    EXPECT_STREQ("a", e);
}

TEST(SjisCopyBounded, SizeZeroWritesNothing) {
    char d[2] = {'q', 'q'};
    EXPECT_EQ(0u, copyBounded(d, "abc", 0));
    EXPECT_EQ('q', d[0]);
}

TEST(SjisAppendBounded, AppendsWithinTheDestination) {
    struct {
        char d[6];
        char guard[4];
    } g;
    std::memset(&g, 0x7E, sizeof g);
    std::strcpy(g.d, "ab");
    appendBounded(g.d, "cdefgh", sizeof g.d);
    EXPECT_STREQ("abcde", g.d);
    appendBounded(g.d, "zz", sizeof g.d);
    EXPECT_STREQ("abcde", g.d);
    for (char c : g.guard) EXPECT_EQ(0x7E, c);
}

TEST(SjisCase, AsciiFoldedDoubleByteUntouched) {
    // "ト" is 83 67: its trail byte is 'g', which must not be upper-cased.
    char s[] = "トa.exe";
    upperCase(s);
    EXPECT_STREQ("\x83\x67"
                 "A.EXE",
                 s);
    EXPECT_TRUE(equalsNoCase("Readme.TXT", "README.txt"));
    EXPECT_FALSE(equalsNoCase("ト", "\x83\x47"));  // "ト" vs "エ" (trail 'G')
    EXPECT_FALSE(equalsNoCase("abc", "ab"));
    EXPECT_TRUE(startsWithNoCase("@VIEW file", "@view"));
    EXPECT_FALSE(startsWithNoCase("@vie", "@view"));
}

TEST(SjisLeadBytes, EachRangeIsNamedForItsUpperEnd) {
    struct Case {
        unsigned char byte;
        bool path, cp932;
    } const cases[] = {{0x80, false, false}, {0x81, true, true},   {0x9F, true, true},  {0xA0, false, false},
                       {0xDF, false, false}, {0xE0, true, true},   {0xFC, true, true},  {0xFD, true, false},
                       {0xFF, true, false},  {0x5C, false, false}, {0x40, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.path, isPathLeadByte(c.byte)) << std::hex << int(c.byte);
        EXPECT_EQ(c.cp932, isCp932LeadByte(c.byte)) << std::hex << int(c.byte);
    }
}

TEST(SjisStep, NextAndPreviousWalkWholeCharacters) {
    const char* s = "aソ表\\b";
    EXPECT_EQ(s + 1, nextChar(s));
    EXPECT_EQ(s + 3, nextChar(s + 1));
    const char* end = stringEnd(s);
    EXPECT_EQ(end - 1, previousChar(s, end));      // 'b'
    EXPECT_EQ(end - 2, previousChar(s, end - 1));  // the real backslash
    EXPECT_EQ(s + 3, previousChar(s, end - 2));    // 表, not its 0x5C trail byte
    EXPECT_EQ(nullptr, previousChar(s, s));
    const char lone[] = {'a', '\x95', '\0'};
    EXPECT_EQ(lone + 2, nextChar(lone + 1));
    EXPECT_EQ(lone + 2, nextChar(lone + 2));
}

TEST(SjisCompare, SortOrderIsUnsignedAndIgnoresAsciiCase) {
    EXPECT_EQ(0, compareNoCase("Setup.EXE", "setup.exe"));
    EXPECT_LT(compareNoCase("a", "B"), 0);
    // 0x81 sorts after every ASCII byte: a signed comparison would put it first.
    EXPECT_GT(compareNoCase("\x81\x40", "z"), 0);
    EXPECT_LT(compareNoCase("ab", "abc"), 0);
    EXPECT_TRUE(equalsNoCase("TALINST.ini", 7, "talinst"));
    EXPECT_FALSE(equalsNoCase("TALINST.ini", 6, "talinst"));
}

namespace {

// A random text of single bytes and whole double-byte characters, some with
// the 0x5C and 0x5D trail bytes that byte-wise code mistakes for separators.
std::string randomShiftJis(std::mt19937& rng, size_t characters) {
    static const unsigned char kTrails[] = {0x40, 0x5C, 0x5D, 0x7E, 0x80, 0x9F, 0xFC};
    std::string s;
    for (size_t i = 0; i < characters; ++i) {
        switch (rng() % 4) {
        case 0:
            s += static_cast<char>('a' + rng() % 26);
            break;
        case 1:
            s += static_cast<char>(0xA1 + rng() % 63);  // half-width katakana
            break;
        default:
            s += static_cast<char>(rng() % 2 ? 0x81 + rng() % 31 : 0xE0 + rng() % 29);
            s += static_cast<char>(kTrails[rng() % sizeof kTrails]);
        }
    }
    return s;
}

// Character starts of s, by the plain definition.
std::vector<size_t> characterStarts(const std::string& s) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size();) {
        starts.push_back(i);
        unsigned char c = static_cast<unsigned char>(s[i]);
        i += ((c >= 0x81 && c <= 0x9F) || c >= 0xE0) && i + 1 < s.size() ? 2 : 1;
    }
    starts.push_back(s.size());
    return starts;
}

// The reference: the longest whole-character head of at most limit bytes.
std::string referenceHead(const std::string& s, size_t limit) {
    size_t best = 0;
    for (size_t at : characterStarts(s))
        if (at <= limit) best = at;
    return s.substr(0, best);
}

}  // namespace

TEST(SjisProperty, BoundedCopyAndAppendMatchThePlainReference) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::string src = randomShiftJis(rng, rng() % 40);
        std::string head = randomShiftJis(rng, rng() % 10);
        size_t size = 1 + rng() % 48;
        std::vector<char> buffer(size + 16, '\x7E');

        size_t n = copyBounded(buffer.data(), src.c_str(), size);
        ASSERT_EQ(referenceHead(src, size - 1), std::string(buffer.data())) << round;
        ASSERT_EQ(n, std::strlen(buffer.data()));
        for (size_t i = size; i < buffer.size(); ++i) ASSERT_EQ('\x7E', buffer[i]) << round;

        std::fill(buffer.begin(), buffer.end(), '\x7E');
        std::string start = referenceHead(head, size - 1);
        std::memcpy(buffer.data(), start.c_str(), start.size() + 1);
        appendBounded(buffer.data(), src.c_str(), size);
        ASSERT_EQ(start + referenceHead(src, size - 1 - start.size()), std::string(buffer.data())) << round;
        for (size_t i = size; i < buffer.size(); ++i) ASSERT_EQ('\x7E', buffer[i]) << round;
    }
}

TEST(SjisProperty, SearchesFindOnlyCharacterStarts) {
    std::mt19937 rng(932);
    for (int round = 0; round < 2000; ++round) {
        std::string s = randomShiftJis(rng, rng() % 30);
        std::vector<size_t> starts = characterStarts(s);
        for (char c : {'\\', ']', 'a'}) {
            const char* first = findChar(s.c_str(), c);
            const char* last = findLastChar(s.c_str(), c);
            size_t wantFirst = std::string::npos, wantLast = std::string::npos;
            for (size_t at : starts)
                if (at < s.size() && s[at] == c) {
                    if (wantFirst == std::string::npos) wantFirst = at;
                    wantLast = at;
                }
            ASSERT_EQ(wantFirst, first ? size_t(first - s.c_str()) : std::string::npos) << round;
            ASSERT_EQ(wantLast, last ? size_t(last - s.c_str()) : std::string::npos) << round;
        }
        for (size_t k = 1; k < starts.size(); ++k)
            ASSERT_EQ(s.c_str() + starts[k - 1], previousChar(s.c_str(), s.c_str() + starts[k])) << round;
    }
}
