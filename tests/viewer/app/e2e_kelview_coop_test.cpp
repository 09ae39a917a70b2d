// Several viewer processes together: dropped files, the same-file question,
// Ctrl+Tab between viewers, a viewer that never answers, and viewers started
// at the same moment.
#include "kelview_e2e.h"
#include <shlobj.h>
#include <algorithm>
#include <thread>

using namespace kvtest;

namespace {

const char kSameFileQuestion[] = " は既に他のKelviewが開いています。構わずに開きますか？";

std::string sjisText(const std::string& tag) {
    return tag + " \x93\xfa\x96\x7b\x8c\xea\r\n" + tag + " second line\r\n";  // 日本語
}

// Visible viewer frames of the driver's processes, top of the z-order first.
std::vector<HWND> viewerFrames(const e2e::Driver& d) {
    std::vector<HWND> found;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (IsWindowVisible(w) && d.owns(pid) && e2e::className(w) == "Kelview32Class") found.push_back(w);
    }
    return found;
}

// A viewer frame of the driver's processes whose caption holds part.
HWND waitViewerShowing(const e2e::Driver& d, const std::string& part, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        for (HWND w : viewerFrames(d))
            if (e2e::windowText(w).find(part) != std::string::npos) return w;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool waitForeground(HWND w, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != w) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// A WM_DROPFILES as the shell builds it, written into the viewer's own
// memory: a drop handle made in this process would mean nothing there.
bool postDrop(HWND frame, const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    names += '\0';
    DROPFILES header = {};
    header.pFiles = sizeof header;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block += names;
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) &&
              PostMessageA(frame, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    CloseHandle(process);
    return ok;
}

// A window of the viewer's frame class in this process whose thread never
// answers a message until released.
class HungViewer {
public:
    HungViewer() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "Kelview32Class";
            RegisterClassA(&wc);
            hwnd_ = CreateWindowExA(0, wc.lpszClassName, "hung", WS_OVERLAPPEDWINDOW, 600, 400, 200, 100,
                                    nullptr, nullptr, wc.hInstance, nullptr);
            ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
            SetEvent(ready);
            WaitForSingleObject(release_, 120000);
            DestroyWindow(hwnd_);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~HungViewer() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(release_);
    }
    HWND hwnd() const { return hwnd_; }

private:
    HANDLE release_;
    HWND hwnd_ = nullptr;
    std::thread thread_;
};

}  // namespace

TEST(KelviewCoop, ThreeFilesDroppedOnAnEmptyViewer) {
    std::string folder = e2e::freshFolder("kelview_drop");
    std::vector<std::string> files;
    for (const char* n : {"drop_a.txt", "drop_b.txt", "drop_c.txt"}) {
        files.push_back(folder + "\\" + n);
        ASSERT_TRUE(e2e::writeFile(files.back(), sjisText(n)));
    }
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "", folder);
    // Without a name the viewer asks for one; it stays empty when cancelled.
    HWND dialog = d.waitDialog(p);
    ASSERT_NE(nullptr, dialog);
    e2e::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(d.waitGone(dialog));
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(waitCaptionHas(frame, "(無題)"));

    ASSERT_TRUE(postDrop(frame, files));
    EXPECT_TRUE(waitCaptionHas(frame, "drop_a.txt", 15000)) << e2e::windowText(frame);
    HWND b = waitViewerShowing(d, "drop_b.txt", 20000);
    HWND c = waitViewerShowing(d, "drop_c.txt", 20000);
    ASSERT_NE(nullptr, b);
    ASSERT_NE(nullptr, c);
    DWORD pa = 0, pb = 0, pc = 0;
    GetWindowThreadProcessId(frame, &pa);
    GetWindowThreadProcessId(b, &pb);
    GetWindowThreadProcessId(c, &pc);
    EXPECT_NE(pa, pb);
    EXPECT_NE(pa, pc);
    EXPECT_NE(pb, pc);
    // No code was forced on the new viewers, and the first one kept its file.
    EXPECT_EQ(std::string::npos, e2e::windowText(b).find(" ["));
    EXPECT_EQ(std::string::npos, e2e::windowText(c).find(" ["));
    EXPECT_NE(std::string::npos, e2e::windowText(frame).find("drop_a.txt"));
    EXPECT_EQ(3u, viewerFrames(d).size());
    EXPECT_EQ(3, query(clientOf(b), kRowCount));
}

TEST(KelviewCoop, SameFileQuestionAndEachOfItsAnswers) {
    std::string folder = e2e::freshFolder("kelview_same");
    std::string file = folder + "\\same.txt";
    ASSERT_TRUE(e2e::writeFile(file, sjisText("same")));
    struct Case {
        int button;
        bool secondOpens;   // the asking viewer shows the file
        bool firstReloads;  // the first viewer reloads it as JIS
    };
    const Case cases[] = {
        {IDC_SAME_READONLY, true, false},
        {IDC_SAME_OPEN, true, false},
        {IDC_SAME_CLOSE_OPEN, false, true},
        {IDCANCEL, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        e2e::Driver d;
        e2e::Process first = d.start(viewer(), "\"" + file + "\"");
        HWND frame = d.waitWindow(first, "Kelview32Class");
        ASSERT_NE(nullptr, frame);
        ASSERT_TRUE(waitCaptionHas(frame, "same.txt"));
        // The second one asks for JIS: the code handed over with "close and open".
        e2e::Process second = d.start(viewer(), "/fj \"" + file + "\"");
        HWND ask = d.waitDialog(second, 15000);
        ASSERT_NE(nullptr, ask);
        EXPECT_EQ(std::string("same.txt") + kSameFileQuestion, e2e::dlgItemText(ask, IDC_SAME_TEXT));
        EXPECT_EQ("上書き禁止で開く(&R)", e2e::dlgItemText(ask, IDC_SAME_READONLY));
        EXPECT_EQ("構わずに開く(&O)", e2e::dlgItemText(ask, IDC_SAME_OPEN));
        EXPECT_EQ("閉じてから開く(&L)", e2e::dlgItemText(ask, IDC_SAME_CLOSE_OPEN));
        EXPECT_EQ("ｷｬﾝｾﾙ", e2e::dlgItemText(ask, IDCANCEL));
        e2e::pressButton(ask, c.button);
        if (c.secondOpens) {
            HWND other = d.waitWindow(second, "Kelview32Class");
            ASSERT_NE(nullptr, other);
            EXPECT_TRUE(waitCaptionHas(other, "same.txt  [JIS] - Kelview")) << e2e::windowText(other);
            EXPECT_TRUE(second.running());
        } else {
            EXPECT_TRUE(second.waitExit(10000));
            EXPECT_TRUE(waitForeground(frame)) << "the first viewer is activated";
        }
        if (c.firstReloads) {
            EXPECT_TRUE(waitCaptionHas(frame, " [JIS] - Kelview")) << e2e::windowText(frame);
        } else {
            Sleep(300);  // a reload would arrive with the answer; give it a moment to show
            EXPECT_EQ(std::string::npos, e2e::windowText(frame).find(" [JIS]"));
        }
    }
}

TEST(KelviewCoop, CtrlTabCyclesThreeViewersInAFixedOrder) {
    std::string folder = e2e::freshFolder("kelview_cycle");
    e2e::Driver d;
    std::vector<HWND> frames;
    for (const char* n : {"one.txt", "two.txt", "three.txt"}) {
        std::string file = folder + "\\" + n;
        ASSERT_TRUE(e2e::writeFile(file, sjisText(n)));
        e2e::Process p = d.start(viewer(), "\"" + file + "\"");
        HWND f = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, f);
        ASSERT_TRUE(waitCaptionHas(f, n));
        frames.push_back(f);
    }
    ASSERT_TRUE(e2e::activate(frames[2]));
    std::vector<HWND> visited;
    HWND current = frames[2];
    for (int i = 0; i < 6; ++i) {
        // The first step is the real key (the accelerator); later ones are the
        // command itself, so that a slow X focus change cannot send a key
        // to the viewer that was in front before.
        if (i == 0)
            ASSERT_TRUE(e2e::sendKey(clientOf(current), VK_TAB, false, true));
        else
            ASSERT_TRUE(e2e::command(current, IDM_NEXT_VIEWER));
        DWORD start = GetTickCount();
        HWND fg = GetForegroundWindow();
        while ((fg == current || std::find(frames.begin(), frames.end(), fg) == frames.end()) &&
               GetTickCount() - start < 5000) {
            Sleep(20);
            fg = GetForegroundWindow();
        }
        ASSERT_NE(current, fg) << "step " << i;
        ASSERT_NE(frames.end(), std::find(frames.begin(), frames.end(), fg)) << "step " << i;
        visited.push_back(fg);
        current = fg;
        ASSERT_TRUE(e2e::activate(current));  // the new foreground holds
    }
    // Every viewer in three steps, then the same round again.
    std::vector<HWND> round(visited.begin(), visited.begin() + 3);
    std::vector<HWND> sortedRound = round, sortedFrames = frames;
    std::sort(sortedRound.begin(), sortedRound.end());
    std::sort(sortedFrames.begin(), sortedFrames.end());
    EXPECT_EQ(sortedFrames, sortedRound);
    EXPECT_EQ(round, std::vector<HWND>(visited.begin() + 3, visited.end()));
    // Ctrl+Shift+Tab goes back the other way.
    ASSERT_TRUE(e2e::sendKey(clientOf(current), VK_TAB, true, true));
    EXPECT_TRUE(waitForeground(visited[4], 10000));
}

TEST(KelviewCoop, AHungViewerDelaysAnotherByOneTimeOutOnly) {
    std::string folder = e2e::freshFolder("kelview_hung");
    std::string file = folder + "\\hung.txt";
    ASSERT_TRUE(e2e::writeFile(file, sjisText("hung")));
    // How long a start takes on this machine right now, with no hung window.
    auto timedStart = [&file]() -> DWORD {
        e2e::Driver d;
        DWORD start = GetTickCount();
        e2e::Process p = d.start(viewer(), "\"" + file + "\"");
        HWND frame = d.waitWindow(p, "Kelview32Class", 30000);
        if (!frame || !waitCaptionHas(frame, "hung.txt", 30000)) return 60000;
        return GetTickCount() - start;
    };
    DWORD plain = timedStart();
    HungViewer hung;
    ASSERT_NE(nullptr, hung.hwnd());
    DWORD took = timedStart();
    EXPECT_LT(took, plain + 8000) << "a viewer that never answers blocks the new one beyond its 5 s limit";
}

TEST(KelviewCoop, FiveViewersStartedTogetherAllOpenTheirFiles) {
    std::string folder = e2e::freshFolder("kelview_five");
    e2e::Driver d;
    std::vector<std::string> names;
    std::vector<e2e::Process> procs;
    for (int i = 0; i < 5; ++i) {
        names.push_back("five_" + std::to_string(i) + ".txt");
        ASSERT_TRUE(e2e::writeFile(folder + "\\" + names.back(), sjisText(names.back())));
    }
    for (int i = 0; i < 5; ++i) procs.push_back(d.start(viewer(), "\"" + folder + "\\" + names[i] + "\""));
    for (int i = 0; i < 5; ++i) {
        HWND f = d.waitWindow(procs[i], "Kelview32Class", 40000);
        ASSERT_NE(nullptr, f) << names[i];
        EXPECT_TRUE(waitCaptionHas(f, names[i], 20000)) << e2e::windowText(f);
        EXPECT_EQ(1u, e2e::topWindows(procs[i].pid).size()) << names[i];
    }
    EXPECT_EQ(5u, viewerFrames(d).size());
    for (const e2e::Process& p : procs) EXPECT_TRUE(p.running());
}
