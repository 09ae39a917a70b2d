#include <windows.h>
#include "movie_setting.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The exit code is 0 whatever happens; nothing may escape to the runtime.
    try {
        return movieset::runMovieSetting(instance);
    } catch (...) {
        return 0;
    }
}
