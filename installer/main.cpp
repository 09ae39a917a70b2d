#include <windows.h>
#include "installer_app.h"
#include "program_arguments.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The exit code is 0 whatever happens; nothing may escape to the runtime.
    try {
        // The runtime's own argument text loses a first byte of 0x80 or
        // above; the full command line is taken instead.
        return installer::runInstaller(instance, common::commandLineArguments());
    } catch (...) {
        return 0;
    }
}
