// The font cache the label styles draw with, and click sounds held in memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "click_sound.h"
#include "font_cache.h"
#include "screen_fixture.h"

using namespace menu;

namespace {

LOGFONTA describe(HFONT f) {
    LOGFONTA lf = {};
    GetObjectA(f, sizeof lf, &lf);
    return lf;
}

TEST(FontCache, HeightsOutsideTheSlotsGiveNoFont) {
    FontCache cache;
    EXPECT_EQ(nullptr, cache.get(-1));
    EXPECT_EQ(nullptr, cache.get(-20));
    EXPECT_EQ(nullptr, cache.get(256));
    EXPECT_NE(nullptr, cache.get(255));
    EXPECT_NE(nullptr, cache.get(0));
}

TEST(FontCache, EachFontIsMadeOnceAndKept) {
    FontCache cache;
    HFONT a = cache.get(20);
    EXPECT_EQ(a, cache.get(20));
    EXPECT_EQ(a, cache.get(20, true, FontCache::Gothic));
    EXPECT_NE(a, cache.get(12));
}

TEST(FontCache, FourVariantsPerHeight) {
    FontCache cache;
    HFONT boldGothic = cache.get(16, true, FontCache::Gothic);
    HFONT regularGothic = cache.get(16, false, FontCache::Gothic);
    HFONT boldMincho = cache.get(16, true, FontCache::Mincho);
    HFONT regularMincho = cache.get(16, false, FontCache::Mincho);
    EXPECT_NE(boldGothic, regularGothic);
    EXPECT_NE(boldMincho, regularMincho);
    EXPECT_NE(boldGothic, boldMincho);

    LOGFONTA lf = describe(boldGothic);
    EXPECT_EQ(16, lf.lfHeight);  // cell height
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, lf.lfCharSet);
    EXPECT_EQ(ANTIALIASED_QUALITY, lf.lfQuality);
    EXPECT_EQ(VARIABLE_PITCH | FF_ROMAN, lf.lfPitchAndFamily);
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
    EXPECT_STREQ("MS UI Gothic", lf.lfFaceName);
    EXPECT_EQ(FW_NORMAL, describe(regularGothic).lfWeight);
    EXPECT_STREQ("ＭＳ Ｐ明朝", describe(boldMincho).lfFaceName);
}

TEST(FontCache, JapaneseTextHasWidthInTheCachedFont) {
    FontCache cache;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, cache.get(20));
    SIZE ext = {};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "表示ソフト", 10, &ext));
    EXPECT_GT(ext.cx, 40);
    EXPECT_GE(ext.cy, 18);
    DeleteDC(dc);
}

class ClickSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = e2e::freshFolder("click_sound");
        ASSERT_FALSE(folder_.empty());
    }
    // A short silent PCM wave file.
    std::string wave() {
        std::string data(800, '\x80');
        std::string s = "RIFF";
        fixture::put32(s, 36 + unsigned(data.size()));
        s += "WAVEfmt ";
        fixture::put32(s, 16);
        fixture::put16(s, 1);
        fixture::put16(s, 1);
        fixture::put32(s, 8000);
        fixture::put32(s, 8000);
        fixture::put16(s, 1);
        fixture::put16(s, 8);
        s += "data";
        fixture::put32(s, unsigned(data.size()));
        return s + data;
    }
    std::string folder_;
};

TEST_F(ClickSoundTest, MissingOrEmptyFileIsSilence) {
    ClickSound s;
    EXPECT_FALSE(s.load((folder_ + "\\none.wav").c_str()));
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(s.load(""));
    EXPECT_FALSE(s.load(nullptr));
    ASSERT_TRUE(e2e::writeFile(folder_ + "\\empty.wav", ""));
    EXPECT_FALSE(s.load((folder_ + "\\empty.wav").c_str()));
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(s.play(true));
}

TEST_F(ClickSoundTest, FileIsHeldWholeAndReplacedByTheNextLoad) {
    ASSERT_TRUE(e2e::writeFile(folder_ + "\\click.wav", wave()));
    ClickSound s;
    ASSERT_TRUE(s.load((folder_ + "\\click.wav").c_str()));
    EXPECT_FALSE(s.empty());
    // With or without a sound device, playing from memory never blocks here.
    s.play(true);
    s.play(false);
    EXPECT_FALSE(s.load((folder_ + "\\gone.wav").c_str()));
    EXPECT_TRUE(s.empty());
}

}  // namespace
