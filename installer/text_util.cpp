#include "text_util.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace text {

static inline unsigned char lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

bool equalsNoCase(const char* a, const char* b) { return compareNoCase(a, b) == 0; }

bool equalsNoCase(const char* a, size_t aLen, const char* b) {
    size_t bLen = strlen(b);
    if (aLen != bLen) return false;
    for (size_t i = 0; i < aLen; i++) {
        unsigned char x = a[i], y = b[i];
        if (isLead(x)) {
            if (i + 1 >= aLen || x != y || a[i + 1] != b[i + 1]) return false;
            i++;
            continue;
        }
        if (lower(x) != lower(y)) return false;
    }
    return true;
}

bool startsWithNoCase(const char* t, const char* prefix) {
    size_t n = strlen(prefix);
    return strlen(t) >= n && equalsNoCase(t, n, prefix);
}

int compareNoCase(const char* a, const char* b) {
    const unsigned char* p = (const unsigned char*)a;
    const unsigned char* q = (const unsigned char*)b;
    for (;;) {
        unsigned char x = *p, y = *q;
        if (isLead(x) && p[1]) {
            if (x != y) return x < y ? -1 : 1;
            if (p[1] != q[1]) return p[1] < q[1] ? -1 : 1;
            p += 2;
            q += 2;
            continue;
        }
        x = lower(x);
        y = lower(y);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
        p++;
        q++;
    }
}

const char* findFirst(const char* s, char c) {
    if (!s) return nullptr;
    for (const char* p = s; *p; p++) {
        if (*p == c) return p;
        if (isLead((unsigned char)*p) && p[1]) p++;
    }
    return nullptr;
}

const char* findLast(const char* s, char c) {
    const char* last = nullptr;
    if (!s) return nullptr;
    for (const char* p = s; *p; p++) {
        if (*p == c) last = p;
        if (isLead((unsigned char)*p) && p[1]) p++;
    }
    return last;
}

size_t boundedLength(const char* s, size_t len, size_t max) {
    if (len <= max) return len;
    size_t i = 0;
    while (i < max) {
        size_t step = (isLead((unsigned char)s[i]) && i + 1 < len) ? 2 : 1;
        if (i + step > max) break;
        i += step;
    }
    return i;
}

size_t copyBounded(char* dst, size_t size, const char* src, size_t len) {
    if (!dst || size == 0) return 0;
    if (!src) {
        dst[0] = 0;
        return 0;
    }
    size_t n = boundedLength(src, len, size - 1);
    memcpy(dst, src, n);
    dst[n] = 0;
    return n;
}

size_t copyBounded(char* dst, size_t size, const char* src) {
    return copyBounded(dst, size, src, src ? strlen(src) : 0);
}

std::string trimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') b++;
    while (e > b && (unsigned char)s[e - 1] <= ' ') e--;
    return s.substr(b, e - b);
}

std::string format(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        out.resize(n + 1);
        vsnprintf(&out[0], n + 1, fmt, ap2);
        out.resize(n);
    }
    va_end(ap2);
    return out;
}

}  // namespace text
