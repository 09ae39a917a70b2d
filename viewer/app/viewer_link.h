// How viewer processes talk to each other. Every viewer's frame has the
// class "Kelview32Class" and passes the private messages (WM_USER on) to its
// client window. A string answer travels in an anonymous file mapping: the
// asking side creates it, duplicates the handle into the owner of the target
// window and sends the message with that handle in wParam; the receiver
// writes a null-terminated string into it and closes its handle. Sends wait
// at most 5000 ms and give up on a hung window, so one viewer never blocks
// another for long; an unanswered request reads as the bytes 0xFF 0x00,
// which match no path.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace viewer {
namespace link {

// How long one viewer waits for another to answer a sent message.
constexpr UINT kAnswerTimeoutMs = 5000;
// Bytes of the mapping for a string answer (a path and its terminator).
constexpr size_t kAnswerBytes = MAX_PATH;

// True when w is a viewer frame ("Kelview32Class").
bool isViewerFrame(HWND w);

// The other viewer frames, top of the z-order first. With visibleOnly, the
// hidden and iconic ones are left out.
std::vector<HWND> otherViewers(HWND self, bool visibleOnly = false);

// Sends msg to a viewer with SMTO_BLOCK | SMTO_ABORTIFHUNG and the 5000 ms
// limit; false when the window did not answer (result untouched then).
bool sendToViewer(HWND target, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result = nullptr);

// Asks a viewer for a string (message 1024 folder, 1041 file name, or any
// message the receiver answers with answerString). False when it did not
// answer; *out is then "\xFF" (what the 0xFF 0x00 bytes read as).
bool requestString(HWND target, UINT msg, std::string* out);

// The receiving side: writes text (cut to fit, never past the mapping) into
// the mapping whose handle came in wParam and closes that handle. A
// handle that is no such mapping is left alone (false).
bool answerString(WPARAM mappingHandle, const std::string& text);

// The full path of the document another viewer shows (its folder and file
// name joined); false when it did not answer or shows no named document.
bool viewerDocument(HWND target, std::string* path);

// The first other viewer frame whose document is path (compared without
// regard to case), or null.
HWND findViewerShowing(HWND self, const std::string& path);

// Asks the viewer to go to a line (1-based, -1 for the end) and column
// (message 1025), or to a display row and column (message 1026). Posted: the
// receiver brings itself to the front.
bool postGoToLine(HWND target, int line, int column);
bool postGoToRow(HWND target, int row, int column);

// Tells the viewer to reload its document in code (WM_COMMAND 4096).
bool sendReloadWithCode(HWND target, unsigned char code);

}  // namespace link
}  // namespace viewer
