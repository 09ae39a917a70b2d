// The opening movie's window in-process: a parent the size of the menu's
// default background plays the sample disc's movie and must hear of its end
// however it comes, at once for a file that cannot be played.
#include "movie_window.h"
#include "messages.h"
#include "driver.h"
#include <gtest/gtest.h>
#include <string>

using namespace menu;

namespace {

// What the parent heard from the movie window.
struct Heard {
    HWND startedWith = nullptr;
    int started = 0;
    int ended = 0;
    DWORD endedAt = 0;
};
Heard heard;

const char kParentClass[] = "MovieWindowTestParent";

// Plays the movie as soon as it is open, as the menu's main window does.
LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WMU_MOVIE_STARTED:
        ++heard.started;
        heard.startedWith = reinterpret_cast<HWND>(lParam);
        PostMessageA(heard.startedWith, WMU_MOVIE_PLAY, 0, 0);
        return 0;
    case WMU_MOVIE_ENDED:
        ++heard.ended;
        heard.endedAt = GetTickCount();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The sample movie: 128 x 96 pixels, 2.5 seconds.
const int kMovieWidth = 128;
const int kMovieHeight = 96;
const DWORD kMovieMs = 2500;

class MovieWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        heard = Heard();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kParentClass;
        RegisterClassA(&wc);
        RECT r = {0, 0, 640, 455};
        AdjustWindowRect(&r, WS_CAPTION | WS_SYSMENU, FALSE);
        parent_ =
            CreateWindowA(kParentClass, "movie", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE, 20,
                          20, r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(parent_);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        e2e::pumpUntil([] { return false; }, 50);  // let the last posted notices go
        menu::unregisterMovieWindowClass(GetModuleHandleA(nullptr));
        UnregisterClassA(kParentClass, GetModuleHandleA(nullptr));
    }
    bool waitEnded(DWORD timeoutMs) {
        return e2e::pumpUntil([] { return heard.ended > 0; }, timeoutMs);
    }
    bool waitPlaying(DWORD timeoutMs) {
        return e2e::pumpUntil([] { return heard.started > 0; }, timeoutMs);
    }
    // A pixel of the movie window as drawn, read in-process.
    COLORREF pixel(HWND w, int x, int y) {
        HDC dc = GetDC(w);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(w, dc);
        return c;
    }
    static std::string sample() { return e2e::source("sample-disc/movie/opening.avi"); }
    HWND parent_ = nullptr;
};

}  // namespace

TEST_F(MovieWindowTest, PlaysCentredOnBlackToTheEndThenTellsTheParent) {
    DWORD begin = GetTickCount();
    HWND movie = menu::createMovieWindow(GetModuleHandleA(nullptr), parent_, sample().c_str());
    ASSERT_TRUE(movie);
    EXPECT_EQ(std::string(menu::kMovieWindowClass), e2e::className(movie));
    SIZE size = e2e::clientSize(movie);
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(455, size.cy);
    ASSERT_TRUE(waitPlaying(5000));
    EXPECT_EQ(movie, heard.startedWith);

    // The movie's sky fills its rectangle in the middle of the window; the
    // rest stays black.
    const int left = (640 - kMovieWidth) / 2;
    const int top = (455 - kMovieHeight) / 2;
    auto drawn = [&] {
        COLORREF c = pixel(movie, left + 3, top + 3);
        return c != CLR_INVALID && GetBValue(c) > 60 && GetBValue(c) > GetRValue(c) + 40;
    };
    EXPECT_TRUE(e2e::pumpUntil(drawn, 3000)) << std::hex << pixel(movie, left + 3, top + 3);
    e2e::screenshot(parent_, "movie_window_playing");
    EXPECT_EQ(RGB(0, 0, 0), pixel(movie, left - 4, top + kMovieHeight / 2));
    EXPECT_EQ(RGB(0, 0, 0), pixel(movie, left + kMovieWidth / 2, top + kMovieHeight + 4));
    EXPECT_EQ(RGB(0, 0, 0), pixel(movie, 5, 5));

    ASSERT_TRUE(waitEnded(kMovieMs + 20000));
    EXPECT_GE(heard.endedAt - begin, kMovieMs - 500) << "ended before the movie's length";
    EXPECT_FALSE(IsWindow(movie));
    EXPECT_EQ(1, heard.started);
    e2e::pumpUntil([] { return heard.ended > 1; }, 200);
    EXPECT_EQ(1, heard.ended) << "told once";
}

TEST_F(MovieWindowTest, AClickEndsTheMovieAtOnce) {
    HWND movie = menu::createMovieWindow(GetModuleHandleA(nullptr), parent_, sample().c_str());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(waitPlaying(5000));
    ASSERT_TRUE(e2e::activate(parent_));
    DWORD clicked = GetTickCount();
    ASSERT_TRUE(e2e::clickAt(movie, 320, 230));
    ASSERT_TRUE(waitEnded(3000));
    EXPECT_LT(heard.endedAt - clicked, kMovieMs - 1000) << "the movie ran on after the click";
    EXPECT_FALSE(IsWindow(movie));
    EXPECT_NE(movie, GetCapture());
}

TEST_F(MovieWindowTest, StopKeepsTheWindowUntilItIsDestroyed) {
    HWND movie = menu::createMovieWindow(GetModuleHandleA(nullptr), parent_, sample().c_str());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(waitPlaying(5000));
    SendMessageA(movie, WMU_MOVIE_STOP, 0, 0);
    // A stopped movie sends no end-of-movie notice: the window stays.
    e2e::pumpUntil([] { return heard.ended > 0; }, 300);
    EXPECT_TRUE(IsWindow(movie));
    EXPECT_EQ(0, heard.ended);
    DestroyWindow(movie);
    EXPECT_TRUE(waitEnded(2000));
}

TEST_F(MovieWindowTest, AFileThatCannotBePlayedIsReportedAtOnce) {
    const std::string dir = e2e::freshFolder("movie_window");
    ASSERT_TRUE(e2e::writeFile(dir + "\\noise.avi", std::string(4000, '\x5a')));
    const char cut[] = "RIFF\x10\x27\0\0AVI LIST\x40\x01\0\0hdrl";  // a header cut short
    const std::string riff(cut, sizeof cut - 1);
    ASSERT_TRUE(e2e::writeFile(dir + "\\cut.avi", riff));
    const std::string files[] = {dir + "\\missing.avi", dir + "\\noise.avi", dir + "\\cut.avi"};
    for (const std::string& file : files) {
        heard = Heard();
        DWORD begin = GetTickCount();
        EXPECT_EQ(nullptr, menu::createMovieWindow(GetModuleHandleA(nullptr), parent_, file.c_str())) << file;
        EXPECT_TRUE(waitEnded(3000)) << file;
        EXPECT_LT(heard.endedAt - begin, 3000u) << file;
        EXPECT_EQ(0, heard.started) << file;
        EXPECT_EQ(nullptr, FindWindowExA(parent_, nullptr, menu::kMovieWindowClass, nullptr)) << file;
    }
}
