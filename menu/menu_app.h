// The menu program's process-wide objects: one set, alive from start-up to
// exit (there is one main window).
#pragma once
#include <windows.h>

#include "cbmp.h"
#include "menu_config.h"
#include "menu_data.h"
#include "movie_preference.h"
#include "palette.h"
#include "path_name.h"

namespace menu {

struct MenuApp {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HACCEL accelerators = nullptr;

    MenuConfig config;  // MENU.INI: start-up keys and button descriptions
    MenuData data;      // MENU.DAT: pages, entries, commands

    char caption[common::PathName::kPathSize] = {};  // window caption, title of the menu's boxes
    cBmp background;                                 // client area of the main window
    cBmp display;                                    // display picture of the current entry
    POINT displayAt = {0, 0};                        // `disprect`: where the display picture goes
    Palette palette;                                 // built from the background's colour table

    HANDLE instanceMutex = nullptr;
    char callerDirectory[MAX_PATH] = {};  // restored at exit
    // The stored movie choice, and whether this run plays the movie (not
    // when Shift was held at start-up); replaced at start-up.
    common::MenuMoviePreference moviePreference{true, false};
    bool started = false;  // start-up got as far as the message loop
};

// The single instance.
MenuApp& menuApp();

}  // namespace menu
