#include "ini_lines.h"

#include <cstdio>

#include "sjis.h"

namespace disccheck {

namespace {

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

IniLines::IniLines(const std::string& content) {
    size_t start = 0;
    while (start <= content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string text = trimmed(content.substr(start, end - start));
        Line line;
        if (!text.empty() && text[0] == '[') {
            // "]" is searched by character: it is also the second byte of
            // some double-byte characters ("[望遠鏡]").
            const char* close = common::findChar(text.c_str() + 1, ']');
            line.section =
                trimmed(text.substr(1, close ? size_t(close - text.c_str()) - 1 : std::string::npos));
        } else if (!text.empty() && text[0] != ';') {
            size_t eq = text.find('=');
            if (eq != std::string::npos) line.key = trimmed(text.substr(0, eq));
        }
        lines_.push_back(line);
        if (end == content.size()) break;
        start = end + 1;
    }
}

int IniLines::section(const std::string& name) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (!lines_[i].section.empty() && common::equalsNoCase(lines_[i].section.c_str(), name.c_str()))
            return static_cast<int>(i) + 1;
    return 0;
}

int IniLines::key(const std::string& sectionName, const std::string& keyName) const {
    int at = section(sectionName);
    if (at == 0) return 0;
    for (size_t i = static_cast<size_t>(at); i < lines_.size() && lines_[i].section.empty(); ++i)
        if (!lines_[i].key.empty() && common::equalsNoCase(lines_[i].key.c_str(), keyName.c_str()))
            return static_cast<int>(i) + 1;
    return at;
}

std::vector<std::string> IniLines::keys(const std::string& sectionName) const {
    std::vector<std::string> found;
    int at = section(sectionName);
    if (at == 0) return found;
    for (size_t i = static_cast<size_t>(at); i < lines_.size() && lines_[i].section.empty(); ++i)
        if (!lines_[i].key.empty()) found.push_back(lines_[i].key);
    return found;
}

}  // namespace disccheck
