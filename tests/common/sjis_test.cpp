// Double-byte aware string helpers: trail bytes 0x5C must never be taken for
// separators, and bounded copies must never write past their destination.
#include "sjis.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

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
