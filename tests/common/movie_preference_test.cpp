// The two readings of the stored movie preference and what each program writes.
#include "movie_preference.h"
#include <gtest/gtest.h>
#include <string>

using namespace common;

TEST(MoviePreference, EachProgramReadsTheStoredValueByItsOwnRule) {
    struct Case {
        bool found, isString;
        std::string bytes;  // as returned, terminator included when stored
        bool menuPlays, toolTicks;
    };
    const std::string full(kMovieValueBufferSize, 'N');  // fills the buffer, no terminator
    const Case cases[] = {
        {false, false, "", true, false},
        {true, true, std::string("Yes\0", 4), true, false},
        {true, true, "yes", true, false},  // as the menu writes it: no terminator
        {true, true, "Ye", false, false},  // only the returned bytes count
        {true, true, std::string("No\0", 3), false, true},
        {true, true, "no", false, true},
        {true, true, "NO", false, true},
        {true, true, std::string("No\0xyz", 6), false, true},
        {true, true, "0", false, false},
        {true, true, "", false, false},
        {true, true, "Yes ", false, false},
        {true, true, "Ｎｏ", false, false},
        {true, true, full, false, false},
        // A number whose bytes spell the words is no text.
        {true, false, std::string("No\0\0", 4), false, false},
        {true, false, std::string("Yes\0", 4), false, false},
    };
    for (const Case& c : cases) {
        StoredMovieValue v;
        v.found = c.found;
        v.isString = c.isString;
        v.data = c.bytes.data();
        v.size = c.bytes.size();
        EXPECT_EQ(c.menuPlays, menuPlaysMovie(v)) << c.bytes;
        EXPECT_EQ(c.toolTicks, toolTicksNoMovie(v)) << c.bytes;
    }
}

TEST(MoviePreference, TheMenuWritesWithoutTheTerminatorTheToolWithIt) {
    auto bytes = [](MovieValueText t) { return std::string(t.text, t.size); };
    EXPECT_EQ("Yes", bytes(menuValueText(true)));
    EXPECT_EQ("No", bytes(menuValueText(false)));
    EXPECT_EQ(std::string("No\0", 3), bytes(toolValueText(true)));
    EXPECT_EQ(std::string("Yes\0", 4), bytes(toolValueText(false)));
}

TEST(MoviePreference, TheMenuStoresOnlyAChangeAndOnlyAfterASuccessfulStart) {
    struct Run {
        bool playRead, shift;
        int toggles;
        bool startedOk, playAtStart, checked, stores;
        const char* stored;  // what it writes when it stores
    };
    const Run runs[] = {
        {true, false, 0, true, true, false, false, ""},
        {true, false, 1, true, true, true, true, "No"},
        {true, false, 2, true, true, false, false, ""},
        {false, false, 1, true, false, false, true, "Yes"},
        {false, false, 3, true, false, false, true, "Yes"},
        {true, false, 1, false, true, true, false, ""},  // start-up failed
        // Shift skips this run's movie only; the item shows the stored choice
        // and its first toggle checks it and stores "No".
        {true, true, 0, true, false, false, false, ""},
        {true, true, 1, true, false, true, true, "No"},
        {false, true, 1, true, false, false, true, "Yes"},
    };
    for (const Run& r : runs) {
        MenuMoviePreference p(r.playRead, r.shift);
        const std::string label =
            std::to_string(r.playRead) + std::to_string(r.shift) + std::to_string(r.toggles);
        EXPECT_EQ(r.playAtStart, p.playAtStart()) << label;
        EXPECT_EQ(!r.playRead, p.itemChecked()) << label;
        for (int i = 0; i < r.toggles; ++i) p.toggle();
        EXPECT_EQ(r.checked, p.itemChecked()) << label;
        EXPECT_EQ(r.stores, p.needsStore(r.startedOk)) << label;
        if (r.stores) {
            EXPECT_EQ(r.stored, std::string(p.valueToStore().text, p.valueToStore().size)) << label;
        }
    }
}
