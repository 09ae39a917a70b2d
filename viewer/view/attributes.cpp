#include "attributes.h"

namespace viewer {
namespace {

// System-colour indexes (the COLOR_ constants of the platform).
constexpr int kWindow = 5, kWindowText = 8, kHighlight = 13, kHighlightText = 14;

const AttributeEntry kTable[kAttributeCount] = {
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},        // 0 normal text
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},        // 1 line numbers
    {sysColour(kWindowText), sysColour(kWindow), kStyleBold},         // 2 edited-row number
    {rgb(0, 128, 0), sysColour(kWindow), kStylePlain},                // 3 comment
    {sysColour(kWindowText), sysColour(kWindow), kStyleBold},         // 4 highlight 1
    {rgb(0, 0, 255), sysColour(kWindow), kStyleBold},                 // 5 special 1
    {sysColour(kWindowText), sysColour(kWindow), kStyleShadow},       // 6 whole-line 1
    {rgb(0, 128, 128), sysColour(kWindow), kStyleBold},               // 7 highlight 2
    {rgb(255, 0, 0), sysColour(kWindow), kStyleBold},                 // 8 special 2
    {sysColour(kWindowText), sysColour(kWindow), kStyleExtraBold},    // 9 whole-line 2
    {sysColour(kWindow), rgb(0, 128, 0), kStylePlain},                // 10 marked-row number
    {rgb(128, 0, 128), sysColour(kWindow), kStyleUnderline},          // 11 web address
    {rgb(0, 0, 128), sysColour(kWindow), kStyleUnderline},            // 12 mail address
    {rgb(0, 128, 128), sysColour(kWindow), kStylePlain},              // 13 HTML tag
    {rgb(128, 0, 128), sysColour(kWindow), kStylePlain},              // 14 HTML element
    {rgb(128, 0, 0), sysColour(kWindow), kStylePlain},                // 15 HTML attribute
    {rgb(0, 128, 128), sysColour(kWindow), kStylePlain},              // 16 line end, [EOF]
    {sysColour(kHighlightText), sysColour(kHighlight), kStylePlain},  // 17 selection
    {rgb(128, 128, 128), sysColour(kWindow), kStylePlain},            // 18 tab mark
    {rgb(128, 128, 128), sysColour(kWindow), kStylePlain},            // 19 space marks
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},        // 20 string constant
    {rgb(128, 128, 0), sysColour(kWindow), kStyleUnderline},          // 21 file name
    {rgb(0, 0, 128), sysColour(kWindow), kStyleBold},                 // 22 highlight 3
    {rgb(128, 0, 128), sysColour(kWindow), kStyleBold},               // 23 highlight 4
    {sysColour(kWindowText), sysColour(kWindow), kStyleBold},         // 24 matching bracket
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
    {sysColour(kWindowText), sysColour(kWindow), kStylePlain},
};

}  // namespace

const AttributeEntry& defaultAttribute(int index) { return kTable[index & (kAttributeCount - 1)]; }

int attributePriority(int index) {
    static const int order[] = {4, 7, 22, 23, 6, 9, 3, 20, 13, 14, 15, 11, 12, 21, 5, 8};
    for (int i = 0; i < 16; ++i)
        if (order[i] == index) return i + 1;
    return 0;
}

}  // namespace viewer
