// Kelview's command numbers (shared by the menu, the accelerators, the
// key-assignment table and the dispatcher) and its private window messages.
#pragma once

namespace kv {

enum Command : unsigned short {
    kCmdOpen = 4,
    kCmdCloseAndOpen = 6,
    kCmdClose = 9,  // sent by WM_ENDSESSION
    kCmdExit = 10,
    kCmdReload = 13,
    kCmdCursorUp = 14,
    kCmdCursorDown = 15,
    kCmdCursorRight = 16,
    kCmdCursorLeft = 17,
    kCmdLineStart = 21,
    kCmdLineEnd = 22,
    kCmdFileTop = 23,
    kCmdFileEnd = 24,
    kCmdPageDown = 25,
    kCmdPageUp = 26,
    kCmdGoToLine = 34,
    kCmdRangeSelect = 37,
    kCmdSelectAll = 39,
    kCmdCopy = 40,
    kCmdMarkList = 57,
    kCmdNextViewer = 61,
    kCmdFind = 62,
    kCmdFindNext = 63,
    kCmdFindPrevious = 64,
    kCmdCopyAccel = 84,  // Ctrl+Ins: runs kCmdCopy
    kCmdAbout = 96,
    kCmdPrevViewer = 120,
    kCmdLineNumbers = 136,
    kCmdSplit = 140,
    kCmdOtherPane = 142,
    kCmdBackToSearchStart = 190,
    kCmdScrollUp2 = 192,
    kCmdScrollDown2 = 193,
    kCmdWordAsSearchText = 196,
    kCmdPrintAndClose = 199,
    kCmdReloadWithCode = 4096,  // WM_COMMAND from another viewer: lParam low byte is the code
};

// Private messages (WM_USER = 1024 on): fixed numbers other viewer processes rely on.
enum PrivateMessage : unsigned {
    kMsgGetFolder = 1024,
    kMsgGoToLine = 1025,
    kMsgGoToRow = 1026,
    kMsgSwitchPane = 1036,
    kMsgRowLimit = 1037,
    kMsgRebuildCaption = 1040,
    kMsgGetFileName = 1041,
    kMsgSetForeground = 1074,
    kMsgShutDown = 1075,
    // Where the caret and view stand (wParam selects): answered by the client
    // window so that a driving program can check the position indicator.
    kMsgQueryView = 1100,
};

enum ViewQuery {
    kQueryPosition = 0,  // MAKELONG(column + 1, row + 1), as the indicator shows them
    kQueryTopRow = 1,
    kQueryMarginWidth = 2,
    kQueryRowCount = 3,
    kQueryBrowseMode = 4,
    kQueryHasSelection = 5,
    kQueryFirstColumn = 6,
    kQueryVisibleRows = 7,
};

constexpr int kClientId = 100;

}  // namespace kv
