// Chunked conversion of EUC-JP and ISO-2022-JP to Shift-JIS. State and the
// bytes cut off at a chunk's end are carried to the next chunk. No Win32.
#pragma once
#include <cstddef>
#include <cstdint>

namespace viewer {

// JIS X 0208 code (row byte high, cell byte low, both 0x21-0x7E) to Shift-JIS.
inline unsigned jisToSjis(unsigned jis) {
    unsigned j1 = (jis >> 8) & 0xFF, j2 = jis & 0xFF;
    unsigned s1 = (j1 + 1) / 2 + 0x70;
    if (s1 >= 0xA0) s1 += 0x40;
    unsigned s2;
    if (j1 & 1) {
        s2 = j2 + 0x1F;
        if (j2 >= 0x60) ++s2;
    } else {
        s2 = j2 + 0x7E;
    }
    return ((s1 & 0xFF) << 8) | (s2 & 0xFF);
}

// Output never exceeds the input plus the carried bytes (at most 3), so an
// output buffer of input length + kConvSlack always suffices.
constexpr size_t kConvSlack = 4;

class EucDecoder {
public:
    void reset() { pending_ = -1; }
    // Converts n bytes; a lead byte at the end is kept for the next call.
    size_t convert(const unsigned char* in, size_t n, unsigned char* out);
    bool hasPending() const { return pending_ >= 0; }

private:
    int pending_ = -1;
};

class JisDecoder {
public:
    void reset() {
        state_ = 0;
        carry_ = 0;
    }
    size_t convert(const unsigned char* in, size_t n, unsigned char* out);
    int state() const { return state_; }
    int carried() const { return carry_; }

private:
    int state_ = 0;  // 0 ASCII, 1 half-width katakana, 2 JIS X 0208
    int carry_ = 0;
    unsigned char carryBytes_[4] = {};
};

// UTF-16LE units to the system code page is done by the loader with
// WideCharToMultiByte; this keeps an odd byte for the next chunk.
class Utf16Chunker {
public:
    void reset() { haveOdd_ = false; }
    // Appends the bytes to an even-length run in `units` (capacity n + 1 bytes);
    // returns the byte count (even).
    size_t take(const unsigned char* in, size_t n, unsigned char* units);

private:
    bool haveOdd_ = false;
    unsigned char odd_ = 0;
};

}  // namespace viewer
