// Unpacks one archive through the installer's extraction window (the archiver
// library bound from beside this program, its progress notifications shown
// and pumped as in an install) and prints "milliseconds". The archiver
// libraries must lie beside archive_bench.exe.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "copy_entry.h"
#include "extract_window.h"

using namespace installer;

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: archive_bench ARCHIVE DESTINATION\n");
        return 2;
    }
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    CopyList list;
    list.emplace_back(new CopyEntry);
    list[0]->source.setPath(argv[1]);
    list[0]->destFolder = argv[2];
    list[0]->absolute = true;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    installer::ExtractWindow window(GetModuleHandleA(nullptr), list);
    bool ok = window.run();
    QueryPerformanceCounter(&t1);
    printf("%lld\n", (long long)((t1.QuadPart - t0.QuadPart) * 1000 / f.QuadPart));
    return ok ? 0 : 1;
}
