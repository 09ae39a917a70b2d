// disccheck: finds, before a disc is pressed, what its programs would trip
// over at run time, and reports all of it at once.
//
//   disccheck [--json] DISC_FOLDER
//
// Output: one "FILE:LINE: error|warning: text" line per finding (LINE 0 when
// the finding concerns a whole file or name), then a summary line; with
// --json the same findings as one JSON object. Exit code 0 without errors,
// 1 with errors, 2 when the command line is wrong.
//
// Design. The checker never reads a disc file with a parser of its own: the
// profile keys go through the programs' readers (the menu's MENU.INI reader
// with its value syntax, the menu's MENU.DAT loader with its command-list
// builder and reference warnings, which the checker collects instead of
// showing), so a disc checks exactly as it will run. Only line numbers are
// found by a small scan of the file (ini_lines), which never decides a value.
// What the programs do not check themselves (the case of names, Shift-JIS
// spelling, Joliet length, values they silently clamp) is checked here
// against the values the readers produced.
//
// Two builds from these sources: DiscCheck.exe, a Windows console program,
// and the native checker of the author's build machine, which compiles the
// same readers against the <windows.h> stand-in of common/host/: the disc
// folder becomes its drive D: (names matched without case, as on the
// disc), and the report is converted to the terminal's encoding. JSON is
// UTF-8 on both.
#include <windows.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <clocale>

#include "host_disc.h"
#endif

#include <cstdio>
#include <cstring>
#include <string>

#include "disc_check.h"
#include "findings.h"
#include "text_code.h"

int main(int argc, char** argv) {
    bool json = false;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0)
            json = true;
        else if (!folder)
            folder = argv[i];
        else
            folder = nullptr, argc = 0;
    }
    if (!folder) {
        std::fputs("usage: disccheck [--json] DISC_FOLDER\n", stderr);
        return 2;
    }
#ifdef _WIN32
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(folder, sizeof full, full, nullptr);
    DWORD attributes = n && n < sizeof full ? GetFileAttributesA(full) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::fprintf(stderr, "disccheck: no such folder: %s\n", folder);
        return 2;
    }
#else
    std::setlocale(LC_ALL, "");
    if (!hostdisc::mount(folder)) {
        std::fprintf(stderr, "disccheck: no such folder: %s\n", folder);
        return 2;
    }
    const char* full = hostdisc::kDrive;
#endif
    disccheck::Findings findings;
    disccheck::checkDisc(full, findings);
    std::string text = json ? disccheck::utf8FromSjis(findings.json()) : findings.report();
#ifdef _WIN32
    // Plain line feeds, so that the report is byte for byte the native
    // checker's (and a JSON reader's input).
    _setmode(_fileno(stdout), _O_BINARY);
#else
    if (!json) text = hostdisc::forTerminal(text);
#endif
    std::fwrite(text.data(), 1, text.size(), stdout);
    return findings.errors() ? 1 : 0;
}
