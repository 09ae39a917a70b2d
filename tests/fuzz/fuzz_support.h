// Helpers shared by the fuzz harnesses: the Shift-JIS properties the
// harnesses check and a failure that libFuzzer records as a crash.
#pragma once
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

namespace fuzz {

// A property that does not hold: print why and abort, so libFuzzer keeps the
// input as a crash.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}
#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) ::fuzz::fail(#cond " (" __FILE__ ":" FUZZ_STR(__LINE__) ")");                           \
    } while (0)
#define FUZZ_STR(x) FUZZ_STR2(x)
#define FUZZ_STR2(x) #x

// Lead bytes as the programs see them (code page 932).
inline bool lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// Lead bytes as common/ and the menu see them: 0xFD to 0xFF start a pair too.
inline bool commonLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || c >= 0xE0; }
// Bytes that may follow a lead byte in code page 932.
inline bool trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// True when every lead byte of s[0..n) has a byte after it that is not the
// terminator: the text holds no character cut in half.
// isLead: the lead-byte test of the code under test.
using LeadTest = bool (*)(unsigned char);
inline bool wholeCharacters(const unsigned char* s, size_t n, LeadTest isLead = lead) {
    for (size_t i = 0; i < n; ++i) {
        if (isLead(s[i])) {
            if (i + 1 >= n || s[i + 1] == 0) return false;
            ++i;
        }
    }
    return true;
}
inline bool wholeCharacters(const char* s, LeadTest isLead = lead) {
    return wholeCharacters(reinterpret_cast<const unsigned char*>(s), std::strlen(s), isLead);
}

// Text a program may meet in a real file: every lead byte is followed by a
// byte that can be its second byte. Only for such input do the harnesses ask
// that outputs hold whole characters (cutting "lead + blank" at the blank is
// no fault: that pair is no character).
inline bool wellFormed(const unsigned char* s, size_t n, LeadTest isLead = lead) {
    for (size_t i = 0; i < n; ++i) {
        if (isLead(s[i])) {
            if (i + 1 >= n || !trail(s[i + 1])) return false;
            ++i;
        }
    }
    return true;
}
inline bool wellFormed(const char* s, LeadTest isLead = lead) {
    return wellFormed(reinterpret_cast<const unsigned char*>(s), std::strlen(s), isLead);
}

// Strict code page 932: every lead byte is followed by a valid trail byte,
// and no byte stands alone that the code page leaves undefined.
inline bool validCp932(const unsigned char* s, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = s[i];
        if (lead(c)) {
            if (i + 1 >= n || !trail(s[i + 1])) return false;
            ++i;
        } else if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
            return false;
        }
    }
    return true;
}

// True when text of `copied` bytes is a character-boundary prefix of src:
// the copy neither split a character nor took a byte src does not have.
inline bool boundaryPrefix(const char* src, size_t srcLen, const char* copy, LeadTest isLead = lead) {
    size_t n = std::strlen(copy);
    if (n > srcLen || std::memcmp(src, copy, n) != 0) return false;
    size_t i = 0;
    const unsigned char* u = reinterpret_cast<const unsigned char*>(src);
    while (i < n) i += (isLead(u[i]) && i + 1 < srcLen) ? 2 : 1;
    return i == n;
}

// A buffer of exactly `size` bytes on the heap, so that AddressSanitizer
// reports the first byte written past it. Filled with a marker to see how
// far a callee wrote.
class Buffer {
public:
    explicit Buffer(size_t size) : size_(size), p_(new char[size ? size : 1]) {
        std::memset(p_, 'Z', size ? size : 1);
    }
    ~Buffer() { delete[] p_; }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    char* get() { return p_; }
    size_t size() const { return size_; }
    // Terminated inside the buffer.
    bool terminated() const { return size_ > 0 && std::memchr(p_, 0, size_) != nullptr; }

private:
    size_t size_;
    char* p_;
};

// A terminated string taken from the fuzzer's bytes: up to the next zero
// byte (which is used up) or max bytes. Unlike ConsumeRandomLengthString,
// backslashes come through as they are, so paths keep their separators and
// seeds are plain zero-separated texts.
inline std::string text(FuzzedDataProvider& in, size_t max) {
    std::string s;
    while (s.size() < max && in.remaining_bytes() > 0) {
        char c = in.ConsumeBytes<char>(1)[0];
        if (c == '\0') break;
        s += c;
    }
    return s;
}

// An output buffer is terminated inside itself (or, of size 0, untouched) and
// holds whole characters when its input did.
inline void checkOutput(Buffer& b, bool inputWhole) {
    FUZZ_CHECK(b.size() == 0 || b.terminated());
    if (b.size() && inputWhole) FUZZ_CHECK(wholeCharacters(b.get(), commonLead));
}

}  // namespace fuzz
