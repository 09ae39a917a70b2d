// LastMove values: "source,source;target" below the installed folder.
// Property: an accepted entry copies only from, and only into, places inside
// the destination folder unless the script named a full path (or a macro
// that gives one); the sources are the comma-separated pieces, none empty.
#include <cstdint>

#include "fuzz_folders.h"
#include "fuzz_support.h"
#include "last_move.h"

using namespace installer;

namespace {

bool installerLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool isFullPath(const std::string& s) {
    return s.size() >= 2 &&
           ((s[1] == ':' && !installerLead((unsigned char)s[0])) || (s[0] == '\\' && s[1] == '\\'));
}

// Depth of a path below its start as Windows resolves it; -1 once ".."
// climbs above the start. A dots-only level starting with ".." climbs.
int depth(const std::string& path) {
    int d = 0;
    std::string level;
    for (size_t i = 0; i <= path.size(); ++i) {
        unsigned char c = i < path.size() ? path[i] : 0;
        if (i < path.size() && installerLead(c) && i + 1 < path.size() &&
            fuzz::trail((unsigned char)path[i + 1])) {
            level += path.substr(i, 2);
            ++i;
            continue;
        }
        if (c != '\\' && c != '/' && c != 0) {
            level += char(c);
            continue;
        }
        bool dots = !level.empty() && level.find_first_not_of(". ") == std::string::npos;
        if (dots && level.compare(0, 2, "..") == 0) {
            if (--d < 0) return -1;
        } else if (!level.empty() && !dots) {
            ++d;
        }
        level.clear();
    }
    return d;
}

// path lies inside folder: it begins with folder and what follows stays below it.
bool inside(const std::string& path, const std::string& folder) {
    if (path.compare(0, folder.size(), folder) != 0) return false;
    return depth(path.substr(folder.size())) >= 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fuzz::FolderSource source;
    for (std::string& f : source.folders) f = "C:\\" + fuzz::text(in, 60);
    const std::string destination = "C:\\Program Files\\Sample";
    const std::string value = fuzz::text(in, 600);

    LastMoveEntry entry;
    if (!parseLastMove(value.c_str(), source, destination, &entry)) return 0;
    const size_t semi = value.find(';');
    FUZZ_CHECK(semi != std::string::npos);
    // What the script named: pieces before the ";", the target after it.
    std::vector<std::string> named;
    for (size_t pos = 0;;) {
        size_t comma = value.find(',', pos);
        if (comma == std::string::npos || comma > semi) comma = semi;
        if (comma > pos) named.push_back(value.substr(pos, comma - pos));
        if (comma == semi) break;
        pos = comma + 1;
    }
    FUZZ_CHECK(named.size() == entry.sources.size());
    for (size_t i = 0; i < named.size(); ++i) {
        FUZZ_CHECK(!entry.sources[i].empty());
        if (!isFullPath(named[i])) FUZZ_CHECK(inside(entry.sources[i], destination));
    }
    std::string target = value.substr(semi + 1);
    target.erase(0, target.find_first_not_of(" \t"));
    if (target.find('$') == std::string::npos && !isFullPath(target))
        FUZZ_CHECK(inside(entry.target, destination));
    return 0;
}
