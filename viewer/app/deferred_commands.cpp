#include "deferred_commands.h"
#include "../../resources/viewer/resource.h"

namespace viewer {

bool runDeferredCommand(unsigned command) {
    switch (command) {
    case IDM_FIND:
    case IDM_FIND_NEXT:
    case IDM_FIND_PREVIOUS:
    case IDM_BACK_TO_SEARCH_START:
    case IDM_WORD_AS_SEARCH_TEXT:
    case IDM_GO_TO_LINE:
    case IDM_MARK_LIST:
    case IDM_SPLIT:
    case IDM_OTHER_PANE:
        return true;
    default:
        return false;
    }
}

bool searchStartRecorded() { return false; }

void joinSplitWindow() {}

bool splitFocusSwitch(unsigned) { return false; }

void focusPaneAfterSwitch(unsigned) {}

}  // namespace viewer
