// The installer's command line: a script path, nothing, or
// "section [/option [document]]".
#pragma once
#include <string>

namespace installer {

struct CommandLine {
    enum Kind { Empty, ScriptNamed, Section };
    Kind kind = Empty;
    std::string scriptPath;  // ScriptNamed: the script given on the line
    std::string section;     // Section: text before the first "/", trailing spaces cut
    bool hasOption = false;
    bool badOption = false;  // an option other than V / V<n>
    std::string option;      // the option word as written (for the error message)
    int viewMode = 0;        // 1: /V, 2: /V<n>
    int archiveNumber = 0;   // n of /V<n>
    std::string document;    // rest of the line after the option
};

// fileExists answers whether a path names an existing file.
CommandLine parseCommandLine(const char* line, bool (*fileExists)(const char* path));

// True for a section name whose part from its first "." is ".SELECT" (any case).
bool isSelectionSection(const char* section);

}  // namespace installer
