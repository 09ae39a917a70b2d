// Where a section or key stands in a profile file, for the line number of a
// finding. The values themselves are always read through the programs' own
// profile reader; this only points at the line, matching names without
// regard to ASCII case as the profile functions do. Pure.
#pragma once
#include <string>
#include <vector>

namespace disccheck {

class IniLines {
public:
    // Takes the file's bytes.
    explicit IniLines(const std::string& content);
    // Line (from 1) of "[section]"; 0 when the file has no such section.
    int section(const std::string& name) const;
    // Line of the first "key=" within the section; the section's line when
    // the key is missing, 0 when the section is.
    int key(const std::string& section, const std::string& key) const;
    // The keys of the section in file order, as written (empty when the
    // section is missing).
    std::vector<std::string> keys(const std::string& section) const;

private:
    struct Line {
        std::string section;  // set on section header lines
        std::string key;      // set on key lines
    };
    std::vector<Line> lines_;
};

// The whole file, or empty when it cannot be read: the copy the profile
// reader answers from (read once per check), read through the system's file
// calls, so that the native build reads the disc its stand-in mounted.
std::string readWholeFile(const std::string& path);

}  // namespace disccheck
