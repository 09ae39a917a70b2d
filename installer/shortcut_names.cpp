#include "shortcut_names.h"
#include "path_text.h"
#include "sjis.h"
#include "texts.h"
#include <initializer_list>

namespace installer {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool oneOf(const std::string& ext, std::initializer_list<const char*> list) {
    for (const char* e : list)
        if (common::equalsNoCase(ext.c_str(), e)) return true;
    return false;
}

}  // namespace

IconValue splitIconValue(const char* value) {
    IconValue v;
    if (!value) return v;
    const char* tab = common::findChar(value, '\t');
    const char* comma = common::findChar(value, ',');
    const char* cut = tab && (!comma || tab < comma) ? tab : comma;
    const char* end = cut ? cut : common::stringEnd(value);
    // Blanks are single bytes that no trail byte can be, so cutting them
    // from the end never splits a character.
    while (end > value && isBlank(end[-1])) end--;
    v.target.assign(value, static_cast<size_t>(end - value));
    if (cut) {
        const char* name = cut + 1;
        while (*name == ' ' || *name == '\t' || *name == ',') name++;
        v.name = name;
    }
    return v;
}

std::string targetFileName(const std::string& target) { return common::fileNamePart(target.c_str()); }

std::string defaultLinkName(const std::string& target, const std::string& base) {
    if (common::startsWithNoCase(target.c_str(), "readme.")) return texts::kLinkReadme;
    std::string ext = common::extensionOf(target);
    if (oneOf(ext, {"exe"})) return base;
    if (oneOf(ext, {"chm", "hlp"})) return base + texts::kLinkHelpSuffix;
    if (oneOf(ext, {"txt", "doc", "wri", "html", "htm"})) return base + texts::kLinkManualSuffix;
    if (oneOf(ext, {"1st"})) return texts::kLinkFirstRead;
    // The target's file name, not the target as written: a folder part would
    // put the link into a subfolder that does not exist, and it would be lost.
    return targetFileName(target);
}

bool hasForbiddenGroupCharacter(const char* s) {
    for (const char* c = "\":;/?*<>|"; *c; c++)
        if (common::findChar(s, *c)) return true;
    return false;
}

}  // namespace installer
