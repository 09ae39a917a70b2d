#include "message_text.h"
#include "sjis.h"
#include <cstring>

namespace installer {

size_t processEscapes(const char* in, char* out, size_t size) {
    if (!out || size == 0) return 0;
    out[0] = 0;
    if (!in) return 0;
    const size_t kMaxStretches = 80;
    size_t len = strlen(in);

    // Quoted stretches first: pairs of single quotes, left to right.
    size_t openAt[kMaxStretches], closeAt[kMaxStretches];
    size_t stretches = 0;
    for (size_t i = 0; i < len && stretches < kMaxStretches; i++) {
        if (common::isCp932LeadByte((unsigned char)in[i]) && i + 1 < len) {
            i++;
            continue;
        }
        if (in[i] != '\'') continue;
        size_t j = i + 1;
        for (; j < len; j++) {
            if (common::isCp932LeadByte((unsigned char)in[j]) && j + 1 < len) {
                j++;
                continue;
            }
            if (in[j] == '\'') break;
        }
        if (j >= len) break;
        openAt[stretches] = i;
        closeAt[stretches] = j;
        stretches++;
        i = j;
    }

    size_t o = 0, s = 0;
    auto put = [&](const char* p, size_t n) {
        if (o + n > size - 1) return false;
        memcpy(out + o, p, n);
        o += n;
        return true;
    };
    for (size_t i = 0; i < len;) {
        while (s < stretches && closeAt[s] < i) s++;
        bool quoted = s < stretches && i >= openAt[s] && i <= closeAt[s];
        unsigned char c = in[i];
        if (common::isCp932LeadByte(c) && i + 1 < len) {
            if (!put(in + i, 2)) break;
            i += 2;
            continue;
        }
        if (c != '\\' || quoted) {
            if (!put(in + i, 1)) break;
            i++;
            continue;
        }
        if (i + 1 >= len) break;  // a backslash at the very end ends the text
        char next = in[i + 1];
        char rep = next;
        if (next == 'n' || next == 'N')
            rep = '\n';
        else if (next == 't' || next == 'T')
            rep = '\t';
        if (common::isCp932LeadByte((unsigned char)next) && i + 2 < len) {
            if (!put(in + i + 1, 2)) break;
            i += 3;
            continue;
        }
        if (!put(&rep, 1)) break;
        i += 2;
    }
    out[o] = 0;
    return o;
}

}  // namespace installer
