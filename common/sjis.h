// Shift-JIS (code page 932) aware byte-string helpers. Every separator search
// skips the second byte of a double-byte character, because that byte may be
// 0x5C (backslash) or 0x2F in names such as "ソ" or "表".
#pragma once
#include <cstddef>

// Lead bytes 0x81..0x9F and 0xE0..0xFF start a two-byte character.
inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || c >= 0xE0; }

// First occurrence of byte c in s, skipping trail bytes; null when absent or
// when s is null. Searching for '\0' yields the terminator.
const char* findChar(const char* s, char c);
char* findChar(char* s, char c);

// Last occurrence of byte c in s (trail bytes skipped); null when absent.
const char* findLastChar(const char* s, char c);
char* findLastChar(char* s, char c);

// Pointer to the terminating zero; null for null.
const char* stringEnd(const char* s);
char* stringEnd(char* s);

// Writes `with` over the last occurrence of c; returns the position written
// or null when c does not occur.
char* cutAtLast(char* s, char c, char with = '\0');

// Copies src into dest, whose size is `size` bytes. The result is always
// terminated inside dest: at most size-1 bytes are copied, and a double-byte
// character that would be split by the limit is left out whole. Returns the
// number of bytes copied (without the terminator). Null pointers or size 0
// copy nothing.
size_t copyBounded(char* dest, const char* src, size_t size);

// Appends src to the text in dest (size bytes in all), bounded as copyBounded.
size_t appendBounded(char* dest, const char* src, size_t size);

// Case-insensitive comparison of ASCII letters; double-byte characters are
// compared byte for byte (their trail bytes are never case-folded).
bool equalsNoCase(const char* a, const char* b);
// True when s begins with prefix, ASCII letters compared without case.
bool startsWithNoCase(const char* s, const char* prefix);

// Upper-cases ASCII letters in place, leaving double-byte characters alone.
void upperCase(char* s);
