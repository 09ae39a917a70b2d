// Escape processing of message texts: \n, \t, \\ and quoted stretches.
#pragma once
#include <cstddef>

namespace installer {

// Message texts and captions hold at most 255 bytes with the terminator.
const size_t kMessageBytes = 256;

// Turns "\n"/"\N" into a line break, "\t"/"\T" into a tab, "\\" into one
// backslash and a backslash before any other character into that character;
// a backslash at the very end ends the text. Inside a stretch enclosed in
// single quotes backslashes are copied unchanged, so quoted paths survive
// (at most 80 stretches are recognised). The output is cut to size - 1 bytes
// without splitting a double-byte character. Returns the length written.
size_t processEscapes(const char* in, char* out, size_t size);

}  // namespace installer
