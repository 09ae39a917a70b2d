// The go-to-line entry: absolute and relative numbers, and what they lead to.
#include "line_jump.h"
#include <gtest/gtest.h>
#include <limits>

using namespace viewer;

TEST(LineEntry, ReadsSignAndDigits) {
    struct Case {
        const char* text;
        bool relative;
        int64_t value;
    } cases[] = {
        {"15", false, 15},    {"+5", true, 5},   {"-20", true, -20}, {"  7", false, 7},
        {"12abc", false, 12}, {"", false, 0},    {"abc", false, 0},  {"+", true, 0},
        {"-0", true, 0},      {"007", false, 7}, {"1 2", false, 1},  {"--3", true, 0},
    };
    for (const Case& c : cases) {
        bool relative = !c.relative;
        EXPECT_EQ(c.value, parseLineEntry(c.text, &relative)) << c.text;
        EXPECT_EQ(c.relative, relative) << c.text;
    }
}

TEST(LineEntry, TooManyDigitsStayAtALimitInsteadOfWrapping) {
    bool relative = false;
    int64_t huge = parseLineEntry("9999999999999999999", &relative);
    EXPECT_GT(huge, int64_t(std::numeric_limits<int>::max()));
    // 2^32 + 5 would wrap to line 5 in 32 bits.
    LineJump j = resolveLineJump("4294967301", 0, 100);
    EXPECT_EQ(LineJumpKind::NotFound, j.kind);
    EXPECT_EQ(4294967301LL, j.number);
    EXPECT_EQ(LineJumpKind::NotFound, resolveLineJump("-9999999999999999999", 9, 100).kind);
}

TEST(LineJumpTarget, AgreesWithPlainArithmetic) {
    // Every entry from -30 to +30 around every caret row of a 20-row document:
    // +5 on line 10 is line 15, -20 there is -10 (not found), -10 is 0 (nothing).
    for (int caret = 0; caret < 20; ++caret)
        for (int v = -30; v <= 30; ++v)
            for (int form = 0; form < 2; ++form) {
                std::string text =
                    form ? (v < 0 ? std::to_string(v) : "+" + std::to_string(v)) : std::to_string(v);
                if (!form && v < 0) continue;  // a bare minus is relative
                long long target = form ? caret + 1 + v : v;
                LineJump j = resolveLineJump(text.c_str(), caret, 19);
                LineJumpKind expected = target == 0                 ? LineJumpKind::Nothing
                                        : target < 1 || target > 20 ? LineJumpKind::NotFound
                                                                    : LineJumpKind::Move;
                ASSERT_EQ(expected, j.kind) << text << " at " << caret;
                ASSERT_EQ(target, j.number);
                if (expected == LineJumpKind::Move) {
                    ASSERT_EQ(target - 1, j.row);
                }
            }
}
