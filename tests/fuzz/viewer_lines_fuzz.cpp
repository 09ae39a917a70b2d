// The line splitter and the row wrapper together, the way the loader and the
// row store use them, for every tab width the settings allow (powers of two
// up to 32), with and without tab padding and Ctrl+Z as text. Properties:
// a line part handed on never exceeds the line buffer and never ends on a
// lead byte (unless the input itself was cut there); rows never exceed the
// fold width and never end on a lead byte; the rows of a line cover all of
// its bytes; re-expanding a row's tabs stays inside the bound its callers
// reserve (every byte a tab).
#include <cstdint>

#include "fuzz_support.h"
#include "line_split.h"
#include "wrap.h"

namespace {

class CheckingSink : public viewer::LineSink {
public:
    int fold = 80;
    int tabWidth = 8;
    bool pad = true;
    bool refuseAt = false;
    size_t linesLeft = 0;
    bool line(const char* bytes, int len, bool continues) override {
        FUZZ_CHECK(len >= 0 && len <= viewer::kLineBufferSize);
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
        if (continues && len > 1) FUZZ_CHECK(fuzz::wholeCharacters(p, size_t(len)) || !whole);
        wrap(p, len);
        if (refuseAt && linesLeft-- == 0) return false;
        return true;
    }
    bool whole = true;

private:
    void wrap(const unsigned char* p, int len) {
        int pos = 0;
        int rows = 0;
        for (;;) {
            bool cont = false;
            int k = viewer::nextRowLength(p + pos, len - pos, fold, &cont);
            FUZZ_CHECK(k >= 0 && pos + k <= len);
            FUZZ_CHECK(k <= (fold < 2 ? 2 : fold));
            if (cont) {
                FUZZ_CHECK(k > 0);
                // The row ends between characters (zero bytes are tab padding).
                FUZZ_CHECK(fuzz::wholeCharacters(p + pos, size_t(k)) || !whole);
            }
            // Re-expanding the row's tabs, as the row store does: at most the
            // row's bytes times the tab width (the bound its callers reserve).
            static char out[viewer::kLineBufferSize * 32 + 1];
            int column = 0;
            int e = viewer::expandTabs(p + pos, k, out, tabWidth, pad, &column);
            FUZZ_CHECK(e >= 0 && e <= k * (tabWidth > 0 ? tabWidth : 8));
            pos += k;
            FUZZ_CHECK(++rows <= len + 1);
            if (!cont) break;
            pos += viewer::paddingToSkip(p + pos, len - pos);
        }
        FUZZ_CHECK(pos == len);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    CheckingSink sink;
    sink.tabWidth = 1 << in.ConsumeIntegralInRange(0, 5);
    sink.pad = in.ConsumeBool();
    sink.fold = in.ConsumeIntegralInRange(0, 1100);
    const bool ctrlZ = in.ConsumeBool();
    sink.refuseAt = in.ConsumeBool();
    sink.linesLeft = in.ConsumeIntegralInRange<size_t>(0, 50);
    const unsigned seed = in.ConsumeIntegral<uint8_t>();
    const std::vector<uint8_t> text = in.ConsumeRemainingBytes<uint8_t>();
    sink.whole = fuzz::wellFormed(text.data(), text.size());

    viewer::LineSplitter splitter(sink, sink.tabWidth, sink.pad, ctrlZ);
    unsigned s = seed;
    size_t pos = 0;
    bool going = true;
    while (pos < text.size() && going) {
        s = s * 1103515245u + 12345u;
        size_t take = std::min<size_t>(1 + (s >> 16) % 5000, text.size() - pos);
        std::vector<unsigned char> chunk(text.begin() + pos, text.begin() + pos + take);
        going = splitter.feed(chunk.data(), chunk.size());
        pos += take;
    }
    splitter.finish();
    FUZZ_CHECK(splitter.pendingLength() >= 0 && splitter.pendingLength() <= viewer::kLineBufferSize);
    return 0;
}
