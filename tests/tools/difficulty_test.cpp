#include "difficulty.h"

#include "figure_source.h"
#include "figures_fixture.h"
#include "solver.h"

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
    const double diamond = RateDifficulty(Shipped("Diamond")).Score;
    const double tilted = RateDifficulty(Shipped("Tilted square")).Score;
    EXPECT_LT(square, diamond);
    EXPECT_LT(diamond, tilted);
    EXPECT_EQ(TurnBits(4), 0.0);
    EXPECT_EQ(TurnBits(6), DiagonalTurnBits);
    EXPECT_EQ(TurnBits(13), OddTurnBits);
}
