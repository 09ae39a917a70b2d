// The find dialog (resource 193): modeless in form, run with its own message
// loop while the frame is disabled.
#pragma once
#include "text_search.h"

namespace viewer {

enum class FindChoice { Cancel, Down, Up };

struct FindOutcome {
    FindChoice choice = FindChoice::Cancel;
    // Where the caret stood when the dialog opened (or the start of the
    // selection or word that filled the field); an upward search starts there.
    TextPosition recorded;
    // The selection's rows were chosen as the bounds: the search starts at
    // the selection's start (down) or end (up).
    bool withinSelection = false;
    TextPosition selectionStart, selectionEnd;
};

// Shows the dialog; `up` makes the upward search the default, `reopen`
// fills the field with the current search string instead of text taken
// from the document. The search state is updated when a search is chosen.
FindOutcome runFindDialog(bool up, bool reopen);

}  // namespace viewer
