// The archive steps of a copy section (keys LZH, LZH1 ... LZH99): listing the
// archives, unpacking them with progress, and the setup-archive sections.
#pragma once
#include "copy_entry.h"
#include "installer_context.h"

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
