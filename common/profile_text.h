// A profile (INI) file parsed once in memory and answered the way the
// system's private-profile functions answer, for a reader that asks many
// thousand questions of the same file (each system call opens and scans the
// file again, which costs milliseconds under Wine). Pure byte work on
// Shift-JIS text: no <windows.h>, so the native build's stand-in shares it.
//
// What the system does, and this copies:
//  - lines end at CR or LF; blanks (space, tab, VT, FF, ^Z, but not the
//    ideographic space) around a line, a name and a value are dropped;
//  - "[name]" opens a section, the name running to the last ']' of the line
//    (a ']' that is the second byte of a double-byte character does not
//    count), blanks around it dropped; a '[' line without ']' is an
//    ordinary line;
//  - "name=value" is a key; a line without '=' is a key without a value,
//    which reads as missing; lines before the first section belong to an
//    unnamed section;
//  - names match without the case of ASCII letters (full-width ones are
//    compared as written); the first section of a name and the first key of
//    a name in it win, later duplicates are never seen;
//  - one pair of matching quotes (' or ") around a value or a default is
//    removed; trailing spaces of a default are dropped;
//  - numbers: blanks, a sign, then decimal digits, or hexadecimal after
//    "0x", octal after "0o", binary after "0b" (lower case prefixes only).
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace common {

class ProfileText {
public:
    explicit ProfileText(std::string bytes);

    // The file's bytes as read.
    const std::string& bytes() const { return bytes_; }

    // The value of key in section, or the default (empty when null), copied
    // into out (size bytes, always terminated; a value too long is cut
    // before a double-byte character that would not fit whole). Returns the
    // number of bytes copied. A null section asks for the list of section
    // names, a null key for the key names of the section: names each
    // terminated, a second terminator after the last; a list that does not
    // fit is cut to at most size - 2 bytes, never within a character.
    size_t readString(const char* section, const char* key, const char* defaultValue, char* out,
                      size_t size) const;
    // The number the value spells, or defaultValue when the value is missing
    // or empty (as unsigned, like the system call).
    unsigned readInt(const char* section, const char* key, int defaultValue) const;

    // Section names (section null) or the key names of a section (key null)
    // in file order, without the unnamed section, ';' comment lines and
    // lines without '='.
    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(const char* section) const;

private:
    struct Key {
        std::string name;
        std::string folded;
        std::string value;
        bool hasValue;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };
    const Section* findSection(const char* name) const;
    const Key* findKey(const char* section, const char* key) const;

    std::string bytes_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSection_;  // folded name -> index
};

// A name as the profile functions compare it: blanks around it dropped and
// ASCII letters made upper case.
std::string foldProfileName(const char* name, size_t length);

}  // namespace common
