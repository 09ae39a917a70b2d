#include "folder_rules.h"
#include "sjis.h"
#include <cstring>

namespace installer {

DestinationStatus destinationFolder(const char* dstDir, const char* section, const MacroSource& source,
                                    std::string* out) {
    std::string value = (dstDir && *dstDir) ? dstDir : std::string("$PROG\\") + (section ? section : "");
    out->clear();
    if (value[0] == '$') {
        if (!expandMacros(value.c_str(), source, out)) return DestinationStatus::TooLong;
    } else if (value.size() >= 2 && value[1] == ':' && !common::isCp932LeadByte((unsigned char)value[0])) {
        return DestinationStatus::DriveGiven;
    } else if (value[0] == '\\') {
        *out = source.windowsFolder().substr(0, 2) + value;
    } else {
        std::string pf = source.programFilesFolder();
        if (pf.empty() || common::findLastChar(pf.c_str(), '\\') != pf.c_str() + pf.size() - 1) pf += '\\';
        *out = pf + value;
    }
    if (out->size() > kDestinationBytes - 1) return DestinationStatus::TooLong;
    return DestinationStatus::Ok;
}

bool sourceFolder(const char* srcDir, const char* section, bool (*folderExists)(const char* path),
                  std::string* out, bool (*isFolder)(const char* path)) {
    if (srcDir) {
        std::string v = srcDir;
        if (v.size() > 2 && v[0] == '.' && v[1] == '\\') v = v.substr(2);
        *out = v;
        return !folderExists || folderExists(v.c_str());
    }
    std::string v = section ? section : "";
    // The folder-part test passes every name without a backslash, so the
    // section's folder itself is looked for: items whose files lie beside
    // the script then fall back to the script folder as intended.
    bool found = isFolder ? isFolder(v.c_str()) : (!folderExists || folderExists(v.c_str()));
    if (v.empty() || !found) v = ".\\";
    *out = v;
    return true;
}

}  // namespace installer
