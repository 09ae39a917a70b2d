// Builds a copy section's file list from its keys Copy1 to Copy98.
#pragma once
#include <string>
#include "copy_entry.h"

namespace installer {

class ScriptFile;
class MacroSource;

struct FileListError {
    int key = 0;                      // n of the Copy%d key with no match
    std::string sourcePath;           // the source path it named, or the file's that does not fit
    bool destinationTooLong = false;  // its "$" destination did not fit once expanded
};

// sourceBase: the script folder plus the section's source folder. A source
// word is read as the file calls read it (runs of separators as one, "."
// levels dropped), and the listed sources are built from that text. False
// with error filled when a key matches no file at all, when a file it matches
// has a path too long for a path object (sourcePath is that path), or when
// its destination expands beyond the macro limit (a cut path would name
// another folder).
bool buildFileList(ScriptFile& script, const char* section, const char* sourceBase, const MacroSource& macros,
                   CopyList* list, FileListError* error);

// Total bytes of all sources.
unsigned long long totalSourceBytes(const CopyList& list);

}  // namespace installer
