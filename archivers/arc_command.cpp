#include "arc_command.h"
#include "arc_results.h"
#include <cstring>

std::vector<std::string> splitCommandLine(const char* line) {
    std::vector<std::string> tokens;
    if (!line) return tokens;
    const char* p = line;
    for (;;) {
        while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
        if (!*p) break;
        std::string token;
        bool quoted = false;
        // Quote and blank are single-byte values that never occur as the
        // second byte of a Shift-JIS character, so a byte scan is safe here.
        while (*p && (quoted || (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n'))) {
            if (*p == '"')
                quoted = !quoted;
            else
                token += *p;
            ++p;
        }
        tokens.push_back(token);
    }
    return tokens;
}

namespace {

bool isDigits(const char* s) {
    for (; *s; ++s)
        if (*s < '0' || *s > '9') return false;
    return true;
}

// Applies one switch; false when this library does not know it.
bool applySwitch(const std::string& sw, ArcFormat format, ArcCommand& out) {
    const char* s = sw.c_str() + 1;  // after '-'
    switch (format) {
    case ArcFormat::Lzh:
        // -n[N]: no progress dialog (this library never shows one);
        // -a0..-a2: attributes kept; -jf0/-jf1 and -jc: accepted, nothing to
        // change for extraction; -jbBASE: only entries below BASE.
        if (s[0] == 'n' && isDigits(s + 1)) return true;
        if (s[0] == 'a' && (s[1] >= '0' && s[1] <= '2') && !s[2]) return true;
        if (!std::strcmp(s, "jf0") || !std::strcmp(s, "jf1") || !std::strcmp(s, "jc")) return true;
        if (!std::strncmp(s, "jb", 2) && s[2]) {
            out.base = s + 2;
            return true;
        }
        return false;
    case ArcFormat::Zip:
        // --i: names compare without case (always so here); -o: overwrite
        // (always so here); -j: drop folders.
        if (!std::strcmp(s, "-i") || !std::strcmp(s, "o")) return true;
        if (!std::strcmp(s, "j")) {
            out.keepFolders = false;
            return true;
        }
        return false;
    case ArcFormat::Cab:
        if (!std::strcmp(s, "i") || !std::strcmp(s, "o")) return true;
        if (!std::strcmp(s, "j")) {
            out.keepFolders = false;
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace

int parseCommand(const char* line, ArcFormat format, bool toMemory, ArcCommand& out,
                 const std::function<bool(const std::string&)>& exists) {
    out = ArcCommand();
    std::vector<std::string> tokens = splitCommandLine(line);
    bool haveCommand = toMemory;
    std::vector<std::string> positional;
    for (const std::string& t : tokens) {
        if (t.size() > 1 && t[0] == '-') {
            // ZIP and CAB name their command as a switch.
            if (format != ArcFormat::Lzh && !toMemory && t == "-x") {
                haveCommand = true;
                continue;
            }
            if (!applySwitch(t, format, out)) return ARC_ERROR_UNKNOWN_SWITCH;
            continue;
        }
        if (format == ArcFormat::Lzh && !haveCommand) {
            if (t == "x" || t == "X") {
                haveCommand = true;
            } else if (t == "e" || t == "E") {
                haveCommand = true;
                out.keepFolders = false;
            } else {
                return ARC_ERROR_UNKNOWN_COMMAND;
            }
            continue;
        }
        positional.push_back(t);
    }
    if (!haveCommand) return ARC_ERROR_UNKNOWN_COMMAND;
    if (positional.empty() || positional[0].empty()) return ARC_ERROR_NO_ARCHIVE_NAME;
    size_t next = 0;
    out.archive = positional[next++];
    if (exists && !exists(out.archive)) {
        std::string joined = out.archive;
        for (size_t k = next; k < positional.size(); ++k) {
            joined += " " + positional[k];
            if (exists(joined)) {
                out.archive = joined;
                next = k + 1;
                break;
            }
        }
    }
    if (!toMemory && next < positional.size()) out.folder = positional[next++];
    for (; next < positional.size(); ++next) out.patterns.push_back(positional[next]);
    return ARC_OK;
}
