// Shared set-up of the installer's end-to-end tests: a fixture folder with
// Talinst.exe, its script and source files, and the texts the tests look for.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "driver.h"
#include "resource.h"

namespace inst {

const char kFirstTitle[] = "Talinst - インストールの実行";
const char kDestTitle[] = "タルヴォインストーラ - インストール／コピー先の選択";
const char kProgressTitle[] = "タルヴォインストーラ - 展開中";
const char kOverwriteTitle[] = "タルヴォインストーラ - ﾌｧｲﾙの上書きの確認";
const char kErrorTitle[] = "タルヴォインストーラ - エラー";
const char kClosingTitle[] = "タルヴォインストーラ - ファイルの展開が終了しました";
const char kListTitle[] = "タルヴォインストーラ - インストール項目を選択";
const char kSelectTitle[] = "タルヴォインストーラ - インストールするコンポーネントの選択";

inline std::string programFiles() {
    char buf[MAX_PATH] = "";
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ,
                      &key) == 0) {
        DWORD size = sizeof buf - 1;
        RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, (BYTE*)buf, &size);
        RegCloseKey(key);
    }
    return buf;
}

inline FILETIME writeTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d);
    return d.ftLastWriteTime;
}

inline void setWriteTime(const std::string& path, int year) {
    SYSTEMTIME st = {};
    st.wYear = (WORD)year;
    st.wMonth = 5;
    st.wDay = 6;
    st.wHour = 7;
    st.wMinute = 8;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    SetFileTime(h, &ft, &ft, &ft);
    CloseHandle(h);
}

inline std::string read(const std::string& path) {
    std::string s;
    e2e::readFile(path, &s);
    return s;
}

// Polls the condition every 20 ms until it holds; false on timeout.
template <class F>
bool waitUntil(F condition, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// A dialog of the process that is none of the installer's own: the shell's
// question before it replaces a file. Null on timeout.
inline HWND waitShellQuestion(const e2e::Process& p, DWORD timeoutMs = 10000) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND w : e2e::topWindows(p.pid)) {
                std::string t = e2e::windowText(w);
                if (e2e::className(w) == "#32770" && t != kFirstTitle && t != kDestTitle &&
                    t != kProgressTitle && t != kClosingTitle) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

inline bool enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

// A folder holding Talinst.exe, TALINST.ini (the script is named like the
// program) and the given source files.
class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        disc = e2e::freshFolder("installer_e2e_" + name);
        exe = disc + "\\Talinst.exe";
        ASSERT_TRUE(e2e::copyFile(e2e::dist("Talinst.exe"), exe));
        target = programFiles() + "\\Talinst E2E " + name;
        e2e::removeTree(target);
    }
    void TearDown() override {
        driver.killAll();
        e2e::removeTree(target);
    }
    void script(const std::string& text) { ASSERT_TRUE(e2e::writeFile(disc + "\\TALINST.ini", text)); }
    void source(const std::string& rel, const std::string& bytes, int year = 2002) {
        std::string p = disc + "\\" + rel;
        for (size_t i = 3; i < p.size(); i++)
            if (p[i] == '\\') CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
        ASSERT_TRUE(e2e::writeFile(p, bytes));
        setWriteTime(p, year);
    }
    void existing(const std::string& rel, const std::string& bytes, int year = 2002) {
        std::string p = target + "\\" + rel;
        for (size_t i = 3; i < p.size(); i++)
            if (p[i] == '\\') CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
        ASSERT_TRUE(e2e::writeFile(p, bytes));
        setWriteTime(p, year);
    }
    e2e::Process start(const std::string& args) { return driver.start(exe, args, disc); }
    // Waits for the destination dialog, points it at the target and presses OK.
    HWND confirmDestination(const e2e::Process& p) {
        HWND d = driver.waitWindowTitled(p, kDestTitle);
        if (!d) return nullptr;
        e2e::setText(e2e::child(d, IDC_DEST_EDIT), target);
        e2e::pressButton(d, IDOK);
        return d;
    }
    bool exits(const e2e::Process& p) { return p.waitExit(15000); }

    std::string name, disc, exe, target;
    e2e::Driver driver;
};

}  // namespace inst
