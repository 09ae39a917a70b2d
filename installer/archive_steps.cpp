// Archive handling goes through the archiver libraries loaded at run time;
// until that layer is present a section's archives are neither listed nor
// unpacked and setup-archive sections do nothing.
#include "archive_steps.h"
#include "first_message.h"

bool buildArchiveList(InstallerContext&, CopyList* archives) {
    archives->clear();
    return true;
}

bool extractArchives(InstallerContext&, CopyList&) { return true; }

bool runSetupArchiveSection(InstallerContext&, FirstMessage* firstMessage) {
    if (firstMessage) firstMessage->close();
    return false;
}

bool archiveUnpackedBytes(const CopyEntry&, unsigned long long* bytes) {
    *bytes = 0;
    return true;
}
