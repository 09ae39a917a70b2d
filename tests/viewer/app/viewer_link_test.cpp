// String requests between viewer windows, with the windows in this process:
// an answering one, one that never writes and one whose thread never answers.
#include "viewer_link.h"
#include "path_text.h"
#include "sjis.h"
#include "../../../resources/viewer/resource.h"
#include <gtest/gtest.h>
#include <random>
#include <thread>

using namespace viewer;

namespace {

std::string gFolder, gName;  // what the answering window reports
HANDLE gRelease = nullptr;   // the hung window's thread waits for this

LRESULT CALLBACK answeringProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WMU_GET_FOLDER) return link::answerString(wp, gFolder);
    if (msg == WMU_GET_FILE_NAME) return link::answerString(wp, gName);
    if (msg == WMU_GO_TO_LINE) return 0;
    return DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK silentProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WMU_GET_FOLDER || msg == WMU_GET_FILE_NAME) {
        CloseHandle(reinterpret_cast<HANDLE>(wp));  // takes the handle, writes nothing
        return 1;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

// A viewer-class window on its own thread; the procedure differs by class
// registration, so each kind gets its own thread-local class copy.
struct TestWindow {
    HWND hwnd = nullptr;
    DWORD threadId = 0;
    std::thread thread;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    TestWindow(WNDPROC proc, bool hang) {
        thread = std::thread([this, proc, hang] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "Kelview32Class";
            UnregisterClassA(wc.lpszClassName, wc.hInstance);
            RegisterClassA(&wc);
            hwnd = CreateWindowExA(0, "Kelview32Class", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                   wc.hInstance, nullptr);
            threadId = GetCurrentThreadId();
            SetEvent(ready);
            if (hang) {
                WaitForSingleObject(gRelease, 60000);
            } else {
                MSG m;
                while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
            }
            DestroyWindow(hwnd);
        });
        WaitForSingleObject(ready, 10000);
    }
    ~TestWindow() {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        thread.join();
        CloseHandle(ready);
    }
};

}  // namespace

TEST(ViewerLink, AnswersRoundTripAndAreCutToThePathBuffer) {
    TestWindow w(answeringProc, false);
    ASSERT_NE(nullptr, w.hwnd);
    EXPECT_TRUE(link::isViewerFrame(w.hwnd));
    // Random Shift-JIS-like texts of every length around the buffer size: the
    // answer is what a bounded copy into a path buffer keeps.
    std::mt19937 rng(16);
    for (int i = 0; i < 200; ++i) {
        size_t len = rng() % 400;
        std::string s;
        while (s.size() < len) {
            unsigned char c = static_cast<unsigned char>(rng() % 255 + 1);
            s += static_cast<char>(c);
            if (common::isCp932LeadByte(c)) s += static_cast<char>(0x40 + rng() % 0xBC);
        }
        gFolder = s;
        char reference[link::kAnswerBytes];
        common::copyBounded(reference, s.c_str(), sizeof reference);
        std::string got;
        bool ok = link::requestString(w.hwnd, WMU_GET_FOLDER, &got);
        if (std::string(reference) == "\xFF") {
            EXPECT_FALSE(ok);  // indistinguishable from no answer
        } else {
            ASSERT_TRUE(ok) << i;
            ASSERT_EQ(std::string(reference), got) << i;
        }
    }
    gFolder = "C:\\docs";
    gName = "a.txt";
    std::string path;
    ASSERT_TRUE(link::viewerDocument(w.hwnd, &path));
    EXPECT_EQ("C:\\docs\\a.txt", path);
    EXPECT_EQ(w.hwnd, link::findViewerShowing(nullptr, "c:\\DOCS\\A.TXT"));
    EXPECT_EQ(nullptr, link::findViewerShowing(nullptr, "C:\\docs\\b.txt"));
    EXPECT_EQ(nullptr, link::findViewerShowing(w.hwnd, "C:\\docs\\a.txt"));  // itself is left out
    gName = "";
    EXPECT_FALSE(link::viewerDocument(w.hwnd, &path));  // no named document
}

TEST(ViewerLink, AReceiverThatWritesNothingCountsAsNoAnswer) {
    TestWindow w(silentProc, false);
    std::string got;
    EXPECT_FALSE(link::requestString(w.hwnd, WMU_GET_FOLDER, &got));
    EXPECT_EQ("\xFF", got);
    EXPECT_EQ(nullptr, link::findViewerShowing(nullptr, ""));
}

TEST(ViewerLink, AHungViewerCostsOneTimeOut) {
    gRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        TestWindow w(answeringProc, true);
        ASSERT_NE(nullptr, w.hwnd);
        DWORD start = GetTickCount();
        EXPECT_EQ(nullptr, link::findViewerShowing(nullptr, "C:\\docs\\a.txt"));
        DWORD took = GetTickCount() - start;
        EXPECT_LT(took, 7500u);  // one 5000 ms limit, not one per question
        std::string got;
        EXPECT_FALSE(link::requestString(w.hwnd, WMU_GET_FILE_NAME, &got));
        EXPECT_EQ("\xFF", got);
        SetEvent(gRelease);
    }
    CloseHandle(gRelease);
}

TEST(ViewerLink, OtherViewersInZOrder) {
    TestWindow a(answeringProc, false), b(answeringProc, false);
    SetWindowPos(a.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::vector<HWND> all = link::otherViewers(nullptr);
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ(a.hwnd, all[0]);
    EXPECT_EQ(b.hwnd, all[1]);
    EXPECT_EQ(std::vector<HWND>{b.hwnd}, link::otherViewers(a.hwnd));
    EXPECT_TRUE(link::otherViewers(nullptr, true).empty());  // none is visible
}
