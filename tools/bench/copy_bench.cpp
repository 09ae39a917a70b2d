// Copies a folder tree through the installer's copy engine and prints the
// time taken: "files bytes milliseconds". With --window the copy runs in the
// real progress window, one block per turn of its message loop.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "copy_engine.h"
#include "copy_progress_window.h"
#include "file_list.h"
#include "script_file.h"
#include "system_folders.h"

using namespace installer;

namespace {

class OverwriteAll : public CopyPrompts {
public:
    OverwriteAnswer askOverwrite(CopyEntry&, const WIN32_FIND_DATAA&) override {
        return OverwriteAnswer::All;
    }
    ErrorAnswer askError(int error, const char* path) override {
        fprintf(stderr, "copy error %d: %s\n", error, path);
        return ErrorAnswer::Cancel;
    }
};

}  // namespace

int main(int argc, char** argv) {
    bool window = argc > 1 && !strcmp(argv[1], "--window");
    if (argc != (window ? 4 : 3)) {
        fprintf(stderr, "usage: copy_bench [--window] SOURCE DESTINATION\n");
        return 2;
    }
    const char* source = argv[window ? 2 : 1];
    const char* destination = argv[window ? 3 : 2];
    ScriptFile script;
    const char text[] = "[BENCH]\nCopy1=*\n";
    script.loadText(text, sizeof text - 1);
    SystemFolders folders;
    CopyList list;
    FileListError err;
    DWORD t0 = GetTickCount();
    if (!buildFileList(script, "BENCH", source, folders, &list, &err)) {
        fprintf(stderr, "nothing to copy in %s\n", err.sourcePath.c_str());
        return 1;
    }
    resolveDestinations(list, destination);
    bool ok;
    if (window) {
        CopyProgressWindow progress(GetModuleHandleA(nullptr));
        ok = progress.run(list);
    } else {
        OverwriteAll prompts;
        ok = copyAll(list, prompts);
    }
    DWORD ms = GetTickCount() - t0;
    printf("%u %llu %lu\n", (unsigned)list.size(), totalSourceBytes(list), (unsigned long)ms);
    return ok ? 0 : 1;
}
