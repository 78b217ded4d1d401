#include "reading.h"

#include "support/figure_files.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(Reading, TheSquareBlockHasSixteenCutsFourSidesAndNoSeams) {
    const FigureReading r = ReadFigure(BigSquare());
    EXPECT_EQ(r.Cuts, 16);
    EXPECT_EQ(r.Stretches, 4);
    EXPECT_DOUBLE_EQ(r.Seams, 0);
    EXPECT_EQ(r.Hidden, 0);
    EXPECT_FALSE(r.OddTurn);
    EXPECT_EQ(r.Square, 8);
    EXPECT_EQ(r.Slanted, 0);
    // All square: none of the terms, whatever the cuts.
    EXPECT_DOUBLE_EQ(ReadingEffort(r, {1, 10, 10, 0.5}), 1);
}

TEST(Reading, SpearmanRanksTiesByTheirMean) {
    EXPECT_DOUBLE_EQ(Spearman({1, 2, 3}, {10, 20, 35}), 1);
    EXPECT_DOUBLE_EQ(Spearman({1, 2, 3}, {3, 2, 1}), -1);
    EXPECT_NEAR(Spearman({1, 1, 2}, {1, 2, 3}), 1.5 / std::sqrt(3.0), 1e-12);
    EXPECT_EQ(Spearman({1, 1}, {1, 2}), 0);
    EXPECT_EQ(Spearman({1}, {1}), 0);
}

TEST(Reading, TrialEffortAveragesActionsAndCountsAGiveUpAsTheLimitAtLeast) {
    int skipped = -1;
    // Columns found by name, in whatever order the header gives them.
    const auto effort =
        TrialEffort("trial\tkind\tplayer\tfigure\toutcome\tactions\tputdowns\n"
                    "a\ttrial\tp1\t7\tsolved\t60\t10\n"
                    "b\ttrial\tp2\t7\tgaveup\t90\t12\n"
                    "c\tpilot\tme\t7\tsolved\t30\t8\n"   // a pilot run is no trial
                    "d\ttrial\tp3\t9\tabandoned\t5\t1\n" // neither solved nor given up
                    "e\ttrial\tp3\tnine\tsolved\t5\t1\n" // no figure number
                    "f\ttrial\tp3\t300\tsolved\t5\t1\n"  // no such figure
                    "g\ttrial\tp3\t8\tsolved\n"          // no count
                    "h\ttrial\tp4\t7\tgaveup\t0\t0\n",   // given up before trying
                    skipped);
    ASSERT_EQ(effort.size(), 1u);
    EXPECT_DOUBLE_EQ(effort.at(7), (60 + GivenUpActions) / 2.0);
    EXPECT_EQ(skipped, 6);
}

TEST(Reading, TheFitRecoversWeightsThatMadeTheEffort) {
    const ReadingWeights truth{5, 2, 0.25, 1.5};
    std::vector<FigureReading> readings;
    std::vector<double> effort;
    for (int i = 0; i < 12; ++i) {
        const int square = (i % 3) * 4;
        const FigureReading r{1L << (i % 5), (i * 7 % 4) * 0.5, i % 3, 4 + i * 5 % 11, false,
                              square,        8 - square};
        readings.push_back(r);
        effort.push_back(ReadingEffort(r, truth));
    }
    const ReadingWeights fitted = FitReading(readings, effort);
    for (int k = 0; k <= ReadingFeatures; ++k)
        EXPECT_NEAR(fitted[k], truth[k], 1e-3) << k;
    // Effort the terms make exactly ranks the same on every held-out third.
    const std::vector<double> splits = SplitCorrelations(readings, effort, 10, 3);
    ASSERT_EQ(splits.size(), 10u);
    EXPECT_NEAR(splits.front(), 1, 1e-9);
    EXPECT_TRUE(SplitCorrelations({readings[0], readings[1]}, {1, 2}, 10, 3).empty());
    // Too few figures to fit: the guess stays.
    EXPECT_EQ(FitReading({}, {}), GuessedWeights);
}

} // namespace
