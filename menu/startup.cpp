#include "startup.h"

#include <commctrl.h>
#include <cstdio>

#include "click_sound.h"
#include "main_window.h"
#include "menu_app.h"
#include "menu_config.h"
#include "doc_window.h"
#include "file_system.h"
#include "menu_screen.h"
#include "menu_texts.h"
#include "movie_phase.h"
#include "path_name.h"
#include "profile.h"
#include "resource.h"
#include "sjis.h"
#include "message_box.h"

namespace menu {

namespace startup {

namespace {

const int kBlankWidth = 640;
const int kBlankHeight = 455;

void showBox(const char* format, const char* argument, const char* title, UINT icon) {
    char text[kMessageSize];
    std::snprintf(text, sizeof text, format, argument);
    common::showMessageBox(nullptr, text, title, MB_OK | icon);
}

// Step 7: a second copy started from the same path gives up; a copy in
// another folder has another mutex name and runs.
bool claimInstance(MenuApp& app, const char* programPath) {
    char name[MAX_PATH];
    mutexName(programPath, name, sizeof name);
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        showBox(menutext::kAlreadyRunning, app.caption, app.caption, MB_ICONINFORMATION);
        return false;
    }
    app.instanceMutex = mutex;
    return true;
}

// Step 8: drive first, then folder.
void enterProgramFolder(const char* programPath) {
    common::PathName program(programPath);
    if (program.drive()[0]) {
        SetCurrentDirectoryA(program.drive());
        SetCurrentDirectoryA(program.folder());
    } else {
        SetCurrentDirectoryA(program.folderPath());
    }
}

// Step 11: a missing picture is told but not fatal; without a picture the
// window gets a blank 640 x 455 area.
void loadBackground(MenuApp& app) {
    const char* path = app.config.backgroundPath;
    if (path[0]) {
        common::PathName file(path);
        if (!file.isFile())
            showBox(menutext::kMissingBackground, path, app.caption, MB_ICONERROR);
        else
            app.background.load(path);
    }
    if (app.background.empty()) app.background.createBlank(kBlankWidth, kBlankHeight, 8);
}

}  // namespace

void mutexName(const char* programPath, char* out, size_t size) {
    if (!out || size == 0) return;
    common::copyBounded(out, programPath ? programPath : "", size);
    // Every 0x5C byte goes, second bytes of double-byte characters included:
    // the kernel would read any of them as a namespace separator.
    for (char* p = out; *p; ++p)
        if (*p == '\\') *p = '/';
}

bool prepare(MenuApp& app, HINSTANCE instance) {
    app.instance = instance;
    // 1. The caller's current directory, restored at exit.
    GetCurrentDirectoryA(sizeof app.callerDirectory, app.callerDirectory);
    // 2. The program's own path.
    std::string programPath = common::programPath(instance);

    // 3. MENU.INI beside the program.
    common::ProfileFile ini;
    if (!ini.locate(instance, "MENU.INI")) {
        showBox(menutext::kMissingSettings, ini.getPath(), menutext::kProductTitle, MB_ICONERROR);
        return false;
    }
    // 4. Caption, base folder, WHITEBACK and the other keys of "OSTREL".
    readOstrelSection(ini, app.config);

    // 5. MENU.DAT beside the program; its references are checked only while
    // it is writable.
    if (!app.data.locate(instance, "MENU.DAT")) {
        showBox(menutext::kMissingSettings, app.data.file().getPath(), "", MB_ICONWARNING);
        return false;
    }
    // 6. The window caption.
    common::copyBounded(app.caption, app.config.caption, sizeof app.caption);
    app.data.setOwner(nullptr, app.caption);

    // 7. One menu per program path.
    if (!claimInstance(app, programPath.c_str())) return false;
    // 8. The program's folder becomes current.
    enterProgramFolder(programPath.c_str());
    // 9. Where the document window first opens.
    app.data.docX = app.config.infoX;
    app.data.docY = app.config.infoY;
    app.data.docWidth = app.config.infoWidth;
    app.data.docHeight = app.config.infoHeight;
    // 10. Shift held down now skips the movie for this run only.
    app.moviePreference = moviephase::readPreference((GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0);
    // 11. The background picture.
    loadBackground(app);
    // 12. The start display picture of MENU.DAT.
    char display[common::PathName::kPathSize] = {};
    app.data.startImagePath(display, sizeof display);
    if (display[0]) app.display.load(display);
    app.displayAt.x = app.config.dispX;
    app.displayAt.y = app.config.dispY;
    // 13. The button sections of MENU.INI.
    if (!loadButtonSections(ini, app.config)) return false;
    // 14. Palette, standard click sound, button objects, execute grid.
    app.palette.makePalette(app.background);
    ClickSound::standard().load(app.config.stdSoundPath);
    return MenuScreen::instance().createButtons();
}

bool openWindow(MenuApp& app) {
    InitCommonControls();
    mainwindow::registerClass(app.instance, app.config.whiteBack);
    HWND window =
        mainwindow::create(app.instance, app.caption, app.background.width(), app.background.height());
    if (!window) return false;
    app.mainWindow = window;
    app.data.setOwner(window, app.caption);
    app.accelerators = LoadAcceleratorsA(app.instance, MAKEINTRESOURCEA(IDA_OSTREL));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    app.started = true;
    return true;
}

void finish(MenuApp& app) {
    MenuScreen::instance().destroy();
    // Only a run that got as far as its window stores the choice made in it.
    moviephase::storePreference(app.moviePreference, app.started);
    if (app.instanceMutex) {
        ReleaseMutex(app.instanceMutex);
        CloseHandle(app.instanceMutex);
        app.instanceMutex = nullptr;
    }
    if (app.callerDirectory[0]) SetCurrentDirectoryA(app.callerDirectory);
    common::closeDocument();
    common::releaseDocumentLibrary();
    app.display.clear();
    app.background.clear();
    app.palette.destroy();
}

}  // namespace startup

}  // namespace menu
