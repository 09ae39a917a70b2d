// Ostrel, the disc menu: start-up, the message loop, exit.
#include <windows.h>

#include "menuapp.h"
#include "menuseams.h"
#include "messageloop.h"
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    MenuApp& app = menuApp();
    // Start-up failures have been told already; they end the program quietly.
    if (startup::prepare(app, instance) && startup::openWindow(app))
        messageloop::run(app.mainWindow, app.accelerators, seam::documentWindow);
    startup::finish(app);
    return 0;
}
