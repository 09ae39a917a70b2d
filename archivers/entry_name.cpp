#include "entry_name.h"
#include "sjis.h"
#include <cstring>
#include <vector>

namespace {

bool isTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }
bool isSeparator(char c) { return c == '\\' || c == '/'; }
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Splits at '\' and '/' outside double-byte characters. False on a broken
// double-byte character (a lead byte without a valid second byte): such a
// name could turn into other characters, separators included, once the
// system converts it.
bool splitSteps(const std::string& name, std::vector<std::string>& steps) {
    std::string step;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (common::isPathLeadByte(c)) {
            if (i + 1 >= name.size() || !isTrailByte(static_cast<unsigned char>(name[i + 1]))) return false;
            step += name[i];
            step += name[++i];
        } else if (isSeparator(name[i])) {
            steps.push_back(step);
            step.clear();
        } else {
            step += name[i];
        }
    }
    steps.push_back(step);
    return true;
}

// Windows opens "CON", "con.txt" and "CON .log" as the console: the part
// before the first dot, trailing blanks removed, decides.
bool isDeviceName(const std::string& step) {
    std::string stem = step.substr(0, step.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = upperAscii(c);
    static const char* const kFixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* d : kFixed)
        if (stem == d) return true;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
        stem[3] >= '1' && stem[3] <= '9')
        return true;
    return false;
}

// A step the system would not create as a file of that name inside the
// folder. Trail bytes were already paired off, so single-byte tests on the
// step's bytes only look at the first bytes of characters when guarded.
bool isUnsafeStep(const std::string& step) {
    bool onlyDotsAndBlanks = true;
    for (size_t i = 0; i < step.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(step[i]);
        if (common::isPathLeadByte(c)) {
            ++i;
            onlyDotsAndBlanks = false;
            continue;
        }
        if (c < 0x20 || std::strchr("<>:\"|?*", c)) return true;
        if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
    }
    return onlyDotsAndBlanks || isDeviceName(step);
}

// One character of a name starting at i: 1 or 2 bytes.
size_t charLength(const std::string& s, size_t i) {
    return (common::isPathLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

bool sameChar(const std::string& a, size_t i, const std::string& b, size_t j, size_t len, bool ignoreCase) {
    if (len == 1) {
        char x = a[i], y = b[j];
        if (isSeparator(x) && isSeparator(y)) return true;
        return ignoreCase ? upperAscii(x) == upperAscii(y) : x == y;
    }
    return a[i] == b[j] && a[i + 1] == b[j + 1];
}

bool matchFrom(const std::string& p, size_t pi, const std::string& n, size_t ni, bool crosses,
               bool ignoreCase) {
    while (pi < p.size()) {
        if (p[pi] == '*') {
            bool any = crosses;
            size_t stars = pi;
            while (stars < p.size() && p[stars] == '*') ++stars;
            if (stars - pi >= 2) any = true;
            if (stars == p.size()) {
                if (any) return true;
                for (size_t k = ni; k < n.size(); k += charLength(n, k))
                    if (isSeparator(n[k]) && charLength(n, k) == 1) return false;
                return true;
            }
            for (size_t k = ni;; k += charLength(n, k)) {
                if (matchFrom(p, stars, n, k, crosses, ignoreCase)) return true;
                if (k >= n.size()) return false;
                if (!any && charLength(n, k) == 1 && isSeparator(n[k])) return false;
            }
        }
        if (ni >= n.size()) return false;
        size_t pl = charLength(p, pi), nl = charLength(n, ni);
        if (p[pi] == '?' && pl == 1) {
            if (nl == 1 && isSeparator(n[ni])) return false;
        } else if (pl != nl || !sameChar(p, pi, n, ni, pl, ignoreCase)) {
            return false;
        }
        pi += pl;
        ni += nl;
    }
    return ni == n.size();
}

}  // namespace

bool safeEntryPath(const std::string& name, std::string& out) {
    if (name.empty() || isSeparator(name[0])) return false;
    std::vector<std::string> steps;
    if (!splitSteps(name, steps)) return false;
    std::string path;
    for (const std::string& step : steps) {
        if (step.empty() || step == ".") continue;
        if (isUnsafeStep(step)) return false;
        if (!path.empty()) path += '\\';
        path += step;
    }
    if (path.empty()) return false;
    out = path;
    return true;
}

std::string lastStep(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += charLength(path, i))
        if (charLength(path, i) == 1 && isSeparator(path[i])) start = i + 1;
    return path.substr(start);
}

bool matchName(const std::string& pattern, const std::string& name, bool starCrossesSteps, bool ignoreCase) {
    return matchFrom(pattern, 0, name, 0, starCrossesSteps, ignoreCase);
}

bool isBelow(const std::string& path, const std::string& base) {
    std::string b = base;
    while (!b.empty()) {
        // A final 0x5C may be the second byte of a character such as "表":
        // only a separator that starts a character is dropped.
        size_t last = 0;
        for (size_t i = 0; i < b.size(); i += charLength(b, i)) last = i;
        if (charLength(b, last) != 1 || !isSeparator(b[last])) break;
        b.pop_back();
    }
    if (b.empty() || path.size() <= b.size()) return false;
    size_t i = 0;
    while (i < b.size()) {
        size_t len = charLength(b, i);
        if (charLength(path, i) != len || !sameChar(b, i, path, i, len, true)) return false;
        i += len;
    }
    return isSeparator(path[i]);
}
