#include "movie_phase.h"

#include "main_window.h"
#include "menu_app.h"
#include "menu_screen.h"
#include "menu_texts.h"
#include "messages.h"
#include "movie_window.h"
#include "registry_key.h"

namespace menu {

namespace moviephase {

namespace {

struct MovieState {
    HWND movie = nullptr;  // the movie window while one exists
    bool active = false;   // the movie is open and the screen has given way to it
};

MovieState& state() {
    static MovieState s;
    return s;
}

void setItemCheck(HMENU menu, bool checked) {
    CheckMenuItem(menu, IDM_MOVIE_AT_START, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// Creates the movie window over the whole client area. A file that does not
// open has already told the main window that the movie is over.
void startMovie(HWND main) {
    MenuApp& app = menuApp();
    char file[MAX_PATH] = {};
    app.data.movieFile(file, sizeof file);
    state().movie = menu::createMovieWindow(app.instance, main, file);
}

// Direct children only: the buttons' own children are theirs to show.
void hideChildrenBut(HWND main, HWND keep) {
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != keep) ShowWindow(child, SW_HIDE);
}

// Buttons come back as they were (a hidden execute button stays hidden);
// anything else, the tab row among them, is enabled and shown.
void restoreChildren(HWND main) {
    MenuScreen& screen = MenuScreen::instance();
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Button* b = screen.buttonByWindow(child)) {
            if (b->window() == child) {
                b->restore();
                continue;
            }
        }
        EnableWindow(child, TRUE);
        ShowWindow(child, SW_SHOW);
    }
}

}  // namespace

common::MenuMoviePreference readPreference(bool shiftHeld) {
    // One byte more than the registry may fill, so the text always ends.
    char buffer[common::kMovieValueBufferSize + 1] = {};
    common::StoredMovieValue value;
    common::RegistryKey key(HKEY_LOCAL_MACHINE);
    // A user without write access to the machine's keys still has the
    // stored choice honoured; the key is opened again for writing at exit.
    if (key.open(common::kMovieKeyPath) || key.open(common::kMovieKeyPath, KEY_READ)) {
        DWORD type = REG_NONE;
        DWORD bytes = 0;
        value.found =
            key.queryValue(common::kMovieValueName, buffer, common::kMovieValueBufferSize, &type, &bytes);
        value.isString = type == REG_SZ || type == REG_EXPAND_SZ;
        value.data = buffer;
        value.size = bytes <= common::kMovieValueBufferSize ? bytes : common::kMovieValueBufferSize;
    }
    return common::MenuMoviePreference(common::menuPlaysMovie(value), shiftHeld);
}

void storePreference(const common::MenuMoviePreference& preference, bool startedOk) {
    if (!preference.needsStore(startedOk)) return;
    common::MovieValueText text = preference.valueToStore();
    common::RegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.create(common::kMovieKeyPath)) return;
    key.setValue(common::kMovieValueName, text.text, static_cast<int>(text.size), REG_SZ);
}

void prepareSystemMenu(HWND main, bool movieNamed, bool noMovieChecked) {
    HMENU menu = GetSystemMenu(main, FALSE);
    if (!menu) return;
    // Neither makes sense for a window the size of its picture.
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    if (!movieNamed) return;
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, IDM_MOVIE_PLAY, movietext::kReplayItem);
    InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, IDM_MOVIE_AT_START, movietext::kNoMovieItem);
    InsertMenuA(menu, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    setItemCheck(menu, noMovieChecked);
}

void onCreate(HWND main) {
    MenuApp& app = menuApp();
    char file[MAX_PATH] = {};
    app.data.movieFile(file, sizeof file);
    bool named = file[0] != '\0';
    prepareSystemMenu(main, named, app.moviePreference.itemChecked());
    if (named && app.moviePreference.playAtStart()) {
        startMovie(main);
        return;
    }
    mainwindow::enterMenuPhase(main);
}

void onStarted(HWND main, HWND movie) {
    MovieState& s = state();
    if (!movie || movie != s.movie || !IsWindow(movie)) return;
    if (HMENU menu = GetSystemMenu(main, FALSE))
        EnableMenuItem(menu, IDM_MOVIE_PLAY, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
    s.active = true;
    hideChildrenBut(main, movie);
    PostMessageA(movie, WMU_MOVIE_PLAY, 0, 0);
}

void onEnded(HWND main) {
    MovieState& s = state();
    if (HMENU menu = GetSystemMenu(main, FALSE))
        EnableMenuItem(menu, IDM_MOVIE_PLAY, MF_BYCOMMAND | MF_ENABLED);
    s.active = false;
    s.movie = nullptr;
    menu::unregisterMovieWindowClass(menuApp().instance);
    restoreChildren(main);
    mainwindow::enterMenuPhase(main);
    // The movie covered the whole client area: the background comes back.
    InvalidateRect(main, nullptr, FALSE);
}

void stop() {
    MovieState& s = state();
    if (s.movie && IsWindow(s.movie)) SendMessageA(s.movie, WMU_MOVIE_STOP, 0, 0);
}

bool onSysCommand(HWND main, WPARAM command) {
    // The movie items use the low four bits that the system keeps for its
    // own commands, so the whole number is compared.
    switch (command) {
    case IDM_MOVIE_PLAY:
        // The item is greyed while a movie runs; a second request is ignored.
        if (state().movie && IsWindow(state().movie)) return true;
        mainwindow::enterMoviePhase(main);
        startMovie(main);
        return true;
    case IDM_MOVIE_AT_START: {
        common::MenuMoviePreference& preference = menuApp().moviePreference;
        preference.toggle();
        if (HMENU menu = GetSystemMenu(main, FALSE)) setItemCheck(menu, preference.itemChecked());
        return true;
    }
    default:
        return false;
    }
}

bool playing() { return state().movie && IsWindow(state().movie); }

}  // namespace moviephase

}  // namespace menu
