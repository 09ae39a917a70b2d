#include "deferred_commands.h"
#include "app.h"
#include "text_view.h"
#include "../../resources/viewer/resource.h"

namespace viewer {

bool runDeferredCommand(unsigned command) {
    switch (command) {
    case IDM_GO_TO_LINE:
    case IDM_MARK_LIST:
    case IDM_SPLIT:
    case IDM_OTHER_PANE:
        return true;
    default:
        return false;
    }
}

void joinSplitWindow() {
    App& a = app();
    if (a.view && a.view->isSplit()) a.view->unsplit();
}

// Going forward visits the upper pane, then the lower one, then the next
// viewer; going back runs the same order in reverse.
bool splitFocusSwitch(unsigned command) {
    App& a = app();
    if (!a.view || !a.view->isSplit()) return false;
    const bool upper = a.view->upperPaneLive();
    if ((command == IDM_NEXT_VIEWER && upper) || (command == IDM_PREV_VIEWER && !upper)) {
        a.view->switchPane();
        return true;
    }
    return false;
}

void focusPaneAfterSwitch(unsigned command) {
    App& a = app();
    if (!a.view || !a.view->isSplit()) return;
    const bool wantUpper = command == IDM_NEXT_VIEWER;
    if (a.view->upperPaneLive() != wantUpper) a.view->switchPane();
}

}  // namespace viewer
