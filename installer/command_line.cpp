#include "command_line.h"
#include "sjis.h"
#include <cstdlib>
#include <cstring>

namespace installer {

CommandLine parseCommandLine(const char* line, bool (*fileExists)(const char* path)) {
    CommandLine cl;
    if (!line) return cl;
    while (*line == ' ' || *line == '\t') line++;
    std::string all = line;
    while (!all.empty() && (unsigned char)all.back() <= ' ') all.pop_back();
    if (all.empty()) return cl;

    // A script named on the line, as it stands (a quoted path is not recognised).
    const char* slash = common::findLastChar(all.c_str(), '\\');
    const char* name = slash ? slash + 1 : all.c_str();
    if (common::equalsNoCase(name, "TALINST.INI") && fileExists && fileExists(all.c_str())) {
        cl.kind = CommandLine::ScriptNamed;
        cl.scriptPath = all;
        return cl;
    }

    cl.kind = CommandLine::Section;
    size_t opt = all.find('/');
    std::string section = all.substr(0, opt);
    while (!section.empty() && section.back() == ' ') section.pop_back();
    cl.section = section;
    if (opt == std::string::npos) return cl;

    cl.hasOption = true;
    size_t wordEnd = all.find(' ', opt + 1);
    if (wordEnd == std::string::npos) wordEnd = all.size();
    cl.option = all.substr(opt + 1, wordEnd - opt - 1);
    size_t docBegin = wordEnd;
    while (docBegin < all.size() && (all[docBegin] == ' ' || all[docBegin] == '\t')) docBegin++;
    cl.document = all.substr(docBegin);

    const std::string& o = cl.option;
    if (o.empty() || (o[0] != 'V' && o[0] != 'v')) {
        cl.badOption = true;
    } else if (o.size() == 1) {
        cl.viewMode = 1;
    } else {
        bool digits = o.size() <= 6;
        for (size_t i = 1; i < o.size(); i++)
            if (o[i] < '0' || o[i] > '9') digits = false;
        if (digits) {
            cl.viewMode = 2;
            cl.archiveNumber = atoi(o.c_str() + 1);
        } else {
            cl.badOption = true;
        }
    }
    return cl;
}

bool isSelectionSection(const char* section) {
    const char* dot = section ? strchr(section, '.') : nullptr;
    return dot && common::equalsNoCase(dot + 1, "SELECT");
}

}  // namespace installer
