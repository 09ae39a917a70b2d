#include "section_texts.h"
#include "script_file.h"
#include "texts.h"
#include "sjis.h"
#include "text_format.h"
#include <cstring>

namespace installer {

std::string firstLine(ScriptFile& script, const char* section) {
    std::string name;
    if (!script.getString(section, "ProductName", &name) && !script.getString(section, "Group", &name))
        return "";
    return name + "\n\n";
}

static std::string globalText(ScriptFile& script, const char* value) {
    std::string out;
    if (value && value[0] == '$') {
        script.getString("Talinst", value, &out);
        return out;
    }
    return value ? value : "";
}

std::string sectionMessage(ScriptFile& script, const char* section, const char* key) {
    std::string value;
    if (!script.getString(section, key, &value)) return "";
    std::string text = firstLine(script, section) + globalText(script, value.c_str());
    return text.substr(0, common::boundedLength(text.data(), text.size(), kSectionMessageBytes - 1));
}

std::string directoryHeading(ScriptFile& script, const char* dirMsg) {
    if (!dirMsg) return "";
    if (dirMsg[0] == '$') return globalText(script, dirMsg);
    if (dirMsg[0] != '+') return dirMsg;
    // "+A+B[+C]": B, then A, then C. A B beginning with "$" names a
    // [Talinst] text that supplies B and C, split at its first "+".
    std::string rest = dirMsg + 1;
    size_t plus = rest.find('+');
    std::string a = rest.substr(0, plus);
    std::string b, c;
    if (plus != std::string::npos) {
        std::string after = rest.substr(plus + 1);
        if (!after.empty() && after[0] == '$') {
            std::string g = globalText(script, after.c_str());
            size_t p = g.find('+');
            b = g.substr(0, p);
            if (p != std::string::npos) c = g.substr(p + 1);
        } else {
            size_t p = after.find('+');
            b = after.substr(0, p);
            if (p != std::string::npos) c = after.substr(p + 1);
        }
    }
    return b + a + c;
}

LastExec parseLastExec(const char* value) {
    LastExec le;
    if (!value) return le;
    std::string v = value;
    v = v.substr(0, common::boundedLength(v.data(), v.size(), kLastExecBytes));
    size_t pos = 0;
    while (pos <= v.size()) {
        size_t semi = v.find(';', pos);
        std::string entry =
            common::trimBlanks(v.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos));
        pos = semi == std::string::npos ? v.size() + 1 : semi + 1;
        if (entry.empty()) continue;
        if (common::equalsNoCase(entry.c_str(), "$DstDir")) {
            le.openFolder = true;
            continue;
        }
        if (le.hasFile) continue;  // later entries are ignored
        size_t comma = entry.find(',');
        std::string file = common::trimBlanks(entry.substr(0, comma));
        for (char& ch : file)
            if (ch == '/') ch = '\\';
        // An entry without a file names nothing to open: its program must
        // not be handed to a later entry's file.
        if (file.empty()) continue;
        le.file = file;
        if (comma != std::string::npos) le.program = common::trimBlanks(entry.substr(comma + 1));
        le.hasFile = true;
    }
    return le;
}

std::string followUpCaption(const LastExec& exec) {
    const char* slash = common::findLastChar(exec.file.c_str(), '\\');
    std::string name = slash ? slash + 1 : exec.file;
    const char* dot = common::findLastChar(name.c_str(), '.');
    bool isExe = dot && common::equalsNoCase(dot, ".EXE");
    if (!exec.program.empty() || !isExe) return common::formatText(texts::kFollowUpDocument, name.c_str());
    return common::formatText(texts::kFollowUpProgram, name.c_str());
}

}  // namespace installer
