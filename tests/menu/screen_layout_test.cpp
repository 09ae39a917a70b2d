// Execute-grid placement and the centring of short command rows.
#include <gtest/gtest.h>
#include "grid_layout.h"

using namespace menu;

namespace {

grid::Layout layout3x3(short mx, short my) {
    grid::Layout l;
    l.startX = 100;
    l.startY = 200;
    l.width = 80;
    l.frameHeight = 30;
    l.marginX = mx;
    l.marginY = my;
    l.columns = 3;
    l.rows = 3;
    return l;
}

TEST(GridPlace, RowMajorWithPositiveMargins) {
    auto p = grid::place(layout3x3(5, 4));
    ASSERT_EQ(9u, p.size());
    EXPECT_EQ(100, p[0].x);
    EXPECT_EQ(200, p[0].y);
    EXPECT_EQ(185, p[1].x);
    EXPECT_EQ(200, p[1].y);
    EXPECT_EQ(270, p[2].x);
    EXPECT_EQ(100, p[3].x);
    EXPECT_EQ(234, p[3].y);
    EXPECT_EQ(270, p[8].x);
    EXPECT_EQ(268, p[8].y);
}

TEST(GridPlace, NegativeRowMarginStacksRowsUpward) {
    auto p = grid::place(layout3x3(0, -2));
    ASSERT_EQ(9u, p.size());
    EXPECT_EQ(200, p[0].y);
    EXPECT_EQ(200 - 2 - 30, p[3].y);
    EXPECT_EQ(200 - 2 * 32, p[6].y);
}

TEST(GridPlace, NegativeColumnMarginOverlapsButtons) {
    auto p = grid::place(layout3x3(-10, 0));
    EXPECT_EQ(170, p[1].x);
    EXPECT_EQ(240, p[2].x);
    EXPECT_EQ(230, p[3].y);
}

TEST(GridPlace, ZeroMarginRowsAreFrameHeightApart) {
    auto p = grid::place(layout3x3(0, 0));
    EXPECT_EQ(230, p[3].y);
    EXPECT_EQ(260, p[6].y);
}

TEST(GridPlace, CoordinatesWrapAsSixteenBitValues) {
    grid::Layout l = layout3x3(0, 0);
    l.startX = 32700;
    auto p = grid::place(l);
    EXPECT_EQ(static_cast<short>(32700 + 80), p[1].x);
}

TEST(GridPlace, EmptyOrNegativeGridHasNoButtons) {
    grid::Layout l = layout3x3(0, 0);
    l.columns = 0;
    EXPECT_TRUE(grid::place(l).empty());
    l.columns = 3;
    l.rows = -1;
    EXPECT_TRUE(grid::place(l).empty());
}

TEST(CommandPlacement, OneCommandTakesMiddleOfLastRow) { EXPECT_EQ(7, grid::firstCommandButton(9, 3, 1)); }

TEST(CommandPlacement, TwoCommandsTakeLastTwoButtons) { EXPECT_EQ(7, grid::firstCommandButton(9, 3, 2)); }

TEST(CommandPlacement, FourCommandsFillLastRowAndOneAbove) {
    EXPECT_EQ(5, grid::firstCommandButton(9, 3, 4));
}

TEST(CommandPlacement, FullRowAndFullGrid) {
    EXPECT_EQ(6, grid::firstCommandButton(9, 3, 3));
    EXPECT_EQ(0, grid::firstCommandButton(9, 3, 9));
}

TEST(CommandPlacement, MoreCommandsThanButtonsUseAllButtons) {
    EXPECT_EQ(0, grid::firstCommandButton(9, 3, 15));
}

TEST(CommandPlacement, WideRowCentresOddGaps) {
    // 5 columns, 2 commands: gap of 3 split as 1 before, 2 after.
    EXPECT_EQ(10 - 2 - 1, grid::firstCommandButton(10, 5, 2));
}

TEST(CommandPlacement, NoButtonsOrNoCommandsNeverGoesNegative) {
    EXPECT_EQ(0, grid::firstCommandButton(0, 3, 2));
    EXPECT_EQ(0, grid::firstCommandButton(1, 5, 0));
    EXPECT_GE(grid::firstCommandButton(9, 3, 0), 0);
}

TEST(TabWidth, SplitsRowMinusFourPixels) {
    EXPECT_EQ(115, grid::fixedTabWidth(234, 2));
    EXPECT_EQ(230, grid::fixedTabWidth(234, 1));
    EXPECT_EQ(0, grid::fixedTabWidth(234, 0));
    EXPECT_EQ(0, grid::fixedTabWidth(2, 1));
}

}  // namespace
