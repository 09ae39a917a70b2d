// Kelview on Shift-JIS paths: folders and names holding characters whose
// second byte is 0x5C (表 = 95 5C, ソ = 83 5C), a file name that starts with a
// double-byte character, and the program's own folder found from such a name.
#include "kelview_e2e.h"
#include <objbase.h>
#include <shlobj.h>

using namespace kvtest;

namespace {

// A document of `lines` lines; the viewer shows lines + 1 rows with "[EOF]".
std::string lines(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "行 " + std::to_string(i) + "\r\n";
    return s;
}

// The target of a shell link, "" when it cannot be read.
std::string linkTarget(const std::string& link) {
    std::string target;
    IShellLinkA* sl = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&sl))))
        return target;
    IPersistFile* pf = nullptr;
    if (SUCCEEDED(sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        char buf[MAX_PATH] = {};
        WIN32_FIND_DATAA fd;
        if (SUCCEEDED(pf->Load(wide, STGM_READ)) && SUCCEEDED(sl->GetPath(buf, MAX_PATH, &fd, SLGP_RAWPATH)))
            target = buf;
        pf->Release();
    }
    sl->Release();
    return target;
}

std::string recentFolder() {
    char buf[MAX_PATH] = {};
    return SHGetSpecialFolderPathA(nullptr, buf, CSIDL_RECENT, FALSE) ? buf : "";
}

// Polls for the file; true when it appears in time.
bool waitExists(const std::string& path, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (!e2e::fileExists(path)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace

// Each document opens whole, without a missing-folder box: the box would
// stop start-up before the frame appears.
TEST(KelviewSjisPaths, FoldersAndNamesWithSecondByte5C) {
    struct Case {
        const char* relative;  // below the fresh folder
        const char* args;      // "": the full name quoted
        const char* workBelow;
        const char* name;  // the file's own name
        int lineCount;
    };
    const Case cases[] = {
        {"成績表\\2024\\a.txt", "", "", "a.txt", 3},
        {"成績表\\a.txt", "", "", "a.txt", 4},
        {"ソ\\表.txt", "", "", "表.txt", 5},
        {"成績表\\2024\\b.txt", "成績表\\2024\\b.txt", "", "b.txt", 6},
        // A name starting with a double-byte character, bare and quoted.
        {"成績表\\表示.txt", "表示.txt", "成績表", "表示.txt", 7},
        {"成績表\\2024\\表 示.txt", "\"表 示.txt\"", "成績表\\2024", "表 示.txt", 8},
    };
    CoInitialize(nullptr);
    std::string base = e2e::freshFolder("kelview_sjis_paths");
    ASSERT_FALSE(base.empty());
    for (const Case& c : cases) {
        std::string file = base + "\\" + c.relative;
        ASSERT_TRUE(e2e::writeFile(file, lines(c.lineCount))) << c.relative;
        std::string args = *c.args ? c.args : "\"" + file + "\"";
        std::string work = *c.workBelow ? base + "\\" + c.workBelow : base;
        std::string name = c.name;
        std::string link = recentFolder() + "\\" + name + ".lnk";
        DeleteFileA(link.c_str());

        e2e::Driver d;
        e2e::Process p = d.start(viewer(), args, work);
        HWND frame = d.waitWindow(p, "Kelview32Class");
        ASSERT_NE(nullptr, frame) << c.relative << ": no frame (a message box stopped start-up?)";
        EXPECT_TRUE(waitCaptionHas(frame, name + " ")) << e2e::windowText(frame);
        EXPECT_EQ(std::string::npos, e2e::windowText(frame).find("(新規)")) << c.relative;
        EXPECT_EQ(c.lineCount + 1, query(clientOf(frame), kRowCount)) << c.relative;

        // The recent-documents entry names the file itself, separator kept.
        ASSERT_FALSE(recentFolder().empty());
        EXPECT_TRUE(waitExists(link)) << link;
        std::string target = linkTarget(link);
        EXPECT_EQ(0, lstrcmpiA(target.c_str(), file.c_str())) << target << " / " << file;
        ASSERT_TRUE(e2e::closeWindow(frame));
        EXPECT_TRUE(p.waitExit(10000)) << c.relative;
    }
    CoUninitialize();
}

// With /d naming a folder that does not exist, the viewer starts in its own
// folder. A program name holding 5C as a second byte ("kv表.exe") must not
// cut that folder.
TEST(KelviewSjisPaths, OwnFolderOfAProgramNamedWithSecondByte5C) {
    std::string base = e2e::freshFolder("kelview_own_folder");
    ASSERT_FALSE(base.empty());
    std::string program = base + "\\kv表.exe";
    ASSERT_TRUE(e2e::copyFile(viewer(), program));
    ASSERT_TRUE(e2e::writeFile(base + "\\a.txt", lines(7)));
    ASSERT_TRUE(e2e::writeFile(base + "\\other\\a.txt", lines(2)));

    e2e::Driver d;
    e2e::Process p = d.start(program, "/d\"" + base + "\\missing\" a.txt", base + "\\other");
    HWND frame = d.waitWindow(p, "Kelview32Class");
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(waitCaptionHas(frame, "a.txt ")) << e2e::windowText(frame);
    EXPECT_EQ(8, query(clientOf(frame), kRowCount));  // the a.txt beside the program
}
