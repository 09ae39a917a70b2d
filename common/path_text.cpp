#include "path_text.h"
#include "sjis.h"

namespace common {

const char* lastSeparator(const char* s) {
    const char* b = findLastChar(s, '\\');
    const char* f = findLastChar(s, '/');
    if (!b) return f;
    if (!f) return b;
    return b > f ? b : f;
}

char* lastSeparator(char* s) { return const_cast<char*>(lastSeparator(static_cast<const char*>(s))); }

bool endsWithSeparator(const char* s) {
    const char* last = s ? previousChar(s, stringEnd(s)) : nullptr;
    return last && (*last == '\\' || *last == '/');
}

bool hasDrivePrefix(const char* s) {
    return s && s[0] && !isPathLeadByte(static_cast<unsigned char>(s[0])) && s[1] == ':';
}

bool isFullPath(const std::string& path) {
    return hasDrivePrefix(path.c_str()) || (path.size() >= 2 && path[0] == '\\' && path[1] == '\\');
}

namespace {

// What walking the levels of a relative path finds.
struct LevelWalk {
    int depth = 0;        // levels below the start at the end
    bool climbs = false;  // some ".." went above the start
    bool plain = true;    // no empty level, no level of dots only, no ':'
};

LevelWalk walkLevels(const char* s) {
    LevelWalk walk;
    std::string level;
    for (;;) {
        const char* next = nextChar(s);
        bool end = *s == 0;
        if (!end && *s != '\\' && *s != '/') {
            if (*s == ':') walk.plain = false;
            level.append(s, static_cast<size_t>(next - s));
            s = next;
            continue;
        }
        // Windows drops trailing dots and blanks of a level: "..." and ". ."
        // are no names of their own; one beginning with ".." climbs.
        bool dotsOnly = !level.empty() && level.find_first_not_of(". ") == std::string::npos;
        if (level.empty() || dotsOnly) walk.plain = false;
        if (dotsOnly && level.compare(0, 2, "..") == 0) {
            if (--walk.depth < 0) walk.climbs = true;
        } else if (!level.empty() && !dotsOnly) {
            walk.depth++;
        }
        if (walk.climbs) return walk;
        level.clear();
        if (end) return walk;
        s = next;
    }
}

}  // namespace

bool climbsOut(const std::string& relative) {
    return !isFullPath(relative) && walkLevels(relative.c_str()).climbs;
}

bool staysInside(const std::string& relative, bool ownLevel) {
    if (isFullPath(relative)) return false;
    LevelWalk walk = walkLevels(relative.c_str());
    return !walk.climbs && (!ownLevel || walk.depth > 0);
}

bool isBelowFolder(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() <= folder.size()) return false;
    if (!equalsNoCase(path.c_str(), folder.size(), folder.c_str())) return false;
    const char* rest = path.c_str() + folder.size();
    if (!endsWithSeparator(folder)) {
        if (*rest != '\\' && *rest != '/') return false;
        rest++;
    }
    LevelWalk walk = walkLevels(rest);
    return walk.plain;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    if (isFullPath(name)) return name;
    if (endsWithSeparator(folder)) return name[0] == '\\' ? folder + name.substr(1) : folder + name;
    return name[0] == '\\' ? folder + name : folder + "\\" + name;
}

std::string parentFolder(const std::string& path) {
    const char* sep = lastSeparator(path.c_str());
    return sep ? path.substr(0, static_cast<size_t>(sep - path.c_str())) : std::string();
}

std::string withoutEmptyLevels(const std::string& path) {
    const char* p = path.c_str();
    std::string out = p[0] != '\\' ? "" : p[1] == '\\' ? "\\\\" : "\\";
    const size_t prefix = out.size();
    bool trailing = false;
    while (*p) {
        while (*p == '\\') p++;
        const char* b = p;
        while (*p && *p != '\\') p = common::nextChar(p);
        if (p == b) break;
        trailing = *p == '\\';
        if (p - b == 1 && *b == '.') continue;
        if (out.size() > prefix) out += '\\';
        out.append(b, p - b);
    }
    if (trailing && out.size() > prefix) out += '\\';
    return out;
}

const char* fileNamePart(const char* path) {
    const char* sep = lastSeparator(path);
    return sep ? sep + 1 : path;
}

bool hasWildcard(const char* s) { return findChar(s, '*') || findChar(s, '?'); }

const char* extensionDot(const char* path) { return findLastChar(fileNamePart(path), '.'); }

char* extensionDot(char* path) { return const_cast<char*>(extensionDot(static_cast<const char*>(path))); }

std::string extensionOf(const std::string& path) {
    const char* dot = extensionDot(path.c_str());
    return dot ? std::string(dot + 1) : std::string();
}

std::string withoutExtension(const std::string& path) {
    const char* dot = extensionDot(path.c_str());
    return dot ? path.substr(0, static_cast<size_t>(dot - path.c_str())) : path;
}

}  // namespace common
