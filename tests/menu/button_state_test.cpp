// Button objects without windows: frames and state bits after each operation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "button.h"
#include "button_frames.h"
#include "menu_button.h"
#include "screen_fixture.h"

using namespace menu;

namespace {

class ButtonState : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = e2e::freshFolder("button_state");
        ASSERT_FALSE(folder_.empty());
        strip2_ = folder_ + "\\two.bmp";
        strip3_ = folder_ + "\\three.bmp";
        ASSERT_TRUE(fixture::writeStrip(strip2_, 80, 45, {fixture::kNormal, fixture::kLit}));
        ASSERT_TRUE(
            fixture::writeStrip(strip3_, 80, 30, {fixture::kNormal, fixture::kLit, fixture::kDisabled}));
    }
    ButtonDesc desc(const std::string& image) {
        ButtonDesc d;
        lstrcpynA(d.bitmapPath, image.c_str(), sizeof d.bitmapPath);
        d.x = 12;
        d.y = 34;
        lstrcpyA(d.hintText, "hint");
        return d;
    }
    std::string folder_, strip2_, strip3_;
};

TEST_F(ButtonState, BuildTakesFrameHeightFromStripAndKind) {
    Button exec;
    ASSERT_TRUE(exec.build(desc(strip2_), 0));
    EXPECT_EQ(80, exec.width());
    EXPECT_EQ(45, exec.frameHeight());
    EXPECT_EQ(12, exec.x());
    EXPECT_EQ(34, exec.y());
    EXPECT_STREQ("hint", exec.hint());

    Button info;
    ASSERT_TRUE(info.build(desc(strip2_), btn::KindDisabledFrame));
    EXPECT_EQ(30, info.frameHeight());  // 90 rows as three frames
}

TEST_F(ButtonState, MissingImageFailsButKeepsTheRest) {
    Button b;
    ButtonDesc d = desc(folder_ + "\\absent.bmp");
    EXPECT_FALSE(b.build(d, 0));
    EXPECT_EQ(0, b.width());
    EXPECT_EQ(0, b.frameHeight());
    EXPECT_EQ(34, b.y());
    Button none;
    EXPECT_FALSE(none.build(ButtonDesc(), 0));
}

TEST_F(ButtonState, LitShowsFrameOneAndBack) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    b.setLit(true);
    EXPECT_EQ(1, b.frame());
    EXPECT_TRUE(b.state() & btn::StateLit);
    b.setLit(true);
    EXPECT_EQ(1, b.frame());
    b.setLit(false);
    EXPECT_EQ(0, b.frame());
    EXPECT_FALSE(b.state() & btn::StateLit);
}

TEST_F(ButtonState, PressedWithoutSelectedFrameShowsLitFrame) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    b.setPressed(true);
    EXPECT_EQ(1, b.frame());
    EXPECT_TRUE(b.isPressed());
    EXPECT_EQ(btn::StatePressed, b.state() & btn::StatePressed);
    b.setPressed(false);
    EXPECT_EQ(0, b.frame());
    EXPECT_FALSE(b.isPressed());
}

TEST_F(ButtonState, PressedWithSelectedFrameShowsIt) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip3_), btn::KindSelectedFrame));
    b.setPressed(true);
    EXPECT_EQ(2, b.frame());
}

TEST_F(ButtonState, MenuButtonSelectionClearsLitAndShowsSelectedFrame) {
    MenuButton m;
    ASSERT_TRUE(m.build(desc(strip3_), btn::KindSelectedFrame));
    m.setLit(true);
    EXPECT_EQ(0, m.frame());  // lighting a page-menu button changes no frame
    EXPECT_TRUE(m.state() & btn::StateLit);
    m.setSelected(true);
    EXPECT_EQ(2, m.frame());
    EXPECT_FALSE(m.state() & btn::StateLit);
    EXPECT_TRUE(m.isPressed());
    m.setLit(false);
    EXPECT_EQ(2, m.frame());  // not lit: nothing to undo
    m.setSelected(false);
    EXPECT_EQ(0, m.frame());
    EXPECT_EQ(0u, m.state() & (btn::StateLit | btn::StatePressed));
}

TEST_F(ButtonState, MenuButtonUnlitFromLitShowsNormalFrame) {
    MenuButton m;
    ASSERT_TRUE(m.build(desc(strip3_), btn::KindSelectedFrame));
    m.setLit(true);
    m.setLit(false);
    EXPECT_EQ(0, m.frame());
    EXPECT_FALSE(m.state() & btn::StateLit);
}

TEST_F(ButtonState, HidingClearsTheLowFourBits) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    b.show(true);
    EXPECT_TRUE(b.state() & btn::StateVisible);
    b.setLit(true);
    b.show(false);
    EXPECT_EQ(0u, b.state() & btn::StateLowBits);
    EXPECT_TRUE(b.state() & btn::StateLit);  // the high bits stay
}

TEST_F(ButtonState, EnablingShowsAndDisablingHidesWithoutGreyFrame) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    b.enable(true);
    EXPECT_EQ(btn::StateVisible | btn::StateEnabled, b.state() & (btn::StateVisible | btn::StateEnabled));
    b.enable(false);
    EXPECT_EQ(0u, b.state() & (btn::StateVisible | btn::StateEnabled));
}

TEST_F(ButtonState, DisablingWithGreyFrameShowsIt) {
    Button info;
    ASSERT_TRUE(info.build(desc(strip2_), btn::KindDisabledFrame));
    info.enable(true);
    info.enable(false);
    EXPECT_EQ(2, info.frame());
    EXPECT_TRUE(info.state() & btn::StateVisible);
    EXPECT_FALSE(info.state() & btn::StateEnabled);
    info.enable(true);
    EXPECT_EQ(0, info.frame());
}

TEST_F(ButtonState, MoveToStoresPosition) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    b.moveTo(-5, 300);
    EXPECT_EQ(-5, b.x());
    EXPECT_EQ(300, b.y());
}

TEST_F(ButtonState, LabelOverBufferSizeIsCutAtCharacterBoundary) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    std::string exact(Button::kLabelSize - 1, 'a');
    b.setLabel(exact.c_str());
    EXPECT_EQ(exact, b.label());
    std::string over(Button::kLabelSize + 40, 'b');
    b.setLabel(over.c_str());
    EXPECT_EQ(size_t(Button::kLabelSize - 1), strlen(b.label()));
    // 126 single bytes then a double-byte character: it does not fit whole and is left out.
    std::string dbcs(Button::kLabelSize - 2, 'c');
    dbcs += "表示";
    b.setLabel(dbcs.c_str());
    EXPECT_EQ(size_t(Button::kLabelSize - 2), strlen(b.label()));
    b.setLabel(nullptr);  // keeps the stored label
    EXPECT_EQ(size_t(Button::kLabelSize - 2), strlen(b.label()));
}

TEST_F(ButtonState, HintOverBufferSizeIsCut) {
    Button b;
    ButtonDesc d = desc(strip2_);
    std::string longHint(sizeof d.hintText - 1, 'h');
    lstrcpynA(d.hintText, longHint.c_str(), sizeof d.hintText);
    ASSERT_TRUE(b.build(d, 0));
    EXPECT_EQ(size_t(Button::kHintSize - 1), strlen(b.hint()));
    std::string over(600, 'x');
    b.setHint(over.c_str());
    EXPECT_EQ(size_t(Button::kHintSize - 1), strlen(b.hint()));
    b.setHint(nullptr);
    EXPECT_STREQ("", b.hint());
}

TEST_F(ButtonState, RestoreWithoutVisibleBitDoesNothing) {
    Button b;
    ASSERT_TRUE(b.build(desc(strip2_), 0));
    unsigned before = b.state();
    b.restore();
    EXPECT_EQ(before, b.state());
}

}  // namespace
