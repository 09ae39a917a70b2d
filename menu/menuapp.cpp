#include "menuapp.h"

MenuApp& menuApp() {
    static MenuApp app;
    return app;
}
