#include "window_placement.h"

namespace menu {

namespace placement {

Origin centred(int screenWidth, int screenHeight, int width, int height) {
    Origin o;
    o.x = (screenWidth - width) / 2;
    o.y = (screenHeight - height) / 2;
    if (o.y < 0) o.y = 0;
    return o;
}

}  // namespace placement

}  // namespace menu
