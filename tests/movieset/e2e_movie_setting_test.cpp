// The real OstrelMovie.exe on the registry value of the test's own Wine
// prefix: how it reads the stored choice, when it writes and reports, and when
// it offers to start the menu from the current folder.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

#include "driver.h"
#include "movie_preference.h"
#include "movieset_texts.h"
#include "resource.h"

using namespace movieset;

namespace {

const char* const kKey = common::kMovieKeyPath;
const char* const kValue = common::kMovieValueName;

// The stored value before a run, written straight to the registry.
struct Stored {
    const char* name;
    bool key;    // the key exists
    DWORD type;  // REG_NONE: no value
    std::string bytes;
    bool ticks = false;  // the box starts ticked
};

class MovieSettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        removeKey();
        dir_ = e2e::freshFolder("movieset");
        exe_ = dir_ + "\\OstrelMovie.exe";
        ASSERT_TRUE(e2e::copyFile(e2e::dist("OstrelMovie.exe"), exe_));
    }
    void TearDown() override { removeKey(); }

    // The key and the parents this test made, each only when empty.
    static void removeKey() {
        std::string path = kKey;
        for (;;) {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
            size_t cut = path.rfind('\\');
            if (cut == std::string::npos) break;
            path.erase(cut);
            if (path == "software") break;
        }
    }
    static void store(const Stored& s) {
        removeKey();
        if (!s.key) return;
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        if (s.type != REG_NONE) {
            RegSetValueExA(key, kValue, 0, s.type, reinterpret_cast<const BYTE*>(s.bytes.data()),
                           static_cast<DWORD>(s.bytes.size()));
        }
        RegCloseKey(key);
    }
    // The value as stored: its type and its text read through the wide call,
    // so that a terminator shows exactly when it was written ("<none>" when
    // there is no value).
    static std::string stored(DWORD* type = nullptr) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<none>";
        wchar_t data[64] = {};
        DWORD size = sizeof data;
        DWORD t = 0;
        LONG r = RegQueryValueExW(key, L"MOVIE", nullptr, &t, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS) return "<none>";
        if (type) *type = t;
        std::string text;
        if (t != REG_SZ) return std::string(reinterpret_cast<const char*>(data), size);
        for (DWORD i = 0; i < size / sizeof(wchar_t); ++i) text += static_cast<char>(data[i]);
        return text;
    }

    e2e::Process start(const std::string& workDir = "") { return driver_.start(exe_, "", workDir); }
    HWND dialog(const e2e::Process& p) { return driver_.waitWindowTitled(p, text::kTitle); }
    bool ticked(HWND dlg) { return e2e::checkState(e2e::child(dlg, IDC_NO_MOVIE)) == BST_CHECKED; }
    // Ends normally with code 0 and shows nothing more.
    void expectExit(const e2e::Process& p) {
        DWORD code = 1;
        EXPECT_TRUE(p.waitExit(10000, &code)) << "still running (a box left open?)";
        EXPECT_EQ(0u, code);
    }
    // A message box of the process with this text, icon and caption,
    // answered with button; waits until it is gone so that the next wait
    // cannot find it again.
    void answerBox(const e2e::Process& p, const std::string& message, e2e::Icon icon, int button) {
        HWND box = driver_.waitMessageBox(p);
        ASSERT_TRUE(box) << message;
        EXPECT_EQ(message, e2e::messageBoxText(box));
        EXPECT_EQ(std::string(text::kTitle), e2e::windowText(box));
        EXPECT_EQ(icon, e2e::messageBoxIcon(box));
        e2e::pressButton(box, button);
        EXPECT_TRUE(driver_.waitGone(box));
    }
    // Drops the recorder in as the menu program.
    void placeMenu(const std::string& folder) {
        ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), folder + "\\ostrel.exe"));
    }

    e2e::Driver driver_;
    std::string dir_;
    std::string exe_;
};

const char kStoredText[] = "設定をレジストリに登録しました";
const char kStartQuestion[] = "TALVO DVD-ROM MENUを起動しますか?";

}  // namespace

TEST_F(MovieSettingTest, OnlyNoInAnyCaseTicksTheBoxAndCancelNeverWritesNorOffers) {
    placeMenu(dir_);  // present, but Cancel must not offer to start it
    const Stored cases[] = {
        {"no", true, REG_SZ, std::string("no\0", 3), true},
        {"NO without terminator", true, REG_SZ, "NO", true},
        {"Yes", true, REG_SZ, std::string("Yes\0", 4)},
        {"0", true, REG_SZ, std::string("0\0", 2)},
        {"empty", true, REG_SZ, std::string("\0", 1)},
        // A number whose bytes spell "No": no text, so the box stays clear.
        {"REG_DWORD", true, REG_DWORD, std::string("No\0\0", 4)},
        {"no value", true, REG_NONE, ""},
        {"no key", false, REG_NONE, ""},
    };
    for (const Stored& c : cases) {
        store(c);
        const std::string before = stored();
        e2e::Process p = start();
        HWND dlg = dialog(p);
        ASSERT_TRUE(dlg) << c.name;
        EXPECT_EQ(c.ticks, ticked(dlg)) << c.name;
        // Cancel even after a change: nothing written, no offer.
        e2e::pressButton(dlg, IDC_NO_MOVIE);
        e2e::pressButton(dlg, IDCANCEL);
        expectExit(p);
        EXPECT_EQ(before, stored()) << c.name;
        EXPECT_TRUE(e2e::recordedRuns(dir_).empty()) << c.name;
    }
}

TEST_F(MovieSettingTest, TheExplanationFollowsTheBoxAndOkWithoutAChangeWritesNothing) {
    e2e::Process p = start();
    HWND dlg = dialog(p);
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(e2e::findChild(dlg, "Static", text::kTitle)) << "the title line";
    EXPECT_EQ("MENU 起動時にムービーを再生しない", e2e::dlgItemText(dlg, IDC_NO_MOVIE));
    EXPECT_EQ("キャンセル", e2e::dlgItemText(dlg, IDCANCEL));
    RECT r = e2e::windowRect(dlg);  // centred on the screen
    EXPECT_NEAR((GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, r.left, 1);
    EXPECT_NEAR((GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, r.top, 1);
    HWND explanation = e2e::child(dlg, IDC_EXPLANATION);
    ASSERT_TRUE(e2e::waitText(explanation, text::kExplainClear));
    EXPECT_EQ(RGB(255, 255, 255), e2e::pixelAt(explanation, 2, e2e::clientSize(explanation).cy - 3));
    e2e::screenshot(dlg, "movieset_dialog");
    e2e::pressButton(dlg, IDC_NO_MOVIE);
    EXPECT_TRUE(e2e::waitText(explanation, text::kExplainTicked));
    e2e::pressButton(dlg, IDC_NO_MOVIE);
    EXPECT_TRUE(e2e::waitText(explanation, text::kExplainClear));
    // Ticked and cleared again is no change: OK writes and shows nothing.
    e2e::pressButton(dlg, IDOK);
    expectExit(p);  // no ostrel.exe here: no offer either
    EXPECT_EQ("<none>", stored());

    store({"no", true, REG_SZ, "no"});
    const std::string before = stored();
    p = start();
    dlg = dialog(p);
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(ticked(dlg));
    EXPECT_TRUE(e2e::waitText(e2e::child(dlg, IDC_EXPLANATION), text::kExplainTicked));
    e2e::pressButton(dlg, IDOK);
    expectExit(p);
    EXPECT_EQ(before, stored());
}

TEST_F(MovieSettingTest, AChangeIsStoredWithItsTerminatorReportedOnceAndYesStartsTheMenu) {
    e2e::Process p = start();
    HWND dlg = dialog(p);
    ASSERT_TRUE(dlg);
    e2e::pressButton(dlg, IDC_NO_MOVIE);
    // OK twice before the dialog gets round to it: stored and reported once.
    e2e::command(dlg, IDOK);
    e2e::command(dlg, IDOK);
    answerBox(p, kStoredText, e2e::Icon::Information, IDOK);
    expectExit(p);
    DWORD type = 0;
    EXPECT_EQ(std::string("No\0", 3), stored(&type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);

    placeMenu(dir_);
    p = start(dir_);
    dlg = dialog(p);
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(ticked(dlg));
    e2e::pressButton(dlg, IDC_NO_MOVIE);
    e2e::pressButton(dlg, IDOK);
    answerBox(p, kStoredText, e2e::Icon::Information, IDOK);
    EXPECT_EQ(std::string("Yes\0", 4), stored(&type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    answerBox(p, kStartQuestion, e2e::Icon::Question, IDYES);
    expectExit(p);
    ASSERT_TRUE(e2e::waitForRuns(dir_, 1, 10000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(dir_);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(dir_, runs[0].currentDir);
}

TEST_F(MovieSettingTest, TheMenuIsOfferedOnlyFromTheCurrentFolder) {
    // ostrel.exe beside the tool but not in the current folder: no offer.
    placeMenu(dir_);
    e2e::Process p = start(e2e::freshFolder("movieset_elsewhere"));
    HWND dlg = dialog(p);
    ASSERT_TRUE(dlg);
    e2e::pressButton(dlg, IDOK);
    expectExit(p);
    // In the current folder: No declines.
    p = start(dir_);
    dlg = dialog(p);
    ASSERT_TRUE(dlg);
    e2e::pressButton(dlg, IDOK);
    answerBox(p, kStartQuestion, e2e::Icon::Question, IDNO);
    expectExit(p);
    EXPECT_TRUE(e2e::recordedRuns(dir_).empty());
    // A menu program that will not start is reported.
    ASSERT_TRUE(e2e::writeFile(dir_ + "\\ostrel.exe", "not a program"));
    p = start(dir_);
    dlg = dialog(p);
    ASSERT_TRUE(dlg);
    e2e::pressButton(dlg, IDOK);
    answerBox(p, kStartQuestion, e2e::Icon::Question, IDYES);
    answerBox(p, "TALVO DVD-ROM MENU の起動に失敗しました", e2e::Icon::Error, IDOK);
    expectExit(p);
}
