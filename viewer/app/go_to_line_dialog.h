// The go-to-line dialog (command 34).
#pragma once

namespace viewer {

// Asks for a line number and moves the caret there.
void runGoToLine();

}  // namespace viewer
