// Kelview's process-wide state: one viewer window per process.
#pragma once
#include <windows.h>
#include <string>
#include "start_request.h"
#include "document.h"
#include "position_indicator.h"
#include "store_rows.h"

namespace viewer {

class MessageSink;
class RowStore;
class TextView;

struct App {
    HINSTANCE instance = nullptr;
    int screenW = 0, screenH = 0;
    bool fontSmoothing = false;
    bool newShell = true;
    DWORD osMajor = 0, osMinor = 0;
    HWND frame = nullptr, client = nullptr;
    HMENU systemMenu = nullptr, menuBar = nullptr;
    HACCEL accel = nullptr;
    std::string siblingCommand;  // "KELVIEW.EXE " for starting further viewers
    UINT privateMessage = 0, wheelMessage = 0;
    HCURSOR waitCursor = nullptr, arrowCursor = nullptr, ibeamCursor = nullptr;
    bool spareWindow = false;  // started hidden by another viewer with /-
    bool oleReady = false;

    StartRequest request;
    Document doc;
    RowStore* store = nullptr;
    StoreRows rows;
    TextView* view = nullptr;
    bool browse = true;
    std::string extension;  // upper-cased, "." when none
    bool maximised = false;
    PositionIndicator indicator;
};

App& app();

// A text from the string table (Shift-JIS bytes).
std::string loadText(int id);
// Error-icon message box without caption, owned by the frame's last active popup.
void errorBox(const std::string& text);
// The engine's messages shown with errorBox.
MessageSink& messageBoxSink();

}  // namespace viewer
