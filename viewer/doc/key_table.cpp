#include "key_table.h"
#include "../../resources/viewer/resource.h"
#include <cstring>

namespace viewer {

namespace {

// Virtual-key codes (the values of the Win32 headers; kept here so the table
// builds without them).
enum : unsigned {
    kVkBack = 0x08,
    kVkReturn = 0x0D,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    kVkF1 = 0x70,
    kVkF12 = 0x7B,
    kVkComma = 0xBC,
    kVkPeriod = 0xBE,
    kVkOem3 = 0xC0,
};

// Home .. Left, in the order shared by the shift and the modified regions.
int editKeyOffset(unsigned vk) {
    switch (vk) {
    case kVkHome:
        return 0;
    case kVkEnd:
        return 1;
    case kVkBack:
        return 2;
    case kVkReturn:
        return 3;
    case kVkInsert:
        return 4;
    case kVkDelete:
        return 5;
    case kVkUp:
        return 6;
    case kVkDown:
        return 7;
    case kVkRight:
        return 8;
    case kVkLeft:
        return 9;
    default:
        return -1;
    }
}

}  // namespace

void KeyTable::clear() {
    std::memset(plain_, 0, sizeof plain_);
    std::memset(shift_, 0, sizeof shift_);
    std::memset(modified_, 0, sizeof modified_);
    std::memset(mouse_, 0, sizeof mouse_);
}

KeyRegion KeyTable::regionFor(bool ctrl, bool shift, bool alt) {
    if (ctrl && alt) return shift ? kRegionCtrlAltShift : kRegionCtrlAlt;
    if (ctrl) return shift ? kRegionCtrlShift : kRegionCtrl;
    if (alt) return shift ? kRegionAltShift : kRegionAlt;
    return shift ? kRegionShift : kRegionPlain;
}

int KeyTable::entryIndex(KeyRegion region, unsigned vk) {
    switch (region) {
    case kRegionPlain:
        if (vk == kVkInsert) return 0;
        if (vk >= kVkF1 && vk <= kVkF12) return 1 + int(vk - kVkF1);
        if (vk == kVkHome) return 13;
        if (vk == kVkEnd) return 14;
        return -1;
    case kRegionShift: {
        if (vk >= kVkF1 && vk <= kVkF12) return int(vk - kVkF1);
        int e = editKeyOffset(vk);
        return e < 0 ? -1 : 12 + e;
    }
    case kRegionMouse:
        return vk < unsigned(kMouseEntries) ? int(vk) : -1;
    case kRegionCount:
        return -1;
    default: {
        if (vk >= kVkF1 && vk <= kVkF12) return int(vk - kVkF1);
        int e = editKeyOffset(vk);
        if (e >= 0) return 12 + e;
        if (vk == kVkOem3) return 22;
        if (vk >= 0x40 && vk <= 0x5F) return int(vk) - 42;
        if (vk >= 0xDB && vk <= 0xDE) return int(vk - 0xDB) + 49;
        if (vk == kVkComma) return 54;
        if (vk == kVkPeriod || vk == 0x1D) return 55;
        return -1;
    }
    }
}

uint16_t KeyTable::get(KeyRegion region, int index) const {
    if (index < 0) return 0;
    switch (region) {
    case kRegionPlain:
        return index < kPlainEntries ? plain_[index] : 0;
    case kRegionShift:
        return index < kShiftEntries ? shift_[index] : 0;
    case kRegionMouse:
        return index < kMouseEntries ? mouse_[index] : 0;
    case kRegionCount:
        return 0;
    default:
        return index < kModifiedEntries ? modified_[region - kRegionCtrl][index] : 0;
    }
}

void KeyTable::set(KeyRegion region, int index, uint16_t command) {
    if (index < 0) return;
    switch (region) {
    case kRegionPlain:
        if (index < kPlainEntries) plain_[index] = command;
        break;
    case kRegionShift:
        if (index < kShiftEntries) shift_[index] = command;
        break;
    case kRegionMouse:
        if (index < kMouseEntries) mouse_[index] = command;
        break;
    case kRegionCount:
        break;
    default:
        if (index < kModifiedEntries) modified_[region - kRegionCtrl][index] = command;
        break;
    }
}

uint16_t KeyTable::lookup(unsigned vk, bool ctrl, bool shift, bool alt) const {
    KeyRegion r = regionFor(ctrl, shift, alt);
    return get(r, entryIndex(r, vk));
}

void KeyTable::assign(unsigned vk, bool ctrl, bool shift, bool alt, uint16_t command) {
    KeyRegion r = regionFor(ctrl, shift, alt);
    set(r, entryIndex(r, vk), command);
}

void KeyTable::setDefaults() {
    clear();
    assign('F', true, false, false, IDM_FIND);
    assign(kVkF1 + 2, false, false, false, IDM_FIND_NEXT);     // F3
    assign(kVkF1 + 2, false, true, false, IDM_FIND_PREVIOUS);  // Shift+F3
    assign('N', true, false, false, IDM_FIND_NEXT);
    assign('P', true, false, false, IDM_FIND_PREVIOUS);
    assign('L', true, false, false, IDM_WORD_AS_SEARCH_TEXT);
    assign('C', true, false, false, IDM_COPY);
    assign('A', true, false, false, IDM_SELECT_ALL);
    assign('B', true, false, false, IDM_RANGE_SELECT);
    assign('A', false, false, true, IDM_RANGE_SELECT);  // Alt+A
    assign('O', true, false, false, IDM_OPEN);
    assign(kVkF12, false, false, false, IDM_LINE_NUMBERS);
    assign(kVkF1 + 5, false, false, false, IDM_OTHER_PANE);  // F6
}

}  // namespace viewer
