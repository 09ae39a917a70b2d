#include "codeconv.h"
#include <cstring>

namespace kv {

namespace {

inline unsigned char* putSjis(unsigned char* o, unsigned jis) {
    unsigned s = jisToSjis(jis);
    o[0] = (unsigned char)(s >> 8);
    o[1] = (unsigned char)s;
    return o + 2;
}

// One EUC pair. A partner below 0x80 cannot belong to a pair: the lone lead
// byte is dropped and the partner kept, so a truncated character never
// swallows the line end after it.
inline unsigned char* eucPair(unsigned char* o, unsigned a, unsigned b) {
    if (b < 0x80) {
        *o++ = (unsigned char)b;
    } else if (a == 0x8E) {
        *o++ = (unsigned char)b;
    } else {
        o = putSjis(o, ((a << 8) & 0x7F00) | (b & 0x7F));
    }
    return o;
}

} // namespace

size_t EucDecoder::convert(const unsigned char* in, size_t n, unsigned char* out) {
    unsigned char* o = out;
    size_t i = 0;
    if (pending_ >= 0 && n > 0) {
        o = eucPair(o, unsigned(pending_), in[0]);
        pending_ = -1;
        i = 1;
    }
    while (i < n) {
        // Runs of ASCII are the common case.
        while (i < n && in[i] < 0x80) *o++ = in[i++];
        if (i >= n) break;
        if (i + 1 >= n) {
            pending_ = in[i];
            break;
        }
        o = eucPair(o, in[i], in[i + 1]);
        i += 2;
    }
    return size_t(o - out);
}

size_t JisDecoder::convert(const unsigned char* in, size_t n, unsigned char* out) {
    // carry_ counts the bytes held from the previous chunk: an escape
    // sequence in progress (ESC, ESC $ or ESC ( ) or the first byte of a pair.
    unsigned char* o = out;
    size_t i = 0;
    while (i < n) {
        unsigned c = in[i++];
        if (carry_ > 0 && carryBytes_[0] == 0x1B) {
            if (carry_ == 1) {
                if (c == '$' || c == '(') {
                    carryBytes_[1] = (unsigned char)c;
                    carry_ = 2;
                } else {
                    carry_ = 0;         // another escape: consumed without effect
                }
                continue;
            }
            if (carryBytes_[1] == '$') {
                state_ = 2;
            } else if (c == 'B' || c == 'J') {
                state_ = 0;
            } else if (c == 'I') {
                state_ = 1;
            }
            carry_ = 0;
            continue;
        }
        if (c == 0x1B) {
            carryBytes_[0] = 0x1B;      // a pending first byte of a pair is dropped
            carry_ = 1;
            continue;
        }
        switch (state_) {
        case 0:
            *o++ = (unsigned char)c;
            // Copy the rest of an ASCII run at once.
            while (i < n && in[i] != 0x1B) *o++ = in[i++];
            break;
        case 1:
            *o++ = c < 0x21 ? (unsigned char)c : (unsigned char)(c | 0x80);
            break;
        default:
            if (c < 0x21) {
                // Control bytes (line ends) stand alone even inside a
                // two-byte run; a half pair before them is dropped.
                carry_ = 0;
                *o++ = (unsigned char)c;
            } else if (carry_ == 0) {
                carryBytes_[0] = (unsigned char)c;
                carry_ = 1;
            } else {
                o = putSjis(o, ((carryBytes_[0] & 0x7Fu) << 8) | (c & 0x7Fu));
                carry_ = 0;
            }
            break;
        }
    }
    return size_t(o - out);
}

size_t Utf16Chunker::take(const unsigned char* in, size_t n, unsigned char* units) {
    size_t o = 0;
    if (haveOdd_ && n > 0) {
        units[o++] = odd_;
        haveOdd_ = false;
    }
    std::memcpy(units + o, in, n);
    o += n;
    if (o & 1) {
        odd_ = units[--o];
        haveOdd_ = true;
    }
    return o;
}

} // namespace kv
