#include "colour_runs.h"
#include "attributes.h"

namespace viewer {

std::vector<ColourRun> buildColourRuns(const RowRunInput& in) {
    std::vector<ColourRun> runs;
    int n = in.length;
    if (n <= 0 || !in.text) return runs;
    int textEnd = in.eofRow && n >= 5 ? n - 5 : n;

    std::vector<unsigned> a(n, kAttrNormal);
    if (in.links) {
        for (const LinkSpan& s : *in.links) {
            int from = s.start - in.offsetInLine, to = s.end - in.offsetInLine;
            if (from < 0) from = 0;
            if (to > textEnd) to = textEnd;
            unsigned attr = s.kind == kMailLink ? kAttrMailAddress : kAttrWebAddress;
            unsigned flag = s.kind == kMailLink ? kRunMailLink : kRunWebLink;
            for (int i = from; i < to; ++i) {
                if (attributePriority(attr) >= attributePriority(a[i] & kRunAttrMask))
                    a[i] = (a[i] & ~unsigned(kRunAttrMask)) | attr;
                a[i] |= flag;
            }
        }
    }
    for (int i = textEnd; i < n; ++i) a[i] = kAttrLineEnd;

    // Tabs with their fill bytes, and other control bytes, get run kinds of their own.
    for (int i = 0; i < textEnd; ++i) {
        unsigned char c = in.text[i];
        if (c == 0x09) {
            a[i] |= kRunTab;
            while (i + 1 < textEnd && in.text[i + 1] == 0) a[++i] |= kRunTab;
        } else if (c < 0x20) {
            a[i] |= kRunControl;
        }
    }
    int s0 = in.selStart < 0 ? 0 : in.selStart, s1 = in.selEnd > textEnd ? textEnd : in.selEnd;
    for (int i = s0; i < s1; ++i) a[i] |= kRunSelected;

    // Control characters are drawn one cell each, so every one is its own run.
    int start = 0;
    for (int i = 1; i <= n; ++i) {
        if (i == n || a[i] != a[start] || (a[start] & kRunControl)) {
            runs.push_back({start, i - start, a[start]});
            start = i;
        }
    }
    return runs;
}

unsigned linkFlagsAt(const RowRunInput& in, int column) {
    if (!in.links) return 0;
    int pos = column + in.offsetInLine;
    unsigned flags = 0;
    for (const LinkSpan& s : *in.links)
        if (pos >= s.start && pos < s.end) flags |= s.kind == kMailLink ? kRunMailLink : kRunWebLink;
    return flags;
}

}  // namespace viewer
