#include "detect.h"
#include <cstring>

namespace viewer {

CharCode CodeDetector::scanEuc(const unsigned char* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        unsigned c = p[i];
        if (eucLead_ >= 0) {
            unsigned a = unsigned(eucLead_);
            eucLead_ = -1;
            bool good = a == 0x8E ? (c >= 0xA0 && c <= 0xE0) : (a > 0xA0 && c > 0xA0);
            if (!good) return kCodeSjis;
            ++eucPairs_;
        } else if (c & 0x80) {
            eucLead_ = int(c);
        }
    }
    return kCodeAuto;
}

CharCode CodeDetector::scanSjis(const unsigned char* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        unsigned c = p[i];
        if (esc_) {
            int e = esc_;
            esc_ = 0;
            if (e == 1) {
                if (c == '$') {
                    esc_ = 2;
                    continue;
                }
                if (c == '(') {
                    esc_ = 3;
                    continue;
                }
            } else if (e == 2) {
                if (c == 'B') return kCodeJis;
            } else if (c == 'B' || c == 'I' || c == 'J') {
                return kCodeJis;
            }
            // Not an escape we know: the byte is looked at afresh.
        }
        if (sjisTrail_) {
            sjisTrail_ = false;
            if (c < 0x40) return kCodeEuc;
            continue;
        }
        if (c == 0x1B) {
            esc_ = 1;
        } else if (c >= 0xA1 && c <= 0xE0) {
            // half-width katakana
        } else if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
            return kCodeEuc;
        } else if (c & 0x80) {
            sjisTrail_ = true;
        }
    }
    return kCodeAuto;
}

void CodeDetector::scanWindow(const unsigned char* p, size_t n) {
    CharCode v = scanEuc(p, n);
    if (v == kCodeAuto) v = scanSjis(p, n);
    decided_ = v;
    passFill_ += n;
    if (passFill_ >= kDetectPass) passFill_ = 0;
}

CharCode CodeDetector::feed(const unsigned char* data, size_t n) {
    while (decided_ == kCodeAuto && n > 0) {
        const size_t size = windowSize();
        if (held_ == 0 && n >= size) {
            scanWindow(data, size);
            data += size;
            n -= size;
            continue;
        }
        size_t take = size - held_;
        if (take > n) take = n;
        std::memcpy(window_ + held_, data, take);
        held_ += take;
        data += take;
        n -= take;
        if (held_ == size) {
            held_ = 0;
            scanWindow(window_, size);
        }
    }
    return decided_;
}

CharCode CodeDetector::finish() {
    if (decided_ == kCodeAuto && held_ > 0) {
        const size_t n = held_;
        held_ = 0;
        scanWindow(window_, n);
    }
    if (decided_ != kCodeAuto) return decided_;
    return eucPairs_ > 0 ? kCodeEuc : kCodeSjis;
}

CharCode detectCode(const unsigned char* data, size_t n) {
    CodeDetector d;
    d.feed(data, n);
    return d.finish();
}

}  // namespace viewer
