// State bits, strip kinds and frame arithmetic of the menu's bitmap buttons.
// Pure arithmetic: the window code in button.cpp / menu_button.cpp follows it.
#pragma once

namespace menu {

namespace btn {

// State word of a button.
const unsigned StateVisible = 0x1;
const unsigned StateLowBits = 0xF;  // cleared together when a button is hidden
const unsigned StateEnabled = 0x10;
const unsigned StateLit = 0x10000;
const unsigned StatePressed = 0x20000;  // pressed, or selected for page-menu buttons

// Kind: which optional frames the image strip carries.
const unsigned KindDisabledFrame = 0x20;
const unsigned KindSelectedFrame = 0x20000;

// Creation modes of createWindow.
const unsigned ModeInfo = 0x20;   // starts disabled (greyed frame or hidden)
const unsigned ModeHidden = 0x2;  // page-menu and execute buttons: hidden until a page fills them
const unsigned ModeExit = 0x1;    // visible and enabled from the start

const int FrameNormal = 0;
const int FrameLit = 1;

// Frames in the strip: normal, lit, then selected and disabled when the kind has them.
int frameCount(unsigned kind);
// Height of one frame of a strip of the given height (integer division).
int frameHeight(int stripHeight, unsigned kind);
// Frame number of the selected frame, -1 when the strip has none.
int selectedFrame(unsigned kind);
// Frame number of the disabled frame, -1 when the strip has none.
int disabledFrame(unsigned kind);

// What createWindow starts a button with.
struct InitialLook {
    unsigned state;
    int frame;
    bool visible;   // WS_VISIBLE
    bool disabled;  // WS_DISABLED
};
InitialLook initialLook(unsigned mode, unsigned kind);

}  // namespace btn

}  // namespace menu
