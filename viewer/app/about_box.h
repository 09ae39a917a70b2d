// The about box (command 96).
#pragma once
#include <windows.h>

namespace kv {

void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace kv
