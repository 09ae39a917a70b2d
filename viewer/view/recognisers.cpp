#include "recognisers.h"
#include "sjis.h"
#include <cstring>

namespace viewer {
namespace {

bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isWordChar(unsigned char c) { return isLetter(c) || isDigit(c) || c == '_' || c == '$' || c == '@'; }

// trail[i] is true when byte i is the second byte of a double-byte character.
std::vector<char> trailMap(const unsigned char* text, int length) {
    std::vector<char> trail(length > 0 ? length : 0, 0);
    for (int i = 0; i < length; ++i) {
        if (common::isCp932LeadByte(text[i]) && i + 1 < length) {
            trail[i + 1] = 1;
            ++i;
        }
    }
    return trail;
}

bool schemeMatches(const unsigned char* word, int n) {
    static const char* const schemes[] = {"http", "https", "ftp", "nntp", "news", "file", "telnet"};
    for (const char* s : schemes) {
        if (static_cast<int>(std::strlen(s)) != n) continue;
        bool same = true;
        for (int k = 0; k < n && same; ++k) {
            unsigned char c = word[k];
            if (c >= 'A' && c <= 'Z') c += 32;
            same = c == static_cast<unsigned char>(s[k]);
        }
        if (same) return true;
    }
    return false;
}

}  // namespace

bool isUrlChar(unsigned char c) {
    return isLetter(c) || isDigit(c) || (c != 0 && std::strchr("!#$%&*+,-./:;=?@^_~", c) != nullptr);
}

bool isMailChar(unsigned char c) {
    return isLetter(c) || isDigit(c) || (c != 0 && std::strchr("!$%&*-./;=?@^_~", c) != nullptr);
}

std::vector<LinkSpan> findWebAddresses(const unsigned char* text, int length) {
    std::vector<LinkSpan> out;
    if (!text || length <= 0) return out;
    std::vector<char> trail = trailMap(text, length);
    int resume = 0;  // an address already found is not scanned again for schemes
    for (int colon = 0; colon < length; ++colon) {
        if (text[colon] != ':' || trail[colon] || colon < resume) continue;
        int start = colon;
        while (start > 0 && isLetter(text[start - 1]) && !trail[start - 1]) --start;
        if (start == colon || !schemeMatches(text + start, colon - start)) continue;
        if (start > 0 && isWordChar(text[start - 1]) && !trail[start - 1]) continue;
        int end = colon + 1;
        while (end < length && isUrlChar(text[end]) && !trail[end]) ++end;
        out.push_back({start, end, kWebLink});
        resume = end;
    }
    return out;
}

std::vector<LinkSpan> findMailAddresses(const unsigned char* text, int length) {
    std::vector<LinkSpan> out;
    if (!text || length < 3) return out;
    std::vector<char> trail = trailMap(text, length);
    int resume = 0;
    for (int at = 1; at + 1 < length; ++at) {
        if (text[at] != '@' || trail[at] || at < resume) continue;
        if (!isMailChar(text[at - 1]) || !isMailChar(text[at + 1]) || trail[at + 1]) continue;
        int start = at;
        while (start > 0 && isMailChar(text[start - 1])) --start;
        if (trail[start]) ++start;
        if (start >= at) continue;
        int end = at + 1;
        while (end < length && isMailChar(text[end]) && !trail[end]) ++end;
        bool dot = false;
        for (int k = at + 1; k < end; ++k) dot = dot || text[k] == '.';
        if (!dot) continue;
        out.push_back({start, end, kMailLink});
        resume = end;
    }
    return out;
}

std::vector<LinkSpan> findAddresses(const unsigned char* text, int length) {
    std::vector<LinkSpan> all = findWebAddresses(text, length);
    std::vector<LinkSpan> mail = findMailAddresses(text, length);
    all.insert(all.end(), mail.begin(), mail.end());
    return all;
}

}  // namespace viewer
