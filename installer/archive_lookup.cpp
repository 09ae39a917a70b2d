#include "archive_lookup.h"
#include "file_system.h"
#include "path_text.h"
#include "sjis.h"
#include "texts.h"

namespace installer {

// An archive named without an extension is looked for with these, in order.
static const char* const kArchiveExtensions[] = {".LZH", ".EXE", ".ZIP", ".CAB"};

bool findArchive(const std::string& named, std::string* path) {
    if (installer::classifyName(named.c_str()) != installer::NameClass::NoExtension) {
        *path = named;
        return common::isExistingFile(named);
    }
    for (const char* ext : kArchiveExtensions) {
        std::string p = named + ext;
        if (common::isExistingFile(p)) {
            *path = p;
            return true;
        }
    }
    *path = named;
    return false;
}

std::string archiveStem(const std::string& path) {
    std::string name = common::fileNamePart(path.c_str());
    const char* dot = common::findLastChar(name.c_str(), '.');
    return dot ? name.substr(0, dot - name.c_str()) : name;
}

std::vector<ArchiveKey> archiveKeys(ScriptFile& script, const char* section) {
    std::vector<ArchiveKey> keys;
    if (script.hasKey(section, "LZH")) {
        char value[520];
        script.getString(section, "LZH", value, sizeof value, section);
        keys.push_back({"LZH", value});
    }
    for (int n = 1; n <= 99; n++) {
        char key[16];
        wsprintfA(key, "LZH%d", n);
        if (!script.hasKey(section, key)) continue;
        char value[520];
        if (!script.getString(section, key, value, sizeof value)) value[0] = '\0';
        keys.push_back({key, value});
    }
    if (keys.empty() && !script.hasKey(section, "Copy1"))
        keys.push_back({texts::kDefaultArchiveKey, section});
    return keys;
}

bool findSetupArchive(const SetupValue& value, const std::string& sourceBase, const char* section,
                      std::string* archive) {
    archive->clear();
    if (!value.archive.empty()) *archive = common::joinPath(sourceBase, value.archive);
    if (!archive->empty() && common::isExistingFile(*archive)) return true;
    std::string stem = common::joinPath(sourceBase, section);
    for (const char* ext : {".LZH", ".ZIP", ".EXE"}) {
        *archive = stem + ext;
        if (common::isExistingFile(*archive)) return true;
    }
    return false;
}

}  // namespace installer
