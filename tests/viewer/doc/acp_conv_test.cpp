#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "acp_conv.h"

using namespace viewer;

namespace {
std::string direct(const std::vector<uint16_t>& u) {
    int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const WCHAR*>(u.data()), int(u.size()), nullptr,
                                0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const WCHAR*>(u.data()), int(u.size()), &out[0], n,
                        nullptr, nullptr);
    return out;
}
std::string cached(AcpEncoder& e, const std::vector<uint16_t>& u) {
    std::string out(u.size() * 2, '\0');
    out.resize(e.convert(u.data(), u.size(), reinterpret_cast<unsigned char*>(&out[0])));
    return out;
}
}  // namespace

TEST(AcpEncoder, SameBytesAsTheSystemForEveryCharacter) {
    ASSERT_EQ(GetACP(), 932u);
    std::vector<uint16_t> all;
    for (unsigned u = 0; u < 0x10000; ++u)
        if (u < 0xD800 || u > 0xDFFF) all.push_back(uint16_t(u));
    AcpEncoder e;
    EXPECT_EQ(cached(e, all), direct(all));
    // Again, now from the cache.
    EXPECT_EQ(cached(e, all), direct(all));
}

TEST(AcpEncoder, JapaneseAndUnmappable) {
    AcpEncoder e;
    std::vector<uint16_t> text = {0x3042, 'A', 0xFF71, 0x4E9C, 0x00E9, 0x0E01};
    EXPECT_EQ(cached(e, text), direct(text));
    EXPECT_EQ(cached(e, text).substr(0, 6), "\x82\xA0"
                                            "A\xB1\x88\x9F");
}

TEST(AcpEncoder, SurrogatesAsTheSystemConvertsThem) {
    AcpEncoder e;
    std::vector<uint16_t> pair = {'a', 0xD83D, 0xDE00, 'b'};
    EXPECT_EQ(cached(e, pair), direct(pair));
    std::vector<uint16_t> lone = {'a', 0xDC00, 'b', 0xD800};
    EXPECT_EQ(cached(e, lone), direct(lone));
}
