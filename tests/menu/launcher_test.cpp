// The command launcher under Wine: one command per posted message, what is
// handed to the shell for each kind of command, the error reports, and real
// starts of a recording program (a copy of this test executable).
#include "launcher.h"
#include "doc_window.h"
#include "driver.h"
#include "menu_texts.h"
#include "messages.h"
#include <gtest/gtest.h>
#include <shellapi.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace menu;

using namespace common;

namespace {

using e2e::pumpUntil;

const char* const kRecordVariable = "LAUNCHER_RECORD";

std::string freshFolder(const std::string& name) { return e2e::freshFolder("launcher\\" + name); }

std::string readFile(const std::string& path) {
    std::string bytes;
    e2e::readFile(path, &bytes);
    return bytes;
}

struct ShellCall {
    std::string verb, file, parameters, folder;
    int show;
};

// A launcher whose shell, message boxes and document window are recorded.
class RecordingLauncher : public Launcher {
public:
    std::vector<ShellCall> calls;
    std::vector<std::string> messages, titles;
    std::vector<UINT> styles;
    std::vector<std::string> views;
    int result = 42;
    std::string windows;

protected:
    int shellExecute(HWND, const char* verb, const char* file, const char* parameters, const char* folder,
                     int show) override {
        calls.push_back({verb ? verb : "<null>", file ? file : "<null>", parameters ? parameters : "<null>",
                         folder ? folder : "<null>", show});
        return result;
    }
    void showMessage(HWND, const char* text, const char* title, UINT style) override {
        messages.push_back(text);
        titles.push_back(title);
        styles.push_back(style);
    }
    HWND openView(HWND, const char* file) override {
        views.push_back(file);
        return nullptr;
    }
    void windowsFolder(char* out, size_t size) override {
        if (windows.empty())
            Launcher::windowsFolder(out, size);
        else
            lstrcpynA(out, windows.c_str(), static_cast<int>(size));
    }
};

Launcher* activeLauncher = nullptr;
int runNextMessages = 0;

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMU_RUN_NEXT) {
        ++runNextMessages;
        if (activeLauncher) activeLauncher->runNext(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = mainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LauncherTestMain";
        RegisterClassA(&wc);
        main_ = CreateWindowA("LauncherTestMain", "menu", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, main_);
        launcher_.setCaption("ディスクメニュー");
        activeLauncher = &launcher_;
        runNextMessages = 0;
    }
    void TearDown() override {
        activeLauncher = nullptr;
        closeDocument();
        DestroyWindow(main_);
    }
    // Runs a list the way the main window does and lets every posted
    // continuation arrive.
    void runList(const char* list) {
        launcher_.runCommandList(main_, list);
        pumpUntil([this] { return !launcher_.hasPending(); }, 5000);
        pumpUntil([] { return false; }, 50);
    }
    HWND main_ = nullptr;
    RecordingLauncher launcher_;
};

}  // namespace

TEST_F(LauncherTest, ListRunsOneCommandPerPostedMessage) {
    launcher_.runCommandList(main_, "\"C:\\a\\one.exe\" -x,\"C:\\b\\two.exe\",\"C:\\three.exe\"");
    // Only the first command has run; the rest waits for the posted message.
    ASSERT_EQ(1u, launcher_.calls.size());
    EXPECT_TRUE(launcher_.hasPending());
    ASSERT_TRUE(pumpUntil([this] { return launcher_.calls.size() == 3; }, 5000));
    EXPECT_EQ(2, runNextMessages);
    EXPECT_FALSE(launcher_.hasPending());
    EXPECT_EQ("C:\\a\\one.exe", launcher_.calls[0].file);
    EXPECT_EQ("-x", launcher_.calls[0].parameters);
    EXPECT_EQ("C:\\a", launcher_.calls[0].folder);
    EXPECT_EQ("<null>", launcher_.calls[0].verb);
    EXPECT_EQ(SW_SHOW, launcher_.calls[0].show);
    EXPECT_EQ("C:\\b\\two.exe", launcher_.calls[1].file);
    EXPECT_EQ("<null>", launcher_.calls[1].parameters);
    EXPECT_EQ("C:\\", launcher_.calls[2].folder);
}

TEST_F(LauncherTest, ViewEndsTheListAndNeverOpensTheAddress) {
    runList("@view readme.txt,@http://www.example.jp/");
    ASSERT_EQ(1u, launcher_.views.size());
    EXPECT_EQ("readme.txt", launcher_.views[0]);
    EXPECT_TRUE(launcher_.calls.empty());
    EXPECT_EQ(0, runNextMessages);
}

TEST_F(LauncherTest, WebAddressesGoToTheShellWithOpen) {
    runList("@http://www.example.jp/,@ftp://ftp.example.jp/pub/");
    ASSERT_EQ(2u, launcher_.calls.size());
    EXPECT_EQ("open", launcher_.calls[0].verb);
    EXPECT_EQ("http://www.example.jp/", launcher_.calls[0].file);
    EXPECT_EQ("<null>", launcher_.calls[0].parameters);
    EXPECT_EQ("<null>", launcher_.calls[0].folder);
    EXPECT_EQ(SW_SHOWNORMAL, launcher_.calls[0].show);
    EXPECT_EQ("ftp://ftp.example.jp/pub/", launcher_.calls[1].file);
    // A failing address is not reported.
    launcher_.result = 2;
    runList("@http://www.example.jp/");
    EXPECT_TRUE(launcher_.messages.empty());
}

TEST_F(LauncherTest, ReportNamesCommandArgumentsFolderAndReason) {
    launcher_.result = 2;
    runList("\"D:\\ソ表示\\setup.exe\" /S");
    ASSERT_EQ(1u, launcher_.messages.size());
    EXPECT_EQ(std::string("実行コマンド　　:D:\\ソ表示\\setup.exe\r\n"
                          "ｺﾏﾝﾄﾞﾗｲﾝ引数　　:/S\r\n"
                          "実行時のフォルダ:D:\\ソ表示\r\n"
                          "ｴﾗｰ内容:\r\n") +
                  launchtext::kFileNotFound,
              launcher_.messages[0]);
    EXPECT_EQ("ディスクメニュー", launcher_.titles[0]);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), launcher_.styles[0]);
}

TEST_F(LauncherTest, EveryResultHasItsReason) {
    struct Case {
        int result;
        const char* file;
        const char* reason;
    };
    const Case cases[] = {
        {0, "\"D:\\a.exe\"", launchtext::kOutOfMemory},     {2, "\"D:\\a.exe\"", launchtext::kFileNotFound},
        {3, "\"D:\\a.exe\"", launchtext::kPathNotFound},    {31, "\"D:\\index.HTM\"", launchtext::kNoBrowser},
        {31, "\"D:\\index.html\"", launchtext::kNoBrowser}, {31, "\"D:\\a.doc\"", launchtext::kNoAssociation},
        {5, "\"D:\\a.exe\"", launchtext::kCannotStart},     {26, "\"D:\\a.exe\"", launchtext::kCannotStart},
    };
    for (const Case& c : cases) {
        launcher_.messages.clear();
        launcher_.result = c.result;
        runList(c.file);
        ASSERT_EQ(1u, launcher_.messages.size()) << c.result;
        const std::string& text = launcher_.messages[0];
        EXPECT_EQ(c.reason, text.substr(text.size() - std::strlen(c.reason))) << c.result;
        EXPECT_NE(std::string::npos, text.find("ｺﾏﾝﾄﾞﾗｲﾝ引数　　:\r\n")) << "empty arguments";
    }
    launcher_.messages.clear();
    launcher_.result = 32;
    runList("\"D:\\a.exe\"");
    EXPECT_TRUE(launcher_.messages.empty());
}

TEST_F(LauncherTest, HelpFileWithoutTheViewerGivesTheHelpMessage) {
    launcher_.windows = freshFolder("nohelp");
    runList("\"D:\\doc\\manual.chm\"");
    EXPECT_TRUE(launcher_.calls.empty());
    ASSERT_EQ(1u, launcher_.messages.size());
    EXPECT_EQ(launchtext::kNoHelpViewer, launcher_.messages[0]);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), launcher_.styles[0]);
}

TEST_F(LauncherTest, HelpFileGoesThroughTheViewer) {
    launcher_.windows = freshFolder("withhelp");
    ASSERT_TRUE(e2e::writeFile(launcher_.windows + "\\hh.exe", "MZ"));
    runList("\"D:\\doc\\manual.CHM\"");
    ASSERT_EQ(1u, launcher_.calls.size());
    EXPECT_EQ(launcher_.windows + "\\hh.exe", launcher_.calls[0].file);
    EXPECT_EQ("D:\\doc\\manual.CHM", launcher_.calls[0].parameters);
    EXPECT_EQ("D:\\doc", launcher_.calls[0].folder);
    EXPECT_EQ(SW_SHOW, launcher_.calls[0].show);
}

namespace {
// HKEY_CLASSES_ROOT entries for ".qt", removed again afterwards.
class MediaClasses {
public:
    MediaClasses() {
        HKEY key;
        existed_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, ".qt", 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed_) RegCloseKey(key);
    }
    ~MediaClasses() {
        if (!existed_) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".qt");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "DiscTest.Movie\\shell\\play\\command");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "DiscTest.Movie\\shell\\play");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "DiscTest.Movie\\shell");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "DiscTest.Movie");
    }
    bool canTest() const { return !existed_; }
    static bool setDefault(const char* key, const char* value) {
        return RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value, std::strlen(value)) == ERROR_SUCCESS;
    }

private:
    bool existed_ = false;
};
}  // namespace

TEST_F(LauncherTest, VideoRunsThroughItsPlayVerb) {
    MediaClasses classes;
    if (!classes.canTest()) GTEST_SKIP() << ".qt is registered in this prefix";
    ASSERT_TRUE(MediaClasses::setDefault(".qt", "DiscTest.Movie"));
    ASSERT_TRUE(MediaClasses::setDefault("DiscTest.Movie\\shell\\play\\command",
                                         "\"C:\\Program Files\\Player\\play.exe\" /play \"%1\""));
    runList("\"D:\\movie\\Open.qt\"");
    ASSERT_EQ(1u, launcher_.calls.size());
    EXPECT_EQ("C:\\PROGRAM FILES\\PLAYER\\PLAY.EXE", launcher_.calls[0].file);
    EXPECT_EQ("/PLAY \"D:\\movie\\Open.qt\"", launcher_.calls[0].parameters);
    EXPECT_EQ("D:\\movie", launcher_.calls[0].folder);
}

TEST_F(LauncherTest, VideoWithoutPlayVerbDoesNothing) {
    MediaClasses classes;
    if (!classes.canTest()) GTEST_SKIP() << ".qt is registered in this prefix";
    runList("\"D:\\movie\\Open.qt\"");  // no extension key
    ASSERT_TRUE(MediaClasses::setDefault(".qt", "DiscTest.Movie"));
    runList("\"D:\\movie\\Open.qt\"");  // a type without a play verb
    ASSERT_TRUE(MediaClasses::setDefault("DiscTest.Movie\\shell\\play\\command", "play.exe /x"));
    runList("\"D:\\movie\\Open.qt\"");  // a play verb without a placeholder
    EXPECT_TRUE(launcher_.calls.empty());
    EXPECT_TRUE(launcher_.messages.empty());
}

TEST_F(LauncherTest, ViewOpensTheDocumentWindow) {
    std::string folder = freshFolder("view");
    ASSERT_TRUE(e2e::writeFile(folder + "\\readme.txt", "お読みください"));
    Launcher real;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(folder.c_str());  // "@view" names are relative to it
    real.runCommandList(main_, "@VIEW readme.txt");
    SetCurrentDirectoryA(previous);
    HWND document = documentWindow();
    ASSERT_NE(nullptr, document);
    POINT origin = {0, 0};
    ClientToScreen(main_, &origin);
    RECT r;
    GetWindowRect(document, &r);
    EXPECT_EQ(origin.y, r.top);
    EXPECT_EQ(480, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
}

// Runs only inside a copy of this executable started through the launcher:
// records its command line and working folder into record.txt there.
TEST(LauncherRecorderChild, Record) {
    if (!std::getenv(kRecordVariable)) GTEST_SKIP() << "only run as a started program";
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    std::string record = std::string(GetCommandLineA()) + "\n" + folder + "\n";
    e2e::writeFile(std::string(folder) + "\\record.txt.tmp", record);
    MoveFileA((std::string(folder) + "\\record.txt.tmp").c_str(),
              (std::string(folder) + "\\record.txt").c_str());
}

TEST_F(LauncherTest, TwoRealProgramsBothStartInTheirOwnFolders) {
    if (std::getenv(kRecordVariable)) GTEST_SKIP();
    std::string root = freshFolder("real");
    std::string first = root + "\\ソ表示 one", second = root + "\\two";
    ASSERT_TRUE(CreateDirectoryA(first.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(second.c_str(), nullptr));
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof self), 0u);
    ASSERT_TRUE(CopyFileA(self, (first + "\\rec.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(self, (second + "\\rec.exe").c_str(), FALSE));
    std::string list = "\"" + first + "\\rec.exe\" --gtest_filter=LauncherRecorderChild.* first," + "\"" +
                       second + "\\rec.exe\" --gtest_filter=LauncherRecorderChild.* second";
    SetEnvironmentVariableA(kRecordVariable, "1");
    Launcher real;
    activeLauncher = &real;
    real.runCommandList(main_, list.c_str());
    bool bothStarted = pumpUntil(
        [&] {
            return GetFileAttributesA((first + "\\record.txt").c_str()) != INVALID_FILE_ATTRIBUTES &&
                   GetFileAttributesA((second + "\\record.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
        },
        30000);
    SetEnvironmentVariableA(kRecordVariable, nullptr);
    ASSERT_TRUE(bothStarted);
    std::string one = readFile(first + "\\record.txt"), two = readFile(second + "\\record.txt");
    EXPECT_NE(std::string::npos, one.find("first")) << one;
    EXPECT_NE(std::string::npos, one.find("\n" + first + "\n")) << one;
    EXPECT_NE(std::string::npos, two.find("second")) << two;
    EXPECT_NE(std::string::npos, two.find("\n" + second + "\n")) << two;
    EXPECT_EQ(1, runNextMessages);
}

namespace {
// Answers the first message box of this process from a second thread and
// keeps its text.
struct BoxAnswer {
    std::string text, title;
    bool found = false;
};

BOOL CALLBACK findBox(HWND window, LPARAM data) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid != GetCurrentProcessId() || std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

DWORD WINAPI answerBox(void* data) {
    BoxAnswer* answer = static_cast<BoxAnswer*>(data);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 15000) {
        HWND box = nullptr;
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&box));
        if (box) {
            char text[2048] = "", title[256] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            GetWindowTextA(box, title, sizeof title);
            answer->text = text;
            answer->title = title;
            answer->found = true;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}
}  // namespace

TEST_F(LauncherTest, MissingProgramIsReportedInARealMessageBox) {
    std::string folder = freshFolder("missing");
    std::string program = folder + "\\nothere.exe";
    BoxAnswer answer;
    HANDLE thread = CreateThread(nullptr, 0, answerBox, &answer, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    Launcher real;
    real.setCaption("ディスクメニュー");
    real.runCommandList(main_, ("\"" + program + "\" -a").c_str());
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    ASSERT_TRUE(answer.found);
    EXPECT_EQ("ディスクメニュー", answer.title);
    EXPECT_EQ(0u, answer.text.find("実行コマンド　　:" + program + "\r\n")) << answer.text;
    EXPECT_NE(std::string::npos, answer.text.find(launchtext::kFileNotFound)) << answer.text;
}
