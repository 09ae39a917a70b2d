// The viewer's search: the search state of the process (string, options,
// history), the find dialog's commands, next and previous match, back to the
// search start and taking the search string from the text.
#pragma once
#include <string>
#include <vector>
#include "text_search.h"

namespace viewer {

struct SearchState {
    // What is searched for; kept for the life of the process.
    std::string text;
    bool caseSensitive = false;
    bool wholeWord = false;
    bool withinSelection = false;
    std::vector<std::string> history;  // newest first

    // Of the window's document.
    bool startSet = false;  // where the first next/previous search began
    TextPosition start;
    bool boundsSet = false;  // rows of the selection for "within selection"
    int boundsFirst = 0, boundsLast = 0;
    std::string boundsText;  // the string the bounds were made for
    bool lastUp = false;
};

SearchState& searchState();

// Runs commands 62, 63, 64, 183, 184, 190 and 196; false for any other command.
bool runSearchCommand(unsigned command);
// Whether a search start is recorded (the menu enables command 190 then).
bool searchStartRecorded();
// A document was loaded: the search start and the bounds belong to the old one.
void resetDocumentSearch();

// The text the find dialog and command 196 take from the document: the
// selection (up to the edit limit, a line break only as its last two bytes
// and not in keyboard-selection mode) or else the word at the caret. *from
// is where the taken text starts; *usedSelection tells which source it came from.
std::string searchTextFromDocument(bool fromWordStart, TextPosition* from, bool* usedSelection);

}  // namespace viewer
