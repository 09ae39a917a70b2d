#include <windows.h>
#include "installer_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // The exit code is 0 whatever happens; nothing may escape to the runtime.
    try {
        return runInstaller(instance, commandLine);
    } catch (...) {
        return 0;
    }
}
