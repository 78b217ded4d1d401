#include "figures/difficulty.h"

#include "figures/figure_source.h"
#include "figures/solver.h"
#include "support/figure_files.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

FigureRecord Shipped(const std::string& name) {
    FigureSource source;
    std::string text, error;
    EXPECT_TRUE(ReadTextFile(FIGURE_SOURCE, text));
    EXPECT_TRUE(ParseFigureSource(text, source, error)) << error;
    for (const SourceFigure& figure : source.Figures)
        if (figure.Name == name) return figure.Record;
    ADD_FAILURE() << name << " is not in the collection";
    return {};
}

// The 20 x 20 square laid again on the 45-degree lattice and on an odd one:
// one picture, so the collection holds only the first.
const FigureRecord Diamond = {Placement{45, 25, 2}, {45, 21, 10}, {52, 32, 2}, {52, 28, 10},
                              {38, 32, 2},          {38, 28, 10}, {45, 39, 2}, {45, 35, 10}};
const FigureRecord TiltedSquare = {Placement{43, 26, 1}, {41, 22, 9}, {52, 29, 1}, {50, 25, 9},
                                   {40, 35, 1},          {38, 31, 9}, {49, 38, 1}, {47, 34, 9}};

} // namespace

TEST(Difficulty, OutlineSearchFindsTheArrangementsTheSolverFinds) {
    for (const FigureRecord& figure : {BigSquare(), SoundHouse()}) {
        const Difficulty d = RateDifficulty(figure);
        EXPECT_TRUE(d.Complete);
        EXPECT_EQ(d.Arrangements, SolveFigure(figure).Arrangements);
        EXPECT_GE(d.OutlineNodes, d.Arrangements * TriangleCount);
    }
}

TEST(Difficulty, StraightEdgesCostNothingAndEveryCutCellSomething) {
    const Difficulty square = RateDifficulty(BigSquare());
    EXPECT_EQ(square.CutCells, 0);
    const Difficulty house = RateDifficulty(SoundHouse());
    EXPECT_EQ(house.CutCells, 20); // the two slopes of the roof
    EXPECT_NEAR(house.Score,
                std::log2(double(house.OutlineNodes) / house.Arrangements) + 20 * EdgeBits, 1e-9);
}

TEST(Difficulty, TurnedTrianglesMakeTheSameShapeHarder) {
    const double square = RateDifficulty(Shipped("Square")).Score;
    const double diamond = RateDifficulty(Diamond).Score;
    const double tilted = RateDifficulty(TiltedSquare).Score;
    EXPECT_LT(square, diamond);
    EXPECT_LT(diamond, tilted);
    EXPECT_EQ(TurnBits(4), 0.0);
    EXPECT_EQ(TurnBits(6), DiagonalTurnBits);
    EXPECT_EQ(TurnBits(13), OddTurnBits);
}

TEST(Difficulty, ForAPlayerHiddenEdgesAndTurnsMakeAFigureHard) {
    // The big square hides its diagonals and inner sides: 4 x 2 x 14.14 + 4 x 2 x 10
    // of 8 x 34.14.
    const PlayerDifficulty square = RateForPlayer(BigSquare());
    EXPECT_NEAR(square.HiddenShare, std::sqrt(0.5), 1e-9);
    EXPECT_EQ(square.Class, 0);
    EXPECT_EQ(square.Ways, 16);
    EXPECT_EQ(square.CutCells, 0);
    // The house shows its roof's slopes, and they must be matched.
    const PlayerDifficulty house = RateForPlayer(SoundHouse());
    EXPECT_LT(house.HiddenShare, square.HiddenShare);
    EXPECT_EQ(house.CutCells, 20);
    EXPECT_LT(square.Score, 1.0);

    // Every class lies above the one before, whatever the figure.
    const double s = RateForPlayer(Shipped("Square")).Score;
    const double diamond = RateForPlayer(Diamond).Score;
    const double tilted = RateForPlayer(TiltedSquare).Score;
    const double star = RateForPlayer(Shipped("Four-pointed star")).Score;
    EXPECT_LT(s, 1.0);
    EXPECT_GE(diamond, 1.0);
    EXPECT_LT(diamond, 2.0);
    EXPECT_GE(tilted, 2.0);
    EXPECT_GE(star, 3.0);
    EXPECT_EQ(OrientationClass(Shipped("Four-pointed star")), 3);
}
