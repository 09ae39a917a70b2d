// The archive steps of a copy section (keys LZH, LZH1 ... LZH99): listing the
// archives, unpacking them with progress, and the setup-archive sections.
#pragma once
#include "archive_names.h"
#include "copy_entry.h"
#include "installer_context.h"
#include <windows.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace installer {

class FirstMessage;

// The archive keys of a copy section in the order the list takes them: LZH
// (an empty value names the archive like the section), then LZH1 ... LZH99,
// gaps allowed; with none of them and no Copy1, one entry named like the
// section under the key name "デフォルト".
struct ArchiveKey {
    std::string key;
    std::string value;
};
std::vector<ArchiveKey> archiveKeys(ScriptFile& script, const char* section);
// The archive a value names (named: below the source folder): as named, or
// without an extension with the first of .LZH, .EXE, .ZIP, .CAB that exists.
bool findArchive(const std::string& named, std::string* path);
// The name without folder and extension, as the missing-archive message shows it.
std::string archiveStem(const std::string& path);

// Lists the section's archives; false (after its message) ends the section.
bool buildArchiveList(InstallerContext& ctx, CopyList* archives);
// Unpacks every archive into its destination; false when cancelled or failed.
bool extractArchives(InstallerContext& ctx, CopyList& archives);
// The archive of an LZHSETUP value: the named one when it exists, else the
// file named like the section with .LZH, .ZIP or .EXE. False with *archive
// the last path tried when none exists.
bool findSetupArchive(const SetupValue& value, const std::string& sourceBase, const char* section,
                      std::string* archive);
// Carries out a section with the key LZHSETUP.
bool runSetupArchiveSection(InstallerContext& ctx, FirstMessage* firstMessage);
// Adds the unpacked size of one archive for the drive totals; false after
// showing an error that stops the counting.
bool archiveUnpackedBytes(const CopyEntry& archive, unsigned long long* bytes);

// Opens the archive, checks that program is in it, unpacks the whole archive
// into a fresh temporary folder with the extraction window and starts or
// opens program there (see startFromFolder). False after its message.
bool unpackAndStart(InstallerContext& ctx, const std::string& archive, const std::string& program,
                    FirstMessage* firstMessage);
// Starts program (a path inside the archive) from folder: an ".exe" is
// started and left running, anything else opened through the shell and
// waited for. keepFolder: the folder must stay.
bool startFromFolder(const std::string& folder, const std::string& program, bool* keepFolder);
// The first existing file among stem + each extension in turn (extensions
// carry their dot). False when none exists; *path is then the last name tried,
// which the archive messages show.
bool findWithExtensions(const std::string& stem, std::initializer_list<const char*> extensions,
                        std::string* path);
// Waits for the process; polls its exit code every second if the wait fails.
void waitForProcess(HANDLE process);

}  // namespace installer
