// The two readings of the stored movie preference and what each program writes.
#include "movie_preference.h"
#include <gtest/gtest.h>
#include <string>

using namespace common;

namespace {

struct Stored {
    const char* name;
    bool found;
    bool isString;
    std::string bytes;  // as the registry returned them, terminator included when stored
    bool menuPlays;
    bool toolTicks;
};

StoredMovieValue view(const Stored& s) {
    StoredMovieValue v;
    v.found = s.found;
    v.isString = s.isString;
    v.data = s.bytes.data();
    v.size = s.bytes.size();
    return v;
}

const Stored kCases[] = {
    {"no value", false, false, "", true, false},
    {"Yes with terminator", true, true, std::string("Yes\0", 4), true, false},
    {"Yes as the menu writes it", true, true, "Yes", true, false},
    {"yes", true, true, "yes", true, false},
    {"YES", true, true, std::string("YES\0", 4), true, false},
    {"No with terminator", true, true, std::string("No\0", 3), false, true},
    {"No as the menu writes it", true, true, "No", false, true},
    {"no", true, true, "no", false, true},
    {"NO", true, true, "NO", false, true},
    {"0", true, true, "0", false, false},
    {"1", true, true, "1", false, false},
    {"empty", true, true, "", false, false},
    {"only a terminator", true, true, std::string("\0", 1), false, false},
    {"Yes with a space", true, true, "Yes ", false, false},
    {"Yess", true, true, "Yess", false, false},
    {"Nope", true, true, "Nope", false, false},
    {"bytes past the terminator", true, true, std::string("No\0xyz", 6), false, true},
    {"full-width Ｎｏ", true, true, "Ｎｏ", false, false},
    // A number whose bytes spell the words is no text.
    {"DWORD spelling No", true, false, std::string("No\0\0", 4), false, false},
    {"DWORD spelling Yes", true, false, std::string("Yes\0", 4), false, false},
};

}  // namespace

TEST(MoviePreference, EachProgramReadsTheStoredValueByItsOwnRule) {
    for (const Stored& s : kCases) {
        EXPECT_EQ(s.menuPlays, menuPlaysMovie(view(s))) << s.name;
        EXPECT_EQ(s.toolTicks, toolTicksNoMovie(view(s))) << s.name;
    }
}

TEST(MoviePreference, TheTextIsNeverReadPastTheReturnedBytes) {
    // "Yes" followed by what happened to lie in the buffer: only 2 bytes count.
    const char buffer[] = "Yes";
    StoredMovieValue v;
    v.found = true;
    v.isString = true;
    v.data = buffer;
    v.size = 2;
    EXPECT_FALSE(menuPlaysMovie(v));
    v.size = 3;
    EXPECT_TRUE(menuPlaysMovie(v));
    // A text filling the whole read buffer without a terminator.
    std::string full(kMovieValueBufferSize, 'N');
    v.data = full.data();
    v.size = full.size();
    EXPECT_FALSE(toolTicksNoMovie(v));
    EXPECT_FALSE(menuPlaysMovie(v));
}

TEST(MoviePreference, TheMenuWritesWithoutTheTerminatorTheToolWithIt) {
    EXPECT_EQ(std::string("Yes"), std::string(menuValueText(true).text, menuValueText(true).size));
    EXPECT_EQ(std::string("No"), std::string(menuValueText(false).text, menuValueText(false).size));
    EXPECT_EQ(std::string("No\0", 3), std::string(toolValueText(true).text, toolValueText(true).size));
    EXPECT_EQ(std::string("Yes\0", 4), std::string(toolValueText(false).text, toolValueText(false).size));
}

TEST(MoviePreference, EachProgramReadsBackWhatTheOtherWrote) {
    for (bool play : {true, false}) {
        StoredMovieValue v;
        v.found = true;
        v.isString = true;
        v.data = menuValueText(play).text;
        v.size = menuValueText(play).size;
        EXPECT_EQ(!play, toolTicksNoMovie(v)) << play;
        v.data = toolValueText(!play).text;
        v.size = toolValueText(!play).size;
        EXPECT_EQ(play, menuPlaysMovie(v)) << play;
    }
}

TEST(MoviePreference, TheMenuStoresOnlyAChangeAndOnlyAfterASuccessfulStart) {
    struct Run {
        bool playRead;
        bool shift;
        int toggles;
        bool startedOk;
        bool playAtStart;
        bool checked;  // item 132 at the end
        bool stores;
        const char* stored;  // text written when it stores
    };
    const Run runs[] = {
        {true, false, 0, true, true, false, false, ""},
        {true, false, 1, true, true, true, true, "No"},
        {true, false, 2, true, true, false, false, ""},
        {false, false, 0, true, false, true, false, ""},
        {false, false, 1, true, false, false, true, "Yes"},
        {false, false, 3, true, false, false, true, "Yes"},
        {true, false, 1, false, true, true, false, ""},  // start-up failed: nothing written
        // Shift skips this run's movie only: the item still shows the stored
        // choice and its first toggle checks it and stores "No".
        {true, true, 0, true, false, false, false, ""},
        {true, true, 1, true, false, true, true, "No"},
        {false, true, 1, true, false, false, true, "Yes"},
    };
    for (const Run& r : runs) {
        MenuMoviePreference p(r.playRead, r.shift);
        EXPECT_EQ(r.playAtStart, p.playAtStart());
        EXPECT_EQ(!r.playRead, p.itemChecked()) << "before any toggle";
        for (int i = 0; i < r.toggles; ++i) p.toggle();
        const std::string label = std::string("read ") + (r.playRead ? "Yes" : "No") +
                                  (r.shift ? " shift" : "") + " toggles " + std::to_string(r.toggles);
        EXPECT_EQ(r.checked, p.itemChecked()) << label;
        EXPECT_EQ(r.stores, p.needsStore(r.startedOk)) << label;
        if (r.stores) {
            EXPECT_EQ(std::string(r.stored), std::string(p.valueToStore().text, p.valueToStore().size))
                << label;
        }
    }
}
