#include "code_conv.h"
#include <cstring>

namespace viewer {

namespace {

// Shown for a character the file's bytes cannot stand for: the geta mark
// (code page 932 0x81 0xAC), two bytes like the pair it replaces.
const unsigned char kBadPair[2] = {0x81, 0xAC};

// Row and cell bytes of JIS X 0208 (the top bit is ignored, as 8-bit JIS and
// EUC set it). Other values convert to bytes that are not Shift-JIS: a lead
// byte without a valid partner, which would swallow the line end after it.
inline bool jisByte(unsigned c) {
    c &= 0x7F;
    return c >= 0x21 && c <= 0x7E;
}

inline unsigned char* putSjis(unsigned char* o, unsigned jis) {
    if (!jisByte(jis >> 8) || !jisByte(jis)) {
        o[0] = kBadPair[0];
        o[1] = kBadPair[1];
        return o + 2;
    }
    unsigned s = jisToSjis(jis);
    o[0] = (unsigned char)(s >> 8);
    o[1] = (unsigned char)s;
    return o + 2;
}

// jisToSjis split into its two halves for the hot loops: the lead byte
// depends on the row byte only, the trail byte on the row's parity and the
// cell byte.
struct HalfTables {
    unsigned char lead[128];
    unsigned char trail[2][128];
    HalfTables() {
        for (unsigned j = 0; j < 128; ++j) {
            lead[j] = (unsigned char)(jisToSjis((j << 8) | 0x21) >> 8);
            trail[0][j] = (unsigned char)jisToSjis((0x22u << 8) | j);
            trail[1][j] = (unsigned char)jisToSjis((0x21u << 8) | j);
        }
    }
};

const HalfTables& halves() {
    static const HalfTables t;
    return t;
}

inline unsigned char* putPair(unsigned char* o, const HalfTables& t, unsigned j1, unsigned j2) {
    o[0] = t.lead[j1];
    o[1] = t.trail[j1 & 1][j2];
    return o + 2;
}

// One EUC pair. A partner below 0x80 cannot belong to a pair: the lone lead
// byte is dropped and the partner kept, so a truncated character never
// swallows the line end after it.
inline unsigned char* eucPair(unsigned char* o, unsigned a, unsigned b) {
    if (b < 0x80) {
        *o++ = (unsigned char)b;
    } else if (a == 0x8E) {
        // Half-width katakana; any other partner is no character.
        if (b >= 0xA1 && b <= 0xDF) {
            *o++ = (unsigned char)b;
        } else {
            *o++ = kBadPair[0];
            *o++ = kBadPair[1];
        }
    } else if (a < 0xA1 || a > 0xFE || b < 0xA1 || b > 0xFE) {
        *o++ = kBadPair[0];
        *o++ = kBadPair[1];
    } else {
        o = putSjis(o, ((a << 8) & 0x7F00) | (b & 0x7F));
    }
    return o;
}

inline bool sjisLead(unsigned c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool sjisTrail(unsigned c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// A byte of the ASCII state that is no lead byte: kept when it is a
// character of its own (ASCII, 8-bit half-width katakana), else "?".
inline unsigned char asciiByte(unsigned c) {
    return c < 0x80 || (c >= 0xA1 && c <= 0xDF) ? (unsigned char)c : '?';
}

}  // namespace

size_t EucDecoder::convert(const unsigned char* in, size_t n, unsigned char* out) {
    unsigned char* o = out;
    size_t i = 0;
    if (pending_ >= 0 && n > 0) {
        o = eucPair(o, unsigned(pending_), in[0]);
        pending_ = -1;
        i = 1;
    }
    const HalfTables& t = halves();
    while (i < n) {
        // Runs of ASCII and of JIS X 0208 pairs are the common case.
        while (i < n && in[i] < 0x80) *o++ = in[i++];
        while (i + 1 < n && in[i] >= 0xA1 && in[i] <= 0xFE && in[i + 1] >= 0xA1 && in[i + 1] <= 0xFE) {
            o = putPair(o, t, in[i] & 0x7Fu, in[i + 1] & 0x7Fu);
            i += 2;
        }
        if (i >= n) break;
        if (in[i] < 0x80) continue;
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
    const HalfTables& t = halves();
    while (i < n) {
        if (state_ == 2 && carry_ == 0) {
            // Pairs up to the next escape or control byte.
            while (i + 1 < n && jisByte(in[i]) && jisByte(in[i + 1])) {
                o = putPair(o, t, in[i] & 0x7Fu, in[i + 1] & 0x7Fu);
                i += 2;
            }
            if (i >= n) break;
        }
        unsigned c = in[i++];
        if (carry_ > 0 && carryBytes_[0] == 0x1B) {
            if (carry_ == 1) {
                if (c == '$' || c == '(') {
                    carryBytes_[1] = (unsigned char)c;
                    carry_ = 2;
                } else {
                    carry_ = 0;  // another escape: consumed without effect
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
            carryBytes_[0] = 0x1B;  // a pending first byte of a pair is dropped
            carry_ = 1;
            continue;
        }
        switch (state_) {
        case 0:
            // The code is 7-bit, but Shift-JIS text pasted into a mail keeps
            // its bytes here: a lead byte with a valid second byte is kept as
            // that character, a lead byte without one becomes "?" (it would
            // pair with whatever follows, a line end too); the lead waits in
            // the carry when a chunk ends after it.
            if (carry_ == 1) {
                carry_ = 0;
                if (sjisTrail(c)) {
                    *o++ = carryBytes_[0];
                    *o++ = (unsigned char)c;
                    break;
                }
                *o++ = '?';
            }
            if (sjisLead(c)) {
                carryBytes_[0] = (unsigned char)c;
                carry_ = 1;
                break;
            }
            *o++ = asciiByte(c);
            // Copy the rest of an ASCII run at once.
            while (i < n && in[i] != 0x1B && !sjisLead(in[i])) *o++ = asciiByte(in[i++]);
            break;
        case 1:
            if (c < 0x21)
                *o++ = (unsigned char)c;
            else if ((c | 0x80) >= 0xA1 && (c | 0x80) <= 0xDF)
                *o++ = (unsigned char)(c | 0x80);
            else
                *o++ = '?';  // no half-width katakana: would be a lead byte
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

}  // namespace viewer
