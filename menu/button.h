// The menu's bitmap buttons (window class MN_Button): Exit, Info and the
// execute grid. A button is drawn wholly from a vertical strip of frames; its
// label is rendered once into the frames with the state styles of its
// description. MenuButton (menu_button.h) derives from it for the page-menu
// buttons and overrides five of the virtual operations.
#pragma once
#include <windows.h>

#include "cbmp.h"
#include "click_sound.h"
#include "menu_config.h"
#include "window_base.h"

namespace menu {

class Palette;

class Button : public common::WindowBase {
public:
    static const int kLabelSize = 128;
    static const int kHintSize = 256;

    Button() = default;
    ~Button() override;

    // Takes image, hint, position, styles and sound from a description. False
    // when the image cannot be loaded (the rest is taken all the same, so a
    // button that may go without image is still usable).
    bool build(const ButtonDesc& desc, unsigned kind);

    // The thirteen operations, in their slot order.
    virtual bool registerClass(HINSTANCE instance);
    virtual void drawLabel(HDC dc, const StateStyle& style, int frameTop);
    virtual HWND createWindow(HWND parent, HINSTANCE instance, int id, unsigned mode);
    virtual void show(bool visible);
    virtual void enable(bool enabled);
    virtual void setLit(bool lit);
    virtual unsigned state() const;
    virtual void setPressed(bool pressed);
    virtual bool isPressed() const;
    virtual void restore();
    virtual void moveTo(int x, int y);
    virtual void playClick();
    // A new label when one is given (null re-renders the stored one).
    virtual void setLabel(const char* label = nullptr);

    // Tooltip text: registers, updates or (when empty) removes the tool.
    void setHint(const char* hint);
    void destroyWindow();

    HWND window() const { return hwnd_; }
    int id() const { return id_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int width() const { return width_; }
    int frameHeight() const { return frameHeight_; }
    unsigned kind() const { return kind_; }
    const char* label() const { return label_; }
    const char* hint() const { return hint_; }
    // Frame now shown (0 normal, 1 lit, then selected / disabled).
    int frame() const;
    const StateStyle& style(int state) const { return styles_[state]; }
    bool toolRegistered() const { return toolRegistered_; }

    // For execute buttons: index of the command shown (into the entry's command table).
    int commandIndex = 0;

    // Shared by every button: the tooltip control and the menu's palette.
    static void setTooltip(HWND tooltip) { tooltip_ = tooltip; }
    static HWND tooltip() { return tooltip_; }
    static void setPalette(Palette* palette) { palette_ = palette; }
    static Palette* palette() { return palette_; }

protected:
    HWND createWithClass(HWND parent, HINSTANCE instance, int id, unsigned mode, const char* className);
    bool registerWithClass(HINSTANCE instance, const char* className, bool* registered);
    void showFrame(int frame);
    // State bit and frame for a change of the enabled state; a button without a
    // disabled frame is hidden instead.
    void applyEnabled(bool enabled);
    void repaint();
    // Renders the label into the frames: normal, then lit when withLit, then
    // the selected frame when the strip has one.
    void renderLabel(const char* label, bool withLit);
    // Messages both classes treat alike; true when handled.
    bool commonMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
    void relayToTooltip(UINT msg, WPARAM wp, LPARAM lp);
    bool insideClient(LPARAM lp) const;
    void postCommand(WORD code);

    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // The window went with its parent: its tool went with it.
    void onDestroyed() override { toolRegistered_ = false; }

    short x_ = 0, y_ = 0;
    int width_ = 0;
    int frameHeight_ = 0;
    int id_ = 0;
    unsigned kind_ = 0;
    unsigned state_ = 0;
    char label_[kLabelSize] = {};
    char hint_[kHintSize] = {};
    cBmpStrip strip_;
    ClickSound sound_;
    LONG soundAsync_ = 1;
    StateStyle styles_[StyleCount];
    bool tracking_ = false;
    bool toolRegistered_ = false;

    static HWND tooltip_;
    static Palette* palette_;
};

}  // namespace menu
