// Escape processing of message texts over output buffers of every size:
// terminated inside the buffer, the returned length is the text's, no
// character cut in half, and a text without backslashes comes out as it
// went in (cut between characters).
#include <cstdint>

#include "fuzz_support.h"
#include "message_text.h"

using namespace installer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const size_t outSize = in.ConsumeIntegralInRange<size_t>(0, 600);
    const std::string message = fuzz::text(in, 2048);
    fuzz::Buffer out(outSize);
    size_t n = processEscapes(message.c_str(), out.get(), out.size());
    if (outSize == 0) {
        FUZZ_CHECK(n == 0);
        return 0;
    }
    FUZZ_CHECK(out.terminated());
    FUZZ_CHECK(n == std::strlen(out.get()) && n < outSize);
    if (fuzz::wellFormed(message.c_str())) FUZZ_CHECK(fuzz::wholeCharacters(out.get()));
    if (message.find('\\') == std::string::npos) {
        FUZZ_CHECK(fuzz::boundaryPrefix(message.c_str(), message.size(), out.get()));
        if (message.size() < outSize) FUZZ_CHECK(message == out.get());
    }
    return 0;
}
