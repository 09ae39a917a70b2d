#include "value_syntax.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "sjis.h"

namespace menu {

namespace values {

namespace {

bool isSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

void trimTrailingBlanks(char* s) {
    // Blanks are single-byte and never the second byte of a double-byte
    // character, so cutting from the end is safe.
    size_t n = std::strlen(s);
    while (n > 0 && isBlank(s[n - 1])) s[--n] = '\0';
}

const char* skipBlanks(const char* p) {
    while (isBlank(*p)) ++p;
    return p;
}

// End of the token starting at p: the next separator (trail bytes skipped).
const char* tokenEnd(const char* p) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    while (*u && !isSeparator(static_cast<char>(*u))) u += (common::isPathLeadByte(*u) && u[1]) ? 2 : 1;
    return reinterpret_cast<const char*>(u);
}

}  // namespace

long parseDecimal(const char* token) {
    if (!token) return 0;
    // Values are 32-bit whatever the width of long: the limits are fixed
    // here, so a host build where long has 64 bits neither overflows the
    // accumulator test nor reads numbers differently.
    const long long kMax = 2147483647LL, kMin = -kMax - 1;
    const char* p = token;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    // The limits are the 32-bit ones whatever the width of long: a host
    // build with a 64-bit long would otherwise let the accumulator overflow.
    long long value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value <= kMax + 1) value = value * 10 + (*p - '0');
        ++p;
    }
    if (negative) value = -value;
    if (value > kMax) return static_cast<long>(kMax);
    if (value < kMin) return static_cast<long>(kMin);
    return static_cast<long>(value);
}

int parseNumbers(const char* text, long* out, int max) {
    if (!text || !out) return 0;
    int count = 0;
    const char* p = text;
    while (count < max) {
        while (isSeparator(*p)) ++p;
        if (!*p) break;
        out[count++] = parseDecimal(p);
        p = tokenEnd(p);
    }
    return count;
}

void parsePoint(const char* text, long* x, long* y) {
    long v[2] = {x ? *x : 0, y ? *y : 0};
    parseNumbers(text, v, 2);
    if (x) *x = v[0];
    if (y) *y = v[1];
}

uint32_t parseColour(const char* text) {
    long v[3] = {0, 0, 0};
    parseNumbers(text, v, 3);
    return (static_cast<uint32_t>(v[0]) & 0xFF) | ((static_cast<uint32_t>(v[1]) & 0xFF) << 8) |
           ((static_cast<uint32_t>(v[2]) & 0xFF) << 16);
}

int parseDecoration(const char* text) {
    if (common::equalsNoCase(text, "outset")) return DecorationOutset;
    if (common::equalsNoCase(text, "inset")) return DecorationInset;
    return DecorationNone;
}

int clampFontSize(long size) {
    if (size == 0) return 12;
    if (size > 20) return 20;
    return static_cast<int>(size);
}

void parseSound(const char* value, char* file, size_t fileSize, bool* sync) {
    if (file && fileSize) file[0] = '\0';
    if (sync) *sync = false;
    if (!value) return;
    if (*value == ',') {
        const char* p = value;
        while (isSeparator(*p)) ++p;
        char token[16];
        common::copyBounded(token, p, sizeof token, static_cast<size_t>(tokenEnd(p) - p));
        if (sync) *sync = common::equalsNoCase(token, "Sync") && tokenEnd(p) - p == 4;
        return;
    }
    const char* p = value;
    while (isSeparator(*p)) ++p;
    const char* end = tokenEnd(p);
    common::copyBounded(file, p, fileSize, static_cast<size_t>(end - p));
    if (*end && sync) *sync = common::equalsNoCase(end + 1, "Sync");
}

const char* splitCommandValue(const char* value, char* label, size_t labelSize, char* hint, size_t hintSize) {
    if (label && labelSize) label[0] = '\0';
    if (hint && hintSize) hint[0] = '\0';
    if (!value) return "";
    const char* comma = common::findChar(value, ',');
    const char* labelEnd = comma ? comma : common::stringEnd(value);
    const char* semicolon = common::findChar(value, ';');
    if (semicolon && semicolon < labelEnd) {
        common::copyBounded(label, value, labelSize, static_cast<size_t>(semicolon - value));
        common::copyBounded(hint, semicolon + 1, hintSize, static_cast<size_t>(labelEnd - (semicolon + 1)));
    } else {
        common::copyBounded(label, value, labelSize, static_cast<size_t>(labelEnd - value));
    }
    return comma ? comma + 1 : labelEnd;
}

const char* nextPart(const char* list, char* part, size_t partSize) {
    if (part && partSize) part[0] = '\0';
    if (!list || !*list) return nullptr;
    const char* comma = common::findChar(list, ',');
    const char* end = comma ? comma : common::stringEnd(list);
    common::copyBounded(part, list, partSize, static_cast<size_t>(end - list));
    return comma ? comma + 1 : end;
}

bool splitCommandLine(const char* part, char* program, size_t programSize, char* arguments,
                      size_t argumentsSize) {
    if (program && programSize) program[0] = '\0';
    if (arguments && argumentsSize) arguments[0] = '\0';
    if (!part) return false;
    const char* p = skipBlanks(part);
    const char* rest;
    if (*p == '"') {
        const char* close = common::findChar(p + 1, '"');
        const char* end = close ? close : common::stringEnd(p);
        common::copyBounded(program, p + 1, programSize, static_cast<size_t>(end - (p + 1)));
        rest = close ? close + 1 : end;
    } else {
        const char* space = common::findChar(p, ' ');
        const char* end = space ? space : common::stringEnd(p);
        common::copyBounded(program, p, programSize, static_cast<size_t>(end - p));
        rest = end;
    }
    // A buffer of size 0 holds not even a terminator: it is never read.
    if (program && programSize) trimTrailingBlanks(program);
    rest = skipBlanks(rest);
    common::copyBounded(arguments, rest, argumentsSize);
    if (arguments && argumentsSize) trimTrailingBlanks(arguments);
    return program && programSize && program[0] != '\0';
}

void firstArgument(const char* arguments, char* out, size_t outSize) {
    if (out && outSize) out[0] = '\0';
    if (!arguments) return;
    const char* p = skipBlanks(arguments);
    if (*p == '"') {
        const char* close = common::findChar(p + 1, '"');
        common::copyBounded(out, p + 1, outSize,
                            static_cast<size_t>((close ? close : common::stringEnd(p)) - (p + 1)));
    } else {
        const char* space = common::findChar(p, ' ');
        common::copyBounded(out, p, outSize, static_cast<size_t>((space ? space : common::stringEnd(p)) - p));
    }
}

void splitPopupValue(const char* value, char* link, size_t linkSize, char* textFile, size_t textFileSize) {
    if (link && linkSize) link[0] = '\0';
    if (textFile && textFileSize) textFile[0] = '\0';
    if (!value) return;
    const char* comma = common::findChar(value, ',');
    const char* text = value;
    if (comma) {
        const char* p = skipBlanks(value);
        if (*p == '"') ++p;
        const char* quote = common::findChar(p, '"');
        const char* end = (quote && quote < comma) ? quote : comma;
        common::copyBounded(link, p, linkSize, static_cast<size_t>(end - p));
        if (link && linkSize) trimTrailingBlanks(link);
        text = comma + 1;
    }
    while (*text && static_cast<unsigned char>(*text) <= ' ') ++text;
    common::copyBounded(textFile, text, textFileSize);
    if (textFile && textFileSize) trimTrailingBlanks(textFile);
}

bool isWebAddress(const char* link) {
    return common::startsWithNoCase(link, "http") || common::startsWithNoCase(link, "ftp");
}

bool appendWhole(char* list, size_t listSize, const char* piece) {
    if (!list || !piece || listSize == 0) return false;
    size_t used = std::strlen(list);
    size_t need = used + (used ? 1 : 0) + std::strlen(piece);
    if (need >= listSize) return false;
    if (used) list[used++] = ',';
    std::memcpy(list + used, piece, std::strlen(piece) + 1);
    return true;
}

}  // namespace values

}  // namespace menu
