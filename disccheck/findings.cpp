#include "findings.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "check_texts.h"
#include "sjis.h"

namespace disccheck {

void Findings::add(const std::string& file, int line, bool error, const std::string& text) {
    all_.push_back(Finding{file, line, error, oneLine(text)});
}

void Findings::sortLinesFrom(size_t first) {
    if (first >= all_.size()) return;
    std::stable_sort(all_.begin() + static_cast<std::ptrdiff_t>(first), all_.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

int Findings::errors() const {
    int n = 0;
    for (const Finding& f : all_) n += f.error ? 1 : 0;
    return n;
}

int Findings::warnings() const { return static_cast<int>(all_.size()) - errors(); }

std::string Findings::report() const {
    std::string out;
    char number[32];
    for (const Finding& f : all_) {
        std::snprintf(number, sizeof number, ":%d: ", f.line);
        out += f.file + number + (f.error ? "error: " : "warning: ") + f.text + "\n";
    }
    char summary[96];
    std::snprintf(summary, sizeof summary, checktext::kSummary, errors(), warnings());
    return out + summary + "\n";
}

std::string Findings::json() const {
    std::string out = "{\"findings\":[";
    char number[32];
    bool first = true;
    for (const Finding& f : all_) {
        if (!first) out += ",";
        first = false;
        std::snprintf(number, sizeof number, "%d", f.line);
        out += "\n{\"file\":\"" + jsonEscape(f.file) + "\",\"line\":" + number + ",\"severity\":\"" +
               (f.error ? "error" : "warning") + "\",\"text\":\"" + jsonEscape(f.text) + "\"}";
    }
    std::snprintf(number, sizeof number, "%d", errors());
    out += std::string("],\n\"errors\":") + number;
    std::snprintf(number, sizeof number, "%d", warnings());
    out += std::string(",\"warnings\":") + number + "}\n";
    return out;
}

std::string oneLine(const std::string& text) {
    std::string out;
    const char* p = text.c_str();
    while (*p) {
        const char* next = common::nextChar(p);
        if (*p == '\r' || *p == '\n') {
            while (*p == '\r' || *p == '\n') ++p;
            if (*p && *p != ' ' && !out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        out.append(p, next);
        p = next;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string jsonEscape(const std::string& text) {
    std::string out;
    const char* p = text.c_str();
    while (*p) {
        const char* next = common::nextChar(p);
        unsigned char c = static_cast<unsigned char>(*p);
        if (next - p > 1) {
            out.append(p, next);
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += *p;
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += *p;
        }
        p = next;
    }
    return out;
}

}  // namespace disccheck
