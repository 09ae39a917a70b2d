// The bounded Shift-JIS copies and the separator searches of common/.
// Properties: a copy is always terminated inside the destination, holds a
// prefix of the source cut only between characters, and is as long as fits;
// an append keeps what was there; a search never lands on a trail byte.
#include <cstdint>

#include "fuzz_support.h"
#include "sjis.h"
using namespace common;

namespace {

bool commonLead(unsigned char c) { return common::isPathLeadByte(c); }

// Offsets where characters start, walking as the helpers do.
std::vector<bool> starts(const std::string& s) {
    std::vector<bool> at(s.size() + 1, false);
    size_t i = 0;
    while (i < s.size()) {
        at[i] = true;
        i += (common::isPathLeadByte((unsigned char)s[i]) && i + 1 < s.size()) ? 2 : 1;
    }
    at[s.size()] = true;
    return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const size_t destSize = in.ConsumeIntegralInRange<size_t>(0, 300);
    const std::string first = fuzz::text(in, 400);
    const std::string src = fuzz::text(in, 400);
    const char c = in.ConsumeIntegral<char>();

    {
        fuzz::Buffer dest(destSize);
        size_t n = copyBounded(dest.get(), src.c_str(), dest.size());
        if (destSize == 0) {
            FUZZ_CHECK(n == 0);
        } else {
            FUZZ_CHECK(dest.terminated() && n == std::strlen(dest.get()) && n < destSize);
            FUZZ_CHECK(fuzz::boundaryPrefix(src.c_str(), src.size(), dest.get(), commonLead));
            // As long as fits: the next character would not have.
            if (n < src.size()) {
                size_t step = (common::isPathLeadByte((unsigned char)src[n]) && n + 1 < src.size()) ? 2 : 1;
                FUZZ_CHECK(n + step > destSize - 1);
            }
        }
    }
    if (destSize > 0) {
        fuzz::Buffer dest(destSize);
        std::string start = first.substr(0, destSize - 1);
        std::memcpy(dest.get(), start.c_str(), start.size() + 1);
        size_t n = appendBounded(dest.get(), src.c_str(), dest.size());
        FUZZ_CHECK(dest.terminated());
        std::string after = dest.get();
        FUZZ_CHECK(after.compare(0, start.size(), start) == 0);
        FUZZ_CHECK(after.size() == start.size() + n);
        FUZZ_CHECK(fuzz::boundaryPrefix(src.c_str(), src.size(), after.c_str() + start.size(), commonLead));
    }

    const std::vector<bool> at = starts(src);
    const char* f = findChar(src.c_str(), c);
    if (f) FUZZ_CHECK(at[size_t(f - src.c_str())] && *f == c);
    const char* l = findLastChar(src.c_str(), c);
    if (l) FUZZ_CHECK(at[size_t(l - src.c_str())] && *l == c && l >= f);
    FUZZ_CHECK((f == nullptr) == (l == nullptr));

    std::string upper = src;
    upperCase(&upper[0]);
    FUZZ_CHECK(upper.size() == src.size() && equalsNoCase(upper.c_str(), src.c_str()));
    const size_t k = first.size() % (upper.size() + 1);
    if (at[k]) FUZZ_CHECK(startsWithNoCase(src.c_str(), upper.substr(0, k).c_str()));
    return 0;
}
