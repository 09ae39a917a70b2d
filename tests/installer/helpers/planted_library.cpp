// A library that must never be loaded: named like an archiver library and
// put into a folder the installer does not load from. When it is loaded all
// the same it leaves planted-library-loaded.txt beside itself.
#include <windows.h>
#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(self, path, sizeof path);
    std::string marker(path, n < sizeof path ? n : 0);
    size_t cut = marker.find_last_of("\\/");
    marker = (cut == std::string::npos ? std::string(".") : marker.substr(0, cut)) +
             "\\planted-library-loaded.txt";
    HANDLE f = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(f, "loaded", 6, &written, nullptr);
        CloseHandle(f);
    }
    return TRUE;
}
