#include "command_list.h"
#include "sjis.h"
#include <cstring>

namespace menu {

namespace commands {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

const char* skipBlanks(const char* s) {
    while (*s && isBlank(*s)) ++s;
    return s;
}

// Removes trailing blanks (never a trail byte of a double-byte character).
void trimRight(char* s) {
    char* lastKept = nullptr;
    unsigned char* p = reinterpret_cast<unsigned char*>(s);
    while (*p) {
        bool lead = common::isPathLeadByte(*p) && p[1];
        if (lead || !isBlank(static_cast<char>(*p))) lastKept = reinterpret_cast<char*>(p + (lead ? 1 : 0));
        p += lead ? 2 : 1;
    }
    if (lastKept)
        lastKept[1] = '\0';
    else
        s[0] = '\0';
}

// First comma outside double quotes, trail bytes skipped; the end when none.
const char* commandEnd(const char* s) {
    bool quoted = false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        if (common::isPathLeadByte(*p) && p[1]) {
            p += 2;
            continue;
        }
        if (*p == '"')
            quoted = !quoted;
        else if (*p == ',' && !quoted)
            break;
        ++p;
    }
    return reinterpret_cast<const char*>(p);
}

}  // namespace

void PendingList::assign(const char* list) {
    common::copyBounded(text_, list ? list : "", sizeof text_);
    next_ = 0;
}

bool PendingList::takeNext(char* out, size_t outSize) {
    if (out && outSize) out[0] = '\0';
    for (;;) {
        const char* rest = skipBlanks(text_ + next_);
        if (*rest == '\0') {
            clear();
            return false;
        }
        const char* end =
            common::startsWithNoCase(rest, "@view") ? common::stringEnd(rest) : commandEnd(rest);
        const char* after = *end ? end + 1 : end;
        next_ = static_cast<size_t>(after - text_);
        if (end == rest) continue;  // an empty command between two commas
        common::copyBounded(out, rest, outSize, static_cast<size_t>(end - rest));
        if (out && outSize) trimRight(out);
        return true;
    }
}

bool PendingList::empty() const { return *skipBlanks(text_ + next_) == '\0'; }

void PendingList::clear() {
    text_[0] = '\0';
    next_ = 0;
}

Kind kindOf(const char* command) {
    if (common::startsWithNoCase(command, "@view")) return Kind::View;
    if (common::startsWithNoCase(command, "@http") || common::startsWithNoCase(command, "@ftp"))
        return Kind::Web;
    return Kind::Program;
}

void viewFileName(const char* command, char* out, size_t outSize) {
    if (!out || outSize == 0) return;
    out[0] = '\0';
    if (!command || std::strlen(command) <= 5) return;  // "@view" alone names nothing
    // One separator byte follows "@view"; a double-byte character there is
    // no separator but the start of the name, which is never begun at its
    // second byte.
    const char* name = command + 5;
    if (!(common::isPathLeadByte(static_cast<unsigned char>(*name)) && name[1])) ++name;
    if (*name == '"') {
        ++name;
        const char* close = common::findChar(name, '"');
        common::copyBounded(out, name, outSize,
                            static_cast<size_t>((close ? close : common::stringEnd(name)) - name));
        return;
    }
    // The name ends at a blank, or at a comma: the commands an "@view" list
    // carries after its document are never run, and never part of the name.
    const char* end = common::findChar(name, ' ');
    const char* comma = common::findChar(name, ',');
    if (!end || (comma && comma < end)) end = comma;
    common::copyBounded(out, name, outSize,
                        static_cast<size_t>((end ? end : common::stringEnd(name)) - name));
}

void webAddress(const char* command, char* out, size_t outSize) {
    if (!out || outSize == 0) return;
    out[0] = '\0';
    if (!command || command[0] != '@') return;
    common::copyBounded(out, command + 1, outSize);
    trimRight(out);
}

bool playCommand(const char* commandTemplate, const char* mediaPath, char* program, size_t programSize,
                 char* parameters, size_t parametersSize) {
    if (program && programSize) program[0] = '\0';
    if (parameters && parametersSize) parameters[0] = '\0';
    if (!commandTemplate || !*commandTemplate || !mediaPath) return false;
    char upper[kCommandSize];
    common::copyBounded(upper, commandTemplate, sizeof upper);
    common::upperCase(upper);

    // The placeholder is replaced as text: the template comes from the
    // registry and is never used as a format string.
    const char* placeholder = nullptr;
    for (const char* p = common::findChar(upper, '%'); p; p = common::findChar(p + 1, '%'))
        if (p[1] == '1') {
            placeholder = p;
            break;
        }
    if (!placeholder)
        for (const char* p = common::findChar(upper, '%'); p; p = common::findChar(p + 1, '%'))
            if (p[1] == 'L') {
                placeholder = p;
                break;
            }
    if (!placeholder) return false;

    char line[2 * kCommandSize];
    common::copyBounded(line, upper, sizeof line, static_cast<size_t>(placeholder - upper));
    common::appendBounded(line, mediaPath, sizeof line);
    common::appendBounded(line, placeholder + 2, sizeof line);

    // Split at the first blank after ".EXE" (searched in the template part,
    // so a media path holding ".EXE " cannot move the split).
    const char* exe = nullptr;
    for (const char* p = common::findChar(line, '.'); p && p < line + (placeholder - upper);
         p = common::findChar(p + 1, '.'))
        if (std::strncmp(p, ".EXE", 4) == 0) {
            exe = p;
            break;
        }
    const char* split = nullptr;
    if (exe) {
        split = common::findChar(exe, ' ');
    } else if (line[0] == '"') {
        const char* close = common::findChar(line + 1, '"');
        split = close ? common::findChar(close, ' ') : nullptr;
    } else {
        split = common::findChar(line, ' ');
    }
    const char* programEnd = split ? split : common::stringEnd(line);
    const char* programBegin = line;
    if (*programBegin == '"') ++programBegin;
    if (programEnd > programBegin && programEnd[-1] == '"') --programEnd;
    common::copyBounded(program, programBegin, programSize, static_cast<size_t>(programEnd - programBegin));
    if (split) common::copyBounded(parameters, skipBlanks(split), parametersSize);
    return program && programSize && program[0];
}

}  // namespace commands

}  // namespace menu
