#include "movie_setting.h"
#include <commctrl.h>
#include "choice_dialog.h"
#include "movie_preference.h"
#include "movie_registry_key.h"
#include "movieset_texts.h"

namespace movieset {

namespace {

// The menu program, looked for and started in the current folder: the tool
// is meant to be run from the disc's own folder.
const char kMenuSearchName[] = "ostrel.exe";
const char kMenuProgram[] = "OSTREL.EXE";

void offerMenuStart() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(kMenuSearchName, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FindClose(search);
    if (MessageBoxA(nullptr, text::kStartMenu, text::kTitle, MB_ICONQUESTION | MB_YESNO) != IDYES) return;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[1] = "";
    if (!CreateProcessA(kMenuProgram, commandLine, nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &process)) {
        MessageBoxA(nullptr, text::kStartFailed, text::kTitle, MB_ICONERROR);
        return;
    }
    // The menu runs on by itself; the tool does not wait for it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

bool readStoredChoice() {
    // One byte more than the registry may fill, so the text always ends.
    char buffer[common::kMovieValueBufferSize + 1] = {};
    common::StoredMovieValue value;
    RegistryKey key(HKEY_LOCAL_MACHINE);
    if (key.open(common::kMovieKeyPath)) {
        DWORD type = REG_NONE;
        DWORD bytes = 0;
        value.found =
            key.readValue(common::kMovieValueName, buffer, common::kMovieValueBufferSize, &type, &bytes);
        value.isString = type == REG_SZ || type == REG_EXPAND_SZ;
        value.data = buffer;
        value.size = bytes;
    }
    return common::toolTicksNoMovie(value);
}

int runMovieSetting(HINSTANCE instance) {
    InitCommonControls();
    ChoiceDialog dialog(readStoredChoice());
    if (dialog.run(instance) == 1) offerMenuStart();
    return 0;
}

}  // namespace movieset
