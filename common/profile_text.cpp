#include "profile_text.h"

#include <cstring>

#include "sjis.h"

namespace common {

namespace {

// True for the blanks the system trims: the ASCII ones and ^Z (not the
// ideographic space). None of them can be the second byte of a character.
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A; }

// Length of the character at p, never past end.
size_t charLength(const char* p, const char* end) {
    return (isCp932LeadByte(static_cast<unsigned char>(*p)) && end - p >= 2) ? 2 : 1;
}

// [begin, end) without blanks at either end.
void trim(const char*& begin, const char*& end) {
    while (begin < end && isBlank(*begin)) ++begin;
    while (end > begin && isBlank(end[-1])) --end;
}

// Removes one pair of matching quotes around the text.
void stripQuotes(const char*& begin, const char*& end) {
    if (end - begin >= 2 && (*begin == '"' || *begin == '\'') && end[-1] == *begin) {
        ++begin;
        --end;
    }
}

size_t copyOut(const char* begin, const char* end, char* out, size_t size) {
    return copyBounded(out, begin, size, static_cast<size_t>(end - begin));
}

// [begin, end) as names are compared: ASCII letters upper-cased. Double-byte
// characters stay as they are (the system does not match full-width or Greek
// letters of another case either).
std::string foldExact(const char* begin, const char* end) {
    std::string folded;
    folded.reserve(static_cast<size_t>(end - begin));
    for (const char* p = begin; p < end;) {
        if (charLength(p, end) == 2) {
            folded.append(p, 2);
            p += 2;
            continue;
        }
        char c = *p++;
        folded += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return folded;
}

}  // namespace

std::string foldProfileName(const char* name, size_t length) {
    const char* begin = name;
    const char* end = name + length;
    trim(begin, end);
    return foldExact(begin, end);
}

ProfileText::ProfileText(std::string bytes) : bytes_(std::move(bytes)) {
    sections_.push_back(Section{std::string(), {}});  // keys before the first section
    firstSection_.emplace(std::string(), 0);
    const char* p = bytes_.data();
    const char* fileEnd = p + bytes_.size();
    bool lastKeyUnnamed = false;
    bool anyKey = false;
    while (p < fileEnd) {
        const char* begin = p;
        while (p < fileEnd && *p != '\n' && *p != '\r') ++p;
        const char* end = p;
        while (p < fileEnd && (*p == '\n' || *p == '\r')) ++p;
        trim(begin, end);
        if (begin == end) continue;

        if (*begin == '[') {
            const char* close = nullptr;
            for (const char* q = begin + 1; q < end; q += charLength(q, end))
                if (*q == ']') close = q;
            if (close) {
                const char* nameBegin = begin + 1;
                const char* nameEnd = close;
                trim(nameBegin, nameEnd);
                firstSection_.emplace(foldExact(nameBegin, nameEnd), sections_.size());
                sections_.push_back(Section{std::string(nameBegin, nameEnd), {}});
                lastKeyUnnamed = false;
                anyKey = false;
                continue;
            }
        }

        const char* eq = static_cast<const char*>(std::memchr(begin, '=', static_cast<size_t>(end - begin)));
        Key key;
        const char* nameEnd = eq ? eq : end;
        const char* nameBegin = begin;
        trim(nameBegin, nameEnd);
        key.name.assign(nameBegin, nameEnd);
        key.hasValue = eq != nullptr;
        if (eq) {
            const char* valueBegin = eq + 1;
            const char* valueEnd = end;
            trim(valueBegin, valueEnd);
            key.value.assign(valueBegin, valueEnd);
        }
        // Runs of unnamed keys collapse into one, as the system loads them.
        if (key.name.empty() && anyKey && lastKeyUnnamed) continue;
        key.folded = foldExact(key.name.data(), key.name.data() + key.name.size());
        lastKeyUnnamed = key.name.empty();
        anyKey = true;
        sections_.back().keys.push_back(std::move(key));
    }
}

const ProfileText::Section* ProfileText::findSection(const char* name) const {
    auto at = firstSection_.find(foldProfileName(name, std::strlen(name)));
    return at == firstSection_.end() ? nullptr : &sections_[at->second];
}

const ProfileText::Key* ProfileText::findKey(const char* section, const char* key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    std::string wanted = foldProfileName(key, std::strlen(key));
    for (const Key& k : s->keys)
        if (k.folded == wanted) return &k;
    return nullptr;
}

size_t ProfileText::readString(const char* section, const char* key, const char* defaultValue, char* out,
                               size_t size) const {
    if (!out || size == 0) return 0;
    if (!section || !key) {
        std::vector<std::string> names = section ? keyNames(section) : sectionNames();
        // A list: each name terminated, a second terminator after the last;
        // a list that does not fit is cut to size - 2 bytes.
        std::string all;
        for (const std::string& n : names) all.append(n).append(1, '\0');
        if (size == 1) {
            out[0] = '\0';
            return 0;
        }
        // The system wants room for the list and both terminators; a list
        // cut short never ends in half a double-byte character.
        if (all.size() + 2 > size) {
            size_t n = boundedLength(all.data(), all.size(), size - 2);
            std::memcpy(out, all.data(), n);
            out[n] = '\0';
            out[n + 1] = '\0';
            return n;
        }
        std::memcpy(out, all.data(), all.size());
        out[all.size()] = '\0';
        if (all.empty()) out[1] = '\0';
        return all.size();
    }
    const Key* k = findKey(section, key);
    const char* begin;
    const char* end;
    if (k && k->hasValue) {
        begin = k->value.data();
        end = begin + k->value.size();
    } else {
        // Trailing spaces of a default go, but one character always stays.
        begin = defaultValue ? defaultValue : "";
        end = begin + std::strlen(begin);
        while (end - begin > 1 && end[-1] == ' ') --end;
    }
    stripQuotes(begin, end);
    return copyOut(begin, end, out, size);
}

unsigned ProfileText::readInt(const char* section, const char* key, int defaultValue) const {
    // The system reads the number from a 30-character buffer.
    char value[30];
    if (readString(section, key, "", value, sizeof value) == 0) return static_cast<unsigned>(defaultValue);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(value);
    while (*p && *p <= ' ') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
        p += 2;
    }
    unsigned n = 0;
    for (;; ++p) {
        unsigned digit;
        if (*p >= '0' && *p <= '9')
            digit = *p - '0';
        else if (*p >= 'A' && *p <= 'Z')
            digit = *p - 'A' + 10;
        else if (*p >= 'a' && *p <= 'z')
            digit = *p - 'a' + 10;
        else
            break;
        if (digit >= base) break;
        n = n * base + digit;
    }
    return negative ? 0u - n : n;
}

std::vector<std::string> ProfileText::sectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        if (!s.name.empty()) names.push_back(s.name);
    return names;
}

std::vector<std::string> ProfileText::keyNames(const char* section) const {
    std::vector<std::string> names;
    const Section* s = findSection(section);
    if (!s) return names;
    for (const Key& k : s->keys) {
        if (!k.hasValue) continue;
        if (!k.name.empty() && k.name[0] == ';') continue;
        names.push_back(k.name);
    }
    return names;
}

}  // namespace common
