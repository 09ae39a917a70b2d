#include "file_paths.h"
#include "text_util.h"
#include <windows.h>
#include <algorithm>

bool endsWithBackslash(const std::string& path) {
    return !path.empty() && text::findLast(path.c_str(), '\\') == path.c_str() + path.size() - 1;
}

bool isFullPath(const std::string& path) {
    return path.size() >= 2 && ((path[1] == ':' && !text::isLead((unsigned char)path[0])) ||
                                (path[0] == '\\' && path[1] == '\\'));
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    if (isFullPath(name)) return name;
    if (endsWithBackslash(folder) || folder.back() == '/')
        return name[0] == '\\' ? folder + name.substr(1) : folder + name;
    return name[0] == '\\' ? folder + name : folder + "\\" + name;
}

bool climbsOut(const std::string& relative) {
    int depth = 0;
    std::string level;
    for (size_t i = 0; i <= relative.size(); i++) {
        unsigned char c = i < relative.size() ? relative[i] : 0;
        if (i + 1 < relative.size() && text::isLead(c)) {
            level += relative.substr(i, 2);
            i++;
            continue;
        }
        if (c != '\\' && c != '/' && c != 0) {
            level += (char)c;
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

std::string parentFolder(const std::string& path) {
    const char* slash = text::findLast(path.c_str(), '\\');
    return slash ? path.substr(0, slash - path.c_str()) : std::string();
}

bool isExistingFile(const char* path) {
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool isExistingFolder(const char* path) {
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool createFolderPath(const std::string& folder, std::vector<std::string>* created) {
    if (folder.empty() || isExistingFolder(folder.c_str())) return true;
    for (size_t i = 0; i <= folder.size(); i++) {
        unsigned char c = i < folder.size() ? folder[i] : 0;
        if (i < folder.size() && text::isLead(c)) {
            i++;
            continue;
        }
        if (c != '\\' && c != 0) continue;
        std::string level = folder.substr(0, i);
        // Drive roots and the "\\\\server\\share" part are never made.
        if (level.empty() || level.back() == ':' || level.back() == '\\') continue;
        if (level.size() > 2 && level[0] == '\\' && level[1] == '\\' &&
            std::count(level.begin(), level.end(), '\\') < 4)
            continue;
        DWORD a = GetFileAttributesA(level.c_str());
        if (a != INVALID_FILE_ATTRIBUTES) {
            if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
            continue;
        }
        if (!CreateDirectoryA(level.c_str(), nullptr)) return false;
        if (created) created->push_back(level);
    }
    return true;
}
