// The about box (command 96).
#pragma once
#include <windows.h>

namespace viewer {

void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace viewer
