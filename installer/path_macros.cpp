#include "path_macros.h"
#include "sjis.h"
#include "text_format.h"
#include <cstring>

namespace installer {

namespace {

std::string bounded(const std::string& s, size_t max) {
    return s.substr(0, common::boundedLength(s.data(), s.size(), max));
}

// Reads "$INI(" arguments starting at p (just after the parenthesis);
// returns the number of bytes consumed, the ")" included.
size_t iniArgument(const char* p, const MacroSource& source, std::string* value) {
    const char* close = strchr(p, ')');
    size_t len = close ? (size_t)(close - p) : strlen(p);
    std::string arg = bounded(std::string(p, len), kMacroArgumentBytes);
    arg = common::trimBlanks(arg);
    size_t sp = arg.find(' ');
    std::string file = arg.substr(0, sp);
    std::string rest = sp == std::string::npos ? "" : common::trimBlanks(arg.substr(sp));
    sp = rest.find(' ');
    std::string section = rest.substr(0, sp);
    std::string key = sp == std::string::npos ? "" : common::trimBlanks(rest.substr(sp));
    section = bounded(section, kMacroNameBytes);
    key = bounded(key, kMacroNameBytes);
    *value = (file.empty() || section.empty() || key.empty()) ? "" : source.profileString(file, section, key);
    return close ? len + 1 : len;
}

}  // namespace

bool expandMacros(const char* in, const MacroSource& source, std::string* out) {
    out->clear();
    if (!in) return true;
    static const struct {
        const char* name;
        int id;
    } kMacros[] = {
        {"$WIN", 0}, {"$SYSTEM", 1}, {"$PROG", 2}, {"$TEMP", 3}, {"$DOC", 4}, {"$INI(", 5},
    };
    const char* p = in;
    while (*p) {
        if (common::isCp932LeadByte((unsigned char)*p) && p[1]) {
            out->append(p, 2);
            p += 2;
            continue;
        }
        if (*p != '$') {
            *out += *p++;
            continue;
        }
        int id = -1;
        size_t nameLen = 0;
        for (const auto& m : kMacros) {
            if (common::startsWithNoCase(p, m.name)) {
                id = m.id;
                nameLen = strlen(m.name);
                break;
            }
        }
        if (id < 0) {
            *out += *p++;
            continue;
        }
        p += nameLen;
        std::string value;
        switch (id) {
        case 0:
            value = source.windowsFolder();
            break;
        case 1:
            value = source.systemFolder();
            break;
        case 2:
            value = source.programFilesFolder();
            break;
        case 3:
            value = source.tempFolder();
            break;
        case 4:
            value = source.documentsFolder();
            break;
        case 5:
            p += iniArgument(p, source, &value);
            break;
        }
        // A folder longer than the nominal 79 bytes is used whole: cutting it
        // would send files to a different folder. The 480-byte limit of the
        // whole text still holds.
        out->append(value);
        // A replacement that ends in a backslash (a drive root such as C:\,
        // or the temporary folder) swallows the backslash written after the
        // macro, so the path never gets a doubled separator.
        if (*p == '\\' && !value.empty() &&
            common::findLastChar(value.c_str(), '\\') == value.c_str() + value.size() - 1)
            p++;
    }
    if (out->size() > kExpandedBytes - 1) {
        out->resize(common::boundedLength(out->data(), out->size(), kExpandedBytes - 1));
        return false;
    }
    return true;
}

}  // namespace installer
