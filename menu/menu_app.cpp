#include "menu_app.h"

MenuApp& menuApp() {
    static MenuApp app;
    return app;
}
