#include "button_frames.h"

namespace menu {

namespace btn {

int frameCount(unsigned kind) {
    int n = 2;
    if (kind & KindSelectedFrame) ++n;
    if (kind & KindDisabledFrame) ++n;
    return n;
}

int frameHeight(int stripHeight, unsigned kind) {
    if (stripHeight <= 0) return 0;
    return stripHeight / frameCount(kind);
}

int selectedFrame(unsigned kind) { return (kind & KindSelectedFrame) ? 2 : -1; }

int disabledFrame(unsigned kind) {
    if (!(kind & KindDisabledFrame)) return -1;
    return (kind & KindSelectedFrame) ? 3 : 2;
}

InitialLook initialLook(unsigned mode, unsigned kind) {
    InitialLook look = {0, FrameNormal, false, true};
    if (mode == ModeExit) {
        look.state = 0x11;
        look.visible = true;
        look.disabled = false;
    } else if (mode == ModeInfo && (kind & KindDisabledFrame)) {
        // Info with a greyed frame is visible from the start, just disabled.
        look.state = 0x21;
        look.frame = disabledFrame(kind);
        look.visible = true;
    } else {
        // Info without a greyed frame, page-menu and execute buttons: hidden and disabled.
        look.state = 0x22;
    }
    return look;
}

}  // namespace btn

}  // namespace menu
