// Pure text work of the archive steps: what kind of archive a name suggests,
// the archiver libraries' command lines, and the archive keys' value syntax.
// No <windows.h>: the host builds use it as it stands.
#pragma once
#include <string>

namespace installer {

// Archive kinds, numbered as the libraries are: 1 LZH, 2 ZIP, 3 CAB.
enum ArchiveKind { kNoKind = -1, kLzh = 1, kZip = 2, kCab = 3 };

// What the extension of a file name says about it.
enum class NameClass {
    NoExtension,  // no "." in the file name: never an archive
    Lzh,
    Zip,
    Cab,
    Program,  // ".EXE": perhaps self-extracting, asked with the header check
    Other,    // any other extension: asked with the full check
};
NameClass classifyName(const char* path);

// "UnLha32.DLL", "UnZip32.DLL", "Cab32.DLL"; null for no kind.
const char* libraryName(int kind);
// "Unlha", "UnZip", "Cab".
const char* functionPrefix(int kind);
// "LZH", "ZIP", "CAB" as messages name them.
const char* kindName(int kind);

// The command lines of the three uses, per kind.
std::string extractAllCommand(int kind, const std::string& archive, const std::string& folder);
std::string extractBelowCommand(int kind, const std::string& archive, const std::string& folder,
                                const std::string& base);
std::string extractItemCommand(int kind, const std::string& archive, const std::string& folder,
                               const std::string& item);
// The ExtractMem command: archive and item, both quoted.
std::string toMemoryCommand(const std::string& archive, const std::string& item);
// A FindFirst pattern: quoted when it holds a space.
std::string findPattern(const std::string& item);

// An archive key's value: the first word (split at comma, space or tab) is
// the archive; after the separator, leading blanks and commas skipped, the
// text up to the next comma is the destination folder.
struct ArchiveValue {
    std::string archive;
    std::string destination;
};
ArchiveValue parseArchiveValue(const char* value);

// The LZHSETUP value: archive (may be empty) and the program after the first
// separator, leading blanks skipped.
struct SetupValue {
    std::string archive;
    std::string program;
};
SetupValue parseSetupValue(const char* value);

// A path inside an archive with "/" turned into backslashes (trail bytes kept).
std::string archivePathToFolder(const std::string& inside);

// True when the extension of name (without the dot, any case) is one the
// shell shows: html, htm, hlp, chm, xls, bmp, jpg, gif, png.
bool isShellDocument(const char* name);
// name with its extension replaced (added when it has none).
std::string withExtension(const std::string& name, const char* extension);

}  // namespace installer
