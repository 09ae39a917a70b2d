// Execute buttons of the real Ostrel.exe clicked with the mouse: programs
// start with their full path, their arguments and their own folder; lists run
// every command; "@view" ends its list; failures are reported in the menu's
// own message box. Started programs are copies of the recording helper, which
// writes its command line and current folder to record.txt beside itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "driver.h"
#include "screen_fixture.h"

namespace {

const char* const kCaption = "起動テスト";
const int kColumns = 3;
// A web address scheme of this test's own: the shell looks its open command
// up under HKEY_CLASSES_ROOT like that of "http", but nothing else in the
// prefix uses it.
const char* const kScheme = "http-ostrel-e2e";
const char* const kFtpScheme = "ftp-ostrel-e2e";

template <class F>
bool waitFor(F condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// Processes whose parent is pid (Wine keeps the parent id of ended ones out).
std::vector<std::string> childProcesses(DWORD pid) {
    std::vector<std::string> names;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return names;
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        if (pe.th32ParentProcessID == pid && pe.th32ProcessID != pid) names.push_back(pe.szExeFile);
    CloseHandle(snap);
    return names;
}

// What a menu process shows and runs, for the message of a wait that failed:
// its windows (message boxes with their text), whether its window procedure
// answers, and its child processes.
std::string stateOf(const e2e::Process& menu, HWND mainWindow) {
    std::string s = menu.running() ? "menu running" : "menu ended";
    for (HWND w : e2e::topWindows(menu.pid)) {
        s += "; window " + e2e::className(w) + " \"" + e2e::windowText(w) + "\"";
        if (!IsWindowVisible(w)) s += " (hidden)";
        if (e2e::className(w) == "#32770") s += " saying \"" + e2e::messageBoxText(w) + "\"";
    }
    DWORD_PTR answer = 0;
    if (mainWindow && !SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer))
        s += "; main window not answering";
    for (const std::string& child : childProcesses(menu.pid)) s += "; child " + child;
    return s;
}

// Registers kScheme with the recording helper as its open command and removes
// the key again at the end of the test.
class SchemeHandler {
public:
    explicit SchemeHandler(const std::string& program, const char* scheme = kScheme) : scheme_(scheme) {
        std::string command = "\"" + program + "\" \"%1\"";
        std::string key = scheme_ + "\\shell\\open\\command";
        ok_ = RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, command.c_str(),
                           static_cast<DWORD>(command.size())) == ERROR_SUCCESS;
        std::string url = "URL:test";
        RegSetValueA(HKEY_CLASSES_ROOT, scheme_.c_str(), REG_SZ, url.c_str(), static_cast<DWORD>(url.size()));
        HKEY k;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, scheme_.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
            RegSetValueExA(k, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
            RegCloseKey(k);
        }
    }
    ~SchemeHandler() {
        const std::string& base = scheme_;
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (base + "\\shell\\open\\command").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (base + "\\shell\\open").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (base + "\\shell").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, base.c_str());
    }
    bool ok() const { return ok_; }

private:
    std::string scheme_;
    bool ok_ = false;
};

// ".mpeg" registered with a play verb that runs the recording helper, for one
// test; nothing is touched when the prefix has its own ".mpeg".
class MediaPlayVerb {
public:
    explicit MediaPlayVerb(const std::string& program) {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".mpeg", 0, KEY_READ, &k) == ERROR_SUCCESS) {
            RegCloseKey(k);
            return;
        }
        owned_ = true;
        std::string type = "OstrelE2E.Movie";
        std::string command = "\"" + program + "\" /play \"%1\"";
        ok_ = RegSetValueA(HKEY_CLASSES_ROOT, ".mpeg", REG_SZ, type.c_str(),
                           static_cast<DWORD>(type.size())) == ERROR_SUCCESS &&
              RegSetValueA(HKEY_CLASSES_ROOT, "OstrelE2E.Movie\\shell\\play\\command", REG_SZ,
                           command.c_str(), static_cast<DWORD>(command.size())) == ERROR_SUCCESS;
    }
    ~MediaPlayVerb() {
        if (!owned_) return;
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".mpeg");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "OstrelE2E.Movie\\shell\\play\\command");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "OstrelE2E.Movie\\shell\\play");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "OstrelE2E.Movie\\shell");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "OstrelE2E.Movie");
    }
    bool owned() const { return owned_; }
    bool ok() const { return ok_; }

private:
    bool owned_ = false;
    bool ok_ = false;
};

// Moves the Windows folder's help viewer aside for one test and puts it back
// in every case. The Wine prefix is shared by all tests of the build tree, so
// a copy left aside by an interrupted run is put back first.
class HelpViewerAside {
public:
    HelpViewerAside() {
        char windows[MAX_PATH];
        UINT n = GetWindowsDirectoryA(windows, sizeof windows);
        viewer_ = std::string(windows, n) + "\\hh.exe";
        aside_ = viewer_ + ".e2e-launch-aside";
        restore();
        moved_ = MoveFileA(viewer_.c_str(), aside_.c_str()) != FALSE;
    }
    ~HelpViewerAside() { restore(); }
    bool viewerGone() const { return !e2e::fileExists(viewer_); }
    const std::string& viewer() const { return viewer_; }

private:
    void restore() {
        if (e2e::fileExists(aside_)) {
            DeleteFileA(viewer_.c_str());  // a stand-in put there by a test
            MoveFileA(aside_.c_str(), viewer_.c_str());
        }
    }
    std::string viewer_, aside_;
    bool moved_ = false;
};

class LaunchE2E : public ::testing::Test {
protected:
    void SetUp() override {
        // The test's initials name its folder: every command is rewritten to
        // its full path and a list holds at most 259 bytes, so the lists of
        // these tests must fit however deep the tree is checked out.
        std::string name;
        for (char c : std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))
            if (c >= 'A' && c <= 'Z') name += c;
        disc = e2e::freshFolder("e2e_launch\\" + name);
        ASSERT_FALSE(disc.empty());
        ASSERT_TRUE(e2e::copyFile(e2e::dist("Ostrel.exe"), disc + "\\Ostrel.exe"));
        // "ソ" and "表" end in the byte of a backslash; the space needs the quotes.
        tools = disc + "\\ソフト 表示";
        ASSERT_TRUE(CreateDirectoryA(tools.c_str(), nullptr));
        ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), tools + "\\rec.exe"));
        using namespace fixture;
        ASSERT_TRUE(writeStrip(disc + "\\exit.bmp", 60, 24, {kNormal, kLit}));
        ASSERT_TRUE(writeStrip(disc + "\\info.bmp", 60, 24, {kNormal, kLit, kDisabled}));
        ASSERT_TRUE(writeStrip(disc + "\\exec.bmp", 120, 30, {kNormal, kLit}));
        ASSERT_TRUE(writeStrip(disc + "\\menu.bmp", 160, 30, {kNormal, kLit, kSelected}));
        ASSERT_TRUE(e2e::writeFile(disc + "\\pic.bmp", solid(100, 60, RGB(90, 120, 200))));
        ASSERT_TRUE(e2e::writeFile(disc + "\\MENU.INI",
                                   std::string("[OSTREL]\r\nCaption=") + kCaption +
                                       "\r\ndisprect=300,60\r\n"
                                       "[BUTTON.Exit]\r\nBitmap=exit.bmp\r\nPosition=560,420\r\n"
                                       "[BUTTON.Info]\r\nBitmap=info.bmp\r\nPosition=490,420\r\n"
                                       "[BUTTON.Execute]\r\nBitmap=exec.bmp\r\nPosition=200,300\r\nColumn="
                                       "3\r\nRow=1\r\nMargin=6,0\r\n"
                                       "[BUTTON.MENU]\r\nBitMap1=menu.bmp\r\nPosition1=16,60\r\n"));
    }

    void TearDown() override {
        driver.killAll();
        SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // MENU.DAT with one page and one entry holding these command values.
    void writeEntry(const std::vector<std::string>& commands, const std::string& extra = "") {
        std::string dat = "[MENU]\r\nPage1=P1\r\n[P1]\r\nTitle=ページ\r\nMenu1=E1\r\n"
                          "[E1]\r\nTitle=項目\r\nBmp1=pic.bmp\r\n";
        for (size_t i = 0; i < commands.size(); ++i)
            dat += "command" + std::to_string(i + 1) + "=" + commands[i] + "\r\n";
        dat += extra;
        ASSERT_TRUE(e2e::writeFile(disc + "\\MENU.DAT", dat));
        commandCount = static_cast<int>(commands.size());
    }

    // Starts the menu and waits for the first page (shown after 3 seconds).
    void startMenu() {
        menu = driver.start(disc + "\\Ostrel.exe");
        ASSERT_NE(0u, menu.pid);
        window = driver.waitWindow(menu, "OstrelClass", 15000);
        ASSERT_NE(nullptr, window);
        ASSERT_NE(nullptr, executeButton(0)) << "the execute buttons did not appear";
    }

    // The window of command k: the commands of a single row sit centred in it.
    HWND executeButton(int k) {
        int a = kColumns - commandCount;
        a -= (kColumns - commandCount) / 2;
        int id = 113 + a + k;
        HWND button = nullptr;
        waitFor(
            [&] {
                button = e2e::child(window, id);
                return button && IsWindowVisible(button) && IsWindowEnabled(button);
            },
            15000);
        if (button && e2e::className(button) != "MN_Button") return nullptr;
        return button;
    }

    void click(int k) {
        HWND button = executeButton(k);
        ASSERT_NE(nullptr, button);
        ASSERT_TRUE(e2e::clickAt(button, 10, 10));
    }

    // Expects nothing more to happen for a while: no record, no child process.
    void expectNothingStarted() {
        EXPECT_FALSE(e2e::waitForRuns(tools, 1, 1500));
        EXPECT_TRUE(e2e::recordedRuns(tools).empty());
        std::vector<std::string> children = childProcesses(menu.pid);
        EXPECT_TRUE(children.empty()) << children.front();
    }

    std::string disc, tools;
    int commandCount = 0;
    e2e::Driver driver;
    e2e::Process menu;
    HWND window = nullptr;
};

}  // namespace

TEST_F(LaunchE2E, ProgramStartsWithQuotedPathArgumentsAndItsOwnFolder) {
    ASSERT_NO_FATAL_FAILURE(writeEntry({"記録;記録します,\"ソフト 表示\\rec.exe\" -x 引数.txt"}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ("\"" + tools + "\\rec.exe\" -x 引数.txt", runs[0].commandLine);
    EXPECT_EQ(tools, runs[0].currentDir);
    EXPECT_TRUE(menu.running());
}

TEST_F(LaunchE2E, EachButtonRunsItsOwnCommand) {
    ASSERT_NO_FATAL_FAILURE(
        writeEntry({"一,\"ソフト 表示\\rec.exe\" first", "二,\"ソフト 表示\\rec.exe\" second"}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    EXPECT_EQ("一", e2e::windowText(executeButton(0)));
    EXPECT_EQ("二", e2e::windowText(executeButton(1)));
    click(1);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000));
    EXPECT_FALSE(e2e::waitForRuns(tools, 2, 1000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ("\"" + tools + "\\rec.exe\" second", runs[0].commandLine);
}

TEST_F(LaunchE2E, ListOfTwoProgramsStartsBoth) {
    std::string other = disc + "\\other";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), other + "\\rec2.exe"));
    ASSERT_NO_FATAL_FAILURE(writeEntry({"両方,\"ソフト 表示\\rec.exe\" one,other\\rec2.exe two"}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    ASSERT_TRUE(e2e::waitForRuns(other, 1, 15000));
    std::vector<e2e::RecordedRun> first = e2e::recordedRuns(tools), second = e2e::recordedRuns(other);
    ASSERT_EQ(1u, first.size());
    ASSERT_EQ(1u, second.size());
    EXPECT_EQ("\"" + tools + "\\rec.exe\" one", first[0].commandLine);
    EXPECT_EQ(tools, first[0].currentDir);
    EXPECT_EQ("\"" + other + "\\rec2.exe\" two", second[0].commandLine);
    EXPECT_EQ(other, second[0].currentDir);
}

TEST_F(LaunchE2E, NextCommandWaitsUntilTheReportOfTheFirstIsAnswered) {
    std::string list = "\"" + tools + "\\nothere.exe\",\"" + tools + "\\rec.exe\" after";
    ASSERT_LT(list.size(), 260u) << "the fixture folder is too deep for both commands to fit the list";
    ASSERT_NO_FATAL_FAILURE(writeEntry({"順番,\"ソフト 表示\\nothere.exe\",\"ソフト 表示\\rec.exe\" after"}));
    ASSERT_TRUE(SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    HWND box = driver.waitMessageBox(menu, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, e2e::messageBoxText(box).find("nothere.exe"));
    // The menu's message loop runs under the box: the second command must
    // not have been handed to it yet.
    EXPECT_FALSE(e2e::waitForRuns(tools, 1, 1500));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    ASSERT_TRUE(driver.waitGone(box, 15000));
    HWND another = driver.waitMessageBox(menu, 0);
    ASSERT_EQ(nullptr, another) << e2e::messageBoxText(another);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 30000)) << stateOf(menu, window);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ("\"" + tools + "\\rec.exe\" after", runs[0].commandLine);
}

TEST_F(LaunchE2E, ViewAfterAProgramRunsWholeAfterIt) {
    ASSERT_TRUE(e2e::writeFile(disc + "\\docs\\read me.txt", "あとで読む文書\r\n"));
    ASSERT_NO_FATAL_FAILURE(writeEntry({"両方,\"ソフト 表示\\rec.exe\" first,@view \"docs\\read me.txt\""}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    EXPECT_NE(nullptr, driver.waitWindowTitled(menu, "説明", 15000));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ("\"" + tools + "\\rec.exe\" first", runs[0].commandLine);
}

TEST_F(LaunchE2E, ListLongerThanItsBufferRunsOnlyTheCommandsThatFitWhole) {
    // Each rewritten command holds the long full path of the fixture: the
    // list keeps as many whole commands as fit in 259 bytes.
    std::vector<std::string> args = {"one", "two", "three", "four"};
    std::string value = "長い", joined;
    size_t fit = 0;
    for (const std::string& arg : args) {
        value += ",\"ソフト 表示\\rec.exe\" " + arg;
        std::string piece = "\"" + tools + "\\rec.exe\" " + arg;
        std::string longer = joined.empty() ? piece : joined + "," + piece;
        if (longer.size() < 260 && fit == static_cast<size_t>(&arg - &args[0])) {
            joined = longer;
            ++fit;
        }
    }
    ASSERT_GE(fit, 1u);
    ASSERT_LT(fit, args.size()) << "the fixture path is too short to fill the list";
    ASSERT_LE(value.size(), 159u) << "MENU.DAT values hold at most 159 bytes";
    ASSERT_NO_FATAL_FAILURE(writeEntry({value}));
    ASSERT_TRUE(SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, fit, 15000));
    EXPECT_FALSE(e2e::waitForRuns(tools, fit + 1, 1500));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(fit, runs.size());
    for (const e2e::RecordedRun& run : runs) {
        bool known = false;
        for (size_t i = 0; i < fit; ++i) known |= run.commandLine == "\"" + tools + "\\rec.exe\" " + args[i];
        EXPECT_TRUE(known) << run.commandLine;
    }
}

TEST_F(LaunchE2E, WebCommandOpensTheAddressThroughTheShell) {
    SchemeHandler handler(tools + "\\rec.exe");
    ASSERT_TRUE(handler.ok());
    std::string address = std::string(kScheme) + "://example.com/page";
    ASSERT_NO_FATAL_FAILURE(writeEntry({"ウェブ,@" + address}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_NE(std::string::npos, runs[0].commandLine.find(address)) << runs[0].commandLine;
}

TEST_F(LaunchE2E, FtpCommandOpensTheAddressThroughTheShell) {
    SchemeHandler handler(tools + "\\rec.exe", kFtpScheme);
    ASSERT_TRUE(handler.ok());
    std::string address = std::string(kFtpScheme) + "://example.com/pub/";
    ASSERT_NO_FATAL_FAILURE(writeEntry({"FTP,@" + address}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_NE(std::string::npos, runs[0].commandLine.find(address)) << runs[0].commandLine;
}

TEST_F(LaunchE2E, VideoPlaysThroughItsRegisteredPlayCommandInItsOwnFolder) {
    MediaPlayVerb verb(tools + "\\rec.exe");
    if (!verb.owned()) GTEST_SKIP() << ".mpeg is registered in this prefix";
    ASSERT_TRUE(verb.ok());
    std::string movies = disc + "\\movies";
    ASSERT_TRUE(e2e::writeFile(movies + "\\Opening.mpeg", std::string(64, '\0')));
    ASSERT_NO_FATAL_FAILURE(writeEntry({"動画,movies\\Opening.mpeg"}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    // The command template is upper-cased before the movie's path goes in.
    EXPECT_NE(std::string::npos, runs[0].commandLine.find("REC.EXE")) << runs[0].commandLine;
    EXPECT_NE(std::string::npos, runs[0].commandLine.find("/PLAY \"" + movies + "\\Opening.mpeg\""))
        << runs[0].commandLine;
    EXPECT_EQ(movies, runs[0].currentDir);
}

TEST_F(LaunchE2E, ViewThenWebShowsTheDocumentAndNeverOpensTheAddress) {
    SchemeHandler handler(tools + "\\rec.exe");
    ASSERT_TRUE(handler.ok());
    ASSERT_TRUE(e2e::writeFile(disc + "\\docs\\read.txt", "お読みください。\r\n"));
    ASSERT_NO_FATAL_FAILURE(
        writeEntry({"読む,@view docs\\read.txt,@" + std::string(kScheme) + "://example.com/page"}));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    HWND document = driver.waitWindowTitled(menu, "説明", 15000);
    ASSERT_NE(nullptr, document);
    HWND text = e2e::child(document, 1005);
    ASSERT_NE(nullptr, text);
    // The rich-edit text does not cross processes by WM_GETTEXT under Wine:
    // select it all and copy it, as a reader would.
    const std::string expected = "お読みください。";
    std::string copied;
    EXPECT_TRUE(waitFor(
        [&] {
            e2e::sendKey(text, 'A', false, true);
            e2e::sendKey(text, 'C', false, true);
            copied = e2e::clipboardText();
            return copied.compare(0, expected.size(), expected) == 0;
        },
        10000))
        << copied;
    // "@view" placement: 80, 0 in the menu's client area, 480 x 400.
    POINT origin = {80, 0};
    ClientToScreen(window, &origin);
    RECT r = e2e::windowRect(document);
    EXPECT_EQ(origin.x, r.left);
    EXPECT_EQ(origin.y, r.top);
    EXPECT_EQ(480, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
    expectNothingStarted();
    EXPECT_TRUE(menu.running());
}

TEST_F(LaunchE2E, MissingProgramIsReportedWithPathArgumentsFolderAndReason) {
    ASSERT_NO_FATAL_FAILURE(writeEntry({"無い,\"ソフト 表示\\nothere.exe\" /s"}));
    // Read-only, as on the pressed disc: no warning about the missing program
    // comes before the click.
    ASSERT_TRUE(SetFileAttributesA((disc + "\\MENU.DAT").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    HWND box = driver.waitMessageBox(menu, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("実行コマンド　　:" + tools +
                  "\\nothere.exe\r\n"
                  "ｺﾏﾝﾄﾞﾗｲﾝ引数　　:/s\r\n"
                  "実行時のフォルダ:" +
                  tools +
                  "\r\n"
                  "ｴﾗｰ内容:\r\n"
                  "指定されたファイルが見つかりませんでした。",
              e2e::messageBoxText(box));
    EXPECT_EQ(kCaption, e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    EXPECT_EQ(window, GetWindow(box, GW_OWNER));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    EXPECT_TRUE(driver.waitGone(box, 10000));
    // The menu stays and the button works again.
    EXPECT_TRUE(menu.running());
    click(0);
    HWND again = driver.waitMessageBox(menu, 15000);
    ASSERT_NE(nullptr, again);
    ASSERT_TRUE(e2e::pressButton(again, IDOK));
}

TEST_F(LaunchE2E, HelpFileWithoutTheHelpViewerIsToldAndStartsNothing) {
    ASSERT_TRUE(e2e::writeFile(tools + "\\manual.chm", "ITSF"));
    ASSERT_NO_FATAL_FAILURE(writeEntry({"ヘルプ,\"ソフト 表示\\manual.chm\""}));
    HelpViewerAside aside;
    ASSERT_TRUE(aside.viewerGone());
    ASSERT_NO_FATAL_FAILURE(startMenu());
    click(0);
    HWND box = driver.waitMessageBox(menu, 15000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("HTMLヘルプ文書をご覧頂くには、HTMLヘルプ のブラウザ、または、Microsoft Internet "
              "Explorer 4.01以降がシステムにインストールされている必要があります。",
              e2e::messageBoxText(box));
    EXPECT_EQ(kCaption, e2e::windowText(box));
    EXPECT_EQ(e2e::Icon::Error, e2e::messageBoxIcon(box));
    ASSERT_TRUE(e2e::pressButton(box, IDOK));
    EXPECT_TRUE(driver.waitGone(box, 10000));
    expectNothingStarted();
}

TEST_F(LaunchE2E, HelpFileOpensInTheHelpViewerOfTheWindowsFolder) {
    ASSERT_TRUE(e2e::writeFile(tools + "\\manual.chm", "ITSF"));
    ASSERT_NO_FATAL_FAILURE(writeEntry({"ヘルプ,\"ソフト 表示\\manual.chm\""}));
    HelpViewerAside aside;
    ASSERT_TRUE(aside.viewerGone());
    // A recording stand-in for the help viewer; it records into the fixture.
    ASSERT_TRUE(e2e::copyFile(e2e::helperProgram("recorder.exe"), aside.viewer()));
    std::string record = tools + "\\record.txt";
    // Set wide: Wine shortens ANSI environment values with double-byte characters.
    wchar_t wide[MAX_PATH * 2];
    ASSERT_GT(MultiByteToWideChar(932, 0, record.c_str(), -1, wide, MAX_PATH * 2), 0);
    SetEnvironmentVariableW(L"RECORDER_FILE", wide);
    ASSERT_NO_FATAL_FAILURE(startMenu());
    SetEnvironmentVariableW(L"RECORDER_FILE", nullptr);
    click(0);
    ASSERT_TRUE(e2e::waitForRuns(tools, 1, 15000)) << stateOf(menu, window);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(tools);
    ASSERT_EQ(1u, runs.size());
    EXPECT_NE(std::string::npos, runs[0].commandLine.find("hh.exe")) << runs[0].commandLine;
    EXPECT_NE(std::string::npos, runs[0].commandLine.find(tools + "\\manual.chm")) << runs[0].commandLine;
    EXPECT_EQ(tools, runs[0].currentDir);
}
