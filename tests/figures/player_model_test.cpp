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

TEST(PlayerModel, TurningToTheOddSlopesCostsMore) {
    // The same square laid with triangles turned about 18 degrees: each costs
    // half a put-down more, and only those triangles are taken up.
    const FigureRecord odd = {Placement{43, 26, 1}, {41, 22, 9}, {52, 29, 1}, {50, 25, 9},
                              {40, 35, 1},          {38, 31, 9}, {49, 38, 1}, {47, 34, 9}};
    const PlayerEffort effort = SimulatePlayer(odd, 8, 7);
    EXPECT_EQ(effort.SolvedShare, 1.0);
    EXPECT_GE(effort.MeanEffort, 12.0);
}
