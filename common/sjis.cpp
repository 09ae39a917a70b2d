#include "sjis.h"

const char* findChar(const char* s, char c) {
    if (!s) return nullptr;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    for (;;) {
        if (*p == static_cast<unsigned char>(c)) return reinterpret_cast<const char*>(p);
        if (*p == 0) return nullptr;
        // A lead byte directly before the terminator stands alone: never step
        // over the terminator.
        if (isLeadByte(*p) && p[1] != 0)
            p += 2;
        else
            p += 1;
    }
}

char* findChar(char* s, char c) { return const_cast<char*>(findChar(static_cast<const char*>(s), c)); }

const char* findLastChar(const char* s, char c) {
    const char* last = nullptr;
    if (!s || c == '\0') return findChar(s, c);
    // Each search goes on after the whole character found: when c is itself
    // a lead-byte value, p + 1 would be that character's second byte.
    for (const char* p = findChar(s, c); p; p = findChar(p + ((isLeadByte(*p) && p[1]) ? 2 : 1), c)) last = p;
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

size_t copyBounded(char* dest, const char* src, size_t size) {
    if (!dest || size == 0) return 0;
    if (!src) {
        dest[0] = '\0';
        return 0;
    }
    size_t n = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(src);
    while (p[n]) {
        size_t step = (isLeadByte(p[n]) && p[n + 1]) ? 2 : 1;
        if (n + step > size - 1) break;
        n += step;
    }
    for (size_t i = 0; i < n; ++i) dest[i] = src[i];
    dest[n] = '\0';
    return n;
}

size_t appendBounded(char* dest, const char* src, size_t size) {
    if (!dest || size == 0) return 0;
    char* end = stringEnd(dest);
    size_t used = static_cast<size_t>(end - dest);
    if (used >= size) {
        dest[size - 1] = '\0';
        return 0;
    }
    return copyBounded(end, src, size - used);
}

static unsigned char foldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool startsWithNoCase(const char* s, const char* prefix) {
    if (!s || !prefix) return false;
    const unsigned char* a = reinterpret_cast<const unsigned char*>(s);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(prefix);
    while (*b) {
        if (isLeadByte(*b) && b[1]) {
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
    const char* ea = stringEnd(a);
    const char* eb = stringEnd(b);
    return (ea - a) == (eb - b) && startsWithNoCase(a, b);
}

void upperCase(char* s) {
    if (!s) return;
    unsigned char* p = reinterpret_cast<unsigned char*>(s);
    while (*p) {
        if (isLeadByte(*p) && p[1]) {
            p += 2;
            continue;
        }
        *p = foldAscii(*p);
        ++p;
    }
}
