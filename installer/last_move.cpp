#include "last_move.h"
#include "path_macros.h"
#include "sjis.h"
#include "path_text.h"
#include "file_system.h"
#include <shellapi.h>
#include <cstring>

namespace installer {

namespace {

void copyMatches(const LastMoveEntry& entry) {
    std::string from;  // double-zero-terminated list of every match
    for (const std::string& pattern : entry.sources) {
        const char* slash = common::findLastChar(pattern.c_str(), '\\');
        std::string folder = slash ? pattern.substr(0, slash - pattern.c_str() + 1) : std::string();
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            // "." and ".." stand for folders above the match: never copied.
            if (!strcmp(fd.cFileName, ".") || !strcmp(fd.cFileName, "..")) continue;
            from += folder + fd.cFileName;
            from += '\0';
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    if (from.empty()) return;
    from += '\0';
    // The target is a folder: made first, or a single source would be
    // copied to a file of the target's name.
    common::createFolderPath(entry.target);
    std::string to = entry.target;
    to += '\0';
    to += '\0';
    SHFILEOPSTRUCTA op = {};
    op.hwnd = nullptr;
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    // The shell asks before it replaces an existing file: these copies run
    // after the undo record of the copy step is gone, so a silent overwrite
    // could never be taken back. The folder was made above.
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

}  // namespace

bool parseLastMove(const char* value, const MacroSource& macros, const std::string& destination,
                   LastMoveEntry* out) {
    const char* semi = value ? strchr(value, ';') : nullptr;
    if (!semi) return false;
    std::string sources(value, semi - value);
    const char* t = semi + 1;
    while (*t == ' ' || *t == '\t') t++;
    std::string target;
    // A target cut short would be some other folder: such an entry is skipped.
    if (!expandMacros(t, macros, &target)) return false;
    // A target without drive is taken, like the sources, below the
    // destination; one whose ".." levels lead out of it would copy where the
    // user never agreed to, so the entry is skipped.
    if (common::climbsOut(target)) return false;
    out->target = common::joinPath(destination, target);
    out->sources.clear();
    size_t pos = 0;
    while (pos <= sources.size()) {
        size_t comma = sources.find(',', pos);
        std::string s = sources.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        if (!s.empty() && common::climbsOut(s)) return false;
        if (!s.empty()) out->sources.push_back(common::joinPath(destination, s));
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return true;
}

std::vector<std::string> lastMoveValues(ScriptFile& script, const char* section) {
    std::vector<std::string> values;
    for (int n = 0; n <= 98; n++) {
        char key[16];
        if (n == 0)
            lstrcpyA(key, "LastMove");
        else
            wsprintfA(key, "LastMove%d", n);
        if (!script.hasKey(section, key)) {
            if (n == 0) continue;
            break;
        }
        std::string value;
        script.getString(section, key, &value);
        values.push_back(value);
    }
    return values;
}

void runLastMoves(InstallerContext& ctx) {
    for (const std::string& value : lastMoveValues(ctx.script, ctx.section.c_str())) {
        LastMoveEntry entry;
        if (parseLastMove(value.c_str(), ctx.folders, ctx.destination, &entry)) copyMatches(entry);
    }
}

}  // namespace installer
