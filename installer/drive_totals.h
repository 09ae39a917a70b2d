// Per drive: the bytes a section will write there and the room there is.
#pragma once
#include <string>
#include "copy_entry.h"

namespace installer {

struct DriveTotals {
    std::string required;  // "C:  2 KB D:  1.001 KB " ...
    std::string free;
};

// Sizes of file entries whose source exists, by the drive of their destination.
// Archive entries are added by archiveBytes when given (nullptr: none counted).
DriveTotals computeDriveTotals(const CopyList& files, const CopyList* archives,
                               bool (*archiveBytes)(const CopyEntry& archive, unsigned long long* bytes));
// Free bytes of the drive with this root ("C:\\"); 0 when unknown.
unsigned long long freeBytes(const char* root);

}  // namespace installer
