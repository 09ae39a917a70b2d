// Source and destination folders of a section. Properties: an Ok
// destination fits a path buffer; a destination that is not a macro, has no
// drive and does not start at the root stays below the program-files folder;
// one from the root stays on the Windows folder's drive; a drive is refused.
#include <cstdint>

#include "folder_rules.h"
#include "fuzz_folders.h"
#include "fuzz_support.h"

using namespace installer;

namespace {

bool answer = false;
bool folderExists(const char*) { return answer; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fuzz::FolderSource source;
    for (std::string& f : source.folders) f = fuzz::text(in, 300);
    answer = in.ConsumeBool();
    const bool missing = in.ConsumeBool();
    const std::string section = fuzz::text(in, 300);
    const std::string value = fuzz::text(in, 600);
    const char* dst = missing ? nullptr : value.c_str();

    std::string out;
    DestinationStatus st = destinationFolder(dst, section.c_str(), source, &out);
    const std::string used = (dst && *dst) ? value : "$PROG\\" + section;
    if (st == DestinationStatus::Ok) FUZZ_CHECK(out.size() <= kDestinationBytes - 1);
    if (st == DestinationStatus::DriveGiven) FUZZ_CHECK(used.size() >= 2 && used[1] == ':');
    if (st == DestinationStatus::Ok && used[0] != '$') {
        if (used[0] == '\\') {
            const std::string drive = source.folders[0].substr(0, 2);
            FUZZ_CHECK(out.compare(0, drive.size(), drive) == 0);
            FUZZ_CHECK(out.compare(out.size() - used.size(), std::string::npos, used) == 0);
        } else {
            const std::string& pf = source.folders[2];
            FUZZ_CHECK(out.compare(0, pf.size(), pf) == 0);
            FUZZ_CHECK(out.size() > pf.size() &&
                       out.compare(out.size() - used.size(), std::string::npos, used) == 0);
        }
    }

    std::string src;
    bool found = sourceFolder(missing ? nullptr : value.c_str(), section.c_str(), folderExists, &src);
    if (!missing) FUZZ_CHECK(found == answer);
    if (missing) FUZZ_CHECK(found && !src.empty());
    return 0;
}
