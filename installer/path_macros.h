// Expansion of the path macros $WIN, $SYSTEM, $PROG, $TEMP, $DOC and
// $INI(file section key) in script values.
#pragma once
#include <cstddef>
#include <string>

namespace installer {

// Where the macros get their folders from: the system in the program, fixed
// values in tests.
class MacroSource {
public:
    virtual ~MacroSource() {}
    virtual std::string windowsFolder() const = 0;
    virtual std::string systemFolder() const = 0;
    virtual std::string programFilesFolder() const = 0;
    virtual std::string tempFolder() const = 0;  // with its final backslash
    virtual std::string documentsFolder() const = 0;
    virtual std::string profileString(const std::string& file, const std::string& section,
                                      const std::string& key) const = 0;
};

const size_t kMacroArgumentBytes = 79;  // the text inside $INI( )
const size_t kMacroNameBytes = 39;      // section and key of $INI( )
const size_t kExpandedBytes = 480;      // the whole expanded text, terminator included

// Expands every macro of text into out. False (out left with the text cut
// short) when the result would not fit in kExpandedBytes.
bool expandMacros(const char* text, const MacroSource& source, std::string* out);

}  // namespace installer
