#include "menu_app.h"

namespace menu {

MenuApp& menuApp() {
    static MenuApp app;
    return app;
}

}  // namespace menu
