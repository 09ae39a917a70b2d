// One file (or archive) to install, and the list a section owns.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "path_name.h"

namespace installer {

struct CopyEntry {
    enum Result { NotDone = 0, Overwrote = 1, Created = 2, RenamedFirst = 3 };

    common::PathName source;            // with the find data of the file
    common::PathName destination;       // the file to write once resolved; archives: the folder
    common::PathName renamed;           // new name of an existing destination that was moved aside
    common::PathName savedDestination;  // kept while the destination dialog works out drive totals
    std::string destFolder;             // destination folder as listed, relative unless absolute
    std::string baseFolder;             // archives only: ArcBaseDir
    // The resolved destination when it does not fit a path (259 bytes): the
    // path object would hold it cut short, naming some other file, so the
    // entry is reported as uncreatable instead of being written there. Also
    // set for a relative destination whose ".." levels leave the chosen folder.
    std::string overlongDestination;
    int result = NotDone;
    bool absolute = false;  // destination came from a macro
    bool saved = false;

    DWORD sourceSize() const { return source.findData().nFileSizeLow; }
};

typedef std::vector<std::unique_ptr<CopyEntry>> CopyList;

// Gives every file entry its final destination: the destination folder in
// front of relative ones, and the source's name and extension.
void resolveDestinations(CopyList& files, const char* destinationFolder);

}  // namespace installer
