// Literal search in one logical line of stored text, without any window:
// case folding that leaves double-byte characters whole, the test that a
// match starts and ends on character boundaries, the whole-word test, the
// word at a position and the search history. Pure byte work (no <windows.h>)
// so that host builds (property tests, the benchmark) use it as it stands.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace viewer {

// The find dialog's edit limit and the length of each history entry.
constexpr int kSearchTextLimit = 259;
constexpr int kSearchHistorySize = 10;
// A word taken from the text at the caret is at most this long.
constexpr int kSearchWordLimit = 256;

// Upper-cases single-byte 'a'..'z' in place; a lead byte and the byte after
// it stay as they are (the second byte of a double-byte character may lie in
// 'a'..'z' and must not change).
void foldSearchCase(unsigned char* text, size_t length);

// The string searched for, prepared once per search.
struct SearchKey {
    std::string bytes;  // folded when not case-sensitive
    bool caseSensitive = false;
    bool wholeWord = false;
};
SearchKey makeSearchKey(const std::string& text, bool caseSensitive, bool wholeWord);

// `line` is the working text of one whole logical line as the row store holds
// it (tabs with their zero fill bytes, no "[EOF]"). When the key ignores
// case the line is compared as foldSearchCase would fold it, without being
// changed. An occurrence counts only when it starts and ends on character
// boundaries and, for a whole-word key, when it is a whole word.
//
// First occurrence that starts at or after `from`; -1 when there is none.
int findInLineForward(const unsigned char* line, int length, int from, const SearchKey& key);
// Last occurrence that starts before `before`; -1 when there is none.
int findInLineBackward(const unsigned char* line, int length, int before, const SearchKey& key);

// First position at or after `from` where the key's bytes stand in `text`
// (compared as findInLineForward compares them), whatever the character
// boundaries, words and line breaks there; -1 when there is none. A block of
// many lines is passed over with this at memchr speed: only the lines that
// hold such a position need the exact test of findInLineForward.
int findKeyBytes(const unsigned char* text, int length, int from, const SearchKey& key);

// Whether the bytes [start, start + count) of the line are a whole word for a
// key whose first and last bytes are given: no letter or '_' on either side,
// no digit before a key that starts with a digit, none after one that ends
// with a digit. The line's start and end and double-byte characters count as
// blanks. `start` must be a character boundary.
bool isWholeWordAt(const unsigned char* line, int length, int start, int count, unsigned char keyFirst,
                   unsigned char keyLast);

// A word character: a letter, a digit, '_' or a double-byte character.
bool isSearchWordLead(unsigned char c);

// The word at offset `at` of the line (a run of single-byte word characters,
// or a run of double-byte characters), from its start or from `at`, at most
// `limit` bytes and never half a character. Returns the byte range through
// *begin and *end; false when `at` is not on a word character.
bool searchWordAt(const unsigned char* line, int length, int at, bool fromWordStart, int limit, int* begin,
                  int* end);
// One more piece after offset `at` for "take more of the search string": the
// word that starts there, or the single character there when it is not a word
// character. Stops at control characters and the end of the line; false when
// nothing is left.
bool searchPieceAt(const unsigned char* line, int length, int at, int limit, int* begin, int* end);

// Puts `text` in front of the history (newest first). An entry equal to it
// apart from the case of ASCII letters moves up from its place; otherwise the
// oldest entry falls off when the history is full. An empty text is not kept.
void pushSearchHistory(std::vector<std::string>& history, const std::string& text);

}  // namespace viewer
