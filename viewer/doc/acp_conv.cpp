#include <windows.h>
#include <cstring>
#include <new>
#include "acp_conv.h"

namespace viewer {

AcpEncoder::AcpEncoder() : table_(new (std::nothrow) uint16_t[65536]) {
    if (table_) std::memset(table_, 0, 65536 * sizeof(uint16_t));
}

AcpEncoder::~AcpEncoder() { delete[] table_; }

uint16_t AcpEncoder::lookUp(uint16_t unit) {
    WCHAR w = unit;
    char b[4];
    int r = WideCharToMultiByte(CP_ACP, 0, &w, 1, b, sizeof b, nullptr, nullptr);
    uint16_t v = r == 2 ? uint16_t((unsigned char)b[0] << 8 | (unsigned char)b[1])
                        : uint16_t(0x100 | (r == 1 ? (unsigned char)b[0] : '?'));
    // A double-byte result always has a lead byte of 0x81 or more, so the two
    // forms never meet.
    table_[unit] = v;
    return v;
}

size_t AcpEncoder::convert(const uint16_t* units, size_t n, unsigned char* out) {
    if (!table_) {
        int r = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const WCHAR*>(units), int(n),
                                    reinterpret_cast<char*>(out), int(2 * n), nullptr, nullptr);
        return r > 0 ? size_t(r) : 0;
    }
    unsigned char* o = out;
    for (size_t i = 0; i < n; ++i) {
        uint16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            // A surrogate pair is one character: convert it as a whole.
            int r = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const WCHAR*>(units + i), 2,
                                        reinterpret_cast<char*>(o), 4, nullptr, nullptr);
            o += r > 0 ? r : 0;
            ++i;
            continue;
        }
        uint16_t v = table_[u];
        if (!v) v = lookUp(u);
        if (v < 0x200) {
            *o++ = (unsigned char)v;
        } else {
            o[0] = (unsigned char)(v >> 8);
            o[1] = (unsigned char)v;
            o += 2;
        }
    }
    return size_t(o - out);
}

}  // namespace viewer
