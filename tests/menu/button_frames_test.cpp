// Strip frames and initial looks of the bitmap buttons.
#include <gtest/gtest.h>
#include "button_frames.h"

using namespace menu;

namespace {

TEST(ButtonFrames, CountFollowsKind) {
    EXPECT_EQ(2, btn::frameCount(0));
    EXPECT_EQ(3, btn::frameCount(btn::KindDisabledFrame));
    EXPECT_EQ(3, btn::frameCount(btn::KindSelectedFrame));
    EXPECT_EQ(4, btn::frameCount(btn::KindDisabledFrame | btn::KindSelectedFrame));
}

TEST(ButtonFrames, HeightIsIntegerShareOfStrip) {
    EXPECT_EQ(45, btn::frameHeight(90, 0));                       // execute button
    EXPECT_EQ(30, btn::frameHeight(90, btn::KindDisabledFrame));  // Info
    EXPECT_EQ(33, btn::frameHeight(100, btn::KindSelectedFrame));
    EXPECT_EQ(0, btn::frameHeight(0, 0));
    EXPECT_EQ(0, btn::frameHeight(1, btn::KindSelectedFrame));
}

TEST(ButtonFrames, OptionalFramesFollowNormalAndLit) {
    EXPECT_EQ(-1, btn::selectedFrame(0));
    EXPECT_EQ(-1, btn::disabledFrame(0));
    EXPECT_EQ(2, btn::selectedFrame(btn::KindSelectedFrame));
    EXPECT_EQ(2, btn::disabledFrame(btn::KindDisabledFrame));
    EXPECT_EQ(2, btn::selectedFrame(btn::KindSelectedFrame | btn::KindDisabledFrame));
    EXPECT_EQ(3, btn::disabledFrame(btn::KindSelectedFrame | btn::KindDisabledFrame));
}

TEST(InitialLook, ExitStartsVisibleAndEnabled) {
    auto l = btn::initialLook(btn::ModeExit, 0);
    EXPECT_EQ(0x11u, l.state);
    EXPECT_TRUE(l.visible);
    EXPECT_FALSE(l.disabled);
    EXPECT_EQ(0, l.frame);
}

TEST(InitialLook, InfoWithGreyFrameShowsItDisabled) {
    auto l = btn::initialLook(btn::ModeInfo, btn::KindDisabledFrame);
    EXPECT_EQ(0x21u, l.state);
    EXPECT_TRUE(l.visible);
    EXPECT_TRUE(l.disabled);
    EXPECT_EQ(2, l.frame);
}

TEST(InitialLook, InfoWithoutGreyFrameStartsHidden) {
    auto l = btn::initialLook(btn::ModeInfo, 0);
    EXPECT_EQ(0x22u, l.state);
    EXPECT_FALSE(l.visible);
    EXPECT_TRUE(l.disabled);
}

TEST(InitialLook, PageAndExecuteButtonsStartHidden) {
    auto l = btn::initialLook(btn::ModeHidden, btn::KindSelectedFrame);
    EXPECT_EQ(0x22u, l.state);
    EXPECT_FALSE(l.visible);
    EXPECT_TRUE(l.disabled);
    EXPECT_EQ(0u, l.state & btn::StateVisible);
    EXPECT_EQ(0u, l.state & btn::StateEnabled);
}

}  // namespace
