#include "sjis.h"

namespace common {

namespace {

const unsigned char* bytes(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

unsigned char foldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

const char* nextChar(const char* s) {
    if (!s || !*s) return s;
    return (isPathLeadByte(bytes(s)[0]) && s[1]) ? s + 2 : s + 1;
}

char* nextChar(char* s) { return const_cast<char*>(nextChar(static_cast<const char*>(s))); }

const char* previousChar(const char* start, const char* p) {
    if (!start || !p || p <= start) return nullptr;
    // Trail bytes share their range with single bytes, so only a walk from
    // the start knows where characters begin.
    const char* q = start;
    for (;;) {
        const char* n = nextChar(q);
        if (n >= p || n == q) return q;
        q = n;
    }
}

char* previousChar(char* start, char* p) {
    return const_cast<char*>(previousChar(static_cast<const char*>(start), static_cast<const char*>(p)));
}

const char* findChar(const char* s, char c) {
    if (!s) return nullptr;
    for (const char* p = s;; p = nextChar(p)) {
        if (*p == c) return p;
        if (*p == 0) return nullptr;
    }
}

char* findChar(char* s, char c) { return const_cast<char*>(findChar(static_cast<const char*>(s), c)); }

const char* findLastChar(const char* s, char c) {
    const char* last = nullptr;
    if (!s || c == '\0') return findChar(s, c);
    // Each search goes on after the whole character found: when c is itself
    // a lead-byte value, p + 1 would be that character's second byte.
    for (const char* p = findChar(s, c); p; p = findChar(nextChar(p), c)) last = p;
    return last;
}

char* findLastChar(char* s, char c) {
    return const_cast<char*>(findLastChar(static_cast<const char*>(s), c));
}

const char* stringEnd(const char* s) {
    if (!s) return nullptr;
    while (*s) ++s;
    return s;
}

char* stringEnd(char* s) { return const_cast<char*>(stringEnd(static_cast<const char*>(s))); }

char* cutAtLast(char* s, char c, char with) {
    char* p = findLastChar(s, c);
    if (p) *p = with;
    return p;
}

size_t boundedLength(const char* s, size_t len, size_t max) {
    if (!s) return 0;
    size_t n = 0;
    while (n < len) {
        size_t step = (isPathLeadByte(bytes(s)[n]) && n + 1 < len && s[n + 1]) ? 2 : 1;
        if (n + step > max) break;
        n += step;
    }
    return n;
}

size_t copyBounded(char* dest, const char* src, size_t size) {
    return copyBounded(dest, src, size, src ? static_cast<size_t>(stringEnd(src) - src) : 0);
}

size_t copyBounded(char* dest, const char* src, size_t size, size_t srcLength) {
    if (!dest || size == 0) return 0;
    if (!src) {
        dest[0] = '\0';
        return 0;
    }
    size_t n = boundedLength(src, srcLength, size - 1);
    for (size_t i = 0; i < n; ++i) dest[i] = src[i];
    dest[n] = '\0';
    return n;
}

size_t appendBounded(char* dest, const char* src, size_t size) {
    if (!dest || size == 0) return 0;
    size_t used = 0;
    while (used < size && dest[used]) ++used;
    if (used >= size) {
        // No terminator inside the buffer: end it at the last whole character.
        dest[boundedLength(dest, size, size - 1)] = '\0';
        return 0;
    }
    return copyBounded(dest + used, src, size - used);
}

bool startsWithNoCase(const char* s, const char* prefix) {
    if (!s || !prefix) return false;
    const unsigned char* a = bytes(s);
    const unsigned char* b = bytes(prefix);
    while (*b) {
        if (isPathLeadByte(*b) && b[1]) {
            if (a[0] != b[0] || a[1] != b[1]) return false;
            a += 2;
            b += 2;
            continue;
        }
        if (foldAscii(*a) != foldAscii(*b)) return false;
        ++a;
        ++b;
    }
    return true;
}

bool equalsNoCase(const char* a, const char* b) {
    if (!a || !b) return a == b;
    return compareNoCase(a, b) == 0;
}

bool equalsNoCase(const char* a, size_t aLength, const char* b) {
    if (!a || !b) return false;
    size_t bLength = static_cast<size_t>(stringEnd(b) - b);
    if (aLength != bLength) return false;
    for (size_t i = 0; i < aLength; ++i) {
        unsigned char x = bytes(a)[i], y = bytes(b)[i];
        if (isPathLeadByte(x) && i + 1 < aLength) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (foldAscii(x) != foldAscii(y)) return false;
    }
    return true;
}

int compareNoCase(const char* a, const char* b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    const unsigned char* p = bytes(a);
    const unsigned char* q = bytes(b);
    for (;;) {
        unsigned char x = *p, y = *q;
        if (isPathLeadByte(x) && p[1]) {
            if (x != y) return x < y ? -1 : 1;
            if (p[1] != q[1]) return p[1] < q[1] ? -1 : 1;
            p += 2;
            q += 2;
            continue;
        }
        x = lowerAscii(x);
        y = lowerAscii(y);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
        ++p;
        ++q;
    }
}

void upperCase(char* s) {
    for (char* p = s; p && *p; p = nextChar(p))
        *p = static_cast<char>(foldAscii(static_cast<unsigned char>(*p)));
}

}  // namespace common
