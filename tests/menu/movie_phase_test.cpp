// The movie items of the main window's system menu, in-process (another
// process cannot read a system menu under Wine).
#include "movie_phase.h"
#include "menu_app.h"
#include "menu_texts.h"
#include "messages.h"
#include <gtest/gtest.h>
#include <string>

using namespace menu;

namespace {

class SystemMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExA(0, "STATIC", "menu", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(window_);
        plainCount_ = GetMenuItemCount(GetSystemMenu(window_, FALSE));
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
    }
    HMENU menu() const { return GetSystemMenu(window_, FALSE); }
    std::string text(int position) const {
        char buffer[128] = {};
        GetMenuStringA(menu(), static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
        return buffer;
    }
    bool checked(UINT id) const { return (GetMenuState(menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

    HWND window_ = nullptr;
    int plainCount_ = 0;
};

}  // namespace

TEST_F(SystemMenuTest, ANamedMovieAddsItsTwoItemsAndASeparatorAtTheTop) {
    for (bool noMovie : {false, true}) {
        TearDown();  // a fresh window each round
        SetUp();
        moviephase::prepareSystemMenu(window_, true, noMovie);
        ASSERT_EQ(static_cast<UINT>(IDM_MOVIE_PLAY), GetMenuItemID(menu(), 0));
        EXPECT_EQ(movietext::kReplayItem, text(0));
        EXPECT_EQ(std::string("ｵｰﾌﾟﾆﾝｸﾞﾑｰﾋﾞｰを再生"), text(0));
        ASSERT_EQ(static_cast<UINT>(IDM_MOVIE_AT_START), GetMenuItemID(menu(), 1));
        EXPECT_EQ(std::string("起動時にﾑｰﾋﾞｰを再生しない(&P)"), text(1));
        EXPECT_EQ(noMovie, checked(IDM_MOVIE_AT_START));
        EXPECT_FALSE(checked(IDM_MOVIE_PLAY));
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoA(menu(), 2, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_SEPARATOR);
        EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu(), SC_MAXIMIZE, MF_BYCOMMAND));
        EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu(), SC_SIZE, MF_BYCOMMAND));
    }
}

TEST_F(SystemMenuTest, WithoutAMovieOnlyMaximiseAndSizeGo) {
    UINT first = GetMenuItemID(menu(), 0);
    moviephase::prepareSystemMenu(window_, false, true);
    EXPECT_EQ(first, GetMenuItemID(menu(), 0));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu(), IDM_MOVIE_PLAY, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu(), IDM_MOVIE_AT_START, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu(), SC_MAXIMIZE, MF_BYCOMMAND));
}

TEST_F(SystemMenuTest, TheStartUpItemFlipsTheChoiceToStoreAndItsMark) {
    MenuApp& app = menuApp();
    // Read as play, but Shift skipped this run's movie: the item still shows the stored choice.
    app.moviePreference = common::MenuMoviePreference(true, true);
    moviephase::prepareSystemMenu(window_, true, app.moviePreference.itemChecked());
    EXPECT_FALSE(checked(IDM_MOVIE_AT_START));
    EXPECT_TRUE(moviephase::onSysCommand(window_, IDM_MOVIE_AT_START));
    EXPECT_TRUE(checked(IDM_MOVIE_AT_START));
    EXPECT_TRUE(app.moviePreference.needsStore(true));
    EXPECT_TRUE(moviephase::onSysCommand(window_, IDM_MOVIE_AT_START));
    EXPECT_FALSE(checked(IDM_MOVIE_AT_START));
    EXPECT_FALSE(app.moviePreference.needsStore(true));
    // Other system commands are the system's.
    EXPECT_FALSE(moviephase::onSysCommand(window_, SC_CLOSE));
    EXPECT_FALSE(moviephase::onSysCommand(window_, SC_MINIMIZE));
}
