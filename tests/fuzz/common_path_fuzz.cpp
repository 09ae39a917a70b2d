// The path object driven by a random sequence of operations with random
// texts. After every step: each part is terminated inside its buffer, no
// part or the full path holds half a character (when the inputs held whole
// ones), and the full path and its parts agree (splitting the full path
// again gives the same parts).
#include <cstdint>

#include "fuzz_support.h"
#include "path_name.h"
#include "sjis.h"
using namespace common;

namespace {

bool commonLead(unsigned char c) { return isPathLeadByte(c); }

// Exposes the buffers to check that every part is terminated inside its own.
class Probe : public PathName {
public:
    void check(bool whole) {
        FUZZ_CHECK(std::memchr(full_, 0, sizeof full_));
        FUZZ_CHECK(std::memchr(drive_, 0, sizeof drive_));
        FUZZ_CHECK(std::memchr(folder_, 0, sizeof folder_));
        FUZZ_CHECK(std::memchr(name_, 0, sizeof name_));
        FUZZ_CHECK(std::memchr(extension_, 0, sizeof extension_));
        if (whole) {
            FUZZ_CHECK(fuzz::wholeCharacters(full_, commonLead));
            FUZZ_CHECK(fuzz::wholeCharacters(folder_, commonLead));
            FUZZ_CHECK(fuzz::wholeCharacters(name_, commonLead));
            FUZZ_CHECK(fuzz::wholeCharacters(extension_, commonLead));
        }
        std::string full = fullPath();
        FUZZ_CHECK(full.size() < size_t(kPathSize));
        // setPath takes a leading double quote as the start of a quoted
        // path, so only paths without one can be split again.
        // Bytes that are no text (a lead byte before ".") can move the
        // extension's dot into a character, so only well-formed paths are
        // split again.
        if (full[0] == '"' || !whole) return;
        PathName again;
        again.setPath(full.c_str());
        if (full != again.fullPath())
            std::fprintf(stderr, "[%s] [%s|%s|%s|%s] -> [%s]\n", full.c_str(), drive(), folder(), name(),
                         extension(), again.fullPath());
        FUZZ_CHECK(full == again.fullPath());
        FUZZ_CHECK(std::strcmp(drive(), again.drive()) == 0);
        FUZZ_CHECK(std::strcmp(folder(), again.folder()) == 0);
        FUZZ_CHECK(std::strcmp(name(), again.name()) == 0);
        FUZZ_CHECK(std::strcmp(extension(), again.extension()) == 0);
        checkAccessors();
    }
    void checkAccessors() {
        const char* fp = folderPath();
        FUZZ_CHECK(std::strlen(fp) < size_t(kPathSize));
        const char* nx = setNameWithExtension();
        FUZZ_CHECK(std::strlen(nx) < size_t(kPathSize));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    Probe p;
    bool whole = true;
    for (int step = 0; step < 16 && in.remaining_bytes() > 0; ++step) {
        const int op = in.ConsumeIntegralInRange(0, 9);
        const std::string arg = fuzz::text(in, 600);
        whole = whole && fuzz::wellFormed(arg.c_str(), commonLead);
        switch (op) {
        case 0:
            p.setPath(arg.c_str());
            break;
        case 1:
            p.changeFolder(arg.c_str());
            break;
        case 2:
            p.setFileName(arg.c_str());
            break;
        case 3:
            p.setNameWithExtension(arg.c_str());
            break;
        case 4:
            p.setExtension(arg.c_str());
            break;
        case 5:
            p.upFolder();
            break;
        case 6:
            p.setFolder(arg.c_str());
            break;
        case 7:
            p.setDrive(arg.c_str());
            break;
        case 8:
            p.hasExtension(arg.c_str());
            p.isFile();
            p.folderExists();
            break;
        default:
            p.fromModule();
            break;
        }
        p.check(whole);
    }
    return 0;
}
