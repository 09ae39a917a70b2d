#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "code_conv.h"
#include "detect.h"

using namespace viewer;

namespace {

using Bytes = std::string;

Bytes euc(const Bytes& in, size_t chunk) {
    EucDecoder d;
    Bytes out;
    for (size_t at = 0; at < in.size(); at += chunk) {
        size_t n = std::min(chunk, in.size() - at);
        std::vector<unsigned char> buf(n + kConvSlack);
        size_t got = d.convert(reinterpret_cast<const unsigned char*>(in.data()) + at, n, buf.data());
        EXPECT_LE(got, n + kConvSlack);
        out.append(reinterpret_cast<char*>(buf.data()), got);
    }
    return out;
}

Bytes jis(const Bytes& in, size_t chunk) {
    JisDecoder d;
    Bytes out;
    for (size_t at = 0; at < in.size(); at += chunk) {
        size_t n = std::min(chunk, in.size() - at);
        std::vector<unsigned char> buf(n + kConvSlack);
        size_t got = d.convert(reinterpret_cast<const unsigned char*>(in.data()) + at, n, buf.data());
        EXPECT_LE(got, n + kConvSlack);
        out.append(reinterpret_cast<char*>(buf.data()), got);
    }
    return out;
}

CharCode detect(const Bytes& b) {
    return detectCode(reinterpret_cast<const unsigned char*>(b.data()), b.size());
}

}  // namespace

TEST(JisToShiftJis, WorkedExamples) {
    EXPECT_EQ(jisToSjis(0x2422), 0x82A0u);
    EXPECT_EQ(jisToSjis(0x2121), 0x8140u);
    EXPECT_EQ(jisToSjis(0x2160), 0x8180u);
    EXPECT_EQ(jisToSjis(0x3021), 0x889Fu);
}

TEST(JisToShiftJis, WholeRangeGivesValidDistinctShiftJis) {
    std::vector<bool> seen(0x10000);
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1)
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            unsigned s = jisToSjis((j1 << 8) | j2);
            unsigned s1 = s >> 8, s2 = s & 0xFF;
            ASSERT_TRUE((s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF)) << std::hex << j1 << j2;
            ASSERT_TRUE(s2 >= 0x40 && s2 <= 0xFC && s2 != 0x7F) << std::hex << j1 << j2;
            ASSERT_FALSE(seen[s]);
            seen[s] = true;
        }
    // The row past 0x5E continues at lead byte 0xE0.
    EXPECT_EQ(jisToSjis(0x5F21) >> 8, 0xE0u);
    EXPECT_EQ(jisToSjis(0x5E7E) >> 8, 0x9Fu);
}

TEST(EucConversion, PairsKatakanaAndAscii) {
    EXPECT_EQ(euc("a\xA4\xA2z", 100), "a\x82\xA0z");
    EXPECT_EQ(euc("\x8E\xB1\x8E\xDF", 100), "\xB1\xDF");
    EXPECT_EQ(euc("\xB0\xA1", 100), "\x88\x9F");
}

TEST(EucConversion, PairSplitAcrossChunksDecodes) {
    const Bytes text = "x\xA4\xA2\xA4\xA4\x8E\xB1y";
    for (size_t chunk = 1; chunk <= text.size(); ++chunk)
        EXPECT_EQ(euc(text, chunk), "x\x82\xA0\x82\xA2\xB1y") << "chunk " << chunk;
}

TEST(EucConversion, TruncatedPairKeepsTheLineEnd) {
    // A lone lead byte before a line end must not eat it.
    EXPECT_EQ(euc("ab\xA4\ncd", 100), "ab\ncd");
    // A lead byte at the very end is held and simply not output.
    EucDecoder d;
    unsigned char out[8];
    const unsigned char in[] = {'a', 0xA4};
    EXPECT_EQ(d.convert(in, 2, out), 1u);
    EXPECT_TRUE(d.hasPending());
}

TEST(JisConversion, EscapesSwitchStates) {
    EXPECT_EQ(jis("a\x1B$B$\"!!\x1B(Bz", 100), "a\x82\xA0\x81\x40z");
    EXPECT_EQ(jis("\x1B$@0!\x1B(J!", 100), "\x88\x9F!");
    EXPECT_EQ(jis("\x1B(I1_\x1B(B1", 100), "\xB1\xDF"
                                           "1");
    // Unknown escapes are consumed without effect.
    EXPECT_EQ(jis("a\x1B"
                  "Nb",
                  100),
              "ab");
}

TEST(JisConversion, EscapeAndPairSplitAcrossChunksDecode) {
    const Bytes text = "ab\x1B$B$\"$$\x1B(Bcd\x1B(I1\x1B(Be";
    const Bytes want = "ab\x82\xA0\x82\xA2"
                       "cd\xB1"
                       "e";
    for (size_t chunk = 1; chunk <= text.size(); ++chunk)
        EXPECT_EQ(jis(text, chunk), want) << "chunk " << chunk;
}

TEST(JisConversion, LineEndsInsideTwoByteRunStayLineEnds) {
    EXPECT_EQ(jis("\x1B$B$\"\r\n$\"", 100), "\x82\xA0\r\n\x82\xA0");
    // A half pair before the line end is dropped.
    EXPECT_EQ(jis("\x1B$B$\"$\n$\"", 100), "\x82\xA0\n\x82\xA0");
    // Katakana state keeps line ends too.
    EXPECT_EQ(jis("\x1B(I1\n1", 100), "\xB1\n\xB1");
}

TEST(JisConversion, StateIsKeptAcrossChunksAndReset) {
    JisDecoder d;
    unsigned char out[16];
    const unsigned char a[] = {0x1B, '$', 'B', '$'};
    const unsigned char b[] = {'"'};
    EXPECT_EQ(d.convert(a, 4, out), 0u);
    EXPECT_EQ(d.state(), 2);
    EXPECT_EQ(d.carried(), 1);
    ASSERT_EQ(d.convert(b, 1, out), 2u);
    EXPECT_EQ(out[0], 0x82);
    EXPECT_EQ(out[1], 0xA0);
    d.reset();
    EXPECT_EQ(d.state(), 0);
    EXPECT_EQ(d.carried(), 0);
}

TEST(Utf16Chunks, OddByteWaitsForTheNextChunk) {
    Utf16Chunker c;
    unsigned char units[8];
    const unsigned char a[] = {'A', 0, 'B'};
    const unsigned char b[] = {0, 'C'};
    EXPECT_EQ(c.take(a, 3, units), 2u);
    EXPECT_EQ(c.take(b, 2, units), 2u);
    EXPECT_EQ(units[0], 'B');
    EXPECT_EQ(units[1], 0);
}

TEST(CodeDetection, Verdicts) {
    EXPECT_EQ(detect("plain ASCII text\r\nsecond line\r\n"), kCodeSjis);
    EXPECT_EQ(detect(""), kCodeSjis);
    EXPECT_EQ(detect("abc \xB0\xA1\xA4\xA2 def"), kCodeEuc);
    EXPECT_EQ(detect("Subject: test\r\n\r\n\x1B$B$3$s$K$A$O\x1B(B\r\n"), kCodeJis);
    EXPECT_EQ(detect("\x1B(Jabc"), kCodeJis);
    EXPECT_EQ(detect("\x1B(Iabc"), kCodeJis);
    EXPECT_EQ(detect("\x82\xA0\x82\xA2"), kCodeSjis);
    EXPECT_EQ(detect("abc \x82\xA0"), kCodeSjis);
    // A good EUC pair whose second byte cannot occur in Shift-JIS.
    EXPECT_EQ(detect("\xA4\xFD"), kCodeEuc);
    // A bad EUC pair decides Shift-JIS before the Shift-JIS scan looks.
    EXPECT_EQ(detect("\xC1\xA1\x88\x20"), kCodeSjis);
    // 0xFD and above only occur in EUC.
    EXPECT_EQ(detect("\xFD\xA1"), kCodeEuc);
    // Half-width katakana pair of EUC.
    EXPECT_EQ(detect("\x8E\xB1\x8E\xB2"), kCodeEuc);
}

TEST(CodeDetection, EucScanWinsWithinAWindow) {
    // Both scans would decide in the first window; the EUC scan runs first.
    EXPECT_EQ(detect("\x82\xA0 \xFD"), kCodeSjis);
    // Also when the window's bytes arrive one at a time.
    const std::string text = "\xFD\xA1 \x82\x20";
    CodeDetector d;
    for (char c : text) d.feed(reinterpret_cast<const unsigned char*>(&c), 1);
    EXPECT_EQ(d.finish(), kCodeSjis);
}

TEST(CodeDetection, VerdictDoesNotDependOnHowBytesArrive) {
    const std::string text = std::string(300, 'a') + "\xB0\xA1" + std::string(300, 'b') + "\xA4\xA2";
    for (size_t chunk : {1u, 7u, 255u, 256u, 257u, 1000u}) {
        CodeDetector d;
        for (size_t at = 0; at < text.size(); at += chunk)
            d.feed(reinterpret_cast<const unsigned char*>(text.data()) + at,
                   std::min(chunk, text.size() - at));
        EXPECT_EQ(d.finish(), kCodeEuc) << chunk;
        EXPECT_EQ(d.eucPairs(), 2);
    }
}

TEST(ConvertersOnRandomBytes, NeverWriteBeyondTheSlack) {
    unsigned seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0xFF;
    };
    for (int round = 0; round < 200; ++round) {
        size_t n = 1 + next() * 8;
        std::vector<unsigned char> in(n);
        for (auto& b : in) b = (unsigned char)next();
        std::vector<unsigned char> out(n + kConvSlack + 64, 0xCC);
        EucDecoder e;
        size_t got = e.convert(in.data(), n, out.data());
        ASSERT_LE(got, n + kConvSlack);
        for (size_t i = n + kConvSlack; i < out.size(); ++i) ASSERT_EQ(out[i], 0xCC);
        JisDecoder j;
        std::fill(out.begin(), out.end(), 0xCC);
        got = j.convert(in.data(), n, out.data());
        ASSERT_LE(got, n + kConvSlack);
        for (size_t i = n + kConvSlack; i < out.size(); ++i) ASSERT_EQ(out[i], 0xCC);
    }
}

TEST(CodeDetection, WindowsStartAfreshWithEachPassOf16382Bytes) {
    // 0xFD at 16383 decides EUC in the Shift-JIS scan; the pair C1 20 right
    // behind it decides Shift-JIS in the EUC scan. In the second pass both lie
    // in the window that starts at 16382, where the EUC scan runs first.
    std::string text(16383, 'a');
    text += "\xFD\xA1\xC1\x20tail";
    EXPECT_EQ(detect(text), kCodeSjis);
    for (size_t chunk : {1u, 100u, 16383u, 16384u}) {
        CodeDetector d;
        for (size_t at = 0; at < text.size(); at += chunk)
            d.feed(reinterpret_cast<const unsigned char*>(text.data()) + at,
                   std::min(chunk, text.size() - at));
        EXPECT_EQ(d.finish(), kCodeSjis) << chunk;
    }
    // Two bytes earlier the Shift-JIS scan meets 0xFD in the last window of the
    // first pass, alone: EUC.
    std::string early(16379, 'a');
    early += "\xFD\xA1\xC1\x20tail";
    EXPECT_EQ(detect(early), kCodeEuc);
}

// Bytes that stand for no character come out as the geta mark (pairs) or
// "?" (single bytes), never as a lead byte that would take the next byte,
// a line end included, as its partner.
TEST(Conversion, BytesThatAreNoCharacterNeverLeaveALeadByte) {
    const struct {
        const char* in;
        bool isEuc;
        const char* want;
    } cases[] = {
        {"\x8E\x81\n", true, "\x81\xAC\n"},        // EUC kana prefix with no kana
        {"a\xFF\xFF\r\n", true, "a\x81\xAC\r\n"},  // 0xFF is no EUC byte
        {"\x90\xA1\n", true, "\x81\xAC\n"},        // lead byte below the EUC range
        {"\x1B(Ia\n", false, "?\n"},               // no half-width katakana
        {"\x82\n\xB1", false, "?\n\xB1"},          // lead byte without a second byte in the ASCII state
        // Shift-JIS in the ASCII state is kept; 0xFF and a lead at the end are not.
        {"\x82\xA0x\xFF\x82", false, "\x82\xA0x?"},
        {"\x1B$B\x7F!\n$\"", false, "\x81\xAC\n\x82\xA0"},  // row byte outside JIS X 0208
    };
    for (const auto& c : cases) {
        for (size_t chunk : {1u, 2u, 100u}) {
            EXPECT_EQ(c.isEuc ? euc(c.in, chunk) : jis(c.in, chunk), c.want) << c.in << " chunk " << chunk;
        }
    }
}
