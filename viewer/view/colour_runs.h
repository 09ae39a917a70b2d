// The coloured runs of one display row: which bytes are drawn in which
// attribute, which are tabs or control characters, which are selected and
// which belong to a web or mail address.
#pragma once
#include "recognisers.h"
#include <vector>

namespace viewer {

enum RunFlag : unsigned {
    kRunAttrMask = 0x1F,
    kRunTab = 0x20,
    kRunControl = 0x40,
    kRunSelected = 0x80,
    kRunWebLink = 0x100,
    kRunMailLink = 0x200,
};

struct ColourRun {
    int start;  // byte index in the row
    int length;
    unsigned attr;  // attribute index plus RunFlag bits
};

struct RowRunInput {
    const unsigned char* text = nullptr;  // the row's bytes, [EOF] included on the last row
    int length = 0;
    bool eofRow = false;   // the last 5 bytes are the [EOF] mark
    int offsetInLine = 0;  // where this row starts within `links`' coordinates
    const std::vector<LinkSpan>* links = nullptr;
    int selStart = 0, selEnd = 0;  // selected byte range of the row, [selStart, selEnd)
};

// Runs in byte order, covering the row exactly.
std::vector<ColourRun> buildColourRuns(const RowRunInput& in);

// Link flags (kRunWebLink / kRunMailLink) of a byte of the row, 0 when none.
unsigned linkFlagsAt(const RowRunInput& in, int column);

}  // namespace viewer
