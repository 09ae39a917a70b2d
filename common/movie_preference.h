// The one machine-wide preference shared by the disc menu and its movie
// setting tool: whether the menu plays its opening movie at start-up. Both
// programs read and write the same registry value, each with its own rule,
// so the rules live here, free of any window or registry call, and the
// programs do the registry work around them.
//
// The two readers differ on purpose: the menu plays only for "Yes" (and when
// nothing is stored), the tool ticks its "do not play" box only for "No".
// A value such as "0" or an empty text therefore stops the menu's movie
// while the tool still shows it as playing; either program writes a clean
// "Yes" or "No" the next time the choice changes.
#pragma once
#include <cstddef>

namespace common {

// Below HKEY_LOCAL_MACHINE.
constexpr const char kMovieKeyPath[] = "software\\mintera\\TALVO CD-ROM32\\OSTREL";
constexpr const char kMovieValueName[] = "MOVIE";
// Both programs read the value into a buffer of this many bytes.
constexpr std::size_t kMovieValueBufferSize = 80;

// A value as the registry handed it back. A registry string need not end in
// a terminator (the menu itself stores one without), and bytes past the
// returned count are not part of it, so the count is carried along.
struct StoredMovieValue {
    bool found = false;     // the key opened and the query succeeded
    bool isString = false;  // REG_SZ or REG_EXPAND_SZ
    const char* data = nullptr;
    std::size_t size = 0;  // bytes returned, a terminator included when stored
};

// The text of a string value up to its first terminator or its end; false
// for a value that is missing or of another type.
bool storedText(const StoredMovieValue& value, const char** text, std::size_t* length);

// The menu's rule: the movie plays when nothing is stored or the stored text
// equals "Yes" in any case; any other text ("no", "0", empty) and any value
// of another type means it does not.
bool menuPlaysMovie(const StoredMovieValue& value);

// The setting tool's rule: its box ("do not play") is ticked only for a
// stored text equal to "No" in any case; anything else, a missing value and
// a value of another type leave it clear.
bool toolTicksNoMovie(const StoredMovieValue& value);

// The text a program stores, and the byte count it hands to the registry:
// the menu writes "Yes"/"No" without the terminating zero, the tool with it.
struct MovieValueText {
    const char* text;
    std::size_t size;
};
MovieValueText menuValueText(bool play);
MovieValueText toolValueText(bool ticked);

// The menu's preference during one run: the flag as read at start-up, the
// flag to store at exit, and this run's play-at-start flag (the stored one,
// cleared when Shift was held at start-up).
class MenuMoviePreference {
public:
    // playRead: menuPlaysMovie of the stored value; shiftHeld: Shift was down
    // at start-up, which skips the movie for this run only.
    MenuMoviePreference(bool playRead, bool shiftHeld)
        : playRead_(playRead), playToStore_(playRead), playNow_(playRead && !shiftHeld) {}

    bool playAtStart() const { return playNow_; }
    // The system-menu item "do not play at start-up" carries a check mark
    // when the preference to store is not to play.
    bool itemChecked() const { return !playToStore_; }
    // The user chose the item: the preference to store flips. The item
    // shows the stored preference, so the toggle works on that one and not
    // on this run's flag, which Shift may have cleared: flipping the run's
    // flag would leave the mark unchanged on the first choice after a Shift
    // start and store nothing.
    void toggle() { playToStore_ = !playToStore_; }
    // Written at exit only after a successful start-up and only when the
    // choice differs from what was read: toggling twice writes nothing.
    bool needsStore(bool startedOk) const { return startedOk && playToStore_ != playRead_; }
    MovieValueText valueToStore() const { return menuValueText(playToStore_); }

private:
    bool playRead_;
    bool playToStore_;
    bool playNow_;
};

}  // namespace common
