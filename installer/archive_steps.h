// The archive steps of a copy section (keys LZH, LZH1 ... LZH99): listing the
// archives, unpacking them with progress, and the setup-archive sections.
#pragma once
#include "archive_lookup.h"
#include "archive_names.h"
#include "copy_entry.h"
#include "installer_context.h"
#include <windows.h>
#include <string>
#include <vector>

namespace installer {

class FirstMessage;

// Lists the section's archives; false (after its message) ends the section.
bool buildArchiveList(InstallerContext& ctx, CopyList* archives);
// Unpacks every archive into its destination; false when cancelled or failed.
bool extractArchives(InstallerContext& ctx, CopyList& archives);
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
// Waits for the process; polls its exit code every second if the wait fails.
void waitForProcess(HANDLE process);

}  // namespace installer
