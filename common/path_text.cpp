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

bool climbsOut(const std::string& relative) {
    int depth = 0;
    std::string level;
    for (size_t i = 0; i <= relative.size(); i++) {
        unsigned char c = i < relative.size() ? static_cast<unsigned char>(relative[i]) : 0;
        if (i + 1 < relative.size() && isPathLeadByte(c)) {
            level += relative.substr(i, 2);
            i++;
            continue;
        }
        if (c != '\\' && c != '/' && c != 0) {
            level += static_cast<char>(c);
            continue;
        }
        bool dotsOnly = !level.empty() && level.find_first_not_of(". ") == std::string::npos;
        if (dotsOnly && level.compare(0, 2, "..") == 0) {
            if (--depth < 0) return true;
        } else if (!level.empty() && !dotsOnly) {
            depth++;
        }
        level.clear();
    }
    return false;
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

const char* fileNamePart(const char* path) {
    const char* sep = lastSeparator(path);
    return sep ? sep + 1 : path;
}

}  // namespace common
