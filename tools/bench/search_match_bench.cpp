// The line matcher alone, host build: the file is read into memory and each
// line (up to its LF) is copied once into a working buffer and searched, which is the viewer's work per logical
// line without the row store.
//
// usage: search_match_bench FILE KEY
#include "search_match.h"
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE KEY\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<unsigned char> text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<unsigned char> work;
    const char* names[2] = {"fold", "exact"};
    for (int exact = 0; exact < 2; ++exact) {
        viewer::SearchKey key = viewer::makeSearchKey(argv[2], exact == 1, false);
        auto t0 = std::chrono::steady_clock::now();
        long line = 0, foundLine = -1;
        size_t pos = 0;
        while (pos < text.size()) {
            const void* lf = std::memchr(text.data() + pos, '\n', text.size() - pos);
            size_t end = lf ? static_cast<const unsigned char*>(lf) - text.data() : text.size();
            size_t len = end - pos;
            if (len && text[end - 1] == '\r') --len;
            if (work.size() < len) work.resize(len * 2);
            std::memcpy(work.data(), text.data() + pos, len);
            if (viewer::findInLineForward(work.data(), static_cast<int>(len), 0, key) >= 0) {
                foundLine = line;
                break;
            }
            ++line;
            pos = end + 1;
        }
        double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("%s_s=%.4f %s_line=%ld ", names[exact], t, names[exact], foundLine);
    }
    std::printf("bytes=%zu\n", text.size());
    return 0;
}
