// The 32-entry attribute table (text colour, background, style) and the
// priorities by which recognised stretches of text override one another.
#pragma once
#include <cstdint>

namespace viewer {

enum Attribute {
    kAttrNormal = 0,
    kAttrLineNumber = 1,
    kAttrEditedLineNumber = 2,
    kAttrComment = 3,
    kAttrHighlight1 = 4,
    kAttrSpecial1 = 5,
    kAttrLineHighlight1 = 6,
    kAttrHighlight2 = 7,
    kAttrSpecial2 = 8,
    kAttrLineHighlight2 = 9,
    kAttrMarkedLineNumber = 10,
    kAttrWebAddress = 11,
    kAttrMailAddress = 12,
    kAttrHtmlTag = 13,
    kAttrHtmlElement = 14,
    kAttrHtmlAttribute = 15,
    kAttrLineEnd = 16,
    kAttrSelection = 17,
    kAttrTabMark = 18,
    kAttrSpaceMark = 19,
    kAttrString = 20,
    kAttrFileName = 21,
    kAttrHighlight3 = 22,
    kAttrHighlight4 = 23,
    kAttrBracket = 24,
    kAttributeCount = 32
};

enum Style {
    kStylePlain = 0,
    kStyleBold = 1,
    kStyleUnderline = 2,
    kStyleItalic = 4,
    kStyleOutline = 8,
    kStyleExtraBold = 9,
    kStyleShadow = 10
};

// A colour is an RGB value or, with kSystemColour set, a system-colour index.
constexpr uint32_t kSystemColour = 0x80000000u;
constexpr uint32_t rgb(int r, int g, int b) { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }
constexpr uint32_t sysColour(int index) { return kSystemColour | uint32_t(index); }

struct AttributeEntry {
    uint32_t text;
    uint32_t back;
    int style;
};

// The viewer's built-in values; entries past the last defined one are normal text.
const AttributeEntry& defaultAttribute(int index);

// Rank used when recognisers colour the same bytes; a higher rank wins.
int attributePriority(int index);

}  // namespace viewer
