// Ostrel, the disc menu: start-up, the message loop, exit.
#include <windows.h>

#include "menu_app.h"
#include "doc_window.h"
#include "message_loop.h"
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    menu::MenuApp& app = menu::menuApp();
    try {
        // Start-up failures have been told already; they end the program quietly.
        if (menu::startup::prepare(app, instance) && menu::startup::openWindow(app))
            menu::messageloop::run(app.mainWindow, app.accelerators, common::documentWindow);
    } catch (...) {
        // Nothing is thrown on purpose; memory exhaustion in a container
        // still ends the program in order.
    }
    menu::startup::finish(app);
    return 0;
}
