#include "figures/player_model.h"

#include "support/test_figures.h"

#include <gtest/gtest.h>

namespace {

FigureRecord OtherCutSquare() {
    FigureRecord figure{};
    for (int block = 0; block < 4; ++block)
        for (int t = 0; t < 2; ++t)
            figure[2 * block + t] = Square10(33 + block % 2 * 10, 18 + block / 2 * 10, true)[t];
    return figure;
}

} // namespace

TEST(PlayerModel, RunsAreFixedBySeedAndSeeOnlyTheSilhouette) {
    const PlayerEffort square = SimulatePlayer(BigSquare(33, 18), 8, 7);
    EXPECT_EQ(square.MeanEffort, SimulatePlayer(BigSquare(33, 18), 8, 7).MeanEffort);
    // The same silhouette cut the other way is the same puzzle to the player.
    EXPECT_EQ(square.MeanEffort, SimulatePlayer(OtherCutSquare(), 8, 7).MeanEffort);
    EXPECT_EQ(square.MeanEffort, SimulatePlayer(Shifted(BigSquare(33, 18), 4, 3), 8, 7).MeanEffort);
    EXPECT_EQ(square.SolvedShare, 1.0);
    EXPECT_GE(square.MeanEffort, 8.0);
}

TEST(PlayerModel, PlainSquaresAreLaidFromTheCornersAndEasierThanSlantedOnes) {
    // A person puts triangles into the corners and along the edges of a plain
    // square or bar and is done in barely more than eight put-downs.
    const PlayerEffort square = SimulatePlayer(BigSquare(33, 18));
    const PlayerEffort bar =
        SimulatePlayer(FigureOfSquares({{30, 20}, {40, 20}, {50, 20}, {60, 20}}));
    EXPECT_LE(square.MeanEffort, 9.0);
    EXPECT_LE(bar.MeanEffort, 9.0);
    // A rectangle of 45-degree triangles, their long sides along the outline:
    // no square triangle goes into its corners, since one would leave a piece
    // of the short edge that no side fits and an area too large. Only turning
    // the triangles makes it harder than the square.
    const FigureRecord rectangle = {Placement{43, 30, 6}, {47, 30, 14}, {38, 35, 10}, {52, 35, 10},
                                    {38, 25, 2},          {52, 25, 2},  {57, 30, 6},  {33, 30, 14}};
    const PlayerEffort slanted = SimulatePlayer(rectangle);
    EXPECT_EQ(slanted.SolvedShare, 1.0);
    EXPECT_LE(slanted.MeanEffort, 11.0);
    EXPECT_GT(slanted.MeanEffort, square.MeanEffort);
}

TEST(PlayerModel, TurningToTheOddSlopesCostsMore) {
    // The same square laid with triangles turned about 18 degrees: each costs
    // half a put-down more, and only those triangles are taken up.
    const FigureRecord odd = {Placement{43, 26, 1}, {41, 22, 9}, {52, 29, 1}, {50, 25, 9},
                              {40, 35, 1},          {38, 31, 9}, {49, 38, 1}, {47, 34, 9}};
    const PlayerEffort effort = SimulatePlayer(odd, 8, 7);
    EXPECT_EQ(effort.SolvedShare, 1.0);
    EXPECT_GE(effort.MeanEffort, 12.0);
}

TEST(PlayerModel, SnappingToTheOutlineDoesNotGiveAwayHiddenSeams) {
    // A pinwheel, four slanted blades around a square of square triangles: its
    // outline's corners offer many a wrong start, so it stays hard.
    const FigureRecord star = {Placement{42, 27, 0}, {48, 27, 4},  {42, 33, 12}, {48, 33, 8},
                               {50, 20, 6},          {55, 35, 10}, {40, 40, 14}, {35, 25, 2}};
    const PlayerEffort hidden = SimulatePlayer(star);
    EXPECT_EQ(hidden.SolvedShare, 1.0);
    EXPECT_GE(hidden.MeanEffort, 4 * SimulatePlayer(BigSquare(33, 18)).MeanEffort);
    // Steps half a square apart: every corner the eye snaps to is a right one.
    const FigureRecord staircase = {Placement{40, 17, 0}, {36, 13, 8}, {45, 27, 0}, {41, 23, 8},
                                    {50, 37, 0},          {46, 33, 8}, {55, 47, 0}, {51, 43, 8}};
    EXPECT_LE(SimulatePlayer(staircase).MeanEffort, 8.5);
}
