#include "program_arguments.h"

namespace common {

namespace {

bool isBlank(unsigned char c) { return c == ' ' || c == '\t'; }

}  // namespace

const char* skipProgramName(const char* commandLine) {
    if (!commandLine) return "";
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine);
    if (*p == '"') {
        // A quoted name may hold blanks; it ends at the closing quote. No
        // double-byte character has '"' (0x22) as its second byte.
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && !isBlank(*p)) ++p;
    }
    while (isBlank(*p)) ++p;
    return reinterpret_cast<const char*>(p);
}

}  // namespace common
