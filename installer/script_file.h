// The installer's script reader: an INI-format file held in memory as
// sections of verbatim lines, looked up without regard to case.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace installer {

class ScriptFile {
public:
    static const size_t kMaxLineBytes = 4094;    // a longer line goes on as the next line
    static const size_t kMaxSectionLines = 128;  // further lines of a section are dropped

    // Reads the file; false when it cannot be opened.
    bool load(const char* path);
    // Parses text already in memory (used by load).
    void loadText(const char* data, size_t size);

    const std::string& path() const { return path_; }
    long long lastWriteTime() const { return lastWrite_; }
    bool readOnly() const { return true; }

    bool hasSection(const char* section);
    // True when the section has a line with that key, with or without a value.
    bool hasKey(const char* section, const char* key);
    // Copies the value into buf (cut to size, always terminated); 0 when the
    // section, key or value is missing, else the length copied.
    int getString(const char* section, const char* key, char* buf, size_t size);
    // As getString, but copies def when the section, key or value is missing.
    int getString(const char* section, const char* key, char* buf, size_t size, const char* def);
    // The value as a string; false when missing or empty.
    bool getString(const char* section, const char* key, std::string* out);
    // The value in place (valid until the next load); null when missing or empty.
    const char* value(const char* section, const char* key);
    // First word of the value: TRUE 1, FALSE 0, else its decimal value; 0 when missing.
    int getInt(const char* section, const char* key);
    // True when the first word of the value is TRUE, YES or ON.
    bool getBool(const char* section, const char* key);
    std::vector<std::string> sectionNames() const;
    // Lines beyond the section limit that were dropped while loading.
    size_t droppedLines() const { return dropped_; }

private:
    struct Line {
        std::string text;   // the line as read
        std::string key;    // trimmed key
        std::string value;  // trimmed value (empty when none)
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };
    int findSection(const char* section);
    const Line* findLine(const char* section, const char* key);
    static Line splitLine(const std::string& text);

    std::string path_;
    long long lastWrite_ = 0;
    std::vector<Section> sections_;
    size_t lastSection_ = 0;
    size_t lastLine_ = 0;
    size_t dropped_ = 0;
};

}  // namespace installer
