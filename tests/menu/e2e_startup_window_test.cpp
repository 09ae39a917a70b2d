// The main window's pieces in-process: class registration and its background
// brush from WHITEBACK, placement, command dispatch, the message loop's key
// routing, the instance name and the restored current directory.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "main_window.h"
#include "menu_app.h"
#include "message_loop.h"
#include "messages.h"
#include "profile.h"
#include "startup.h"
#include "window_placement.h"

using namespace menu;

using namespace common;

namespace {

std::string workFolder() {
    std::string path = "Z:";
    for (char c : std::string(TEST_WORK_DIR)) path += c == '/' ? '\\' : c;
    CreateDirectoryA(path.c_str(), nullptr);
    path += "\\e2e_startup_window";
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

bool writeText(const std::string& path, const std::string& text) {
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return written == text.size();
}

// Registers OstrelClass as start-up would for this MENU.INI value of
// WHITEBACK and hands back the class's brush.
HBRUSH brushFor(const char* value) {
    std::string ini = workFolder() + "\\MENU.INI";
    std::string text = "[OSTREL]\r\nCaption=x\r\n";
    if (value) text += std::string("WHITEBACK=") + value + "\r\n";
    EXPECT_TRUE(writeText(ini, text));
    ProfileFile file;
    EXPECT_TRUE(file.locateFrom("Z:\\nowhere\\Ostrel.exe", ini.c_str()));
    MenuConfig config;
    readOstrelSection(file, config);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(mainwindow::kClassName, instance);
    EXPECT_NE(0, mainwindow::registerClass(instance, config.whiteBack));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    EXPECT_TRUE(GetClassInfoExA(instance, mainwindow::kClassName, &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), wc.hCursor);
    EXPECT_EQ(nullptr, wc.lpszMenuName);
    UnregisterClassA(mainwindow::kClassName, instance);
    return wc.hbrBackground;
}

// Takes a posted message of this number for the window off the queue
// without dispatching it; false when none is there.
bool takePosted(HWND window, UINT message, MSG* out = nullptr) {
    MSG m;
    if (!PeekMessageA(&m, window, message, message, PM_REMOVE)) return false;
    if (out) *out = m;
    return true;
}

}  // namespace

TEST(MainWindowClass, WhiteBackYesOrTrueGivesWhiteElseBlack) {
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const char* yes : {"yes", "YES", "True", "true"}) EXPECT_EQ(white, brushFor(yes)) << yes;
    for (const char* no : {"1", "on", "no", "", "white"}) EXPECT_EQ(black, brushFor(no)) << no;
    EXPECT_EQ(black, brushFor(nullptr));
}

TEST(MainWindowPlacement, CentredAndNeverAboveTheScreen) {
    placement::Origin o = placement::centred(1280, 1024, 646, 484);
    EXPECT_EQ(317, o.x);
    EXPECT_EQ(270, o.y);
    o = placement::centred(800, 600, 1000, 700);
    EXPECT_EQ(-100, o.x) << "the left edge is not clamped";
    EXPECT_EQ(0, o.y);
}

TEST(MainWindow, ClientAreaCaptionAndMenuPhase) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(mainwindow::kClassName, instance);
    ASSERT_NE(0, mainwindow::registerClass(instance, false));
    HWND window = mainwindow::create(instance, "メニュー", 333, 222);
    ASSERT_NE(nullptr, window);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(333, client.right);
    EXPECT_EQ(222, client.bottom);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("メニュー", title);
    // Without a movie the window goes straight to the menu phase and asks
    // for the menu screen.
    EXPECT_TRUE(mainwindow::inMenuPhase(window));
    EXPECT_TRUE(takePosted(window, WMU_BUILD_SCREEN));
    // The system menu offers neither maximising nor sizing.
    HMENU system = GetSystemMenu(window, FALSE);
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(system, SC_SIZE, MF_BYCOMMAND));
    DestroyWindow(window);
    UnregisterClassA(mainwindow::kClassName, instance);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
}

TEST(MainWindow, CommandsGoWhereTheirControlsBelong) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(mainwindow::kClassName, instance);
    ASSERT_NE(0, mainwindow::registerClass(instance, false));
    MenuApp& app = menuApp();
    app.config.execute.reset(new ExecuteDesc);
    app.config.execute->columns = 2;
    app.config.execute->rows = 1;
    app.config.menuButtonCount = 3;
    HWND window = mainwindow::create(instance, "", 100, 100);
    ASSERT_NE(nullptr, window);
    takePosted(window, WMU_BUILD_SCREEN);
    HWND tabs = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window,
                                reinterpret_cast<HMENU>(IDC_TAB_ROW), instance, nullptr);
    HWND execute = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window,
                                   reinterpret_cast<HMENU>(IDC_FIRST_EXECUTE + 1), instance, nullptr);
    HWND menuButton = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window,
                                      reinterpret_cast<HMENU>(IDC_FIRST_MENU_BUTTON + 2), instance, nullptr);

    // A press notice of a page-menu button holds the tabs still; other press
    // notices do nothing.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FIRST_EXECUTE + 1, BN_PRESS_NOTICE),
                 reinterpret_cast<LPARAM>(execute));
    EXPECT_FALSE(takePosted(window, WMU_RUN_COMMAND));
    EXPECT_TRUE(IsWindowEnabled(tabs));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FIRST_MENU_BUTTON + 2, BN_PRESS_NOTICE),
                 reinterpret_cast<LPARAM>(menuButton));
    EXPECT_FALSE(IsWindowEnabled(tabs));

    // An execute click posts the run request with the button's window.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FIRST_EXECUTE + 1, 0), reinterpret_cast<LPARAM>(execute));
    MSG m;
    ASSERT_TRUE(takePosted(window, WMU_RUN_COMMAND, &m));
    EXPECT_EQ(reinterpret_cast<LPARAM>(execute), m.lParam);
    // Beyond the grid nothing happens.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FIRST_EXECUTE + 2, 0), reinterpret_cast<LPARAM>(execute));
    EXPECT_FALSE(takePosted(window, WMU_RUN_COMMAND));

    // Exit (also the dialog-style Cancel) posts WM_CLOSE.
    for (int id : {IDC_EXIT_BUTTON, IDCANCEL}) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        EXPECT_TRUE(takePosted(window, WM_CLOSE)) << id;
    }
    DestroyWindow(window);
    UnregisterClassA(mainwindow::kClassName, instance);
    app.config.execute.reset();
    app.config.menuButtonCount = 0;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
}

namespace {
std::vector<WPARAM> g_commands;
LRESULT CALLBACK recordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

TEST(MessageLoop, TheIKeyAndEscReachTheAcceleratorsBeforeDialogKeys) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = recordCommands;
    wc.hInstance = instance;
    wc.lpszClassName = "RecordCommands";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "RecordCommands", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                                  nullptr, nullptr, instance, nullptr);
    ASSERT_NE(nullptr, window);
    ACCEL keys[] = {{FVIRTKEY | FNOINVERT, 'I', IDC_INFO_BUTTON},
                    {FVIRTKEY | FNOINVERT, VK_ESCAPE, IDC_EXIT_BUTTON}};
    HACCEL table = CreateAcceleratorTableA(keys, 2);
    ASSERT_NE(nullptr, table);

    for (WPARAM key : {static_cast<WPARAM>('I'), static_cast<WPARAM>(VK_ESCAPE)}) {
        g_commands.clear();
        MSG m = {};
        m.hwnd = window;
        m.message = WM_KEYDOWN;
        m.wParam = key;
        m.lParam = 1;
        if (!messageloop::offer(m, nullptr, window, table)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        ASSERT_EQ(1u, g_commands.size()) << key;
        EXPECT_EQ(key == 'I' ? IDC_INFO_BUTTON : IDC_EXIT_BUTTON, LOWORD(g_commands[0]));
        EXPECT_EQ(1, HIWORD(g_commands[0])) << "from the accelerator table";
    }
    // Other keys are not taken by the accelerators.
    g_commands.clear();
    MSG m = {};
    m.hwnd = window;
    m.message = WM_KEYDOWN;
    m.wParam = 'X';
    m.lParam = 1;
    messageloop::offer(m, nullptr, window, table);
    EXPECT_TRUE(g_commands.empty());

    DestroyAcceleratorTable(table);
    DestroyWindow(window);
    UnregisterClassA("RecordCommands", instance);
}

TEST(MessageLoop, EndsWithTheQuitCode) {
    PostQuitMessage(7);
    EXPECT_EQ(7, messageloop::run(nullptr, nullptr, nullptr));
}

TEST(Instance, MutexNameHasNoBackslashByteLeft) {
    char name[MAX_PATH];
    startup::mutexName("Z:\\disc\\表示ソフト\\Ostrel.exe", name, sizeof name);
    EXPECT_EQ(nullptr, strchr(name, '\\'));
    EXPECT_EQ(0, strncmp(name, "Z:/disc/", 8));
    EXPECT_NE(0, strcmp(name, "Z:/disc/表示ソフト/Ostrel.exe")) << "0x5C second bytes are replaced too";
    HANDLE first = CreateMutexA(nullptr, TRUE, name);
    ASSERT_NE(nullptr, first);
    EXPECT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    HANDLE second = CreateMutexA(nullptr, TRUE, name);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    CloseHandle(second);
    CloseHandle(first);
    // Bounded output.
    char small[6];
    startup::mutexName("C:\\abcdefgh", small, sizeof small);
    EXPECT_EQ(5u, strlen(small));
}

TEST(Exit, TheCallersCurrentDirectoryComesBack) {
    std::string caller = workFolder();
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    std::unique_ptr<MenuApp> app(new MenuApp);
    lstrcpynA(app->callerDirectory, caller.c_str(), MAX_PATH);
    SetCurrentDirectoryA("C:\\");
    startup::finish(*app);
    char now[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_STRCASEEQ(caller.c_str(), now);
    SetCurrentDirectoryA(before);
}
