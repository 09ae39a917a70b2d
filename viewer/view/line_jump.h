// The go-to-line entry: a decimal number, relative to the caret's line when
// it starts with '+' or '-'. Lines are counted as display rows, the same
// numbers the line-number margin shows.
#pragma once
#include <cstdint>

namespace viewer {

enum class LineJumpKind { Nothing, NotFound, Move };

struct LineJump {
    LineJumpKind kind = LineJumpKind::Nothing;
    int64_t number = 0;  // the target line (shown in the not-found message)
    int row = 0;         // the display row to go to (kind Move)
};

// Reads the entry as the dialog does: leading blanks skipped, an optional
// sign, then digits up to the first other byte. Digits beyond what 64 bits
// hold keep the value at its limit instead of wrapping round to a line that
// exists.
int64_t parseLineEntry(const char* text, bool* relative);

// Where the entry leads with the caret on display row caretRow and the
// end-of-file row eofRow: line 0 does nothing, a line outside 1..eofRow + 1
// (every negative one included) is not found.
LineJump resolveLineJump(const char* text, int caretRow, int eofRow);

}  // namespace viewer
