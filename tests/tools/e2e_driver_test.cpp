// The driver against its own helper programs: msgbox.exe shows message boxes
// and an input-logging window, recorder.exe records how it was started.
#include "driver.h"
#include <gtest/gtest.h>
#include <png.h>
#include <cstdio>
#include <memory>

using namespace e2e;

namespace {

const int kTyped = 100, kLastKey = 101, kLastClick = 102, kQuit = 1;
const int kEdit = 103, kList = 104, kListView = 105, kTabs = 106, kCheck = 107, kDragEnd = 108, kWheel = 109;

std::string msgbox() { return helperProgram("msgbox.exe"); }

// A window of msgbox.exe with the given client size and background.
struct TargetWindow : ::testing::Test {
    Driver driver;
    Process p;
    HWND w = nullptr;
    void open(int cx = 320, int cy = 200, const char* rgb = "FF0000") {
        p = driver.start(msgbox(), std::string("window E2ETarget \"的 ターゲット\" ") + std::to_string(cx) +
                                       " " + std::to_string(cy) + " " + rgb);
        ASSERT_NE(0u, p.pid);
        w = driver.waitWindow(p, "E2ETarget", 10000);
        ASSERT_NE(nullptr, w);
    }
};

struct PngPixels {
    int width = 0, height = 0;
    std::vector<png_byte> rgb;
};

bool readPng(const std::string& path, PngPixels* out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    bool ok = false;
    if (!setjmp(png_jmpbuf(png))) {
        png_init_io(png, f);
        png_read_info(png, info);
        if (png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB && png_get_bit_depth(png, info) == 8) {
            out->width = png_get_image_width(png, info);
            out->height = png_get_image_height(png, info);
            out->rgb.resize(static_cast<size_t>(out->width) * out->height * 3);
            std::vector<png_bytep> rows(out->height);
            for (int y = 0; y < out->height; ++y)
                rows[y] = &out->rgb[static_cast<size_t>(y) * out->width * 3];
            png_read_image(png, rows.data());
            ok = true;
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return ok;
}

}  // namespace

// ---------------------------------------------------------------- message boxes

TEST(DriverMessageBox, ReadsJapaneseTitleAndTextByteForByte) {
    Driver d;
    // "ソ" and "表" end in 0x5C, which a byte-wise reader would take for a backslash.
    Process p = d.start(msgbox(), "box info \"ソフト表示\" \"表示ソフト\\n２行目～①\"");
    HWND box = d.waitMessageBox(p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("ソフト表示", windowText(box));
    EXPECT_EQ("表示ソフト\n２行目～①", messageBoxText(box));
    EXPECT_EQ(std::string("\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6"), windowText(box));
    EXPECT_EQ("#32770", className(box));
}

class DriverMessageBoxIcon : public ::testing::TestWithParam<std::pair<const char*, Icon>> {};

TEST_P(DriverMessageBoxIcon, IsRecognised) {
    Driver d;
    Process p = d.start(msgbox(), std::string("box ") + GetParam().first + " title text");
    HWND box = d.waitMessageBox(p);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(GetParam().second, messageBoxIcon(box)) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(EachIcon, DriverMessageBoxIcon,
                         ::testing::Values(std::make_pair("error", Icon::Error),
                                           std::make_pair("warning", Icon::Warning),
                                           std::make_pair("info", Icon::Information),
                                           std::make_pair("question", Icon::Question),
                                           std::make_pair("none", Icon::None)));

TEST(DriverMessageBox, PressedButtonIsTheAnswer) {
    Driver d;
    Process ok = d.start(msgbox(), "box none a b");
    Process cancel = d.start(msgbox(), "box none a b");
    HWND okBox = d.waitMessageBox(ok), cancelBox = d.waitMessageBox(cancel);
    ASSERT_NE(nullptr, okBox);
    ASSERT_NE(nullptr, cancelBox);
    EXPECT_TRUE(pressButton(okBox, IDOK));
    EXPECT_TRUE(pressButton(cancelBox, IDCANCEL));
    DWORD okCode = 0, cancelCode = 0;
    ASSERT_TRUE(ok.waitExit(10000, &okCode));
    ASSERT_TRUE(cancel.waitExit(10000, &cancelCode));
    EXPECT_EQ(static_cast<DWORD>(IDOK), okCode);
    EXPECT_EQ(static_cast<DWORD>(IDCANCEL), cancelCode);
    EXPECT_TRUE(d.waitGone(okBox, 5000));
}

// ---------------------------------------------------------------- processes

TEST(DriverProcess, ExitCodePassesThrough) {
    Driver d;
    Process p = d.start(msgbox(), "exit 42");
    DWORD code = 0;
    ASSERT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(42u, code);
    EXPECT_FALSE(p.running());
}

TEST(DriverProcess, MissingProgramIsNotStarted) {
    Driver d;
    Process p = d.start(winPath(TEST_WORK_DIR) + "\\no-such-program.exe");
    EXPECT_EQ(0u, p.pid);
    EXPECT_FALSE(p.running());
    EXPECT_FALSE(p.waitExit(100));
}

TEST(DriverProcess, ArgumentsAndWorkingFolderReachTheProgram) {
    const std::string disc = freshFolder("表示ソフト");
    ASSERT_FALSE(disc.empty());
    ASSERT_TRUE(copyFile(helperProgram("recorder.exe"), disc + "\\recorder.exe"));
    const std::string work = disc + "\\作業";
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    Driver d;
    Process p = d.start(disc + "\\recorder.exe", "SETUP1 \"/V 読んでね.txt\"", work);
    DWORD code = 1;
    ASSERT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(0u, code);
    ASSERT_TRUE(waitForRuns(disc, 1, 5000));
    std::vector<RecordedRun> runs = recordedRuns(disc);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ("\"" + disc + "\\recorder.exe\" SETUP1 \"/V 読んでね.txt\"", runs[0].commandLine);
    EXPECT_EQ(work, runs[0].currentDir);
}

TEST(DriverProcess, DefaultWorkingFolderIsTheProgramsOwnAndNoRunIsLost) {
    const std::string disc = freshFolder("default-dir");
    ASSERT_TRUE(copyFile(helperProgram("recorder.exe"), disc + "\\recorder.exe"));
    Driver d;
    // Launched together, as a menu button with several commands does.
    for (int i = 0; i < 5; ++i) d.start(disc + "\\recorder.exe", "run" + std::to_string(i));
    ASSERT_TRUE(waitForRuns(disc, 5, 15000));
    std::vector<RecordedRun> runs = recordedRuns(disc);
    EXPECT_EQ(5u, runs.size());
    std::vector<bool> seen(5);
    for (const RecordedRun& r : runs) {
        EXPECT_EQ(disc, r.currentDir);
        const std::string tail = r.commandLine.substr(r.commandLine.size() - 4);
        ASSERT_EQ("run", tail.substr(0, 3)) << r.commandLine;
        seen[tail[3] - '0'] = true;
    }
    EXPECT_EQ(std::vector<bool>(5, true), seen);
}

TEST(DriverProcess, RecorderWritesWhereTheEnvironmentSays) {
    const std::string dir = freshFolder("record-env");
    const std::string file = dir + "\\記録.txt";
    ASSERT_TRUE(SetEnvironmentVariableA("RECORDER_FILE", file.c_str()));
    Driver d;
    Process p = d.start(helperProgram("recorder.exe"), "x", dir);
    SetEnvironmentVariableA("RECORDER_FILE", nullptr);
    ASSERT_TRUE(p.waitExit(10000));
    std::string text;
    ASSERT_TRUE(readFile(file, &text));
    EXPECT_EQ("\"" + helperProgram("recorder.exe") + "\" x\t" + dir + "\r\n", text);
}

TEST(DriverProcess, EveryProcessAndItsChildrenEndAtTeardown) {
    HANDLE hanging = nullptr, parent = nullptr, grandchild = nullptr;
    {
        Driver d;
        Process hang = d.start(msgbox(), "hang");
        Process spawn = d.start(msgbox(), "spawn E2EGrandchild");
        ASSERT_TRUE(d.waitWindow(spawn, "SpawnParent") != nullptr);
        HWND child = nullptr;
        for (DWORD start = GetTickCount(); !child && GetTickCount() - start < 10000; Sleep(25))
            child = FindWindowA("E2EGrandchild", nullptr);
        ASSERT_NE(nullptr, child);
        DWORD childPid = 0;
        GetWindowThreadProcessId(child, &childPid);
        ASSERT_NE(spawn.pid, childPid);
        hanging = OpenProcess(SYNCHRONIZE, FALSE, hang.pid);
        parent = OpenProcess(SYNCHRONIZE, FALSE, spawn.pid);
        grandchild = OpenProcess(SYNCHRONIZE, FALSE, childPid);
        ASSERT_TRUE(hanging && parent && grandchild);
        EXPECT_TRUE(hang.running());
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hanging, 5000));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(parent, 5000));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(grandchild, 5000));
    CloseHandle(hanging);
    CloseHandle(parent);
    CloseHandle(grandchild);
}

TEST(DriverProcess, OrphanedChildEndsAtTeardownToo) {
    HANDLE grandchild = nullptr;
    {
        Driver d;
        Process spawn = d.start(msgbox(), "spawn E2EOrphan");
        HWND parentWindow = d.waitWindow(spawn, "SpawnParent");
        ASSERT_NE(nullptr, parentWindow);
        HWND child = nullptr;
        for (DWORD start = GetTickCount(); !child && GetTickCount() - start < 10000; Sleep(25))
            child = FindWindowA("E2EOrphan", nullptr);
        ASSERT_NE(nullptr, child);
        DWORD childPid = 0;
        GetWindowThreadProcessId(child, &childPid);
        grandchild = OpenProcess(SYNCHRONIZE, FALSE, childPid);
        // The parent ends first, leaving its child without a living parent.
        ASSERT_TRUE(closeWindow(parentWindow));
        ASSERT_TRUE(spawn.waitExit(10000));
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(grandchild, 5000));
    CloseHandle(grandchild);
}

TEST(DriverProcess, WindowsOfDescendantsAreFoundAndAttached) {
    Driver d;
    Process spawn = d.start(msgbox(), "spawn E2EDescendant");
    HWND w = d.waitAnyWindow("E2EDescendant");
    ASSERT_NE(nullptr, w);
    Process child = d.attach(w);
    EXPECT_NE(0u, child.pid);
    EXPECT_NE(spawn.pid, child.pid);
    EXPECT_TRUE(child.running());
    EXPECT_TRUE(d.owns(child.pid));
    EXPECT_TRUE(d.owns(spawn.pid));
    EXPECT_FALSE(d.owns(GetCurrentProcessId()));
    EXPECT_EQ(child.pid, d.attach(w).pid);
    ASSERT_TRUE(closeWindow(w));
    DWORD code = 1;
    EXPECT_TRUE(child.waitExit(5000, &code));
    EXPECT_EQ(0u, code);
}

TEST(DriverProcess, AnotherDriversWindowsAreNotOurs) {
    Driver mine, theirs;
    Process p = theirs.start(msgbox(), "window E2EForeign foreign 100 100 000000");
    ASSERT_NE(nullptr, theirs.waitAnyWindow("E2EForeign"));
    EXPECT_FALSE(mine.owns(p.pid));
    EXPECT_EQ(nullptr, mine.waitAnyWindow("E2EForeign", 300));
    mine.start(msgbox(), "hang");
    EXPECT_EQ(nullptr, mine.waitAnyWindow("E2EForeign", 300));
    EXPECT_EQ(nullptr, mine.waitAnyMessageBox(300));
}

TEST(DriverProcess, MessageBoxOfADescendantIsFound) {
    Driver d;
    d.start(msgbox(), "spawn E2EBoxParent");
    ASSERT_NE(nullptr, d.waitAnyWindow("E2EBoxParent"));
    EXPECT_EQ(nullptr, d.waitAnyMessageBox(200));
}

// ---------------------------------------------------------------- waits

TEST(DriverWait, WindowThatNeverComesTimesOut) {
    Driver d;
    Process p = d.start(msgbox(), "hang");
    DWORD start = GetTickCount();
    EXPECT_EQ(nullptr, d.waitWindow(p, "NoSuchClass", 600));
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 550u);
    EXPECT_LT(took, 3000u);
    start = GetTickCount();
    EXPECT_EQ(nullptr, d.waitMessageBox(p, 300));
    EXPECT_EQ(nullptr, d.waitDialog(p, 300));
    EXPECT_EQ(nullptr, d.waitWindowTitled(p, "x", 300));
    EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(DriverWait, WaitWindowMatchesTheClassOnly) {
    Driver d;
    Process p = d.start(msgbox(), "window E2EOther other 100 100 000000");
    ASSERT_NE(nullptr, d.waitWindow(p, "E2EOther"));
    EXPECT_EQ(nullptr, d.waitWindow(p, "E2ETarget", 200));
    EXPECT_EQ(nullptr, d.waitMessageBox(p, 200));
    EXPECT_NE(nullptr, d.waitWindowTitled(p, "other", 1000));
    EXPECT_NE(nullptr, d.waitWindow(p, nullptr, 1000));
}

TEST(DriverWait, FileWaitsForItsSize) {
    const std::string dir = freshFolder("wait-file");
    const std::string f = dir + "\\grows.bin";
    EXPECT_FALSE(waitForFile(f, 200));
    ASSERT_TRUE(writeFile(f, "abc"));
    EXPECT_TRUE(waitForFile(f, 200));
    EXPECT_TRUE(waitForFile(f, 200, 3));
    EXPECT_FALSE(waitForFile(f, 200, 4));
}

TEST(DriverWait, ClosedWindowIsGone) {
    Driver d;
    Process p = d.start(msgbox(), "window E2EClose close 100 100 000000");
    HWND w = d.waitWindow(p, "E2EClose");
    ASSERT_NE(nullptr, w);
    EXPECT_FALSE(d.waitGone(w, 200));
    ASSERT_TRUE(closeWindow(w));
    EXPECT_TRUE(d.waitGone(w, 5000));
    DWORD code = 1;
    EXPECT_TRUE(p.waitExit(5000, &code));
    EXPECT_EQ(0u, code);
}

// ---------------------------------------------------------------- windows and input

TEST_F(TargetWindow, ClientSizeIsTheRequestedOne) {
    open(333, 211);
    SIZE s = clientSize(w);
    EXPECT_EQ(333, s.cx);
    EXPECT_EQ(211, s.cy);
    RECT r = windowRect(w);
    EXPECT_GE(r.right - r.left, 333);
    EXPECT_EQ("的 ターゲット", windowText(w));
}

TEST_F(TargetWindow, ChildrenAreFoundByIdAndByClassAndText) {
    open();
    HWND quit = child(w, kQuit);
    ASSERT_NE(nullptr, quit);
    EXPECT_EQ(quit, findChild(w, "Button", "Quit"));
    EXPECT_EQ(quit, findChild(w, "BUTTON"));
    EXPECT_EQ(nullptr, findChild(w, "Button", "Stay"));
    EXPECT_EQ("Quit", dlgItemText(w, kQuit));
}

TEST_F(TargetWindow, PressedButtonEndsTheProgram) {
    open();
    ASSERT_TRUE(pressButton(w, kQuit));
    DWORD code = 0;
    ASSERT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(7u, code);
}

TEST_F(TargetWindow, DisabledButtonIsNotPressed) {
    open();
    EnableWindow(child(w, kQuit), FALSE);
    EXPECT_FALSE(pressButton(w, kQuit));
    EXPECT_FALSE(p.waitExit(300));
    EnableWindow(child(w, kQuit), TRUE);
    EXPECT_TRUE(pressButton(w, kQuit));
    EXPECT_TRUE(p.waitExit(10000));
}

TEST_F(TargetWindow, KeysArriveWithTheirModifiers) {
    open();
    ASSERT_TRUE(sendKey(w, 'A', true));
    EXPECT_TRUE(waitText(child(w, kLastKey), "key:65+shift", 5000)) << dlgItemText(w, kLastKey);
    ASSERT_TRUE(sendKey(w, VK_LEFT, false, true));
    EXPECT_TRUE(waitText(child(w, kLastKey), "key:37+ctrl", 5000)) << dlgItemText(w, kLastKey);
    ASSERT_TRUE(sendKey(w, VK_F5));
    EXPECT_TRUE(waitText(child(w, kLastKey), "key:116", 5000)) << dlgItemText(w, kLastKey);
}

TEST_F(TargetWindow, TypedTextArrivesAsCharacters) {
    open();
    ASSERT_TRUE(typeText(w, "aB1 x"));
    EXPECT_TRUE(waitText(child(w, kTyped), "aB1 x", 5000)) << dlgItemText(w, kTyped);
    ASSERT_TRUE(typeText(w, "表"));
    EXPECT_TRUE(waitText(child(w, kTyped), "aB1 x表", 5000)) << dlgItemText(w, kTyped);
}

TEST_F(TargetWindow, ClicksLandAtClientCoordinates) {
    open();
    ASSERT_TRUE(clickAt(w, 200, 120));
    EXPECT_TRUE(waitText(child(w, kLastClick), "click:200,120,L", 5000)) << dlgItemText(w, kLastClick);
    ASSERT_TRUE(clickAt(w, 250, 150, true));
    EXPECT_TRUE(waitText(child(w, kLastClick), "click:250,150,R", 5000)) << dlgItemText(w, kLastClick);
}

TEST_F(TargetWindow, PixelIsReadFromTheScreen) {
    open(300, 200, "2080C0");
    EXPECT_EQ(RGB(0x20, 0x80, 0xC0), pixelAt(w, 250, 150));
    EXPECT_EQ(RGB(0x20, 0x80, 0xC0), pixelAt(w, 299, 199));
}

TEST_F(TargetWindow, ScreenshotIsAPngOfTheWholeWindow) {
    open(300, 200, "00C040");
    const std::string path = screenshot(w, "driver_target");
    ASSERT_FALSE(path.empty());
    PngPixels png;
    ASSERT_TRUE(readPng(path, &png));
    RECT r = windowRect(w);
    EXPECT_EQ(r.right - r.left, png.width);
    EXPECT_EQ(r.bottom - r.top, png.height);
    // The client's bottom-right pixel, at its place in the window picture.
    POINT pt = {299, 199};
    ClientToScreen(w, &pt);
    const png_byte* px = &png.rgb[(static_cast<size_t>(pt.y - r.top) * png.width + (pt.x - r.left)) * 3];
    EXPECT_EQ(0x00, px[0]);
    EXPECT_EQ(0xC0, px[1]);
    EXPECT_EQ(0x40, px[2]);
}

TEST_F(TargetWindow, DoubleClickIsOneDoubleClick) {
    open();
    ASSERT_TRUE(doubleClickAt(w, 220, 110));
    EXPECT_TRUE(waitText(child(w, kLastClick), "dblclick:220,110,L", 5000)) << dlgItemText(w, kLastClick);
}

TEST_F(TargetWindow, DragMovesWithTheButtonDown) {
    open();
    ASSERT_TRUE(dragTo(w, 200, 100, 280, 160));
    EXPECT_TRUE(waitText(child(w, kDragEnd), "up:280,160,dragged", 5000)) << dlgItemText(w, kDragEnd);
    EXPECT_EQ("click:200,100,L", dlgItemText(w, kLastClick));
}

TEST_F(TargetWindow, WheelTurnsArrive) {
    open();
    ASSERT_TRUE(wheelAt(w, 250, 150, -WHEEL_DELTA));
    EXPECT_TRUE(waitText(child(w, kWheel), "wheel:-120", 5000)) << dlgItemText(w, kWheel);
    ASSERT_TRUE(wheelAt(w, 250, 150, 2 * WHEEL_DELTA));
    EXPECT_TRUE(waitText(child(w, kWheel), "wheel:240", 5000)) << dlgItemText(w, kWheel);
}

TEST_F(TargetWindow, PostedCommandReachesTheWindow) {
    open();
    ASSERT_TRUE(command(w, kQuit));
    DWORD code = 0;
    ASSERT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(7u, code);
}

TEST_F(TargetWindow, ControlItemsAreReadAcrossProcesses) {
    open();
    EXPECT_EQ((std::vector<std::string>{"一", "表示ソフト"}), itemTexts(child(w, kList)));
    EXPECT_EQ((std::vector<std::string>{"読んでね.txt", "ソフト表.lzh"}), itemTexts(child(w, kListView)));
    EXPECT_EQ((std::vector<std::string>{"1 KB", "２ MB"}), itemTexts(child(w, kListView), 1));
    EXPECT_EQ((std::vector<std::string>{"ページ1", "ソフト表"}), itemTexts(child(w, kTabs)));
    EXPECT_TRUE(itemTexts(child(w, kEdit)).empty());
    EXPECT_EQ(BST_CHECKED, checkState(child(w, kCheck)));
    EXPECT_EQ(BST_UNCHECKED, checkState(child(w, kQuit)));
}

TEST_F(TargetWindow, EditTextIsSetAndTypedIntoTheFocusedChild) {
    open();
    HWND edit = child(w, kEdit);
    ASSERT_TRUE(setText(edit, "表示ソ"));
    EXPECT_EQ("表示ソ", dlgItemText(w, kEdit));
    ASSERT_TRUE(setText(edit, ""));
    ASSERT_TRUE(typeText(edit, "ab表"));
    EXPECT_TRUE(waitText(edit, "ab表", 5000)) << dlgItemText(w, kEdit);
    // The window's own character log saw none of it.
    EXPECT_EQ("", dlgItemText(w, kTyped));
}

TEST_F(TargetWindow, CopiedTextIsReadFromTheClipboard) {
    open();
    HWND edit = child(w, kEdit);
    ASSERT_TRUE(setText(edit, "コピーソ表"));
    ASSERT_TRUE(activate(edit));
    PostMessageA(edit, EM_SETSEL, 0, -1);
    ASSERT_TRUE(sendKey(edit, 'C', false, true));
    std::string copied;
    for (DWORD start = GetTickCount(); copied != "コピーソ表" && GetTickCount() - start < 5000; Sleep(25))
        copied = clipboardText();
    EXPECT_EQ("コピーソ表", copied) << "edit holds: " << dlgItemText(w, kEdit);
}

TEST(DriverScreen, GoneWindowGivesNoPicture) {
    HWND w = nullptr;
    {
        Driver d;
        Process p = d.start(msgbox(), "window E2EGone gone 100 100 000000");
        w = d.waitWindow(p, "E2EGone");
        ASSERT_NE(nullptr, w);
    }
    EXPECT_EQ("", screenshot(w, "driver_gone"));
    EXPECT_EQ(CLR_INVALID, pixelAt(w, 1, 1));
}

// ---------------------------------------------------------------- files

TEST(DriverFiles, TreesWithJapaneseNamesAreCopiedAndRemoved) {
    const std::string root = freshFolder("tree");
    const std::string from = root + "\\元ソフト", to = root + "\\写し";
    ASSERT_TRUE(writeFile(from + "\\表示\\説明.txt", "ソフト表\r\n"));
    ASSERT_TRUE(writeFile(from + "\\a.bin", std::string("\0\1\2", 3)));
    ASSERT_TRUE(writeFile(from + "\\空\\深い\\x", ""));
    ASSERT_TRUE(copyTree(from, to));
    std::string bytes;
    ASSERT_TRUE(readFile(to + "\\表示\\説明.txt", &bytes));
    EXPECT_EQ("ソフト表\r\n", bytes);
    ASSERT_TRUE(readFile(to + "\\a.bin", &bytes));
    EXPECT_EQ(std::string("\0\1\2", 3), bytes);
    EXPECT_TRUE(fileExists(to + "\\空\\深い\\x"));
    SetFileAttributesA((to + "\\a.bin").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(removeTree(to));
    EXPECT_FALSE(fileExists(to));
    EXPECT_TRUE(fileExists(from + "\\a.bin"));
    EXPECT_TRUE(removeTree(to));
    // A file deeper than a path holds, made as tests make them, goes too.
    const std::string deep = root + "\\" + std::string(240 - root.size(), 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    const std::string longFile = deep + "\\" + std::string(30, 'z') + ".txt";
    const std::wstring wide = L"\\\\?\\" + std::wstring(longFile.begin(), longFile.end());
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    EXPECT_TRUE(removeTree(root));
    EXPECT_FALSE(fileExists(root));
}

TEST(DriverFiles, FreshFolderIsEmpty) {
    std::string dir = freshFolder("fresh");
    ASSERT_TRUE(writeFile(dir + "\\old.txt", "x"));
    dir = freshFolder("fresh");
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(fileExists(dir));
    EXPECT_FALSE(fileExists(dir + "\\old.txt"));
}

TEST(DriverFiles, RecordedRunsSkipAHalfWrittenLine) {
    const std::string dir = freshFolder("record");
    EXPECT_TRUE(recordedRuns(dir).empty());
    ASSERT_TRUE(writeFile(dir + "\\record.txt",
                          "\"C:\\a b\\x.exe\" 1\tC:\\a b\r\n\"D:\\表\\y.exe\"\tD:\\表\r\n\"half"));
    std::vector<RecordedRun> runs = recordedRuns(dir);
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ("\"C:\\a b\\x.exe\" 1", runs[0].commandLine);
    EXPECT_EQ("C:\\a b", runs[0].currentDir);
    EXPECT_EQ("D:\\表", runs[1].currentDir);
    EXPECT_FALSE(waitForRuns(dir, 3, 200));
}
