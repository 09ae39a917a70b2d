// The path macros, with folders and profile answers chosen by the fuzzer.
// Properties: the result always fits the expanded-text limit and is cut only
// between characters; true means nothing was cut; a text without "$" comes
// out unchanged; and the $INI( ) arguments handed to the profile are bounded.
#include <cstdint>

#include "fuzz_support.h"
#include "path_macros.h"

using namespace installer;

namespace {

class FuzzSource : public MacroSource {
public:
    std::string folders[5];
    std::string answer;
    std::string windowsFolder() const override { return folders[0]; }
    std::string systemFolder() const override { return folders[1]; }
    std::string programFilesFolder() const override { return folders[2]; }
    std::string tempFolder() const override { return folders[3]; }
    std::string documentsFolder() const override { return folders[4]; }
    std::string profileString(const std::string& file, const std::string& section,
                              const std::string& key) const override {
        FUZZ_CHECK(!file.empty() && file.size() <= kMacroArgumentBytes);
        FUZZ_CHECK(!section.empty() && section.size() <= kMacroNameBytes);
        FUZZ_CHECK(!key.empty() && key.size() <= kMacroNameBytes);
        return answer;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FuzzSource source;
    for (std::string& f : source.folders) f = fuzz::text(in, 300);
    source.answer = fuzz::text(in, 300);
    const std::string value = fuzz::text(in, 2048);

    std::string out;
    bool fits = expandMacros(value.c_str(), source, &out);
    FUZZ_CHECK(out.size() <= kExpandedBytes - 1);
    FUZZ_CHECK(out.find('\0') == std::string::npos);
    bool whole = fuzz::wellFormed(value.c_str()) && fuzz::wellFormed(source.answer.c_str());
    for (const std::string& f : source.folders) whole = whole && fuzz::wellFormed(f.c_str());
    if (whole) FUZZ_CHECK(fuzz::wholeCharacters(out.c_str()));
    if (value.find('$') == std::string::npos) {
        FUZZ_CHECK(fits == (value.size() <= kExpandedBytes - 1));
        if (fits)
            FUZZ_CHECK(out == value);
        else
            FUZZ_CHECK(fuzz::boundaryPrefix(value.c_str(), value.size(), out.c_str()));
    }
    return 0;
}
