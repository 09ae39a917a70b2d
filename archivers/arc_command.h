// Parsing of the archiver libraries' command lines. Pure logic: no Win32.
//
// Tokens are separated by blanks; double quotes group a token and are
// dropped, and a backslash is an ordinary character (so "C:\dir\" is the
// folder C:\dir\, not an escaped quote). A token that begins with '-' after
// its quotes are removed is a switch. The remaining tokens are, in order:
// the command (LZH only: "x" keeps folders, "e" drops them), the archive, the
// destination folder (not in the to-memory form) and the names or patterns to
// extract.
#pragma once
#include <functional>
#include <string>
#include <vector>

enum class ArcFormat { Lzh = 1, Zip = 2, Cab = 3 };

struct ArcCommand {
    bool keepFolders = true;  // false: every file lands directly in the folder
    std::string archive;
    std::string folder;
    std::string base;  // LZH "-jbBASE": only entries below BASE
    std::vector<std::string> patterns;
};

// Splits a command line into tokens as described above.
std::vector<std::string> splitCommandLine(const char* line);

// Parses a command line for the given library. toMemory: the ExtractMem form
// ("archive" "item", switches allowed, no command and no folder). Returns
// ARC_OK or ARC_ERROR_UNKNOWN_COMMAND, ARC_ERROR_UNKNOWN_SWITCH,
// ARC_ERROR_NO_ARCHIVE_NAME. With exists: an archive path given without
// quotes that holds blanks ("x ... D:\My Disc\a.lzh "dest"") arrives as
// several tokens; when the first token names no file, it is joined with the
// following ones as long as the joined path names one.
int parseCommand(const char* line, ArcFormat format, bool toMemory, ArcCommand& out,
                 const std::function<bool(const std::string&)>& exists = nullptr);
