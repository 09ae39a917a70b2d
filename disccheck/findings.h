// The findings of one check run: where (file relative to the disc folder and
// line, 0 when the finding concerns the whole file), how bad, and the text in
// the programs' own Shift-JIS wording. Written as compiler-style lines or as
// JSON. Pure: no platform calls, so it builds for the host as well.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace disccheck {

struct Finding {
    std::string file;
    int line = 0;
    bool error = true;
    std::string text;
};

class Findings {
public:
    void add(const std::string& file, int line, bool error, const std::string& text);
    // Puts the findings from index `first` on in line order (a file's
    // checks run by section, the report reads top to bottom).
    void sortLinesFrom(size_t first);
    const std::vector<Finding>& all() const { return all_; }
    int errors() const;
    int warnings() const;

    // "FILE:LINE: error|warning: text" per finding, then the summary line.
    std::string report() const;
    // {"findings":[{"file":..,"line":..,"severity":..,"text":..}],"errors":n,"warnings":n}
    std::string json() const;

private:
    std::vector<Finding> all_;
};

// Line breaks inside a message (the menu's boxes use "\r\n" and "\n") become
// single spaces, so that each finding stays on one line.
std::string oneLine(const std::string& text);

// JSON string body of Shift-JIS text: quotes, backslashes and control bytes
// escaped, double-byte characters left whole (their trail byte may be 0x5C,
// which must not be taken for a backslash).
std::string jsonEscape(const std::string& text);

}  // namespace disccheck
