// The line matcher against a plain reference search on random Shift-JIS
// lines, and the search history.
#include "search_match.h"
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace viewer;

namespace {

using Bytes = std::vector<unsigned char>;

// Character starts by a plain walk from the line's start.
std::vector<bool> starts(const Bytes& s) {
    std::vector<bool> b(s.size() + 1, false);
    size_t i = 0;
    while (i < s.size()) {
        b[i] = true;
        bool lead = (s[i] >= 0x81 && s[i] <= 0x9F) || (s[i] >= 0xE0 && s[i] <= 0xFC);
        i += (lead && i + 1 < s.size()) ? 2 : 1;
    }
    b[s.size()] = true;
    return b;
}

Bytes fold(const Bytes& s) {
    Bytes out = s;
    std::vector<bool> b = starts(s);
    for (size_t i = 0; i < s.size(); ++i) {
        bool single = b[i] && (i + 1 >= s.size() || b[i + 1]);
        if (single && s[i] >= 'a' && s[i] <= 'z') out[i] = static_cast<unsigned char>(s[i] - 32);
    }
    return out;
}

bool letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool digit(int c) { return c >= '0' && c <= '9'; }

// Every valid start, by the definition: equal bytes (after folding both),
// starting and ending between characters, and for whole words the blanks
// around (start, end, double-byte characters count as blanks).
std::vector<int> reference(const Bytes& line, const Bytes& key, bool caseSensitive, bool wholeWord) {
    Bytes l = caseSensitive ? line : fold(line), k = caseSensitive ? key : fold(key);
    std::vector<bool> b = starts(line);
    std::vector<int> hits;
    for (size_t s = 0; s + k.size() <= l.size(); ++s) {
        if (!b[s] || !b[s + k.size()]) continue;
        if (!std::equal(k.begin(), k.end(), l.begin() + s)) continue;
        if (wholeWord) {
            int before = ' ', after = ' ';
            if (s > 0) {
                size_t p = s - 1;
                while (!b[p]) --p;
                if (s - p == 1) before = line[p];
            }
            size_t e = s + k.size();
            if (e < line.size() && b[e] && (e + 1 >= line.size() || b[e + 1])) after = line[e];
            if (letter(before) || letter(after)) continue;
            if (digit(before) && digit(k.front())) continue;
            if (digit(after) && digit(k.back())) continue;
        }
        hits.push_back(static_cast<int>(s));
    }
    return hits;
}

// Pieces that make the cases matter: letters of both cases, digits, '_',
// blanks, a tab with its fill bytes, double-byte characters whose second
// byte is a lower-case letter or a digit-like byte, and one that contains 'A'.
const std::vector<Bytes> kPieces = {
    {'a'},        {'A'},        {'b'},        {'B'},           {'1'},        {'2'},
    {'_'},        {' '},        {'-'},        {'\t', 0, 0, 0}, {0x83, 0x61},  // second byte 'a'
    {0x83, 0x41},                                                             // second byte 'A'
    {0x82, 0xA0}, {0x88, 0x62}, {0xE0, 0x61}, {0x81, 0x40},
};

Bytes randomLine(std::mt19937& rng) {
    Bytes line;
    int n = std::uniform_int_distribution<int>(0, 24)(rng);
    for (int i = 0; i < n; ++i) {
        const Bytes& p = kPieces[rng() % kPieces.size()];
        line.insert(line.end(), p.begin(), p.end());
    }
    if (rng() % 8 == 0) line.push_back(0x83);  // a lead byte alone at the end
    return line;
}

Bytes randomKey(std::mt19937& rng, const Bytes& line) {
    Bytes key;
    if (!line.empty() && rng() % 3 != 0) {
        // Any run of bytes of the line, character boundaries or not.
        size_t a = rng() % line.size();
        size_t n = 1 + rng() % std::min<size_t>(4, line.size() - a);
        key.assign(line.begin() + a, line.begin() + a + n);
        if (rng() % 2) key = fold(key);  // or its case changed
    } else {
        int n = 1 + rng() % 3;
        for (int i = 0; i < n; ++i) {
            const Bytes& p = kPieces[rng() % kPieces.size()];
            key.insert(key.end(), p.begin(), p.end());
        }
    }
    if (key.empty() || key[0] == 0) key.insert(key.begin(), 'a');  // a key never starts with a zero byte
    while (!key.empty() && key.back() == 0) key.pop_back();
    return key;
}

}  // namespace

TEST(SearchMatch, AgreesWithAPlainSearchOnRandomShiftJisLines) {
    std::mt19937 rng(20261208);
    int compared = 0, found = 0;
    for (int round = 0; round < 20000; ++round) {
        Bytes line = randomLine(rng);
        Bytes keyBytes = randomKey(rng, line);
        bool caseSensitive = rng() % 2, wholeWord = rng() % 2;
        SearchKey key =
            makeSearchKey(std::string(keyBytes.begin(), keyBytes.end()), caseSensitive, wholeWord);
        const Bytes work = line;
        std::vector<int> want = reference(line, keyBytes, caseSensitive, wholeWord);
        int len = static_cast<int>(work.size());
        // Forward from every position, backward before every position.
        for (int from = 0; from <= len; ++from) {
            int expectDown = -1, expectUp = -1;
            for (int h : want) {
                if (h >= from && expectDown < 0) expectDown = h;
                if (h < from) expectUp = h;
            }
            ASSERT_EQ(expectDown, findInLineForward(work.data(), len, from, key))
                << "round " << round << " from " << from;
            ASSERT_EQ(expectUp, findInLineBackward(work.data(), len, from, key))
                << "round " << round << " before " << from;
            ++compared;
        }
        found += !want.empty();
    }
    // The generator must produce matches often enough for the comparison to mean something.
    EXPECT_GT(found, 5000);
    EXPECT_GT(compared, 100000);
}

TEST(SearchMatch, FoldingLeavesEverySecondByteAlone) {
    // Lower-case ASCII after a lead byte is that character's second byte.
    Bytes t = {'a', 0x83, 'a', 'z', 0x82, 'b', 0xE0, 'c', '_', 'q'};
    foldSearchCase(t.data(), t.size());
    EXPECT_EQ((Bytes{'A', 0x83, 'a', 'Z', 0x82, 'b', 0xE0, 'c', '_', 'Q'}), t);
}

TEST(SearchMatch, HistoryKeepsTenNewestFirstAndMovesAnEntryEqualButForCase) {
    std::vector<std::string> h;
    for (int i = 0; i < 12; ++i) pushSearchHistory(h, "w" + std::to_string(i));
    ASSERT_EQ(10u, h.size());
    EXPECT_EQ("w11", h.front());
    EXPECT_EQ("w2", h.back());
    pushSearchHistory(h, "W5");  // the same entry in other case: moves up, nothing falls off
    ASSERT_EQ(10u, h.size());
    EXPECT_EQ("W5", h[0]);
    EXPECT_EQ("w11", h[1]);
    EXPECT_EQ("w2", h.back());
    EXPECT_EQ(1, std::count(h.begin(), h.end(), "W5") + std::count(h.begin(), h.end(), "w5"));
    pushSearchHistory(h, "");
    EXPECT_EQ("W5", h[0]);
}

TEST(SearchMatch, WordAtAPositionRunsOverOneKindOfCharacter) {
    // "ab_1" then two double-byte characters then a blank.
    const std::string line = "x ab_1\x88\xA4\x8C\xEA ";
    auto u = reinterpret_cast<const unsigned char*>(line.data());
    int n = static_cast<int>(line.size()), b = 0, e = 0;
    struct Case {
        int at;
        bool fromStart;
        int begin, end;
        bool ok;
    } cases[] = {
        {3, false, 3, 6, true},                            // from the caret to the word's end
        {3, true, 2, 6, true},                             // from the word's start
        {6, false, 6, 10, true},                           // double-byte run
        {8, true, 6, 10, true},  {1, false, 0, 0, false},  // a blank
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.ok, searchWordAt(u, n, c.at, c.fromStart, kSearchWordLimit, &b, &e)) << c.at;
        if (c.ok) {
            EXPECT_EQ(c.begin, b) << c.at;
            EXPECT_EQ(c.end, e) << c.at;
        }
    }
    // The limit never cuts a double-byte character.
    ASSERT_TRUE(searchWordAt(u, n, 6, false, 3, &b, &e));
    EXPECT_EQ(8, e);
}

namespace {

// Whether the key's bytes stand at `at` by a plain comparison: exact where
// the key has a double-byte character, equal apart from ASCII case elsewhere
// when case is ignored.
bool keyBytesAt(const Bytes& line, size_t at, const Bytes& key, bool caseSensitive) {
    if (at + key.size() > line.size()) return false;
    auto upper = [](unsigned char c) {
        return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
    };
    std::vector<bool> keyStarts = starts(key);
    for (size_t i = 0; i < key.size(); ++i) {
        bool single = keyStarts[i] && keyStarts[i + 1];
        unsigned char t = line[at + i], k = key[i];
        if (caseSensitive || !single ? t != k : upper(t) != upper(k)) return false;
    }
    return true;
}

}  // namespace

TEST(SearchMatch, KeyBytesScanFindsTheFirstPlaceTheBytesStandAndNeverPassesAMatch) {
    std::mt19937 rng(20261209);
    int hits = 0;
    for (int round = 0; round < 20000; ++round) {
        // Several lines run together, as the rows of a page lie.
        Bytes text;
        for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n) {
            Bytes l = randomLine(rng);
            text.insert(text.end(), l.begin(), l.end());
        }
        Bytes keyBytes = randomKey(rng, text);
        bool caseSensitive = rng() % 2;
        SearchKey key = makeSearchKey(std::string(keyBytes.begin(), keyBytes.end()), caseSensitive, false);
        std::vector<int> matches = reference(text, keyBytes, caseSensitive, false);
        int len = static_cast<int>(text.size());
        for (int from = 0; from <= len; ++from) {
            int want = -1;
            for (int at = from; at < len && want < 0; ++at)
                if (keyBytesAt(text, static_cast<size_t>(at), keyBytes, caseSensitive)) want = at;
            int got = findKeyBytes(text.data(), len, from, key);
            ASSERT_EQ(want, got) << "round " << round << " from " << from;
            for (int m : matches) {
                if (m >= from) {
                    ASSERT_LE(got, m) << "round " << round;  // a match is never skipped
                }
            }
            hits += got >= 0;
        }
    }
    EXPECT_GT(hits, 100000);
}
