// The character-code detector. Property: the verdict does not depend on how
// the file's bytes arrive (one block, or reads of any sizes), and it is
// always one of the codes the loader can convert.
#include <cstdint>

#include "detect.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte seeds the read sizes; the rest is the file.
    unsigned seed = data[0];
    const unsigned char* file = data + 1;
    const size_t n = size - 1;

    viewer::CharCode whole = viewer::detectCode(file, n);
    FUZZ_CHECK(whole == viewer::kCodeSjis || whole == viewer::kCodeEuc || whole == viewer::kCodeJis);

    viewer::CodeDetector d;
    size_t pos = 0;
    while (pos < n) {
        seed = seed * 1103515245u + 12345u;
        size_t take = 1 + (seed >> 16) % 700;
        if (take > n - pos) take = n - pos;
        // Each read in its own exact-size block, so a detector that kept a
        // pointer into an earlier read would be caught.
        std::vector<unsigned char> block(file + pos, file + pos + take);
        viewer::CharCode v = d.feed(block.data(), block.size());
        pos += take;
        if (v != viewer::kCodeAuto) break;
    }
    FUZZ_CHECK(d.finish() == whole);
    return 0;
}
