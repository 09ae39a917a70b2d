// Shift-JIS (code page 932) byte-string helpers. Every search for a separator
// skips the second byte of a double-byte character, because that byte may be
// 0x5C (backslash), 0x5D (']') or 0x2F in characters such as "ソ", "表" or "望".
// Pure byte work: no <windows.h>, so host builds (fuzzing, benchmarks) use it
// as it stands.
#pragma once
#include <cstddef>

namespace common {

// Lead bytes as paths and searches take them: 0x81..0x9F and 0xE0..0xFF. The
// wider upper end keeps a stray 0xFD..0xFF byte from pairing differently in
// the folder walk than in the separator search.
inline bool isPathLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || c >= 0xE0; }
// Lead bytes of code page 932 proper: 0x81..0x9F and 0xE0..0xFC. Texts shown
// to the user (message escapes, column cuts) pair bytes with this range.
inline bool isCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The character after the one at s (path range); a lead byte right before
// the terminator stands alone, so the terminator is never stepped over. At
// the terminator itself s is returned.
const char* nextChar(const char* s);
char* nextChar(char* s);
// The start of the character that ends right before p, counting from the
// start of the text (a double-byte character counts whole); null at start.
const char* previousChar(const char* start, const char* p);
char* previousChar(char* start, char* p);

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

// The longest head of the first len bytes of s that is at most max bytes
// and does not end in half a double-byte character.
size_t boundedLength(const char* s, size_t len, size_t max);
// Copies src into dest, whose size is `size` bytes. The result is always
// terminated inside dest: at most size-1 bytes are copied, and a double-byte
// character that would be split by the limit is left out whole. Returns the
// number of bytes copied (without the terminator). Null pointers or size 0
// copy nothing.
size_t copyBounded(char* dest, const char* src, size_t size);
// The same for the first srcLength bytes of src (which need no terminator).
size_t copyBounded(char* dest, const char* src, size_t size, size_t srcLength);
// Appends src to the text in dest (size bytes in all), bounded as copyBounded.
// Returns the number of bytes appended.
size_t appendBounded(char* dest, const char* src, size_t size);

// Case-insensitive comparison of ASCII letters; double-byte characters are
// compared byte for byte (their trail bytes are never case-folded).
bool equalsNoCase(const char* a, const char* b);
// The first aLength bytes of a against all of b.
bool equalsNoCase(const char* a, size_t aLength, const char* b);
// True when s begins with prefix, ASCII letters compared without case.
bool startsWithNoCase(const char* s, const char* prefix);
// Ordering for sorting: negative, 0 or positive; ASCII letters compared as
// lower case, double-byte characters byte for byte, unsigned.
int compareNoCase(const char* a, const char* b);
// Upper-cases ASCII letters in place, leaving double-byte characters alone.
void upperCase(char* s);

}  // namespace common
