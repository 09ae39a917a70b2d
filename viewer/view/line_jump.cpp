#include "line_jump.h"
#include <limits>

namespace viewer {

namespace {
constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 4;
}

int64_t parseLineEntry(const char* text, bool* relative) {
    *relative = false;
    if (!text) return 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        *relative = true;
        negative = *p == '-';
        ++p;
    }
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        int digit = *p - '0';
        value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    }
    return negative ? -value : value;
}

LineJump resolveLineJump(const char* text, int caretRow, int eofRow) {
    bool relative = false;
    int64_t value = parseLineEntry(text, &relative);
    LineJump j;
    j.number = relative ? static_cast<int64_t>(caretRow) + 1 + value : value;
    if (j.number == 0) return j;
    if (j.number < 1 || j.number - 1 > eofRow) {
        j.kind = LineJumpKind::NotFound;
        return j;
    }
    j.kind = LineJumpKind::Move;
    j.row = static_cast<int>(j.number - 1);
    return j;
}

}  // namespace viewer
