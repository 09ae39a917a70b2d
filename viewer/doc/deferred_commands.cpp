#include "deferred_commands.h"
#include "commands.h"

namespace kv {

bool runDeferredCommand(unsigned command) {
    switch (command) {
    case kCmdOpen:
    case kCmdCloseAndOpen:
    case kCmdNextViewer:
    case kCmdPrevViewer:
    case kCmdFind:
    case kCmdFindNext:
    case kCmdFindPrevious:
    case kCmdBackToSearchStart:
    case kCmdWordAsSearchText:
    case kCmdGoToLine:
    case kCmdMarkList:
    case kCmdSplit:
    case kCmdOtherPane:
        return true;
    default:
        return false;
    }
}

bool searchStartRecorded() { return false; }

void joinSplitWindow() {}

void openFurtherFile(const char*) {}

bool answerViewerRequest(UINT, WPARAM) { return false; }

}  // namespace kv
