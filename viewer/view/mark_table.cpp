#include "mark_table.h"
#include "char_code.h"
#include "sjis.h"
#include <algorithm>
#include <cstdio>

namespace viewer {

std::string markExcerpt(const unsigned char* text, int length, int column) {
    std::string out;
    if (!text || column < 0) return out;
    int i = column;
    while (i < length && text[i] < '!') ++i;
    while (i < length && static_cast<int>(out.size()) < kExcerptLimit) {
        unsigned char c = text[i];
        if (common::isCp932LeadByte(c) && i + 1 < length && text[i + 1] >= 0x40) {
            // A character is never cut: one starting at the last place takes one byte more.
            out += static_cast<char>(c);
            out += static_cast<char>(text[i + 1]);
            i += 2;
            continue;
        }
        out += c < '!' ? ' ' : static_cast<char>(c);
        ++i;
    }
    return out;
}

std::string markViewerArguments(const Mark& mark) {
    std::string args = "/! ";
    if ((mark.code & 0x3F) == kCodeEuc) args += "/fe ";
    char jump[32];
    std::snprintf(jump, sizeof jump, "/k %d ", mark.row);
    return args + jump + "\"" + mark.path + "\"";
}

std::vector<MarkWindow> MarkTable::add(const Mark& mark) {
    std::vector<MarkWindow> touched;
    // The same row of the same window first: marking it again moves it to the
    // end and must not also cost the oldest mark.
    auto same = std::find_if(marks_.begin(), marks_.end(), [&](const Mark& m) {
        return m.window != 0 && m.window == mark.window && m.row == mark.row;
    });
    if (same != marks_.end()) marks_.erase(same);
    if (marks_.size() >= static_cast<std::size_t>(kMaxMarks)) {
        if (marks_.front().window) touched.push_back(marks_.front().window);
        marks_.erase(marks_.begin());
    }
    marks_.push_back(mark);
    if (mark.window) touched.push_back(mark.window);
    return touched;
}

MarkWindow MarkTable::remove(std::size_t index) {
    if (index >= marks_.size()) return 0;
    MarkWindow w = marks_[index].window;
    marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(index));
    return w;
}

std::vector<MarkWindow> MarkTable::clear() {
    std::vector<MarkWindow> windows;
    for (const Mark& m : marks_)
        if (m.window && std::find(windows.begin(), windows.end(), m.window) == windows.end())
            windows.push_back(m.window);
    marks_.clear();
    return windows;
}

void MarkTable::documentClosed(MarkWindow window, bool hadFileName) {
    if (!window) return;
    if (!hadFileName) {
        // Without a file there is nothing to open again.
        marks_.erase(
            std::remove_if(marks_.begin(), marks_.end(), [&](const Mark& m) { return m.window == window; }),
            marks_.end());
        return;
    }
    for (Mark& m : marks_)
        if (m.window == window) m.window = 0;
}

bool MarkTable::isMarked(MarkWindow window, int row) const {
    if (!window) return false;
    for (const Mark& m : marks_)
        if (m.window == window && m.row == row) return true;
    return false;
}

std::string MarkTable::listText(const Mark& mark) {
    const char* slash = common::findLastChar(mark.path, '\\');
    std::string text = slash ? slash + 1 : mark.path;
    char tail[64];
    std::snprintf(tail, sizeof tail, " - %d: ", mark.line());
    return text + tail + mark.excerpt;
}

}  // namespace viewer
