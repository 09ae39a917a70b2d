// How a section's source and destination folders follow from SrcDir and DstDir.
#pragma once
#include <string>
#include "path_macros.h"

namespace installer {

enum class DestinationStatus { Ok, DriveGiven, TooLong };

const size_t kDestinationBytes = 260;

// dstDir: the DstDir value (null or empty when missing). A "$" value is
// expanded and used as it stands; a value with a drive is refused; one
// beginning with a backslash goes onto the Windows folder's drive; anything
// else goes below the program-files folder.
DestinationStatus destinationFolder(const char* dstDir, const char* section, const MacroSource& source,
                                    std::string* out);

// srcDir: the SrcDir value (null when missing). folderExists tests the
// folder part of a path as the path object does. False when SrcDir names a
// folder that is not there; out is relative to the script folder.
// Without SrcDir the section's own folder is used when isFolder finds it,
// ".\\" otherwise (without isFolder, folderExists decides).
bool sourceFolder(const char* srcDir, const char* section, bool (*folderExists)(const char* path),
                  std::string* out, bool (*isFolder)(const char* path) = nullptr);

}  // namespace installer
