// Where the installer writes each file of a section's list. The entries are
// made up by the fuzzer: the source file's name, the destination folder as
// the script listed it, and whether it came from a macro. Property: every
// destination that is not refused lies inside the chosen destination folder
// once Windows has normalised it ("." and ".." levels, "/" separators,
// trailing dots and blanks of a level), unless the script named a macro or an
// absolute destination.
#include <cstdint>

#include "copy_entry.h"
#include "file_list.h"
#include "fuzz_support.h"

using namespace installer;

namespace {

bool installerLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The levels of a path as Windows resolves them (a lead byte takes the next
// byte only when that is a valid second byte); false when ".." climbs
// above the first level.
bool normalise(const std::string& path, std::vector<std::string>* levels) {
    levels->clear();
    std::string level;
    std::vector<std::string> raw;
    for (size_t i = 0; i <= path.size(); ++i) {
        unsigned char c = i < path.size() ? path[i] : 0;
        if (i < path.size() && installerLead(c) && i + 1 < path.size() &&
            fuzz::trail((unsigned char)path[i + 1])) {
            level += path[i];
            level += path[++i];
            continue;
        }
        if (c == '\\' || c == '/' || c == 0) {
            raw.push_back(level);
            level.clear();
            continue;
        }
        level += char(c);
    }
    for (std::string l : raw) {
        if (l.empty()) continue;
        bool onlyDots = l.find_first_not_of(". ") == std::string::npos;
        size_t dots = std::count(l.begin(), l.end(), '.');
        if (onlyDots && dots >= 2 && l.compare(0, 2, "..") == 0) {
            if (levels->empty()) return false;
            levels->pop_back();
            continue;
        }
        if (onlyDots) continue;
        while (!l.empty() && (l.back() == '.' || l.back() == ' ')) l.pop_back();
        levels->push_back(l);
    }
    return true;
}

bool isFullPath(const std::string& s) {
    return s.size() >= 2 &&
           ((s[1] == ':' && !installerLead((unsigned char)s[0])) || (s[0] == '\\' && s[1] == '\\'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    // The folder the user chose: whole characters, as the dialog gives it.
    const std::string base = "C:\\Program Files\\" + fuzz::text(in, 40);
    if (!fuzz::validCp932(reinterpret_cast<const unsigned char*>(base.data()), base.size())) return 0;
    CopyList list;
    const int count = in.ConsumeIntegralInRange(1, 6);
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<CopyEntry> e(new CopyEntry);
        std::string name = fuzz::text(in, 40);
        // A name as the file search returns it: no separators, never a dots-only name.
        if (name.find_first_not_of(". ") == std::string::npos ||
            name.find_first_of("\\/:*?") != std::string::npos)
            name = "file.txt";
        e->source.setPath(("D:\\INSTALL\\SAMPLE\\" + name).c_str());
        e->destFolder = fuzz::text(in, 120);
        e->absolute = in.ConsumeBool();
        list.push_back(std::move(e));
    }
    resolveDestinations(list, base.c_str());

    std::vector<std::string> baseLevels, destLevels;
    if (!normalise(base, &baseLevels)) return 0;  // the chosen folder is a real one
    for (const auto& e : list) {
        if (e->absolute || isFullPath(e->destFolder)) continue;
        if (!e->overlongDestination.empty()) continue;  // refused: reported, never written
        const std::string dest = e->destination.fullPath();
        bool inside = normalise(dest, &destLevels) && destLevels.size() > baseLevels.size() &&
                      std::equal(baseLevels.begin(), baseLevels.end(), destLevels.begin());
        if (!inside)
            std::fprintf(stderr, "escapes: [%s] + [%s] -> [%s]\n", base.c_str(), e->destFolder.c_str(),
                         dest.c_str());
        FUZZ_CHECK(inside);
    }
    return 0;
}
