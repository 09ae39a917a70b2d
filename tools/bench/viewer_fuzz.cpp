// Random and mutated inputs through the detector, the EUC and JIS converters
// and the line splitter, in random chunk sizes. Built with the host compiler
// and the address and undefined-behaviour sanitizers by viewer_fuzz.sh; any
// write past a buffer or a line longer than a segment stops it.
//
// usage: viewer_fuzz [ROUNDS] [SEED]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>
#include "code_conv.h"
#include "detect.h"
#include "line_split.h"

namespace {

class CheckingSink : public viewer::LineSink {
public:
    bool line(const char* bytes, int len, bool continues) override {
        if (len < 0 || len > viewer::kLineSegment) {
            std::fprintf(stderr, "line of %d bytes (continues %d)\n", len, continues);
            std::abort();
        }
        // Touch every byte so the sanitizer sees the whole range.
        for (int i = 0; i < len; ++i) sum += (unsigned char)bytes[i];
        ++lines;
        return true;
    }
    unsigned long sum = 0, lines = 0;
};

std::string randomInput(std::mt19937& rng) {
    static const std::string pieces[] = {"\x1B$B", "\x1B(B",   "\x1B(I",  "\x1B(J", "\x1B$@",
                                         "\r\n",   "\n\r",     "\t",      "\x1A",   std::string(1, '\0'),
                                         "\x8E",   "\xA4\xA2", "\x82\xA0"};
    std::string s;
    size_t len = rng() % 70000;
    while (s.size() < len) {
        unsigned k = rng() % 10;
        if (k < 5) {
            s += char(rng());
        } else if (k < 8) {
            s += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        } else {
            s.append(rng() % 9000, char('a' + rng() % 26));  // long lines
        }
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    std::mt19937 rng(argc > 2 ? unsigned(std::atoi(argv[2])) : 1u);
    unsigned long total = 0;
    for (int round = 0; round < rounds; ++round) {
        std::string in = randomInput(rng);
        viewer::CodeDetector detector;
        viewer::EucDecoder euc;
        viewer::JisDecoder jis;
        CheckingSink sinks[3];
        viewer::LineSplitter split0(sinks[0], 8, true, true), split1(sinks[1], 4, true, rng() % 2),
            split2(sinks[2], 8, false, true);
        size_t at = 0;
        while (at < in.size()) {
            size_t n = 1 + rng() % 20000;
            if (n > in.size() - at) n = in.size() - at;
            // Exactly sized buffers: the sanitizer catches any write past them.
            std::vector<unsigned char> raw(in.begin() + long(at), in.begin() + long(at + n));
            std::vector<unsigned char> out1(n + viewer::kConvSlack), out2(n + viewer::kConvSlack);
            detector.feed(raw.data(), n);
            size_t m1 = euc.convert(raw.data(), n, out1.data());
            size_t m2 = jis.convert(raw.data(), n, out2.data());
            if (m1 > n + viewer::kConvSlack || m2 > n + viewer::kConvSlack) {
                std::fprintf(stderr, "converter wrote %zu/%zu of %zu\n", m1, m2, n);
                return 1;
            }
            split0.feed(raw.data(), n);
            split1.feed(out1.data(), m1);
            split2.feed(out2.data(), m2);
            at += n;
        }
        split0.finish();
        split1.finish();
        split2.finish();
        detector.finish();
        total += sinks[0].lines + sinks[1].lines + sinks[2].lines;
    }
    std::printf("rounds=%d lines=%lu ok\n", rounds, total);
    return 0;
}
