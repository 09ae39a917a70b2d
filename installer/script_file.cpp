#include "script_file.h"
#include "sjis.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace installer {

bool ScriptFile::load(const char* path) {
    path_ = path ? path : "";
    sections_.clear();
    FILE* f = path ? fopen(path, "rb") : nullptr;
    if (!f) return false;
    std::string data;
    char chunk[8192];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) data.append(chunk, n);
    fclose(f);
    struct stat st;
    lastWrite_ = stat(path, &st) == 0 ? (long long)st.st_mtime : 0;
    loadText(data.data(), data.size());
    return true;
}

void ScriptFile::loadText(const char* data, size_t size) {
    sections_.clear();
    sections_.push_back(Section());  // lines before the first header
    lastSection_ = lastLine_ = 0;
    dropped_ = 0;
    size_t pos = 0;
    while (pos < size) {
        // One line as a fixed-size line reader sees it: at most 4094 bytes
        // including the line feed; the rest of a longer line comes next.
        size_t end = pos;
        while (end < size && end - pos < kMaxLineBytes && data[end] != '\n') end++;
        bool newline = end < size && data[end] == '\n';
        std::string line(data + pos, end - pos);
        pos = newline ? end + 1 : end;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();

        // The closing bracket is searched by character: "望" ends in 0x5D, the
        // byte of ']'.
        const char* close =
            line.empty() || line[0] != '[' ? nullptr : common::findChar(line.c_str() + 1, ']');
        if (close) {
            Section s;
            s.name = line.substr(1, static_cast<size_t>(close - line.c_str()) - 1);
            sections_.push_back(s);
            continue;
        }
        Section& cur = sections_.back();
        if (cur.lines.size() >= kMaxSectionLines) {
            dropped_++;
            continue;
        }
        cur.lines.push_back(splitLine(line));
    }
}

ScriptFile::Line ScriptFile::splitLine(const std::string& text) {
    Line l;
    l.text = text;
    size_t sep = text.find_first_of("\t=");
    size_t keyEnd = sep == std::string::npos ? text.size() : sep;
    size_t b = 0, e = keyEnd;
    while (b < e && (unsigned char)text[b] <= ' ') b++;
    while (e > b && (unsigned char)text[e - 1] <= ' ') e--;
    l.key = text.substr(b, e - b);
    if (sep == std::string::npos) return l;
    size_t vb = sep + 1, ve = text.size();
    while (vb < ve && (text[vb] == '\t' || text[vb] == ' ' || text[vb] == '=')) vb++;
    while (ve > vb && (text[ve - 1] == ' ' || text[ve - 1] == '\t')) ve--;
    l.value = text.substr(vb, ve - vb);
    return l;
}

int ScriptFile::findSection(const char* section) {
    if (!section || sections_.empty()) return -1;
    size_t n = sections_.size();
    // Start where the last lookup succeeded and wrap round once.
    for (size_t i = 0; i < n; i++) {
        size_t idx = (lastSection_ + i) % n;
        if (idx == 0) continue;  // the unnamed part before the first header
        if (common::equalsNoCase(sections_[idx].name.c_str(), section)) {
            if (idx != lastSection_) lastLine_ = 0;
            lastSection_ = idx;
            return (int)idx;
        }
    }
    return -1;
}

const ScriptFile::Line* ScriptFile::findLine(const char* section, const char* key) {
    int s = findSection(section);
    if (s < 0 || !key) return nullptr;
    const std::vector<Line>& lines = sections_[s].lines;
    size_t n = lines.size();
    for (size_t i = 0; i < n; i++) {
        size_t idx = (lastLine_ + i) % n;
        const Line& l = lines[idx];
        if (!l.key.empty() && common::equalsNoCase(l.key.c_str(), key)) {
            lastLine_ = idx;
            return &l;
        }
    }
    return nullptr;
}

bool ScriptFile::hasSection(const char* section) { return findSection(section) >= 0; }

bool ScriptFile::hasKey(const char* section, const char* key) { return findLine(section, key) != nullptr; }

const char* ScriptFile::value(const char* section, const char* key) {
    const Line* l = findLine(section, key);
    if (!l || l->value.empty()) return nullptr;
    return l->value.c_str();
}

int ScriptFile::getString(const char* section, const char* key, char* buf, size_t size) {
    if (!buf || size == 0) return 0;
    const char* v = value(section, key);
    if (!v) {
        buf[0] = 0;
        return 0;
    }
    return (int)common::copyBounded(buf, v, size);
}

int ScriptFile::getString(const char* section, const char* key, char* buf, size_t size, const char* def) {
    int n = getString(section, key, buf, size);
    if (n == 0 && buf && size) n = (int)common::copyBounded(buf, def ? def : "", size);
    return n;
}

bool ScriptFile::getString(const char* section, const char* key, std::string* out) {
    const char* v = value(section, key);
    if (out) *out = v ? v : "";
    return v != nullptr;
}

static std::string firstWord(const char* v) {
    std::string w;
    if (!v) return w;
    while (*v && *v != '\t' && *v != ' ' && *v != '=') w += *v++;
    return w;
}

int ScriptFile::getInt(const char* section, const char* key) {
    std::string w = firstWord(value(section, key));
    if (common::equalsNoCase(w.c_str(), "TRUE")) return 1;
    if (common::equalsNoCase(w.c_str(), "FALSE")) return 0;
    return atoi(w.c_str());
}

bool ScriptFile::getBool(const char* section, const char* key) {
    std::string w = firstWord(value(section, key));
    return common::equalsNoCase(w.c_str(), "TRUE") || common::equalsNoCase(w.c_str(), "YES") ||
           common::equalsNoCase(w.c_str(), "ON");
}

std::vector<std::string> ScriptFile::sectionNames() const {
    std::vector<std::string> names;
    for (size_t i = 1; i < sections_.size(); i++) names.push_back(sections_[i].name);
    return names;
}

}  // namespace installer
