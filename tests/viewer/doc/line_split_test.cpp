#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "line_split.h"

using namespace viewer;

namespace {

struct Part {
    std::string bytes;
    bool continues;
};

class Collect : public LineSink {
public:
    bool line(const char* b, int n, bool continues) override {
        parts.push_back({std::string(b, size_t(n)), continues});
        return refuseAfter < 0 || int(parts.size()) < refuseAfter;
    }
    std::vector<Part> parts;
    int refuseAfter = -1;
    // Whole lines, continued parts joined.
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        std::string cur;
        for (auto& p : parts) {
            cur += p.bytes;
            if (!p.continues) {
                out.push_back(cur);
                cur.clear();
            }
        }
        return out;
    }
};

struct Result {
    std::vector<std::string> lines;
    std::string rest;
    unsigned char bits;
};

Result split(const std::string& in, bool ctrlZAsText = true, int tab = 8, size_t chunk = 0) {
    Collect c;
    LineSplitter s(c, tab, true, ctrlZAsText);
    if (chunk == 0) chunk = in.size() ? in.size() : 1;
    for (size_t at = 0; at < in.size(); at += chunk)
        if (!s.feed(reinterpret_cast<const unsigned char*>(in.data()) + at, std::min(chunk, in.size() - at)))
            break;
    s.finish();
    return {c.lines(), std::string(s.pending(), size_t(s.pendingLength())), s.lineEndBits()};
}

}  // namespace

TEST(LineEnds, MixedSequence) {
    auto r = split("a\r\nb\n\rc\r\rd");
    EXPECT_EQ(r.lines, (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_EQ(r.rest, "d");
    // Split at every chunk size the same way.
    for (size_t chunk = 1; chunk < 12; ++chunk) {
        auto q = split("a\r\nb\n\rc\r\rd", true, 8, chunk);
        EXPECT_EQ(q.lines, r.lines) << chunk;
        EXPECT_EQ(q.rest, "d");
    }
}

TEST(LineEnds, PairsAndRepeats) {
    EXPECT_EQ(split("\n\n").lines.size(), 2u);
    EXPECT_EQ(split("\r\n\r\n").lines.size(), 2u);
    EXPECT_EQ(split("\n\r\n").lines.size(), 2u);  // LF CR, then LF alone
    EXPECT_EQ(split("a\n").rest, "");
}

TEST(LineEnds, KindBits) {
    EXPECT_EQ(split("a\nb\n").bits, 0x40);
    EXPECT_EQ(split("a\rb\r").bits, 0x80);
    EXPECT_EQ(split("a\r\nb\r\n").bits, 0);
    EXPECT_EQ(split("a\rb\n").bits, 0);
    EXPECT_EQ(split("ab").bits, 0);
}

TEST(Tabs, PaddedToTheStop) {
    auto r = split(std::string("x\ty\n"));
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0], std::string("x\t\0\0\0\0\0\0y", 9));
    EXPECT_EQ(split("\tz\n").lines[0], std::string("\t\0\0\0\0\0\0\0z", 9));
    std::string at76 = std::string(76, 'a') + "\t!\n";
    EXPECT_EQ(split(at76).lines[0], std::string(76, 'a') + std::string("\t\0\0\0!", 5));
    // Tab width 4.
    EXPECT_EQ(split("ab\tc\n", true, 4).lines[0], std::string("ab\t\0c", 5));
}

TEST(SpecialBytes, NulBecomesBlank) { EXPECT_EQ(split(std::string("a\0b\n", 4)).lines[0], "a b"); }

TEST(SpecialBytes, CtrlZ) {
    EXPECT_EQ(split("a\x1A"
                    "b\n")
                  .lines[0],
              "a\x1A"
              "b");
    auto last = split("ab\x1A");
    EXPECT_EQ(last.rest, "ab");
    auto lastAfterLine = split("ab\n\x1A");
    EXPECT_EQ(lastAfterLine.lines.size(), 1u);
    EXPECT_EQ(lastAfterLine.rest, "");
    // Two at the end: only the very last is dropped.
    EXPECT_EQ(split("ab\x1A\x1A").rest, "ab\x1A");
    // Held across chunks.
    EXPECT_EQ(split("a\x1A"
                    "b",
                    true, 8, 2)
                  .rest,
              "a\x1A"
              "b");
    // With ctrlZAsText off it ends the file.
    auto off = split("a\nb\x1A"
                     "c\nd\n",
                     false);
    EXPECT_EQ(off.lines, (std::vector<std::string>{"a"}));
    EXPECT_EQ(off.rest, "b");
}

TEST(LongLines, SegmentsOf8186Bytes) {
    Collect c;
    LineSplitter s(c, 8, true, true);
    std::string big(20000, 'q');
    s.feed(reinterpret_cast<const unsigned char*>(big.data()), big.size());
    s.finish();
    ASSERT_EQ(c.parts.size(), 2u);
    EXPECT_EQ(c.parts[0].bytes.size(), 8186u);
    EXPECT_TRUE(c.parts[0].continues);
    EXPECT_EQ(c.parts[1].bytes.size(), 8186u);
    EXPECT_EQ(s.pendingLength(), 20000 - 2 * 8186);
    EXPECT_TRUE(s.continuedLine());
}

TEST(LongLines, DoubleByteCharacterNotCutBetweenSegments) {
    Collect c;
    LineSplitter s(c, 8, true, true);
    std::string big = std::string(8185, 'a') + "\x82\xA0" + "tail\n";
    s.feed(reinterpret_cast<const unsigned char*>(big.data()), big.size());
    ASSERT_EQ(c.parts.size(), 2u);
    EXPECT_EQ(c.parts[0].bytes.size(), 8185u);
    EXPECT_EQ(c.parts[1].bytes, "\x82\xA0tail");
}

TEST(LongLines, TabPaddingNeverOverrunsTheBuffer) {
    // Tabs right before the segment end: the padding would pass 8186 bytes.
    for (int lead = 8170; lead < 8192; ++lead) {
        Collect c;
        LineSplitter s(c, 8, true, true);
        std::string line = std::string(size_t(lead), 'a') + "\t\t\tz\n";
        s.feed(reinterpret_cast<const unsigned char*>(line.data()), line.size());
        for (auto& p : c.parts) ASSERT_LE(p.bytes.size(), 8186u);
        std::string joined;
        for (auto& p : c.parts) joined += p.bytes;
        ASSERT_EQ(joined.back(), 'z');
        ASSERT_EQ(std::count(joined.begin(), joined.end(), '\t'), 3);
    }
}

TEST(Sink, RefusalStopsSplitting) {
    Collect c;
    c.refuseAfter = 2;
    LineSplitter s(c, 8, true, true);
    std::string in = "a\nb\nc\nd\n";
    EXPECT_FALSE(s.feed(reinterpret_cast<const unsigned char*>(in.data()), in.size()));
    EXPECT_TRUE(s.failed());
    EXPECT_EQ(c.parts.size(), 2u);
}
