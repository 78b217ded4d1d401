#include "board/scaling.h"

#include <gtest/gtest.h>

#include <cfenv>

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

TEST(ScaleBoard, AWidthJustUnderWholeUnitsGivesTheSmallerUnit) {
    EXPECT_EQ(ScaleBoard(93 * 5 - 1, 1000, 33, 17).Unit, 4);
    EXPECT_EQ(ScaleBoard(93 * 5, 1000, 33, 17).Unit, 5);
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(102.5), 102);
    EXPECT_EQ(RoundHalfEven(307.5), 308);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(410.0), 410);
}

TEST(RoundHalfEven, IgnoresTheFloatingPointRoundingMode) {
    const int mode = std::fegetround();
    for (int direction : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(direction);
        EXPECT_EQ(RoundHalfEven(0.5), 0) << direction;
        EXPECT_EQ(RoundHalfEven(2.6), 3) << direction;
        EXPECT_EQ(RoundHalfEven(-2.5), -2) << direction;
        EXPECT_EQ(RoundHalfEven(-1.4), -1) << direction;
    }
    std::fesetround(mode);
}
