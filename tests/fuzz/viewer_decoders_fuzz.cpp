// The EUC-JP and ISO-2022-JP decoders and the UTF-16 chunker, fed in chunks
// of random sizes. Properties: each call writes at most its input plus
// kConvSlack bytes (checked on an exact-size heap block); the output does
// not depend on where the chunks are cut; and the decoded text is valid
// code page 932, so no half character can swallow a line end.
#include <cstdint>

#include "code_conv.h"
#include "fuzz_support.h"

namespace {

struct Chunks {
    unsigned seed;
    size_t next() {
        seed = seed * 1103515245u + 12345u;
        return 1 + (seed >> 16) % 97;
    }
};

// Runs the decoder over the input in chunks; whole == true: one call.
template <class Decoder>
std::vector<unsigned char> decode(const unsigned char* in, size_t n, unsigned seed, bool whole) {
    Decoder d;
    Chunks chunks{seed};
    std::vector<unsigned char> all;
    size_t pos = 0;
    while (pos < n) {
        size_t take = whole ? n - pos : std::min(chunks.next(), n - pos);
        std::vector<unsigned char> chunk(in + pos, in + pos + take);
        std::vector<unsigned char> out(take + viewer::kConvSlack);
        size_t got = d.convert(chunk.data(), take, out.data());
        FUZZ_CHECK(got <= take + viewer::kConvSlack);
        all.insert(all.end(), out.begin(), out.begin() + got);
        pos += take;
    }
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int which = data[0] % 3;
    const unsigned seed = data[1];
    const unsigned char* in = data + 2;
    const size_t n = size - 2;

    if (which == 2) {
        viewer::Utf16Chunker c;
        Chunks chunks{seed};
        std::vector<unsigned char> all;
        size_t pos = 0;
        while (pos < n) {
            size_t take = std::min(chunks.next(), n - pos);
            std::vector<unsigned char> units(take + 1);
            size_t got = c.take(in + pos, take, units.data());
            FUZZ_CHECK(got % 2 == 0 && got <= take + 1);
            all.insert(all.end(), units.begin(), units.begin() + got);
            pos += take;
        }
        FUZZ_CHECK(all.size() == (n & ~size_t(1)));
        FUZZ_CHECK(std::equal(all.begin(), all.end(), in));
        return 0;
    }

    std::vector<unsigned char> whole =
        which == 0 ? decode<viewer::EucDecoder>(in, n, seed, true) : decode<viewer::JisDecoder>(in, n, seed, true);
    std::vector<unsigned char> chunked =
        which == 0 ? decode<viewer::EucDecoder>(in, n, seed, false) : decode<viewer::JisDecoder>(in, n, seed, false);
    FUZZ_CHECK(whole == chunked);
    FUZZ_CHECK(whole.size() <= n);
    FUZZ_CHECK(fuzz::validCp932(whole.data(), whole.size()));
    return 0;
}
