// The character-code byte of a document: the code in the low six bits, the
// kind of line ends found while loading in the top two bits.
#pragma once

namespace viewer {

enum CharCode : unsigned char {
    kCodeAuto = 0,  // only as a request
    kCodeSjis = 1,
    kCodeUnicode = 2,  // UTF-16 little-endian
    kCodeEuc = 3,
    kCodeJis = 4,  // ISO-2022-JP
};

constexpr unsigned char kCodeMask = 0x3F;
constexpr unsigned char kLineEndLfOnly = 0x40;
constexpr unsigned char kLineEndCrOnly = 0x80;

inline unsigned char codeOf(unsigned char codeByte) { return codeByte & kCodeMask; }

}  // namespace viewer
