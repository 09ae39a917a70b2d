#include "search_match.h"
#include "sjis.h"
#include <algorithm>
#include <cstring>

namespace viewer {
namespace {

// Characters are paired as the text window pairs them for the caret, so a
// match never starts where the caret could not stand.
inline bool lead(unsigned char c) { return common::isCp932LeadByte(c); }

inline int charSize(const unsigned char* line, int length, int at) {
    return (lead(line[at]) && at + 1 < length) ? 2 : 1;
}

inline bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
inline bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Walks character starts forward from a known boundary; every query is at
// or after the previous one, so one pass over a line costs its length once.
class BoundaryWalker {
public:
    BoundaryWalker(const unsigned char* line, int length) : line_(line), length_(length) {}
    // Whether `at` starts a character; afterwards previous() is the start of
    // the character before the one at or containing `at` (-1 at the start).
    bool boundary(int at) {
        while (next_ < at) {
            prev_ = next_;
            next_ += charSize(line_, length_, next_);
        }
        if (next_ == at) return true;
        return false;
    }
    int previous() const { return prev_; }

private:
    const unsigned char* line_;
    int length_;
    int next_ = 0;  // start of a character
    int prev_ = -1;
};

// Whether `end` (inside the line) splits a character whose start is at or after `from`.
bool endsInsideCharacter(const unsigned char* line, int length, int from, int end) {
    int i = from;
    while (i < end) i += charSize(line, length, i);
    return i != end;
}

// The whole-word test with the start of the character before the match known.
bool wholeWord(const unsigned char* line, int length, int start, int previous, int count,
               unsigned char keyFirst, unsigned char keyLast) {
    unsigned char before = ' ';
    if (previous >= 0 && charSize(line, length, previous) == 1) before = line[previous];
    unsigned char after = ' ';
    int end = start + count;
    if (end < length && !lead(line[end])) after = line[end];
    if (isLetter(before) || isLetter(after)) return false;
    if (isDigit(before) && isDigit(keyFirst)) return false;
    if (isDigit(after) && isDigit(keyLast)) return false;
    return true;
}

bool acceptable(const unsigned char* line, int length, int at, int previous, const SearchKey& key) {
    int n = static_cast<int>(key.bytes.size());
    if (at + n < length && endsInsideCharacter(line, length, at, at + n)) return false;
    if (!key.wholeWord) return true;
    return wholeWord(line, length, at, previous, n, static_cast<unsigned char>(key.bytes.front()),
                     static_cast<unsigned char>(key.bytes.back()));
}

// Whether the key's bytes stand at `t`, compared as the folded text would
// compare: the key is folded already; a byte of the text counts folded where
// it is a single-byte character and as it is where it is the second byte of
// a double-byte character. The match starts on a character boundary, so the
// text's characters line up with the key's as long as the bytes agree.
inline bool keyAt(const unsigned char* t, const unsigned char* k, int n, bool caseSensitive) {
    if (caseSensitive) return std::memcmp(t, k, static_cast<size_t>(n)) == 0;
    int i = 0;
    while (i < n) {
        unsigned char c = k[i];
        if (lead(c) && i + 1 < n) {
            if (t[i] != c || t[i + 1] != k[i + 1]) return false;
            i += 2;
        } else {
            unsigned char x = t[i];
            if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - ('a' - 'A'));
            if (x != c) return false;
            ++i;
        }
    }
    return true;
}

// Candidate starts: where the text holds the key's first byte (either case
// of it when case is ignored). The line is never folded or copied again:
// one or two memchr scans run ahead and are merged.
class Candidates {
public:
    Candidates(const unsigned char* line, int length, const SearchKey& key)
        : line_(line), last_(length - static_cast<int>(key.bytes.size())) {
        first_ = static_cast<unsigned char>(key.bytes[0]);
        second_ = first_;
        if (!key.caseSensitive && first_ >= 'A' && first_ <= 'Z')
            second_ = static_cast<unsigned char>(first_ + ('a' - 'A'));
    }
    // The first candidate at or after `from`; -1 when none is left.
    int next(int from) {
        if (from > last_) return -1;
        if (a_ < from) a_ = scan(first_, from);
        if (second_ == first_) return a_ <= last_ ? a_ : -1;
        if (b_ < from) b_ = scan(second_, from);
        if (a_ > last_) return b_ > last_ ? -1 : b_;
        if (b_ > last_) return a_;
        return a_ < b_ ? a_ : b_;
    }

private:
    // Position of c at or after from, or past the last start when absent.
    int scan(unsigned char c, int from) {
        const void* hit = std::memchr(line_ + from, c, static_cast<size_t>(last_ - from + 1));
        return hit ? static_cast<int>(static_cast<const unsigned char*>(hit) - line_) : last_ + 1;
    }
    const unsigned char* line_;
    int last_;
    unsigned char first_, second_;
    int a_ = -1, b_ = -1;
};

// The key byte a block scan looks for with memchr. A digit, blank or sign
// (a single byte below 0x40) comes first: in Shift-JIS text it never occurs
// as the second byte of a double-byte character, so it is by far the rarest
// byte of a mixed key. Otherwise the first byte that has a single value in
// the text: any byte when case counts, and not a letter standing alone in
// the key when it does not (that matches in either case, and one memchr
// beats two merged ones).
int anchorIndex(const SearchKey& key) {
    const int n = static_cast<int>(key.bytes.size());
    for (int i = 0; i < n;) {
        unsigned char c = static_cast<unsigned char>(key.bytes[i]);
        if (lead(c) && i + 1 < n) {
            i += 2;
            continue;
        }
        if (c < 0x40) return i;
        ++i;
    }
    if (key.caseSensitive) return 0;
    int i = 0;
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(key.bytes[i]);
        if (lead(c) && i + 1 < n) return i;  // compared exactly, both bytes
        if (c < 'A' || c > 'Z') return i;
        ++i;
    }
    return -1;  // letters only: look for the first in both cases
}

}  // namespace

void foldSearchCase(unsigned char* text, size_t length) {
    size_t i = 0;
    while (i < length) {
        unsigned char c = text[i];
        if (c >= 'a' && c <= 'z') {
            text[i] = static_cast<unsigned char>(c - ('a' - 'A'));
            ++i;
        } else if (lead(c)) {
            i += 2;  // the second byte stays as it is, even in 'a'..'z'
        } else {
            ++i;
        }
    }
}

SearchKey makeSearchKey(const std::string& text, bool caseSensitive, bool wholeWord) {
    SearchKey k;
    k.bytes = text;
    k.caseSensitive = caseSensitive;
    k.wholeWord = wholeWord;
    if (!caseSensitive && !k.bytes.empty())
        foldSearchCase(reinterpret_cast<unsigned char*>(&k.bytes[0]), k.bytes.size());
    return k;
}

int findKeyBytes(const unsigned char* text, int length, int from, const SearchKey& key) {
    const int n = static_cast<int>(key.bytes.size());
    if (n == 0 || from < 0 || length - n < from) return -1;
    const unsigned char* k = reinterpret_cast<const unsigned char*>(key.bytes.data());
    const int anchor = anchorIndex(key);
    if (anchor < 0) {
        Candidates candidates(text, length, key);
        for (int at = candidates.next(from); at >= 0; at = candidates.next(at + 1))
            if (keyAt(text + at, k, n, false)) return at;
        return -1;
    }
    // The anchor byte stands at `at + anchor` for every occurrence starting at `at`.
    const unsigned char a = k[anchor];
    const unsigned char* p = text + from + anchor;
    const unsigned char* end = text + (length - n) + anchor + 1;  // past the last anchor place
    while (p < end) {
        const void* hit = std::memchr(p, a, static_cast<size_t>(end - p));
        if (!hit) return -1;
        const unsigned char* h = static_cast<const unsigned char*>(hit);
        const int at = static_cast<int>(h - text) - anchor;
        if (keyAt(text + at, k, n, key.caseSensitive)) return at;
        p = h + 1;
    }
    return -1;
}

bool isWholeWordAt(const unsigned char* line, int length, int start, int count, unsigned char keyFirst,
                   unsigned char keyLast) {
    int i = 0, prev = -1;
    while (i < start) {
        prev = i;
        i += charSize(line, length, i);
    }
    return wholeWord(line, length, start, prev, count, keyFirst, keyLast);
}

int findInLineForward(const unsigned char* line, int length, int from, const SearchKey& key) {
    if (key.bytes.empty() || from < 0) return -1;
    const unsigned char* k = reinterpret_cast<const unsigned char*>(key.bytes.data());
    const int n = static_cast<int>(key.bytes.size());
    Candidates candidates(line, length, key);
    BoundaryWalker walker(line, length);
    for (int at = candidates.next(from); at >= 0; at = candidates.next(at + 1)) {
        if (!keyAt(line + at, k, n, key.caseSensitive)) continue;
        if (walker.boundary(at) && acceptable(line, length, at, walker.previous(), key)) return at;
    }
    return -1;
}

int findInLineBackward(const unsigned char* line, int length, int before, const SearchKey& key) {
    if (key.bytes.empty()) return -1;
    const unsigned char* k = reinterpret_cast<const unsigned char*>(key.bytes.data());
    const int n = static_cast<int>(key.bytes.size());
    Candidates candidates(line, length, key);
    BoundaryWalker walker(line, length);
    int best = -1;
    for (int at = candidates.next(0); at >= 0 && at < before; at = candidates.next(at + 1)) {
        if (!keyAt(line + at, k, n, key.caseSensitive)) continue;
        if (walker.boundary(at) && acceptable(line, length, at, walker.previous(), key)) best = at;
    }
    return best;
}

bool isSearchWordLead(unsigned char c) { return isLetter(c) || isDigit(c) || lead(c); }

bool searchWordAt(const unsigned char* line, int length, int at, bool fromWordStart, int limit, int* begin,
                  int* end) {
    if (at < 0 || at >= length || !isSearchWordLead(line[at])) return false;
    bool wide = charSize(line, length, at) == 2;
    auto sameKind = [&](int i) {
        if (i >= length) return false;
        if (wide) return charSize(line, length, i) == 2;
        return isLetter(line[i]) || isDigit(line[i]);
    };
    int b = at;
    if (fromWordStart) {
        // Character starts from the line's start up to `at`, the last run of the same kind kept.
        int i = 0;
        b = at;
        int runStart = -1;
        while (i < at) {
            if (sameKind(i)) {
                if (runStart < 0) runStart = i;
            } else {
                runStart = -1;
            }
            i += charSize(line, length, i);
        }
        if (runStart >= 0) b = runStart;
    }
    int e = b;
    while (e < length && sameKind(e)) {
        int step = charSize(line, length, e);
        if (e + step - b > limit) break;
        e += step;
    }
    if (e == b) return false;
    *begin = b;
    *end = e;
    return true;
}

bool searchPieceAt(const unsigned char* line, int length, int at, int limit, int* begin, int* end) {
    if (at < 0 || at >= length || limit <= 0) return false;
    if (isSearchWordLead(line[at])) return searchWordAt(line, length, at, false, limit, begin, end);
    unsigned char c = line[at];
    if (c < 0x20 || c == 0x7F) return false;  // a tab, its fill or another control character ends it
    *begin = at;
    *end = at + 1;
    return true;
}

void pushSearchHistory(std::vector<std::string>& history, const std::string& text) {
    if (text.empty()) return;
    auto same = std::find_if(history.begin(), history.end(), [&](const std::string& h) {
        return h.size() == text.size() && common::equalsNoCase(h.c_str(), text.c_str());
    });
    if (same != history.end()) history.erase(same);
    history.insert(history.begin(), text);
    if (history.size() > static_cast<size_t>(kSearchHistorySize)) history.resize(kSearchHistorySize);
}

}  // namespace viewer
