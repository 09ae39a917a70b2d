// A stand-in for any program a test expects to be launched: it opens no
// window, appends "<command line>\t<current folder>\r\n" to record.txt beside
// itself (or to the file named by RECORDER_FILE) and exits with code 0.
#include <windows.h>
#include <string>

namespace {

std::string recordPath() {
    char buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA("RECORDER_FILE", buf, sizeof buf);
    if (n > 0 && n < sizeof buf) return buf;
    n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    std::string exe(buf, n < sizeof buf ? n : 0);
    // The last separator, skipping the second byte of double-byte characters.
    size_t cut = std::string::npos;
    for (size_t i = 0; i < exe.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(exe[i])) && i + 1 < exe.size()) { ++i; continue; }
        if (exe[i] == '\\' || exe[i] == '/') cut = i;
    }
    return (cut == std::string::npos ? std::string(".") : exe.substr(0, cut)) + "\\record.txt";
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char dir[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    std::string line = GetCommandLineA();
    line += '\t';
    line.append(dir, n < sizeof dir ? n : 0);
    line += "\r\n";

    // Several launches may arrive at once: retry while another writer holds the file.
    const std::string path = recordPath();
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
