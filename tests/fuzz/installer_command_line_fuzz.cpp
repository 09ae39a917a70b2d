// The installer's command line. Properties: the section never holds the
// option, an option is either good (/V, /V<n> with n of at most five digits)
// or flagged, and the parts are pieces of the line.
#include <cstdint>

#include "command_line.h"
#include "fuzz_support.h"

using namespace installer;

namespace {
bool exists = false;
bool fileExists(const char*) { return exists; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    exists = in.ConsumeBool();
    const std::string line = fuzz::text(in, 1024);
    CommandLine cl = parseCommandLine(line.c_str(), fileExists);
    switch (cl.kind) {
    case CommandLine::Empty:
        for (char c : line) FUZZ_CHECK((unsigned char)c <= ' ');
        break;
    case CommandLine::ScriptNamed:
        FUZZ_CHECK(exists && line.find(cl.scriptPath) != std::string::npos);
        break;
    case CommandLine::Section:
        FUZZ_CHECK(cl.section.find('/') == std::string::npos);
        FUZZ_CHECK(line.find(cl.section) != std::string::npos);
        FUZZ_CHECK(cl.hasOption || (!cl.badOption && cl.viewMode == 0 && cl.document.empty()));
        if (cl.hasOption) {
            FUZZ_CHECK(cl.badOption != (cl.viewMode != 0));
            FUZZ_CHECK(line.find(cl.document) != std::string::npos);
            if (cl.viewMode == 2) FUZZ_CHECK(cl.archiveNumber >= 0 && cl.archiveNumber <= 99999);
        }
        break;
    }
    isSelectionSection(line.c_str());
    return 0;
}
