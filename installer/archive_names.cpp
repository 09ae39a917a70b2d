#include "archive_names.h"
#include "path_text.h"
#include "sjis.h"
#include "text_format.h"
#include <cstring>

namespace installer {

namespace {

bool isSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }

// Drops one final backslash unless it is the folder's only character.
std::string withoutFinalBackslash(const std::string& folder) {
    if (folder.size() > 1 && common::endsWithSeparator(folder) && folder.back() == '\\')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

std::string format(const char* pattern, const std::string& a, const std::string& b,
                   const std::string& c = std::string()) {
    // Patterns have up to three "%s" in order; nothing else is special.
    std::string out;
    const std::string* args[3] = {&a, &b, &c};
    int next = 0;
    for (const char* p = pattern; *p; p++) {
        if (p[0] == '%' && p[1] == 's' && next < 3) {
            out += *args[next++];
            p++;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

NameClass classifyName(const char* path) {
    const char* dot = common::extensionDot(path ? path : "");
    if (!dot) return NameClass::NoExtension;
    if (common::equalsNoCase(dot, ".LZH")) return NameClass::Lzh;
    if (common::equalsNoCase(dot, ".ZIP")) return NameClass::Zip;
    if (common::equalsNoCase(dot, ".CAB")) return NameClass::Cab;
    if (common::equalsNoCase(dot, ".EXE")) return NameClass::Program;
    return NameClass::Other;
}

const char* libraryName(int kind) {
    switch (kind) {
    case kLzh:
        return "UnLha32.DLL";
    case kZip:
        return "UnZip32.DLL";
    case kCab:
        return "Cab32.DLL";
    }
    return nullptr;
}

const char* functionPrefix(int kind) {
    switch (kind) {
    case kLzh:
        return "Unlha";
    case kZip:
        return "UnZip";
    case kCab:
        return "Cab";
    }
    return "";
}

const char* kindName(int kind) {
    switch (kind) {
    case kLzh:
        return "LZH";
    case kZip:
        return "ZIP";
    case kCab:
        return "CAB";
    }
    return "";
}

std::string extractAllCommand(int kind, const std::string& archive, const std::string& folder) {
    switch (kind) {
    case kLzh:
        return format("x -n -a1 -jf0 -jc %s \"%s\"", archive, folder);
    case kZip:
        return format("-x --i -o %s \"%s\"", archive, folder);
    case kCab:
        return format("-x -i -o %s \"%s\"", archive, folder);
    }
    return std::string();
}

std::string extractBelowCommand(int kind, const std::string& archive, const std::string& folder,
                                const std::string& base) {
    std::string f = withoutFinalBackslash(folder);
    switch (kind) {
    case kLzh:
        return format("x -n -a1 -jf0 -jc \"%s\" \"%s\\\" \"-jb%s\"", archive, f, base);
    case kZip:
        return format("-x --i -o \"%s\" \"%s\\\" \"%s/**\"", archive, f, base);
    case kCab:
        return format("-x -o -i \"%s\" \"%s\\\" \"%s\\*\"", archive, f, base);
    }
    return std::string();
}

std::string extractItemCommand(int kind, const std::string& archive, const std::string& folder,
                               const std::string& item) {
    std::string f = withoutFinalBackslash(folder);
    switch (kind) {
    case kLzh:
        return format("x -n -a1 -jf0 -jc \"%s\" \"%s\\\" \"%s\"", archive, f, item);
    case kZip:
        return format("-x --i -o \"%s\" \"%s\\\" \"%s\"", archive, f, item);
    case kCab:
        return format("-x -o -i \"%s\" \"%s\\\" \"%s\"", archive, f, item);
    }
    return std::string();
}

std::string toMemoryCommand(const std::string& archive, const std::string& item) {
    return format("\"%s\" \"%s\"", archive, item);
}

std::string findPattern(const std::string& item) {
    return item.find(' ') == std::string::npos ? item : "\"" + item + "\"";
}

ArchiveValue parseArchiveValue(const char* value) {
    ArchiveValue v;
    const char* p = value ? value : "";
    while (*p && !isSeparator(*p)) p = common::nextChar(p);
    v.archive.assign(value ? value : "", p - (value ? value : p));
    if (*p) p++;
    while (*p == ' ' || *p == '\t' || *p == ',') p++;
    const char* end = common::findChar(p, ',');
    if (!end) end = common::stringEnd(p);
    v.destination = common::trimBlanks(std::string(p, end - p));
    return v;
}

SetupValue parseSetupValue(const char* value) {
    SetupValue v;
    const char* start = value ? value : "";
    const char* p = start;
    while (*p && !isSeparator(*p)) p = common::nextChar(p);
    v.archive.assign(start, p - start);
    if (*p) p++;
    while (*p == ' ' || *p == '\t') p++;
    v.program = common::trimBlanks(p);
    return v;
}

std::string archivePathToFolder(const std::string& inside) {
    std::string out = inside;
    for (char* p = &out[0]; *p; p = common::nextChar(p))
        if (*p == '/') *p = '\\';
    return out;
}

std::string withExtension(const std::string& name, const char* extension) {
    return common::withoutExtension(name) + "." + extension;
}

bool isShellDocument(const char* name) {
    static const char* const kShown[] = {"html", "htm", "hlp", "chm", "xls", "bmp", "jpg", "gif", "png"};
    std::string ext = common::extensionOf(name ? name : "");
    for (const char* s : kShown)
        if (common::equalsNoCase(ext.c_str(), s)) return true;
    return false;
}

}  // namespace installer
