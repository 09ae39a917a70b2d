// Kelview started without a name, and on a shell link.
#include "kelview_e2e.h"
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

using namespace kvtest;

namespace {

// Writes a shell link to target (both Windows paths, Shift-JIS).
bool writeShellLink(const std::string& link, const std::string& target) {
    bool ok = false;
    HRESULT init = CoInitialize(nullptr);
    IShellLinkA* sl = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&sl)))) {
        sl->SetPath(target.c_str());
        IPersistFile* pf = nullptr;
        if (SUCCEEDED(sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf)))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
            ok = SUCCEEDED(pf->Save(wide, TRUE));
            pf->Release();
        }
        sl->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return ok;
}

}  // namespace

TEST(KelviewStart, EmptyCommandLineShowsAnEmptyUntitledWindow) {
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "(無題) - Kelview")) << e2e::windowText(frame);
    // Then it asks for a file; cancelled, the window stays empty.
    HWND dialog = d.waitDialog(p);
    ASSERT_NE(nullptr, dialog);
    e2e::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(d.waitGone(dialog));
    HWND client = clientOf(frame);
    EXPECT_EQ(1, query(client, kRowCount));
    EXPECT_EQ(1, query(client, kBrowse));
    // Browse mode from the start: Escape closes it.
    ASSERT_TRUE(e2e::sendKey(client, VK_ESCAPE));
    DWORD code = 99;
    EXPECT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(0u, code);
}

TEST(KelviewStart, LinkNameOpensItsTarget) {
    std::string folder = e2e::freshFolder("kelview_link");
    std::string target = folder + "\\表示ソフト.txt";
    ASSERT_TRUE(e2e::writeFile(target, "linked text\r\n"));
    std::string link = folder + "\\Shortcut.LNK";
    ASSERT_TRUE(writeShellLink(link, target));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + link + "\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "表示ソフト.txt  - Kelview")) << e2e::windowText(frame);
    EXPECT_EQ(2, query(clientOf(frame), kRowCount));
}

TEST(KelviewShutDown, RequestsWaitWhileTheAboutBoxIsOpen) {
    std::string folder = e2e::freshFolder("kelview_modal_close");
    ASSERT_TRUE(e2e::writeFile(folder + "\\m.txt", "text\r\n"));
    e2e::Driver d;
    e2e::Process p = d.start(viewer(), "\"" + folder + "\\m.txt\"");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(e2e::command(frame, 96));
    HWND box = d.waitDialog(p);
    ASSERT_NE(nullptr, box);
    // Another viewer asks this one to close (message 1075), and so does the window manager.
    PostMessageA(frame, 1075, 0, 0);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    // Posted messages of one sender are handled in order: once the line numbers
    // posted after them are on, both requests have been seen.
    HWND client = clientOf(frame);
    PostMessageA(frame, WM_COMMAND, 136, 0);
    EXPECT_GT(waitQuery(client, kMarginWidth, 5 * digitWidth() + 8), 0);
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(IsWindow(box));
    e2e::pressButton(box, IDOK);
    EXPECT_TRUE(d.waitGone(box));
    // Afterwards closing works again.
    ASSERT_TRUE(e2e::closeWindow(frame));
    DWORD code = 99;
    EXPECT_TRUE(p.waitExit(10000, &code));
    EXPECT_EQ(0u, code);
}
