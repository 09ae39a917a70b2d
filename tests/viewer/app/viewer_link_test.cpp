// String requests between viewer windows, with the windows in this process:
// an answering one and one that never writes.
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

// A viewer-class window with its own thread and message loop; the class is
// registered again for each window kind.
struct TestWindow {
    HWND hwnd = nullptr;
    DWORD threadId = 0;
    std::thread thread;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    explicit TestWindow(WNDPROC proc) {
        thread = std::thread([this, proc] {
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
            MSG m;
            while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
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
    TestWindow w(answeringProc);
    ASSERT_NE(nullptr, w.hwnd);
    EXPECT_TRUE(link::isViewerFrame(w.hwnd));
    // Random Shift-JIS-like texts of every length around the buffer size: the
    // answer is what a bounded copy into a path buffer keeps.
    std::mt19937 rng(16);
    for (int i = 0; i < 80; ++i) {
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
    TestWindow w(silentProc);
    std::string got;
    EXPECT_FALSE(link::requestString(w.hwnd, WMU_GET_FOLDER, &got));
    EXPECT_EQ("\xFF", got);
    EXPECT_EQ(nullptr, link::findViewerShowing(nullptr, ""));
}

TEST(ViewerLink, AStrayHandleInARequestIsNotClosed) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(link::answerString(reinterpret_cast<WPARAM>(event), "C:\\docs"));
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(event, &flags));
    CloseHandle(event);
}
