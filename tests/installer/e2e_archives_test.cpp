// Archives installed by the real Talinst.exe with the archiver libraries
// beside it: every kind with the extraction window, Cancel, base folders,
// files no library takes, hostile entry names, planted libraries, setup
// archives and documents shown out of archives.
#include <map>
#include "e2e_support.h"
#include "size_text.h"

using namespace installer;

using namespace inst;

namespace {

const char kExtractTitle[] = "タルヴォインストーラ - 展開中";

std::string fixture(const char* name) { return e2e::winPath(ARCHIVE_FIXTURE_DIR) + "\\" + name; }
std::string sampleArchive(const char* name) { return e2e::winPath(SAMPLE_ARCHIVE_DIR) + "\\" + name; }
std::string ownFixture(const char* name) { return e2e::winPath(INSTALLER_FIXTURE_DIR) + "\\" + name; }

// Every file below folder: relative name -> bytes.
void listTree(const std::string& folder, const std::string& rel, std::map<std::string, std::string>* out) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string n = fd.cFileName;
        if (n == "." || n == "..") continue;
        std::string r = rel.empty() ? n : rel + "\\" + n;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            listTree(folder + "\\" + n, r, out);
        else
            (*out)[r] = read(folder + "\\" + n);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

std::map<std::string, std::string> tree(const std::string& folder) {
    std::map<std::string, std::string> m;
    listTree(folder, "", &m);
    return m;
}

std::string tempFolder() {
    char buf[MAX_PATH] = "";
    GetTempPathA(sizeof buf, buf);
    std::string s = buf;
    if (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

// Names of the temporary folders with that prefix.
std::vector<std::string> tempFolders(const char* prefix) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((tempFolder() + "\\" + prefix + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            found.push_back(tempFolder() + "\\" + fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

// Text of a rich edit of another process: it answers only into a buffer
// large enough for all of it.
std::string richText(HWND edit) {
    std::string buf(0x40000, '\0');
    LRESULT n = SendMessageA(edit, WM_GETTEXT, buf.size(), (LPARAM)&buf[0]);
    buf.resize(n > 0 ? (size_t)n : 0);
    return buf;
}

// The sample disc's text as the archives hold it: Shift-JIS with CR LF.
std::string discText(const std::string& relative) {
    std::string utf8 = read(e2e::source("sample-disc/archive-src/" + relative));
    std::string lf;
    for (char c : utf8)
        if (c != '\r') lf += c;
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    int wn = MultiByteToWideChar(CP_UTF8, 0, crlf.data(), (int)crlf.size(), nullptr, 0);
    std::wstring w(wn, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, crlf.data(), (int)crlf.size(), &w[0], wn);
    int n = WideCharToMultiByte(932, 0, w.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(932, 0, w.data(), wn, &out[0], n, nullptr, nullptr);
    return out;
}

// Files with the extension open with command for as long as the object
// lives; the extension's former class is put back afterwards.
class Association {
public:
    Association(const char* extension, const std::string& command) : extension_(extension) {
        char old[256] = "";
        LONG oldSize = sizeof old;
        hadOld_ = RegQueryValueA(HKEY_CLASSES_ROOT, extension, old, &oldSize) == ERROR_SUCCESS;
        old_ = old;
        HKEY key;
        if (RegCreateKeyA(HKEY_CLASSES_ROOT, "TalinstTestClass\\shell\\open\\command", &key) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, nullptr, 0, REG_SZ, (const BYTE*)command.c_str(), (DWORD)command.size() + 1);
            RegCloseKey(key);
        }
        RegSetValueA(HKEY_CLASSES_ROOT, extension, REG_SZ, "TalinstTestClass", 16);
    }
    ~Association() {
        if (hadOld_)
            RegSetValueA(HKEY_CLASSES_ROOT, extension_, REG_SZ, old_.c_str(), (DWORD)old_.size());
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_);
        for (const char* k : {"TalinstTestClass\\shell\\open\\command", "TalinstTestClass\\shell\\open",
                              "TalinstTestClass\\shell", "TalinstTestClass"})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, k);
    }

private:
    const char* extension_;
    bool hadOld_;
    std::string old_;
};

class ArchiveTest : public InstallerTest {
protected:
    void SetUp() override {
        InstallerTest::SetUp();
        for (const char* lib : {"UnLha32.DLL", "UnZip32.DLL", "Cab32.DLL"}) library(lib);
    }
    void library(const char* name) { ASSERT_TRUE(e2e::copyFile(e2e::dist(name), disc + "\\" + name)); }
    void archive(const std::string& from, const std::string& as) {
        ASSERT_TRUE(e2e::copyFile(from, disc + "\\" + as));
    }
    // Answers every message box with OK until the window titled title shows;
    // returns the boxes' texts.
    std::vector<std::string> boxesUntil(const e2e::Process& p, const char* title, HWND* window) {
        std::vector<std::string> texts;
        *window = nullptr;
        waitUntil(
            [&] {
                for (HWND w : e2e::topWindows(p.pid)) {
                    if (e2e::windowText(w) == title) {
                        *window = w;
                        return true;
                    }
                    if (e2e::className(w) == "#32770" && GetDlgItem(w, 0xFFFF)) {
                        texts.push_back(e2e::messageBoxText(w));
                        e2e::pressButton(w, IDOK);
                        driver.waitGone(w, 5000);
                    }
                }
                return false;
            },
            30000);
        return texts;
    }
};

TEST_F(ArchiveTest, EachKindIsUnpackedAndWhatNoLibraryTakesIsCopied) {
    script("[APP]\r\nLZH1=level2_lh7.lzh lzh\r\nLZH2=deflate.zip, zip\r\nLZH3=mszip\t cab\r\n"
           "LZH4=sfx_zip.exe sfx\r\nLZH7=plain.exe\r\n");
    archive(fixture("level2_lh7.lzh"), "level2_lh7.lzh");
    archive(fixture("deflate.zip"), "deflate.zip");
    archive(fixture("mszip.cab"), "mszip.cab");  // named without extension: found as .CAB
    archive(fixture("sfx_zip.exe"), "sfx_zip.exe");
    archive(fixture("plain.exe"), "plain.exe");
    e2e::Process p = start("APP");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), target);
    // The required space counts what the archives unpack to, not their size.
    e2e::pressButton(dest, IDC_DEST_CHECK);
    std::map<std::string, std::string> expected = tree(fixture("expected"));
    unsigned long long unpacked = 0;
    for (auto& f : expected) unpacked += f.second.size();
    ASSERT_TRUE(waitUntil([&] { return !e2e::dlgItemText(dest, IDC_DEST_REQUIRED).empty(); }));
    // Four archives' contents, plus plain.exe as it is.
    char size[64];
    formatSize(4 * unpacked + read(fixture("plain.exe")).size(), size, sizeof size);
    EXPECT_EQ(std::string("C:") + size, e2e::dlgItemText(dest, IDC_DEST_REQUIRED));
    e2e::pressButton(dest, IDOK);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle, 30000);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));

    for (const char* sub : {"lzh", "zip", "cab", "sfx"})
        EXPECT_EQ(expected, tree(target + "\\" + sub)) << sub;
    EXPECT_EQ(read(fixture("plain.exe")), read(target + "\\plain.exe"));
}

TEST_F(ArchiveTest, CancelInTheSecondOfThreeArchivesRemovesWhatTheFirstTwoWrote) {
    script("[APP]\r\nLZH1=one.zip\r\nLZH2=two.zip\r\nLZH3=three.zip\r\n");
    for (const char* n : {"one.zip", "two.zip", "three.zip"}) archive(ownFixture(n), n);
    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND w = driver.waitWindowTitled(p, kExtractTitle);
    ASSERT_TRUE(w);
    ASSERT_TRUE(e2e::waitText(e2e::child(w, IDC_EXT_STORED), "big.bin", 30000));
    // Cancel at once: while its question is up the extraction waits, so the
    // window's texts can be read without racing the rest of the archive.
    e2e::pressButton(w, IDCANCEL);
    HWND box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("中止しますか？", e2e::messageBoxText(box));
    EXPECT_EQ("タルヴォインストーラ", e2e::windowText(box));
    EXPECT_EQ("ファイルを展開中です", e2e::dlgItemText(w, IDC_EXT_TITLE));
    for (const char* label : {"書庫ファイル名：", "格納ファイル名：", "展開先："})
        EXPECT_TRUE(e2e::findChild(w, "Static", label)) << label;
    EXPECT_EQ(disc + "\\two.zip", e2e::dlgItemText(w, IDC_EXT_ARCHIVE));
    EXPECT_EQ("big.bin", e2e::dlgItemText(w, IDC_EXT_STORED));
    EXPECT_EQ(target + "\\big.bin", e2e::dlgItemText(w, IDC_EXT_DEST));
    e2e::screenshot(w, "installer_extract");
    e2e::pressButton(box, IDYES);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ(0u, tree(target).size())
        << "left: " << (tree(target).empty() ? "" : tree(target).begin()->first);
    EXPECT_FALSE(e2e::fileExists(target + "\\three.txt"));
}

TEST_F(ArchiveTest, BaseFolderPutsItsContentsAndLeavesNoTemporaryFolder) {
    script("[APP]\r\nLZH=item.zip\r\nArcBaseDir=app\r\n[LHA]\r\nLZH1=item.lzh\r\nArcBaseDir=app\r\n");
    archive(sampleArchive("item.zip"), "item.zip");
    archive(sampleArchive("item.lzh"), "item.lzh");
    std::vector<std::string> before = tempFolders("~Vp");
    for (const char* section : {"APP", "LHA"}) {
        e2e::removeTree(target);
        e2e::Process p = start(section);
        ASSERT_TRUE(confirmDestination(p));
        HWND closing = driver.waitWindowTitled(p, kClosingTitle, 30000);
        ASSERT_TRUE(closing) << section;
        e2e::pressButton(closing, IDCANCEL);
        ASSERT_TRUE(exits(p));
        std::map<std::string, std::string> got = tree(target);
        std::map<std::string, std::string> want = {
            {"program.txt", discText("item/app/program.txt")},
            {"説明書.txt", discText("item/app/manual_ja.txt")},
            {"data\\settings.ini", discText("item/app/data/settings.ini")},
        };
        EXPECT_EQ(want, got) << section;
        EXPECT_EQ(before, tempFolders("~Vp")) << section;
    }
}

TEST_F(ArchiveTest, WithoutTheLhaLibraryTheCheckSaysSoAndTheArchiveIsCopied) {
    DeleteFileA((disc + "\\UnLha32.DLL").c_str());
    script("[APP]\r\nLZH=item.lzh\r\n");
    archive(sampleArchive("item.lzh"), "item.lzh");
    e2e::Process p = start("APP");
    HWND dest = driver.waitWindowTitled(p, kDestTitle);
    ASSERT_TRUE(dest);
    e2e::setText(e2e::child(dest, IDC_DEST_EDIT), target);
    e2e::pressButton(dest, IDC_DEST_CHECK);
    HWND box = driver.waitMessageBox(p);
    ASSERT_TRUE(box);
    EXPECT_EQ("\"UnLha32.DLL\" がロード見つかりません", e2e::messageBoxText(box));
    EXPECT_NE(std::string::npos, e2e::windowText(box).find("書庫ファイル処理エラー"));
    e2e::pressButton(box, IDOK);
    ASSERT_TRUE(driver.waitGone(box));
    e2e::pressButton(dest, IDOK);
    HWND closing = driver.waitWindowTitled(p, kClosingTitle, 30000);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ(read(sampleArchive("item.lzh")), read(target + "\\item.lzh"));
}

TEST_F(ArchiveTest, HostileEntriesStayInsideAndAreReported) {
    script("[APP]\r\nLZH1=hostile.zip z\r\nLZH2=hostile.lzh l\r\nLZH3=hostile.cab c\r\n");
    for (const char* n : {"hostile.zip", "hostile.lzh", "hostile.cab"}) archive(fixture(n), n);
    e2e::Process p = start("APP");
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = nullptr;
    std::vector<std::string> reports = boxesUntil(p, kClosingTitle, &closing);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    ASSERT_EQ(3u, reports.size());
    for (size_t i = 0; i < reports.size(); i++) {
        const char* n[] = {"hostile.zip", "hostile.lzh", "hostile.cab"};
        EXPECT_EQ(
            "書庫ファイル'" + disc + "\\" + n[i] +
                "' には展開先のフォルダの外を指すファイル名があるため、それらのファイルは展開しませんでした",
            reports[i]);
    }
    for (const char* sub : {"z", "l", "c"}) {
        std::string s = target + "\\" + sub;
        EXPECT_EQ("good\r\n", read(s + "\\good.txt")) << sub;
        EXPECT_EQ("trail byte 5C at the end\r\n", read(s + "\\ソ")) << sub;
        EXPECT_EQ("inside a folder named with a 5C byte\r\n", read(s + "\\表\\inner.txt")) << sub;
        EXPECT_EQ(3u, tree(s).size()) << sub;
    }
    for (const std::string& outside :
         {target + "\\x", programFiles() + "\\x", std::string("C:\\x"), disc + "\\x"})
        EXPECT_FALSE(e2e::fileExists(outside)) << outside;
}

TEST_F(ArchiveTest, APlantedLibraryInTheCurrentFolderIsNeverLoaded) {
    // The script and a planted UnZip32.DLL in another folder, which becomes
    // the current one; the installer's own folder has no UnZip32.DLL.
    DeleteFileA((disc + "\\UnZip32.DLL").c_str());
    std::string other = e2e::freshFolder("installer_e2e_planted_disc");
    ASSERT_TRUE(e2e::copyFile(e2e::winPath(PLANTED_LIBRARY_DIR) + "\\UnZip32.DLL", other + "\\UnZip32.DLL"));
    ASSERT_TRUE(
        e2e::writeFile(other + "\\TALINST.INI", "[PLANT]\r\nProductName=planted\r\nLZH=item.zip\r\n"));
    ASSERT_TRUE(e2e::copyFile(sampleArchive("item.zip"), other + "\\item.zip"));
    e2e::Process p = driver.start(exe, other + "\\TALINST.INI", other);
    HWND list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    HWND view = e2e::child(list, IDC_ITEM_LIST);
    e2e::activate(view);
    e2e::sendKey(view, VK_HOME);
    ASSERT_TRUE(waitUntil([&] { return enabled(list, IDOK); }, 2000));
    e2e::pressButton(list, IDOK);
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = driver.waitWindowTitled(p, kClosingTitle, 30000);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    list = driver.waitWindowTitled(p, kListTitle);
    ASSERT_TRUE(list);
    e2e::pressButton(list, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(e2e::fileExists(other + "\\planted-library-loaded.txt"));
    // With no library to take it, the archive was copied as it is.
    EXPECT_EQ(read(sampleArchive("item.zip")), read(target + "\\item.zip"));
    // The planted library does write its marker when it is loaded.
    HMODULE m = LoadLibraryA((other + "\\UnZip32.DLL").c_str());
    ASSERT_TRUE(m);
    FreeLibrary(m);
    EXPECT_TRUE(e2e::fileExists(other + "\\planted-library-loaded.txt"));
}

TEST_F(ArchiveTest, SetupArchiveUnpacksToAFreshFolderAndStartsItsProgramThere) {
    script("[TOOL]\r\nLZHSETUP=,setup.exe\r\n");
    archive(sampleArchive("setup.lzh"), "TOOL.LZH");
    std::string record = disc + "\\record.txt";
    SetEnvironmentVariableA("RECORDER_FILE", record.c_str());
    std::vector<std::string> before = tempFolders("~Vp");
    e2e::Process p = start("TOOL");
    bool recorded = e2e::waitForRuns(disc, 1, 30000);
    SetEnvironmentVariableA("RECORDER_FILE", nullptr);
    ASSERT_TRUE(recorded);
    ASSERT_TRUE(exits(p));
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(disc);
    ASSERT_EQ(1u, runs.size());
    std::string folder = runs[0].currentDir;
    // The system keeps three characters of a temporary name's prefix.
    EXPECT_EQ(0,
              lstrcmpiA((tempFolder() + "\\~Vp").c_str(), folder.substr(0, tempFolder().size() + 4).c_str()))
        << folder;
    EXPECT_EQ(before.end(), std::find(before.begin(), before.end(), folder)) << "not a fresh folder";
    EXPECT_NE(std::string::npos, runs[0].commandLine.find(folder + "\\setup.exe")) << runs[0].commandLine;
    // The program may still run from it: the folder stays, with what the archive held.
    EXPECT_EQ(discText("setup/setup.ini"), read(folder + "\\setup.ini"));
    e2e::removeTree(folder);
}

TEST_F(ArchiveTest, DocumentOfTheSecondArchiveIsShownAndNothingInstalled) {
    script("[DOC]\r\nLZH1=item.zip\r\nLZH2=docs.lzh\r\n");
    archive(sampleArchive("item.zip"), "item.zip");
    archive(sampleArchive("docs.lzh"), "docs.lzh");
    e2e::Process p = start("DOC /V2 readme.txt");
    HWND w = driver.waitWindowTitled(p, "readme.txt");
    ASSERT_TRUE(w);
    HWND edit = e2e::findChild(w, "RICHEDIT");
    ASSERT_TRUE(edit);
    std::string want = discText("docs/readme.txt");
    if (!want.empty() && want.back() == '\x1a') want.pop_back();
    EXPECT_EQ(want, richText(edit));
    EXPECT_EQ("閉じる(&C)", e2e::dlgItemText(w, IDCANCEL));
    e2e::screenshot(w, "installer_text_window");
    e2e::pressButton(w, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(e2e::fileExists(target));
    EXPECT_FALSE(e2e::fileExists(programFiles() + "\\DOC"));
}

TEST_F(ArchiveTest, AWebPageGoesThroughTheShellFromAnUnpackedFolder) {
    // .html opens with the recorder for this test.
    Association page(".html", "\"" + e2e::helperProgram("recorder.exe") + "\" \"%1\"");
    std::string record = disc + "\\record.txt";
    SetEnvironmentVariableA("RECORDER_FILE", record.c_str());

    // The page with the whole archive unpacked beside it; with "?" the page
    // alone, extracted by itself.
    script(
        "[WEB]\r\nLZH=docs.lzh\r\nLzhView=index.html\r\n[PAGE]\r\nLZH=docs.lzh\r\nLzhView=?index.html\r\n");
    archive(sampleArchive("docs.lzh"), "docs.lzh");
    e2e::Process p = start("WEB /V");
    bool recorded = e2e::waitForRuns(disc, 1, 30000);
    bool ended = exits(p);
    p = start("PAGE /V");
    recorded = e2e::waitForRuns(disc, 2, 30000) && recorded;
    ended = exits(p) && ended;
    SetEnvironmentVariableA("RECORDER_FILE", nullptr);
    ASSERT_TRUE(recorded);
    ASSERT_TRUE(ended);
    std::vector<e2e::RecordedRun> runs = e2e::recordedRuns(disc);
    ASSERT_EQ(2u, runs.size());
    for (const e2e::RecordedRun& run : runs) {
        const std::string& line = run.commandLine;
        // "~Vpr" for the whole archive, "~VP" for the page alone (the system
        // keeps three characters of the prefix).
        ASSERT_TRUE(line.find("~Vp") != std::string::npos || line.find("~VP") != std::string::npos) << line;
        ASSERT_NE(std::string::npos, line.find("\\index.html")) << line;
        // The opened program ended, so the folder went with it.
        std::string folder = line.substr(0, line.find("\\index.html"));
        folder = folder.substr(folder.rfind('"') + 1);
        EXPECT_FALSE(e2e::fileExists(folder)) << folder;
    }
    EXPECT_NE(std::string::npos, runs[0].commandLine.find("~Vp"));
    EXPECT_NE(std::string::npos, runs[1].commandLine.find("~VP"));
}

TEST_F(ArchiveTest, AHelpFileOpensWithItsContentsFileBesideIt) {
    // The shell's program for .hlp copies what it finds beside the file it
    // was given, while the installer waits for it.
    std::string seen = disc + "\\seen";
    CreateDirectoryA(seen.c_str(), nullptr);
    // The shell reads a command of limited length: the folder comes from the
    // environment, which the installer and the program inherit.
    SetEnvironmentVariableA("TALINST_SEEN", seen.c_str());
    Association help(
        ".hlp",
        "cmd.exe /c cd /d \"%1\\..\" && dir /b /on > \"%TALINST_SEEN%\\listing.txt\" && "
        "copy /b \"%1\" \"%TALINST_SEEN%\\help.bin\" && copy /b guide.cnt \"%TALINST_SEEN%\\contents.bin\"");
    script("[HELP]\r\nLZH=help.zip\r\nLzhView=guide.hlp\r\n");
    archive(ownFixture("help.zip"), "help.zip");
    std::vector<std::string> before = tempFolders("~VP");
    e2e::Process p = start("HELP /V");
    bool copied = e2e::waitForFile(seen + "\\contents.bin", 30000);
    SetEnvironmentVariableA("TALINST_SEEN", nullptr);
    ASSERT_TRUE(exits(p));
    ASSERT_TRUE(copied);
    // Only the pair was unpacked, not the rest of the archive.
    EXPECT_EQ("guide.cnt\r\nguide.hlp\r\n", read(seen + "\\listing.txt"));
    const char helpFile[] = "?_\x03\x00 help file of the fixture\r\n";
    EXPECT_EQ(std::string(helpFile, sizeof helpFile - 1), read(seen + "\\help.bin"));
    EXPECT_EQ(":Base guide.hlp\r\n1 Contents\r\n", read(seen + "\\contents.bin"));
    // The program ended, so its folder went with it.
    EXPECT_EQ(before, tempFolders("~VP"));
    EXPECT_FALSE(e2e::fileExists(target));
}

TEST_F(ArchiveTest, ACabinetDocumentGoesThroughAFileWhenTheLibraryCannotExtractToMemory) {
    ASSERT_TRUE(
        e2e::copyFile(e2e::winPath(WITHOUT_MEMORY_LIBRARY_DIR) + "\\Cab32.DLL", disc + "\\Cab32.DLL"));
    script("[DOC]\r\nLZH=item.cab\r\nLzhView=readme.txt\r\n");
    archive(sampleArchive("item.cab"), "item.cab");
    std::vector<std::string> before = tempFolders("~VP");
    e2e::Process p = start("DOC /V");
    HWND w = driver.waitWindowTitled(p, "readme.txt");
    ASSERT_TRUE(w);
    std::string want = discText("item/readme.txt");
    if (!want.empty() && want.back() == '\x1a') want.pop_back();
    EXPECT_EQ(want, richText(e2e::findChild(w, "RICHEDIT")));
    // The file it was read from is gone before the text shows.
    EXPECT_EQ(before, tempFolders("~VP"));
    e2e::pressButton(w, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_FALSE(e2e::fileExists(target));
}

TEST_F(ArchiveTest, SampleDiscArchiveItemsInstallAndShowTheirDocuments) {
    ASSERT_TRUE(e2e::copyFile(e2e::source("sample-disc/TALINST.INI"), disc + "\\TALINST.ini"));
    CreateDirectoryA((disc + "\\INSTALL").c_str(), nullptr);
    CreateDirectoryA((disc + "\\INSTALL\\ARC").c_str(), nullptr);
    for (const char* n : {"item.cab", "docs.lzh"})
        archive(sampleArchive(n), std::string("INSTALL\\ARC\\") + n);
    e2e::Process p = start("ARCCAB");
    ASSERT_TRUE(confirmDestination(p));
    HWND closing = driver.waitWindowTitled(p, kClosingTitle, 30000);
    ASSERT_TRUE(closing);
    e2e::pressButton(closing, IDCANCEL);
    ASSERT_TRUE(exits(p));
    EXPECT_EQ(discText("item/app/manual_ja.txt"), read(target + "\\app\\説明書.txt"));
    EXPECT_EQ(discText("docs/manual.rtf"), read(target + "\\docs\\manual.rtf"));

    // The RTF document is shown formatted: its text without the markup.
    p = start("DOCRTF /V");
    HWND w = driver.waitWindowTitled(p, "manual.rtf");
    ASSERT_TRUE(w);
    std::string text = richText(e2e::findChild(w, "RICHEDIT"));
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(std::string::npos, text.find("\\rtf1"));
    e2e::screenshot(w, "installer_text_window_rtf");
    e2e::pressButton(w, IDCANCEL);
    ASSERT_TRUE(exits(p));
}

}  // namespace
