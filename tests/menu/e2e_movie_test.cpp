// The opening movie on the real menu: when it plays (the stored choice in
// the registry, Shift at start-up), how it looks, how it ends (a click, its
// end, closing the window, a file that will not play), the system-menu
// commands that replay it and switch it off, and what the menu stores at exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"
#include "movie_preference.h"
#include "screen_fixture.h"

namespace {

const char* const kKey = common::kMovieKeyPath;
// The system-menu items of the movie.
const WPARAM kReplay = 131;
const WPARAM kNoMovieAtStart = 132;
// Client area without a background picture, and the fixture movies' size.
const int kClientW = 640, kClientH = 455;
const int kMovieW = 128, kMovieH = 96;

template <class F>
bool waitFor(F condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool visible(HWND w) { return w && IsWindowVisible(w); }

// The key and the parents this test made, each only when empty.
void removeKey() {
    std::string path = kKey;
    for (;;) {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
        size_t cut = path.rfind('\\');
        if (cut == std::string::npos) break;
        path.erase(cut);
        if (path == "software") break;
    }
}

// Stores MOVIE as REG_SZ with exactly these bytes.
void storeValue(const std::string& bytes) {
    removeKey();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, "MOVIE", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

// The text of the value as stored, read through the wide call; "<none>" when
// there is no value. One trailing terminator is not part of the text: the
// registry adds it by itself to a text written without one whose next byte
// in memory is a zero, as every literal's is.
std::string storedValue() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<none>";
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    LONG r = RegQueryValueExW(key, L"MOVIE", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return "<none>";
    if (type != REG_SZ) return "<type " + std::to_string(type) + ">";
    std::string text;
    for (DWORD i = 0; i < size / sizeof(wchar_t); ++i) text += static_cast<char>(data[i]);
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

// Holds Shift down from construction to destruction (the real key state).
class ShiftHeld {
public:
    ShiftHeld() { send(0); }
    ~ShiftHeld() { send(KEYEVENTF_KEYUP); }

private:
    static void send(DWORD flags) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_SHIFT;
        in.ki.dwFlags = flags;
        SendInput(1, &in, sizeof in);
    }
};

class MovieE2E : public ::testing::Test {
protected:
    void SetUp() override {
        removeKey();
        // The test's initials name its folder: a command list is rewritten to
        // full paths and holds at most 259 bytes however deep the tree lies.
        std::string name;
        for (char c : std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))
            if (c >= 'A' && c <= 'Z') name += c;
        disc = e2e::freshFolder("e2e_movie\\" + name);
        ASSERT_FALSE(disc.empty());
        ASSERT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), disc + "\\Ostrel.exe"));
        tools = disc + "\\tools";
        ASSERT_TRUE(CreateDirectoryA(tools.c_str(), nullptr));
        ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), tools + "\\rec.exe"));
        ASSERT_TRUE(CreateDirectoryA((disc + "\\movie").c_str(), nullptr));
        // A 40-second movie is still playing whenever a test looks or clicks;
        // the sample disc's own lasts 2.5 seconds and is played to its end.
        ASSERT_TRUE(e2e::copyFile(e2e::winPath(MOVIE_FIXTURE_DIR "/long.avi"), disc + "\\movie\\long.avi"));
        ASSERT_TRUE(
            e2e::copyFile(e2e::source("sample-disc\\movie\\opening.avi"), disc + "\\movie\\short.avi"));
        using namespace fixture;
        ASSERT_TRUE(writeStrip(disc + "\\exit.bmp", 60, 24, {kNormal, kLit}));
        ASSERT_TRUE(writeStrip(disc + "\\info.bmp", 60, 24, {kNormal, kLit, kDisabled}));
        ASSERT_TRUE(writeStrip(disc + "\\exec.bmp", 120, 30, {kNormal, kLit}));
        ASSERT_TRUE(writeStrip(disc + "\\menu.bmp", 160, 30, {kNormal, kLit, kSelected}));
        ASSERT_TRUE(e2e::writeFile(disc + "\\MENU.INI",
                                   "[OSTREL]\r\nCaption=ムービー\r\n"
                                   "[BUTTON.Exit]\r\nBitmap=exit.bmp\r\nPosition=560,420\r\n"
                                   "[BUTTON.Info]\r\nBitmap=info.bmp\r\nPosition=490,420\r\n"
                                   "[BUTTON.Execute]\r\nBitmap=exec.bmp\r\nPosition=200,300\r\nColumn="
                                   "1\r\nRow=1\r\n"
                                   "[BUTTON.MENU]\r\nBitMap1=menu.bmp\r\nPosition1=16,60\r\n"));
        ASSERT_NO_FATAL_FAILURE(writeDat("movie\\long.avi"));
    }

    void TearDown() override {
        driver.killAll();
        SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
        removeKey();
    }

    // MENU.DAT naming this movie (none when empty) with one page, one entry
    // and one execute button running commands.
    void writeDat(const std::string& movie, const std::string& commands = "記録,tools\\rec.exe") {
        std::string dat = "[MENU]\r\nPage1=P1\r\n";
        if (!movie.empty()) dat += "AVIFILE=" + movie + "\r\n";
        dat += "[P1]\r\nTitle=ページ\r\nMenu1=E1\r\n[E1]\r\nTitle=項目\r\ncommand1=" + commands + "\r\n";
        ASSERT_TRUE(e2e::writeFile(disc + "\\MENU.DAT", dat));
    }

    void start() {
        menu = driver.start(disc + "\\Ostrel.exe");
        ASSERT_NE(0u, menu.pid);
        window = driver.waitWindow(menu, "OstrelClass", 15000);
        ASSERT_NE(nullptr, window);
    }

    HWND movieWindow() const { return e2e::findChild(window, "OstrelAVIClass"); }
    bool menuScreenShown() const { return visible(e2e::child(window, 111)); }

    // Waits until either the movie or the menu screen shows; true for the movie.
    bool moviePlays() {
        bool movie = false;
        EXPECT_TRUE(waitFor(
            [&] {
                movie = visible(movieWindow());
                return movie || menuScreenShown();
            },
            15000))
            << "neither the movie nor the menu screen appeared";
        return movie;
    }

    // The movie window is gone and the menu screen is back with its buttons.
    bool waitMenuScreen(DWORD timeoutMs) {
        return waitFor(
            [&] { return !movieWindow() && menuScreenShown() && visible(e2e::child(window, 200)); },
            timeoutMs);
    }

    // Ends the menu the normal way (which stores the choice) and waits for it.
    void closeMenu() {
        ASSERT_TRUE(e2e::closeWindow(window));
        DWORD code = 1;
        ASSERT_TRUE(menu.waitExit(15000, &code)) << "the menu did not end";
        EXPECT_EQ(0u, code);
    }

    void systemCommand(WPARAM item) { ASSERT_TRUE(PostMessageA(window, WM_SYSCOMMAND, item, 0)); }

    std::string disc, tools;
    e2e::Driver driver;
    e2e::Process menu;
    HWND window = nullptr;
};

}  // namespace

TEST_F(MovieE2E, PlaysCentredOnBlackAndAClickShowsTheMenuScreen) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(moviePlays());
    HWND movie = movieWindow();
    SIZE size = e2e::clientSize(movie);
    EXPECT_EQ(kClientW, size.cx);
    EXPECT_EQ(kClientH, size.cy);
    // None of the screen's buttons shows over the movie.
    EXPECT_FALSE(menuScreenShown());
    EXPECT_FALSE(visible(e2e::child(window, 200)));

    // The movie's centre shows its sky once the first frame is drawn; the
    // area around it stays black.
    const int left = (kClientW - kMovieW) / 2, top = (kClientH - kMovieH) / 2;
    ASSERT_TRUE(waitFor([&] { return e2e::pixelAt(window, left + 8, top + 8) != RGB(0, 0, 0); }, 10000))
        << "the movie did not draw";
    EXPECT_FALSE(e2e::screenshot(window, "ostrel_movie_playing").empty());
    EXPECT_EQ(RGB(0, 0, 0), e2e::pixelAt(window, 5, 5));
    EXPECT_EQ(RGB(0, 0, 0), e2e::pixelAt(window, left - 3, top + kMovieH / 2));
    EXPECT_EQ(RGB(0, 0, 0), e2e::pixelAt(window, left + kMovieW + 2, top + kMovieH / 2));
    EXPECT_EQ(RGB(0, 0, 0), e2e::pixelAt(window, left + kMovieW / 2, top - 3));
    EXPECT_EQ(RGB(0, 0, 0), e2e::pixelAt(window, left + kMovieW / 2, top + kMovieH + 2));
    EXPECT_NE(RGB(0, 0, 0), e2e::pixelAt(window, left + kMovieW - 8, top + kMovieH - 20));

    // A click ends the 40-second movie long before its end.
    ASSERT_TRUE(e2e::clickAt(movie, kClientW / 2, kClientH / 2));
    EXPECT_TRUE(waitMenuScreen(10000)) << "the click did not bring the menu screen";
    EXPECT_TRUE(visible(e2e::child(window, 112)));
    EXPECT_TRUE(menu.running());
    EXPECT_FALSE(e2e::screenshot(window, "ostrel_after_movie").empty());
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    // Nothing was chosen: nothing is stored.
    EXPECT_EQ("<none>", storedValue());
}

TEST_F(MovieE2E, ReachingTheEndShowsTheMenuScreen) {
    ASSERT_NO_FATAL_FAILURE(writeDat("movie\\short.avi"));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(moviePlays());
    EXPECT_TRUE(waitMenuScreen(15000)) << "the end of the movie did not bring the menu screen";
    // The first page's entry and its command follow as without a movie.
    HWND execute = nullptr;
    EXPECT_TRUE(waitFor([&] { return visible(execute = e2e::child(window, 113)); }, 10000));
    EXPECT_EQ("記録", e2e::windowText(execute));
}

TEST_F(MovieE2E, ClosingDuringTheMovieEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(moviePlays());
    ASSERT_TRUE(
        waitFor([&] { return e2e::pixelAt(window, kClientW / 2, kClientH / 2) != RGB(0, 0, 0); }, 10000));
    // The process ends by itself: no player thread or window keeps it alive.
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_FALSE(menu.running());
}

TEST_F(MovieE2E, AMissingOrCorruptMovieShowsTheMenuScreenAtOnceWithNothingReported) {
    struct Case {
        const char* name;
        std::string bytes;  // the movie file; empty: no file at all
    };
    const Case cases[] = {
        {"missing", ""},
        {"random bytes", std::string("\x13\x57\x9b\xdf\x02\x46\x8a\xce", 8) + std::string(4000, '\x5a')},
        {"truncated", std::string("RIFF\x00\x10\x00\x00"
                                  "AVI LIST",
                                  16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA((disc + "\\movie\\bad.avi").c_str());
        if (!c.bytes.empty()) {
            ASSERT_TRUE(e2e::writeFile(disc + "\\movie\\bad.avi", c.bytes));
        }
        ASSERT_NO_FATAL_FAILURE(writeDat("movie\\bad.avi"));
        ASSERT_NO_FATAL_FAILURE(start());
        EXPECT_TRUE(waitMenuScreen(10000));
        EXPECT_TRUE(driver.waitMessageBox(menu, 500) == nullptr) << "something was reported";
        EXPECT_EQ(1u, e2e::topWindows(menu.pid).size());
        ASSERT_NO_FATAL_FAILURE(closeMenu());
    }
}

TEST_F(MovieE2E, TheStoredValueDecidesWhetherTheMoviePlays) {
    struct Case {
        const char* stored;  // nullptr: no value at all
        size_t size;
        bool plays;
    };
    const Case cases[] = {
        {nullptr, 0, true}, {"yes", 3, true}, {"Yes", 4, true},  // with and without the terminator
        {"YES", 3, true},   {"no", 2, false}, {"No", 3, false},
        {"0", 1, false},    {"", 0, false},   {"Yes ", 4, false},
    };
    for (const Case& c : cases) {
        std::string bytes = c.stored ? std::string(c.stored, c.size) : std::string();
        SCOPED_TRACE(c.stored ? "\"" + std::string(c.stored) + "\"" : std::string("no value"));
        if (c.stored) {
            ASSERT_NO_FATAL_FAILURE(storeValue(bytes));
        } else {
            removeKey();
        }
        const std::string before = storedValue();
        ASSERT_NO_FATAL_FAILURE(start());
        EXPECT_EQ(c.plays, moviePlays());
        if (!c.plays) {
            EXPECT_TRUE(waitMenuScreen(10000));
        }
        ASSERT_NO_FATAL_FAILURE(closeMenu());
        // Only a choice made in the run is stored.
        EXPECT_EQ(before, storedValue());
    }
}

TEST_F(MovieE2E, ShiftAtStartSkipsTheMovieAndLeavesTheValueAlone) {
    ASSERT_NO_FATAL_FAILURE(storeValue("yes"));
    {
        ShiftHeld shift;
        ASSERT_NO_FATAL_FAILURE(start());
        EXPECT_FALSE(moviePlays());
    }
    EXPECT_TRUE(waitMenuScreen(10000));
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("yes", storedValue());

    // The item shows the stored choice, not this run's skip: choosing it
    // once after a Shift start switches the movie off for the next start.
    {
        ShiftHeld shift;
        ASSERT_NO_FATAL_FAILURE(start());
        EXPECT_FALSE(moviePlays());
    }
    ASSERT_NO_FATAL_FAILURE(systemCommand(kNoMovieAtStart));
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("No", storedValue());
}

TEST_F(MovieE2E, TheStartUpItemStoresOnlyAChange) {
    // Twice: back where it was, nothing written ("yes" stays lower case).
    ASSERT_NO_FATAL_FAILURE(storeValue("yes"));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(moviePlays());
    ASSERT_NO_FATAL_FAILURE(systemCommand(kNoMovieAtStart));
    ASSERT_NO_FATAL_FAILURE(systemCommand(kNoMovieAtStart));
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("yes", storedValue());

    // Once with nothing stored: "No".
    removeKey();
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(moviePlays());
    ASSERT_NO_FATAL_FAILURE(systemCommand(kNoMovieAtStart));
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("No", storedValue());

    // The next start honours it; once more gives "Yes".
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_FALSE(moviePlays());
    ASSERT_NO_FATAL_FAILURE(systemCommand(kNoMovieAtStart));
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("Yes", storedValue());

    // A disc without a movie has no such item to choose.
    ASSERT_NO_FATAL_FAILURE(writeDat(""));
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_FALSE(moviePlays());
    EXPECT_TRUE(waitMenuScreen(10000));
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("Yes", storedValue());
}

TEST_F(MovieE2E, ReplayCoversTheScreenAndAPendingCommandListGoesOnAfterIt) {
    // The first command fails and its report holds the list; the replay
    // starts under the report.
    std::string list = "\"" + tools + "\\nothere.exe\",\"" + tools + "\\rec.exe\" after";
    ASSERT_LT(list.size(), 260u) << "the fixture folder is too deep for both commands to fit the list";
    ASSERT_NO_FATAL_FAILURE(writeDat("movie\\long.avi", "順番,tools\\nothere.exe,tools\\rec.exe after"));
    ASSERT_TRUE(SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(storeValue("No"));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_FALSE(moviePlays());
    HWND execute = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            execute = e2e::child(window, 113);
            return visible(execute) && IsWindowEnabled(execute);
        },
        15000));
    ASSERT_TRUE(e2e::clickAt(execute, 10, 10));
    HWND box = driver.waitMessageBox(menu, 15000);
    ASSERT_NE(nullptr, box);

    ASSERT_NO_FATAL_FAILURE(systemCommand(kReplay));
    ASSERT_TRUE(waitFor([&] { return visible(movieWindow()); }, 10000)) << "the movie did not replay";
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(driver.waitGone(box));
    // The screen's buttons are hidden and the list waits for the movie.
    EXPECT_FALSE(menuScreenShown());
    EXPECT_FALSE(visible(execute));
    EXPECT_FALSE(e2e::waitForRuns(tools, 1, 1500));
    // A second replay request while the movie runs changes nothing.
    ASSERT_NO_FATAL_FAILURE(systemCommand(kReplay));

    HWND movie = movieWindow();
    ASSERT_NE(nullptr, movie);
    ASSERT_TRUE(e2e::clickAt(movie, kClientW / 2, kClientH / 2));
    EXPECT_TRUE(waitMenuScreen(10000));
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << "the pending list did not go on";
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ("\"" + tools + "\\rec.exe\" after", runs[0].commandLine);
    // The screen is as before: the entry's command still there, the menu running.
    EXPECT_TRUE(visible(execute));
    EXPECT_TRUE(IsWindowEnabled(execute));
    EXPECT_FALSE(movieWindow());
    ASSERT_NO_FATAL_FAILURE(closeMenu());
    EXPECT_EQ("No", storedValue());
}

TEST_F(MovieE2E, TheSystemMenuOpensWithTheReplayItemFirst) {
    ASSERT_NO_FATAL_FAILURE(storeValue("No"));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_FALSE(moviePlays());
    ASSERT_TRUE(waitMenuScreen(10000));
    // Alt+Space opens the system menu with its first item selected.
    ASSERT_TRUE(e2e::sendKey(window, VK_SPACE, false, false, true));
    HWND popup = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            for (HWND w : e2e::topWindows(menu.pid))
                if (e2e::className(w) == "#32768") popup = w;
            return popup != nullptr;
        },
        10000))
        << "the system menu did not open";
    EXPECT_FALSE(e2e::screenshot(popup, "ostrel_system_menu").empty());
    // Enter on the first item replays the movie.
    ASSERT_TRUE(e2e::sendKey(popup, VK_RETURN));
    EXPECT_TRUE(waitFor([&] { return visible(movieWindow()); }, 10000)) << "the first item is not the replay";
    ASSERT_NO_FATAL_FAILURE(closeMenu());
}
