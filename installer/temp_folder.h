// The installer's temporary folders ("~Vpr..." for unpacked archives, "~VP..."
// for documents handed to the shell) in the temporary-files folder.
#pragma once
#include <string>

namespace installer {

// Makes a fresh folder: a unique temporary file with the prefix is asked
// for, deleted, and a folder of its name without the extension is made.
// False when no such folder could be made.
bool makeTempFolder(const char* prefix, std::string* folder);
// Deletes the folder with everything in it. Entries are removed one by one
// and links or junctions are removed, never followed.
bool deleteTree(const std::string& folder);

}  // namespace installer
