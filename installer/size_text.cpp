#include "size_text.h"
#include <cstdio>

namespace installer {

char* formatSize(uint64_t count, char* buf, size_t size) {
    if (!buf || size == 0) return buf;
    unsigned long whole, rest;
    const char* unit;
    if (count > 0x40000000ull) {
        whole = (unsigned long)(count >> 30);
        rest = (unsigned long)((count >> 20) & 1023);
        unit = " GB";
    } else if (count > 0x100000ull) {
        whole = (unsigned long)(count >> 20);
        rest = (unsigned long)((count >> 10) & 1023);
        unit = " MB";
    } else if (count > 1024) {
        whole = (unsigned long)(count >> 10);
        rest = (unsigned long)(count & 1023);
        unit = " KB";
    } else {
        whole = (unsigned long)count;
        rest = 0;
        unit = " ﾊﾞｲﾄ";
    }
    int n = rest ? snprintf(buf, size, "%3lu.%03lu%s ", whole, rest, unit)
                 : snprintf(buf, size, "%3lu%s ", whole, unit);
    if (n < 0) n = 0;
    if ((size_t)n >= size) n = (int)size - 1;
    return buf + n;
}

}  // namespace installer
