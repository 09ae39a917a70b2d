// End-to-end test driver: starts the real programs under Wine, finds their
// windows, reads texts as CP932 bytes, presses buttons, sends keys and clicks,
// takes screenshots, and ends every process it started.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

// "/work/x/y" -> "Z:\\work\\x\\y" (Wine maps the Unix root to drive Z:).
std::string winPath(const std::string& unixPath);
// Full Windows path of a file in the dist folder, e.g. dist("Ostrel.exe").
std::string dist(const std::string& name);
// Full Windows path of a file below the source tree, e.g. source("sample-disc").
std::string source(const std::string& relative);
// A fresh, empty folder below the build tree's test work folder (removed first if present).
std::string freshFolder(const std::string& name);
// Full Windows path of a test helper program built with the driver
// ("recorder.exe", "msgbox.exe"); linking e2e_driver builds them first.
std::string helperProgram(const std::string& name);

// Files (paths are Windows paths).
bool writeFile(const std::string& path, const std::string& bytes);
bool readFile(const std::string& path, std::string* bytes);
bool copyFile(const std::string& from, const std::string& to);
bool copyTree(const std::string& from, const std::string& to);
bool removeTree(const std::string& path);
bool fileExists(const std::string& path);
// Polls until the file exists (and, with minSize, has at least that many bytes).
bool waitForFile(const std::string& path, DWORD timeoutMs, DWORD minSize = 0);

// recorder.exe appends one line per run to record.txt beside itself:
// its command line, a tab, its current folder, CR LF.
struct RecordedRun {
    std::string commandLine;
    std::string currentDir;
};
// The runs recorded in folder\record.txt (empty when there is none).
std::vector<RecordedRun> recordedRuns(const std::string& folder);
// Polls until folder\record.txt holds at least count runs; false on timeout.
bool waitForRuns(const std::string& folder, size_t count, DWORD timeoutMs);

enum class Icon { None, Error, Warning, Information, Question };

struct Process {
    DWORD pid = 0;
    HANDLE handle = nullptr;
    // Waits for the process to end; false on timeout.
    bool waitExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    bool running() const;
};

// One per test: every process it starts is ended (tree and all) when it is destroyed.
class Driver {
public:
    Driver() = default;
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // CreateProcessA on "\"exe\" args" with the given working folder (empty: the exe's folder).
    Process start(const std::string& exe, const std::string& args = "", const std::string& workDir = "");
    void killAll();

    // Visible top-level window of the process with this class (null class: any); null on timeout.
    HWND waitWindow(const Process& p, const char* className, DWORD timeoutMs = 10000);
    // Visible top-level window of the process whose caption equals title.
    HWND waitWindowTitled(const Process& p, const std::string& title, DWORD timeoutMs = 10000);
    // A message box (class "#32770" with a static 0xFFFF) of the process.
    HWND waitMessageBox(const Process& p, DWORD timeoutMs = 10000);
    // Any dialog (class "#32770") of the process.
    HWND waitDialog(const Process& p, DWORD timeoutMs = 10000);
    // Waits until the window no longer exists.
    bool waitGone(HWND w, DWORD timeoutMs = 10000);

    // The same for processes the started ones started themselves (a program
    // launched by the menu, a second viewer): any process of this driver.
    HWND waitAnyWindow(const char* className, DWORD timeoutMs = 10000);
    HWND waitAnyMessageBox(DWORD timeoutMs = 10000);
    // The process owning the window, ended with the others at teardown.
    Process attach(HWND w);
    // Whether the process was started by this driver or by one of those.
    bool owns(DWORD pid) const;

private:
    std::vector<Process> started_;
    HANDLE job_ = nullptr;  // holds every started process and its descendants
};

// Windows of a process, all visible top-level ones.
std::vector<HWND> topWindows(DWORD pid);
// Polls until the window's caption equals text; false on timeout.
bool waitText(HWND w, const std::string& text, DWORD timeoutMs = 10000);
// Asks the window to close (WM_CLOSE posted).
bool closeWindow(HWND w);

// Texts as CP932 bytes.
std::string windowText(HWND w);
std::string className(HWND w);
std::string messageBoxText(HWND box);
Icon messageBoxIcon(HWND box);
std::string dlgItemText(HWND dlg, int id);
HWND child(HWND parent, int id);
// First descendant of this class (and caption when given).
HWND findChild(HWND parent, const char* className, const char* text = nullptr);
// The items of a list box, combo box or list view (that column), or the tab
// texts of a tab control, as CP932 bytes.
std::vector<std::string> itemTexts(HWND control, int column = 0);
// Check state of a check box or radio button (BST_CHECKED and so on).
int checkState(HWND button);
// Sets a control's text (WM_SETTEXT), e.g. an edit field of a dialog.
bool setText(HWND w, const std::string& text);
// Posts WM_COMMAND with a command number, as a menu item or accelerator would.
bool command(HWND w, WORD id);
// CF_TEXT on the clipboard ("" when there is none).
std::string clipboardText();

// Input.
// Brings the window's top-level window to the foreground (needed before real input).
// A child window also gets the keyboard focus of its thread.
bool activate(HWND w);
// A push button's BN_CLICKED posted to its dialog, BM_CLICK to other buttons
// (false when the control is disabled); without such a control, WM_COMMAND id
// posted to dlg (a message box answers IDCANCEL so).
bool pressButton(HWND dlg, int id);
bool clickAt(HWND w, int x, int y, bool right = false);  // real mouse click at client coordinates
bool sendKey(HWND w, WORD vk, bool shift = false, bool ctrl = false, bool alt = false);  // real key press
// ASCII text goes as real key strokes to the focus window of w's thread (w
// itself when it is a child). Text with Japanese characters is sent in order to
// that focus window as WM_CHAR messages, the way an input method delivers
// composed text. Wait for the effect of earlier input first.
bool typeText(HWND w, const std::string& text);
bool doubleClickAt(HWND w, int x, int y);
// Left button pressed at (x1, y1), moved to (x2, y2) and released there.
bool dragTo(HWND w, int x1, int y1, int x2, int y2);
// Mouse wheel turned by delta (WHEEL_DELTA per notch; negative: towards the user) over (x, y).
bool wheelAt(HWND w, int x, int y, int delta);

// Geometry and looks.
SIZE clientSize(HWND w);
RECT windowRect(HWND w);
// Captures the window to SCREENSHOT_DIR/<name>.png; returns the PNG's path or "".
std::string screenshot(HWND w, const std::string& name);
// Captures the window to the given PNG file (Windows path); false on failure.
bool screenshotTo(HWND w, const std::string& pngPath);
// Reads one pixel of the window's client area from the screen (CLR_INVALID on failure).
COLORREF pixelAt(HWND w, int x, int y);

// For tests whose windows live in the test's own thread: dispatches messages
// until the condition holds or the time is up.
template <class Condition>
bool pumpUntil(Condition done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace e2e
