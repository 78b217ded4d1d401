#include "board/scaling.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleBoard, DesignSizeGivesUnitFourCentred) {
    const BoardGeometry g = ScaleBoard(660, 350, 33, 17);
    EXPECT_EQ(g.Unit, 4);
    EXPECT_EQ(g.Left, 148);
    EXPECT_EQ(g.Top, 61);
    EXPECT_EQ(g.Width, 365);
    EXPECT_EQ(g.Height, 245);
}

TEST(ScaleBoard, WideAndLowIsLimitedByHeightAndCentredAcross) {
    const BoardGeometry g = ScaleBoard(1900, 50 + 63 * 5 + 10, 33, 17);
    EXPECT_EQ(g.Unit, 5);
    EXPECT_EQ(g.Left, (1900 - 455) / 2);
    EXPECT_EQ(g.Top, 33 + (63 * 5 + 10 - 305) / 2);
}

TEST(ScaleBoard, TallAndNarrowIsLimitedByWidthAndCentredBetweenToolbarAndBanner) {
    const BoardGeometry g = ScaleBoard(93 * 3 + 2, 1000, 33, 17);
    EXPECT_EQ(g.Unit, 3);
    EXPECT_EQ(g.Left, (281 - 273) / 2);
    EXPECT_EQ(g.Top, 33 + (950 - 183) / 2);
    EXPECT_EQ(g.Width, 274);
    EXPECT_EQ(g.Height, 184);
}

TEST(ScaleBoard, FullHdMaximisedWindow) {
    const BoardGeometry g = ScaleBoard(1920, 1050, 33, 17);
    EXPECT_EQ(g.Unit, 15);
    EXPECT_EQ(g.Width, 1366);
    EXPECT_EQ(g.Height, 916);
}

} // namespace
