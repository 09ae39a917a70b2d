// Where the archives of a copy or setup-archive section are: the archive keys
// in list order and the files they name. Reads the script and looks at the
// file system only, so the disc checker uses the same rules as the installer.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>
#include "archive_names.h"
#include "script_file.h"

namespace installer {

// The archive keys of a copy section in the order the list takes them: LZH
// (an empty value names the archive like the section), then LZH1 ... LZH99,
// gaps allowed; with none of them and no Copy1, one entry named like the
// section under the key name "デフォルト".
struct ArchiveKey {
    std::string key;
    std::string value;
};
std::vector<ArchiveKey> archiveKeys(ScriptFile& script, const char* section);
// The first existing file among stem + each extension in turn (extensions
// carry their dot). False when none exists; *path is then the last name tried,
// which the archive messages show.
bool findWithExtensions(const std::string& stem, std::initializer_list<const char*> extensions,
                        std::string* path);
// The archive a value names (named: below the source folder): as named, or
// without an extension with the first of .LZH, .EXE, .ZIP, .CAB that exists.
bool findArchive(const std::string& named, std::string* path);
// The name without folder and extension, as the missing-archive message shows it.
std::string archiveStem(const std::string& path);

// The archive of an LZHSETUP value: the named one when it exists, else the
// file named like the section with .LZH, .ZIP or .EXE. False with *archive
// the last path tried when none exists.
bool findSetupArchive(const SetupValue& value, const std::string& sourceBase, const char* section,
                      std::string* archive);

}  // namespace installer
