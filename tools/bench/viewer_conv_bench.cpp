// Throughput of the viewer's converters: reads a file in 16 KB chunks,
// converts it to Shift-JIS and writes the result to a file, as the iconv
// command it is compared with does. Builds with g++ on the host (EUC, JIS)
// and with the Windows cross compiler (also UTF-16, through the system's
// WideCharToMultiByte behind the loader's per-character cache).
//
// usage: viewer_convbench euc|jis|utf16 INPUT OUTPUT
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>
#include "code_conv.h"
#ifdef _WIN32
#include <windows.h>
#include "acp_conv.h"
#endif

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s euc|jis|utf16 INPUT OUTPUT\n", argv[0]);
        return 2;
    }
    const char* code = argv[1];
    std::FILE* in = std::fopen(argv[2], "rb");
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!in || !out) {
        std::fprintf(stderr, "cannot open files\n");
        return 1;
    }
    const size_t chunk = 16384;
    std::vector<unsigned char> raw(chunk + 4), conv(2 * chunk + 8);
    std::vector<uint16_t> unitBuf(chunk / 2 + 4);
    unsigned char* unitBytes = reinterpret_cast<unsigned char*>(unitBuf.data());
    viewer::EucDecoder euc;
    viewer::JisDecoder jis;
    viewer::Utf16Chunker utf16;
    const bool isEuc = !std::strcmp(code, "euc"), isJis = !std::strcmp(code, "jis");
    const bool isUtf16 = !std::strcmp(code, "utf16");
#ifndef _WIN32
    if (isUtf16) {
        std::fprintf(stderr, "utf16 needs the Windows build\n");
        return 2;
    }
#endif
    bool first = true;
    size_t total = 0, produced = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (;;) {
        size_t n = std::fread(raw.data(), 1, chunk, in);
        if (n == 0) break;
        total += n;
        size_t m = 0;
        const unsigned char* p = raw.data();
        if (isEuc) {
            m = euc.convert(p, n, conv.data());
        } else if (isJis) {
            m = jis.convert(p, n, conv.data());
        } else if (isUtf16) {
#ifdef _WIN32
            if (first && n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
                p += 2;
                n -= 2;
            }
            static viewer::AcpEncoder acp;
            size_t bytes = utf16.take(p, n, unitBytes);
            m = acp.convert(unitBuf.data(), bytes / 2, conv.data());
#endif
        }
        first = false;
        std::fwrite(conv.data(), 1, m, out);
        produced += m;
    }
    std::fclose(out);
    std::fclose(in);
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("%s in=%zu out=%zu seconds=%.3f MBps=%.1f\n", code, total, produced, s,
                double(total) / 1048576.0 / s);
    return 0;
}
