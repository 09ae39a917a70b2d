// Small byte-string helpers for Shift-JIS text (code page 932).
#pragma once
#include <cstddef>
#include <string>

namespace text {

// True for a byte that starts a two-byte Shift-JIS character.
inline bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// Case-insensitive ASCII comparison (Shift-JIS second bytes compare exactly).
bool equalsNoCase(const char* a, const char* b);
bool equalsNoCase(const char* a, size_t aLen, const char* b);
bool startsWithNoCase(const char* text, const char* prefix);
// Ordering for sorting, ignoring ASCII case; double-byte characters byte-wise.
int compareNoCase(const char* a, const char* b);
// Last occurrence of c, never matching the second byte of a double-byte character.
const char* findLast(const char* s, char c);
const char* findFirst(const char* s, char c);
// Copies at most size-1 bytes, never splitting a double-byte character; always terminates.
size_t copyBounded(char* dst, size_t size, const char* src, size_t len);
size_t copyBounded(char* dst, size_t size, const char* src);
// Bytes up to and including space count as blanks.
std::string trimBlanks(const std::string& s);
// Printf into a std::string.
std::string format(const char* fmt, ...);
// Length of s cut to at most max bytes without splitting a double-byte character.
size_t boundedLength(const char* s, size_t len, size_t max);

}  // namespace text
