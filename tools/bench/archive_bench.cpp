// Unpacks one archive through the installer's extraction window (the archiver
// library bound from beside this program, its progress notifications shown
// and pumped as in an install) and prints "milliseconds". With --library the
// same archive goes straight through the library's command entry point with
// no owner window, which tells the window's share from the library's.
// The archiver libraries must lie beside archive_bench.exe.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include "archive_library.h"
#include "copy_entry.h"
#include "extract_window.h"

using namespace installer;

namespace {

long long elapsedMs(const LARGE_INTEGER& from) {
    LARGE_INTEGER f, now;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&now);
    return (now.QuadPart - from.QuadPart) * 1000 / f.QuadPart;
}

int throughWindow(const char* archive, const char* folder) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    CopyList list;
    list.emplace_back(new CopyEntry);
    list[0]->source.setPath(archive);
    list[0]->destFolder = folder;
    list[0]->absolute = true;
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    installer::ExtractWindow window(GetModuleHandleA(nullptr), list);
    bool ok = window.run();
    printf("%lld\n", elapsedMs(t0));
    return ok ? 0 : 1;
}

int throughLibrary(const char* archive, const char* folder) {
    ArchiveLibrary& lib = ArchiveLibrary::instance();
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    if (!lib.bind(archive)) {
        fprintf(stderr, "no library takes %s\n", archive);
        return 1;
    }
    CreateDirectoryA(folder, nullptr);
    int r = lib.extractAll(nullptr, archive, folder);
    printf("%lld\n", elapsedMs(t0));
    if (r != ARC_OK) fprintf(stderr, "result %d\n", r);
    return r == ARC_OK ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool library = argc == 4 && std::strcmp(argv[1], "--library") == 0;
    if (argc != 3 && !library) {
        fprintf(stderr, "usage: archive_bench [--library] ARCHIVE DESTINATION\n");
        return 2;
    }
    return library ? throughLibrary(argv[2], argv[3]) : throughWindow(argv[1], argv[2]);
}
