#include "search_commands.h"
#include "app.h"
#include "find_dialog.h"
#include "sjis.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"

namespace viewer {
namespace {

TextPosition caretOf(ViewModel& m) { return TextPosition{m.caretRow(), m.caretColumn()}; }

// Next (down) or previous (up) match of the current string from the caret.
void findMatch(bool up, bool stepFirst);

// Opens the find dialog and runs the search chosen there. The dialog runs
// its own message loop: a second request while it is open is dropped.
void openAndSearch(bool up, bool reopen) {
    static bool open = false;
    App& a = app();
    if (open || !a.view) return;
    open = true;
    FindOutcome o = runFindDialog(up, reopen);
    open = false;
    if (o.choice == FindChoice::Cancel || !app().view) return;
    bool upward = o.choice == FindChoice::Up;
    TextView* v = app().view;
    if (o.withinSelection) {
        TextPosition p = upward ? o.selectionEnd : o.selectionStart;
        v->goTo(p.row, p.column);
    } else if (upward) {
        v->goTo(o.recorded.row, o.recorded.column);
    }
    // Within the selection the search starts on its first character, which may be a match itself.
    findMatch(upward, !o.withinSelection);
}

void findMatch(bool up, bool stepFirst) {
    App& a = app();
    SearchState& s = searchState();
    if (!a.view) return;
    if (s.text.empty()) {
        openAndSearch(up, false);
        return;
    }
    TextView* v = a.view;
    ViewModel& m = v->model();
    TextPosition caret = caretOf(m);
    if (!s.startSet) {
        s.startSet = true;
        s.start = caret;
    }
    if (m.hasSelection()) v->goTo(caret.row, caret.column);  // cancels it, the caret stays
    TextSearcher searcher(&a.rows);
    if (s.withinSelection && s.boundsSet && common::equalsNoCase(s.boundsText.c_str(), s.text.c_str()))
        searcher.setBounds(s.boundsFirst, s.boundsLast);
    SearchKey key = makeSearchKey(s.text, s.caseSensitive, s.wholeWord);
    TextPosition found;
    bool ok = up ? searcher.findUp(key, caret, &found) : searcher.findDown(key, caret, stepFirst, &found);
    s.lastUp = up;
    if (!ok) {
        // Nothing further: the caret and the view stay where they were.
        MessageBeep(0);
        return;
    }
    int length = static_cast<int>(key.bytes.size());
    TextPosition end = searcher.advance(found, length);
    v->showMatch(found.row, found.column, end.row, end.column, length);
}

void backToSearchStart() {
    App& a = app();
    SearchState& s = searchState();
    if (!a.view) return;
    if (!s.startSet) {
        MessageBeep(0);
        return;
    }
    a.view->model().rememberPosition();
    a.view->showMatch(s.start.row, s.start.column, s.start.row, s.start.column, 0);
}

void takeSearchText() {
    SearchState& s = searchState();
    TextPosition from;
    bool usedSelection = false;
    std::string text = searchTextFromDocument(s.wholeWord, &from, &usedSelection);
    if (text.empty()) return;
    s.wholeWord = false;
    s.withinSelection = false;
    s.text = text;
    pushSearchHistory(s.history, text);
}

}  // namespace

SearchState& searchState() {
    static SearchState state;
    return state;
}

bool searchStartRecorded() { return searchState().startSet; }

void resetDocumentSearch() {
    SearchState& s = searchState();
    s.startSet = false;
    s.boundsSet = false;
}

std::string searchTextFromDocument(bool fromWordStart, TextPosition* from, bool* usedSelection) {
    App& a = app();
    *usedSelection = false;
    if (!a.view) return std::string();
    ViewModel& m = a.view->model();
    *from = caretOf(m);
    if (m.hasSelection()) {
        const Selection& sel = m.selection();
        std::string text = m.selectionText();
        // A longer selection gives nothing; the field keeps the current string.
        if (text.size() > static_cast<size_t>(kSearchTextLimit)) return std::string();
        *usedSelection = true;
        std::string::size_type lineBreak = text.find("\r\n");
        if (lineBreak != std::string::npos) {
            // A selection of one whole line (made by mouse) gives that line; an inner line break gives nothing.
            if (lineBreak + 2 != text.size() || m.keyboardSelecting()) return std::string();
            text.resize(lineBreak);
        }
        if (text.empty()) return text;
        *from = TextPosition{sel.startRow(), sel.startCol()};
        if (!m.keyboardSelecting()) a.view->goTo(from->row, from->column);  // the selection is cancelled
        return text;
    }
    TextSearcher searcher(&a.rows);
    TextPosition start;
    std::string word = searcher.wordAt(*from, fromWordStart, &start);
    if (!word.empty()) *from = start;
    return word;
}

bool runSearchCommand(unsigned command) {
    switch (command) {
    case IDM_FIND:
        openAndSearch(false, false);
        return true;
    case IDM_FIND_AGAIN_DOWN:
        openAndSearch(false, true);
        return true;
    case IDM_FIND_AGAIN_UP:
        openAndSearch(true, true);
        return true;
    case IDM_FIND_NEXT:
        findMatch(false, true);
        return true;
    case IDM_FIND_PREVIOUS:
        findMatch(true, true);
        return true;
    case IDM_BACK_TO_SEARCH_START:
        backToSearchStart();
        return true;
    case IDM_WORD_AS_SEARCH_TEXT:
        takeSearchText();
        return true;
    default:
        return false;
    }
}

}  // namespace viewer
