#include "file_list.h"
#include "path_macros.h"
#include "script_file.h"
#include "sjis.h"
#include "path_text.h"
#include <windows.h>
#include <cstring>

namespace installer {

namespace {

const size_t kCopyValueBytes = 780;

// Lists the files matching pattern in folder, then (for wildcard patterns)
// every subfolder not beginning with ".", depth first; sub is the path below
// the pattern's own folder. A file whose path does not fit a path object
// would be listed with an empty source, and the copy would report some other
// name or none: the search stops there and hands that path back in overlong.
void collect(const std::string& folder, const std::string& pattern, const std::string& sub,
             const std::string& destFolder, bool absolute, bool recurse, CopyList* list,
             std::string* overlong) {
    WIN32_FIND_DATAA fd;
    std::string search = common::joinPath(folder, pattern);
    HANDLE h = FindFirstFileA(search.c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            std::string path = common::joinPath(folder, fd.cFileName);
            if (path.size() > (size_t)common::PathName::kPathSize - 1) {
                *overlong = path;
                FindClose(h);
                return;
            }
            std::unique_ptr<CopyEntry> e(new CopyEntry);
            e->source.setPath(path.c_str());
            e->source.isFile();  // keeps the find data
            e->destFolder = common::joinPath(destFolder, sub);
            e->absolute = absolute;
            list->push_back(std::move(e));
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    if (!recurse) return;
    h = FindFirstFileA(common::joinPath(folder, "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> subfolders;
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != '.')
            subfolders.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    for (const std::string& s : subfolders) {
        collect(common::joinPath(folder, s), pattern, common::joinPath(sub, s), destFolder, absolute, recurse,
                list, overlong);
        if (!overlong->empty()) return;
    }
}

}  // namespace

bool buildFileList(ScriptFile& script, const char* section, const char* sourceBase, const MacroSource& macros,
                   CopyList* list, FileListError* error) {
    for (int n = 1; n <= 98; n++) {
        char key[16];
        wsprintfA(key, "Copy%d", n);
        char value[kCopyValueBytes];
        if (!script.getString(section, key, value, sizeof value)) continue;

        // First word the source, second the destination; the rest is ignored.
        std::string words[2];
        int w = 0;
        for (const char* p = value; *p && w < 2;) {
            while (*p == ',' || *p == ' ' || *p == '\t') p++;
            const char* b = p;
            while (*p && *p != ',' && *p != ' ' && *p != '\t') p++;
            if (p > b) words[w++].assign(b, p - b);
        }
        std::string dest = words[1];
        bool absolute = false;
        if (common::findChar(dest.c_str(), '$')) {
            std::string expanded;
            if (!expandMacros(dest.c_str(), macros, &expanded)) {
                if (error) {
                    error->key = n;
                    error->destinationTooLong = true;
                }
                return false;
            }
            dest = expanded;
            absolute = true;
        }

        std::string full = common::joinPath(sourceBase ? sourceBase : "", words[0]);
        for (char& c : full)
            if (c == '/') c = '\\';
        full = common::withoutEmptyLevels(full);
        const char* slash = common::findLastChar(full.c_str(), '\\');
        std::string folder = slash ? full.substr(0, slash - full.c_str()) : std::string();
        std::string pattern = slash ? std::string(slash + 1) : full;
        bool wildcard = pattern.find_first_of("*?") != std::string::npos;

        size_t before = list->size();
        std::string overlong;
        if (!pattern.empty()) collect(folder, pattern, "", dest, absolute, wildcard, list, &overlong);
        // A file that cannot be named by a path is reported like a missing
        // one, with the path that does not fit: copying the rest of the key
        // would leave the installation short without a word.
        if (list->size() == before || !overlong.empty()) {
            if (error) {
                error->key = n;
                error->sourcePath = overlong.empty() ? full : overlong;
            }
            return false;
        }
    }
    return true;
}

unsigned long long totalSourceBytes(const CopyList& list) {
    unsigned long long total = 0;
    for (const auto& e : list) total += e->sourceSize();
    return total;
}

void resolveDestinations(CopyList& files, const char* destinationFolder) {
    for (auto& e : files) {
        std::string folder = e->destFolder;
        if (!e->absolute) folder = common::joinPath(destinationFolder ? destinationFolder : "", folder);
        std::string path = common::joinPath(folder, e->source.setNameWithExtension());
        e->destination.setPath(path.c_str());
        // A relative destination whose ".." levels lead out of the chosen
        // folder would write files the user never agreed to: such an entry
        // is refused like an overlong one. A macro or a full path named by
        // the script is taken as it stands.
        bool escapes = !e->absolute && common::climbsOut(e->destFolder);
        if (escapes || path.size() > (size_t)common::PathName::kPathSize - 1)
            e->overlongDestination = path;
        else
            e->overlongDestination.clear();
    }
}

}  // namespace installer
