#include <windows.h>
#include "installer_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return runInstaller(instance, commandLine);
}
