// The value forms of MENU.INI and MENU.DAT: numbers against a plain
// reference, every text output bounded, terminated and never ending in half
// a character, over buffers of every size.
#include <climits>
#include <cstdint>

#include "fuzz_support.h"
#include "value_syntax.h"

using namespace menu;

namespace {

// Sign and digits of a token, saturated to the 32-bit range.
long long referenceDecimal(const char* p) {
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    long long v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v < 1LL << 40) v = v * 10 + (*p - '0');
        ++p;
    }
    if (negative) v = -v;
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int op = in.ConsumeIntegralInRange(0, 9);
    const size_t sizeA = in.ConsumeIntegralInRange<size_t>(0, 300);
    const size_t sizeB = in.ConsumeIntegralInRange<size_t>(0, 300);
    const std::string value = fuzz::text(in, 4096);
    const char* v = value.c_str();
    const bool whole = fuzz::wellFormed(v, fuzz::commonLead);
    fuzz::Buffer a(sizeA), b(sizeB);

    switch (op) {
    case 0: {
        long n = values::parseDecimal(v);
        FUZZ_CHECK(n == referenceDecimal(v));
        break;
    }
    case 1: {
        long out[8];
        for (long& x : out) x = 12345;
        int max = in.ConsumeIntegralInRange(0, 8);
        int count = values::parseNumbers(v, out, max);
        FUZZ_CHECK(count >= 0 && count <= max);
        for (int i = count; i < 8; ++i) FUZZ_CHECK(out[i] == 12345);
        for (int i = 0; i < count; ++i) FUZZ_CHECK(out[i] >= INT32_MIN && out[i] <= INT32_MAX);
        break;
    }
    case 2: {
        long x = 7, y = 9;
        values::parsePoint(v, &x, &y);
        FUZZ_CHECK(values::parseColour(v) <= 0xFFFFFFu);
        values::clampFontSize(values::parseDecimal(v));
        FUZZ_CHECK(values::parseDecoration(v) >= 0 && values::parseDecoration(v) <= 2);
        break;
    }
    case 3: {
        bool sync = false;
        values::parseSound(v, a.get(), a.size(), &sync);
        fuzz::checkOutput(a, whole);
        break;
    }
    case 4: {
        const char* rest = values::splitCommandValue(v, a.get(), a.size(), b.get(), b.size());
        FUZZ_CHECK(rest >= v && rest <= v + value.size());
        fuzz::checkOutput(a, whole);
        fuzz::checkOutput(b, whole);
        break;
    }
    case 5: {
        // Walking a whole list part by part ends, never moving backwards.
        const char* p = v;
        size_t parts = 0;
        while (p) {
            const char* next = values::nextPart(p, a.get(), a.size());
            fuzz::checkOutput(a, whole);
            FUZZ_CHECK(!next || (next > p || !*p) && next <= v + value.size());
            if (next && !*p) break;
            p = next;
            FUZZ_CHECK(++parts <= value.size() + 1);
        }
        break;
    }
    case 6: {
        bool ok = values::splitCommandLine(v, a.get(), a.size(), b.get(), b.size());
        fuzz::checkOutput(a, whole);
        fuzz::checkOutput(b, whole);
        if (ok) FUZZ_CHECK(a.size() > 1 && a.get()[0] != '\0');
        break;
    }
    case 7:
        values::firstArgument(v, a.get(), a.size());
        fuzz::checkOutput(a, whole);
        break;
    case 8:
        values::splitPopupValue(v, a.get(), a.size(), b.get(), b.size());
        fuzz::checkOutput(a, whole);
        fuzz::checkOutput(b, whole);
        values::isWebAddress(v);
        break;
    default: {
        // appendWhole keeps the list unchanged or adds the whole piece.
        if (a.size() == 0) break;
        std::string start = fuzz::text(in, a.size() - 1);
        std::memcpy(a.get(), start.c_str(), start.size() + 1);
        bool added = values::appendWhole(a.get(), a.size(), v);
        FUZZ_CHECK(a.terminated());
        std::string after = a.get();
        if (added)
            FUZZ_CHECK(after == (start.empty() ? value : start + "," + value));
        else
            FUZZ_CHECK(after == start);
        break;
    }
    }
    return 0;
}
