// The test bench itself: Wine runs with code page 932 and the build turns
// UTF-8 literals into Shift-JIS bytes.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>

TEST(Bench, AnsiCodePageIs932) { EXPECT_EQ(932u, GetACP()); }

TEST(Bench, LiteralsAreShiftJis) {
    const char* s = "ソ表示";
    EXPECT_EQ(0, std::memcmp(s, "\x83\x5C\x95\x5C\x8E\xA6", 7));
}
