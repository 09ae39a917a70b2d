#include "archive_lookup.h"
#include "file_system.h"
#include "path_text.h"
#include "sjis.h"
#include "texts.h"

namespace installer {

bool findWithExtensions(const std::string& stem, std::initializer_list<const char*> extensions,
                        std::string* path) {
    for (const char* ext : extensions) {
        *path = stem + ext;
        if (common::isExistingFile(*path)) return true;
    }
    return false;
}

bool findArchive(const std::string& named, std::string* path) {
    if (installer::classifyName(named.c_str()) != installer::NameClass::NoExtension) {
        *path = named;
        return common::isExistingFile(named);
    }
    // An archive named without an extension is looked for with these, in order.
    if (findWithExtensions(named, {".LZH", ".EXE", ".ZIP", ".CAB"}, path)) return true;
    *path = named;
    return false;
}

std::string archiveStem(const std::string& path) {
    return common::withoutExtension(common::fileNamePart(path.c_str()));
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
    return findWithExtensions(common::joinPath(sourceBase, section), {".LZH", ".ZIP", ".EXE"}, archive);
}

}  // namespace installer
