// Start-up of the installer and the loop over the sections it carries out.
#pragma once
#include <windows.h>

namespace installer {

// Runs the installer for the command line (the text after the program
// name). Always returns 0, the program's exit code.
int runInstaller(HINSTANCE instance, const char* commandLine);

}  // namespace installer
