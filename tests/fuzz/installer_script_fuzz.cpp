// The installer's script reader. The input is split into a script and a list
// of look-ups. Properties: lines and sections keep their limits, every
// section the reader lists is found again, values are bounded copies cut
// only between characters, and a look-up gives the same answer whatever
// look-ups came before it (the reader remembers where the last one ended).
#include <cstdint>

#include "fuzz_support.h"
#include "script_file.h"

using namespace installer;

namespace {

std::string fold(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// How often needle occurs in text (overlapping counted); 2 for an empty needle.
size_t occurrences(const std::string& text, const std::string& needle) {
    if (needle.empty()) return 2;
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const size_t scriptBytes = in.ConsumeIntegralInRange<size_t>(0, 8192);
    const std::string script = in.ConsumeBytesAsString(scriptBytes);

    const std::string lower = fold(script);
    ScriptFile file;
    file.loadText(script.data(), script.size());
    const std::vector<std::string> names = file.sectionNames();
    for (const std::string& n : names) {
        FUZZ_CHECK(n.size() < ScriptFile::kMaxLineBytes);
        if (n.find('\0') == std::string::npos) FUZZ_CHECK(file.hasSection(n.c_str()));
    }

    for (int lookups = 0; lookups < 8 && in.remaining_bytes() > 0; ++lookups) {
        std::string section = fuzz::text(in, 64);
        // Often one of the script's own sections, so look-ups reach keys.
        if (!names.empty() && in.ConsumeBool())
            section = std::string(names[in.ConsumeIntegralInRange<size_t>(0, names.size() - 1)].c_str());
        const std::string key = fuzz::text(in, 64);
        const size_t bufSize = in.ConsumeIntegralInRange<size_t>(0, 5000);
        fuzz::Buffer buf(bufSize);

        const char* v = file.value(section.c_str(), key.c_str());
        const std::string held = v ? v : "";
        FUZZ_CHECK(held.size() < ScriptFile::kMaxLineBytes);
        FUZZ_CHECK(file.hasKey(section.c_str(), key.c_str()) || !v);

        // Look-ups start where the last one succeeded, so with a section or
        // key written twice the answer may depend on the look-ups before it
        // (kept as the reader is meant to work). Where neither occurs twice
        // in the whole text, a fresh reader must give the same answer.
        if (occurrences(lower, fold(section)) <= 1 && occurrences(lower, fold(key)) <= 1) {
            ScriptFile fresh;
            fresh.loadText(script.data(), script.size());
            const char* freshValue = fresh.value(section.c_str(), key.c_str());
            FUZZ_CHECK(held == (freshValue ? freshValue : ""));
        }

        int n = file.getString(section.c_str(), key.c_str(), buf.get(), buf.size());
        if (bufSize) {
            FUZZ_CHECK(buf.terminated());
            FUZZ_CHECK(n == int(std::strlen(buf.get())));
            FUZZ_CHECK(fuzz::boundaryPrefix(held.c_str(), held.size(), buf.get()));
            if (held.size() < bufSize) FUZZ_CHECK(held == buf.get());
        }
        std::string s;
        FUZZ_CHECK(file.getString(section.c_str(), key.c_str(), &s) == (v != nullptr));
        FUZZ_CHECK(s == held);
        file.getInt(section.c_str(), key.c_str());
        file.getBool(section.c_str(), key.c_str());
    }
    return 0;
}
