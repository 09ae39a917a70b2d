// Shift-JIS (code page 932) byte classes. The viewer's stored text is always
// code page 932, so these tests are fixed rather than asked of the system.
#pragma once

namespace viewer {

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// True when byte `pos` of `text` (counted from the row start) is the second
// byte of a double-byte character. Walks from the start because a trail byte
// can look like a lead byte.
inline bool isTrailByteAt(const unsigned char* text, int length, int pos) {
    int i = 0;
    while (i < pos && i < length) {
        if (isLeadByte(text[i]) && i + 1 < length) {
            if (i + 1 == pos) return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

}  // namespace viewer
