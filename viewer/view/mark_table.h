// The marks of a viewer process: at most 20 marked rows in the order they
// were set, each remembering its window, place, a short excerpt of the text
// and the document it belongs to, so that a mark outlives the document's
// window and can open the file again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace viewer {

constexpr int kMaxMarks = 20;
constexpr int kExcerptLimit = 18;

// A window as the table knows it (the frame's handle as a number); 0 when
// the marked document is no longer shown.
using MarkWindow = std::uintptr_t;

struct Mark {
    MarkWindow window = 0;
    int row = 0;                           // display row
    std::uint16_t column = 0;              // caret column
    char excerpt[kExcerptLimit + 2] = {};  // room for a double-byte character at the limit
    char path[260] = {};
    unsigned char code = 0;  // character-code kind, low 6 bits
    int line() const { return row + 1; }
};

// The excerpt of a row from `column` on: leading bytes below '!' skipped,
// later ones shown as spaces, at most 18 bytes, a double-byte character
// starting at the last place kept whole (19 bytes then). `text` holds the
// row's `length` bytes of text (the [EOF] mark not included).
std::string markExcerpt(const unsigned char* text, int length, int column);

// The options of a new viewer that opens a mark's file at its row:
// "/! ", "/fe " for EUC-JP, then "/k ROW PATH", the path in quotes so that a
// folder with a blank in it stays one name.
std::string markViewerArguments(const Mark& mark);

class MarkTable {
public:
    // Appends a mark; a mark of the same window and row goes first, and when
    // the table is still full the oldest goes. Returns the windows whose
    // line numbers changed.
    std::vector<MarkWindow> add(const Mark& mark);
    // Removes entry `index`; returns its window (0 when none or out of range).
    MarkWindow remove(std::size_t index);
    // Removes every mark; returns the windows that held one.
    std::vector<MarkWindow> clear();
    // The window shows another document now: its marks forget the window,
    // or go when the document had no file name.
    void documentClosed(MarkWindow window, bool hadFileName);

    bool isMarked(MarkWindow window, int row) const;
    std::size_t size() const { return marks_.size(); }
    const Mark& at(std::size_t index) const { return marks_[index]; }

    // The list entry of a mark: "NAME - LINE: EXCERPT", NAME being the path
    // after its last backslash.
    static std::string listText(const Mark& mark);

private:
    std::vector<Mark> marks_;
};

}  // namespace viewer
