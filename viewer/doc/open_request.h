// Texts that travel when a viewer hands a document to another one: the
// command line of a sibling viewer, the halves of a document path that other
// viewers ask for, and the open dialog's filter list. Pure text work.
#pragma once
#include <string>
#include <vector>

namespace viewer {

// What travels with one file to be opened; cleared after each file.
struct OpenRequests {
    bool readOnly = false;
    bool browse = false;
    unsigned char code = 0;  // 0 automatic, 1 Shift-JIS, 2 Unicode, 3 EUC, 4 JIS
};

// base (the program name and one blank), "/! ", the request options ("/r ",
// "/b ", "/fs "/"/fu "/"/fe "/"/fj "), then the item. An item that is not
// quoted yet and holds a blank or ';' is put in double quotes, so that the
// new viewer reads it as one name.
std::string siblingCommandLine(const std::string& base, const OpenRequests& r, const std::string& item);

// An item as a command-line name: without its surrounding double quotes.
std::string unquotedItem(const std::string& item);

// The answers to the folder (1024) and file-name (1041) requests. A document
// without folder whose name is a network path ("\\\\server\\share\\x.txt")
// is split at its last backslash.
std::string folderAnswer(const std::string& folder, const std::string& fileName);
std::string fileNameAnswer(const std::string& folder, const std::string& fileName);

// The open dialog's filter list: pairs of caption and pattern, each ended by
// a zero byte, the whole ended by a second one; the last pair is the user's
// pattern under userCaption (its folder part left out).
std::string filterList(const std::vector<std::pair<std::string, std::string>>& fixed,
                       const std::string& userCaption, const std::string& userPattern);

}  // namespace viewer
