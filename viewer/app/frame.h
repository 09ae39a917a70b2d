// The frame window (class "Kelview32Class"): menu bar, caption and the
// client window; most messages are passed on to the client.
#pragma once
#include <windows.h>

namespace viewer {

extern const char kFrameClassName[];

bool registerFrameClass(HINSTANCE instance);
// Creates the frame at its start-up place and size; null on failure.
HWND createFrame(HINSTANCE instance);
// Shows the frame as the start-up request says.
void showFrame(HWND frame);
// Rebuilds the caption from the document.
void updateCaption();
// The line-number margin changed width: the frame follows where it may.
void frameFollowMargin(int delta);
// Redraws the caret position in the menu bar.
void drawPositionIndicator();
// The same while the frame is being (de)activated: the state comes with the message.
void drawPositionIndicator(bool frameActive);
// Sets the frame's large icon to the one the shell registers for the extension.
void setDocumentIcon(const char* extension);
// Brings a window to the front, asking the foreground viewer for help when needed.
void bringToFront(HWND target);

}  // namespace viewer
