// A stand-in for any program a test expects to be launched: it opens no
// window, appends "<command line>\t<current folder>\r\n" to record.txt beside
// itself (or to the file named by RECORDER_FILE) and exits with code 0.
#include <windows.h>
#include <string>

namespace {

// Wide calls: Wine shortens ANSI environment values that hold double-byte
// characters, and UTF-16 paths need no lead-byte care when cut.
std::wstring recordPath() {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"RECORDER_FILE", buf, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) return buf;
    n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
    std::wstring exe(buf, n < MAX_PATH * 2 ? n : 0);
    size_t cut = exe.find_last_of(L"\\/");
    return (cut == std::wstring::npos ? std::wstring(L".") : exe.substr(0, cut)) + L"\\record.txt";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char dir[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    std::string line = GetCommandLineA();
    line += '\t';
    line.append(dir, n < sizeof dir ? n : 0);
    line += "\r\n";

    // Several launches may arrive at once: retry while another writer holds the file.
    const std::wstring path = recordPath();
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            SetFilePointer(f, 0, nullptr, FILE_END);
            BOOL ok = WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(f);
            return ok && written == line.size() ? 0 : 1;
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION) return 1;
        Sleep(10);
    }
    return 1;
}
