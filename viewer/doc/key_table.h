// The key-assignment table: 16-bit command numbers (0 = nothing) addressed by
// key and modifier state. The client window consults it for every key it does
// not handle itself.
#pragma once
#include <cstdint>

namespace viewer {

enum KeyRegion {
    kRegionPlain,  // Insert, F1-F12, Home, End
    kRegionShift,  // F1-F12, Home, End, Backspace, Enter, Insert, Delete, Up, Down, Right, Left
    kRegionCtrl,   // the six modified regions share one layout of 56 entries
    kRegionCtrlShift,
    kRegionAlt,
    kRegionAltShift,
    kRegionCtrlAlt,
    kRegionCtrlAltShift,
    kRegionMouse,  // left double-click, right click, left triple-click
    kRegionCount
};

constexpr int kPlainEntries = 15;
constexpr int kShiftEntries = 22;
constexpr int kModifiedEntries = 56;
constexpr int kMouseEntries = 3;

enum MouseEntry { kMouseLeftDouble = 0, kMouseRight = 1, kMouseLeftTriple = 2 };

class KeyTable {
public:
    KeyTable() { clear(); }
    void clear();
    void setDefaults();  // clears, then the built-in assignments

    // Command for a virtual key with the given modifiers; 0 when the key has
    // no entry in that region or the entry is empty.
    uint16_t lookup(unsigned virtualKey, bool ctrl, bool shift, bool alt) const;
    uint16_t mouse(MouseEntry which) const { return mouse_[which]; }

    // Entry index of a key in a region, -1 when the region has no entry for it.
    static int entryIndex(KeyRegion region, unsigned virtualKey);
    static KeyRegion regionFor(bool ctrl, bool shift, bool alt);

    uint16_t get(KeyRegion region, int index) const;
    void set(KeyRegion region, int index, uint16_t command);
    void assign(unsigned virtualKey, bool ctrl, bool shift, bool alt, uint16_t command);

private:
    uint16_t plain_[kPlainEntries];
    uint16_t shift_[kShiftEntries];
    uint16_t modified_[6][kModifiedEntries];
    uint16_t mouse_[kMouseEntries];
};

}  // namespace viewer
