#include "game/statistics.h"

#include <gtest/gtest.h>

namespace {

GameData WithProgress(int count, std::initializer_list<uint8_t> bytes) {
    GameData data;
    data.FigureCount = count;
    int i = 1;
    for (uint8_t b : bytes)
        data.Progress[i++] = b;
    return data;
}

ProgressSummary Finished(std::array<int, HelpCategoryCount> helpCounts) {
    ProgressSummary summary;
    summary.HelpCounts = helpCounts;
    for (int n : helpCounts)
        summary.Finished += n;
    return summary;
}

} // namespace

TEST(SummarizeProgress, CountsOnlyFinishedFiguresByHelpAndPoints) {
    // solved without help, after 1 and 3 helps, given up, and two unfinished with help
    const GameData data = WithProgress(8, {8, 9, 11, 12, 0, 3, 0, 0});
    const ProgressSummary s = SummarizeProgress(data);
    EXPECT_EQ(s.Count, 8);
    EXPECT_EQ(s.Finished, 4);
    EXPECT_EQ(s.HelpCounts, (std::array<int, 5>{1, 1, 0, 1, 1}));
    EXPECT_EQ(s.Points, 4 + 3 + 1 + 0);
}

TEST(SummarizeProgress, IgnoresBytesBeyondTheCollectionAndUnusedBits) {
    const GameData data = WithProgress(2, {8 | 16, 128, 8});
    const ProgressSummary s = SummarizeProgress(data);
    EXPECT_EQ(s.Finished, 1);
    EXPECT_EQ(s.Points, 4);
}

TEST(SummarizeProgress, TakesADamagedHelpCountAsGivenUp) {
    const ProgressSummary s = SummarizeProgress(WithProgress(2, {8 + 7, 8 + 5}));
    EXPECT_EQ(s.HelpCounts[4], 2);
    EXPECT_EQ(s.Points, 0);
}

TEST(WholePercent, TruncatesAndSurvivesAnEmptyMaximum) {
    EXPECT_EQ(WholePercent(1, 3), 33);
    EXPECT_EQ(WholePercent(2, 3), 66);
    EXPECT_EQ(WholePercent(888, 888), 100);
    EXPECT_EQ(WholePercent(0, 0), 0);
}

TEST(CategoryBands, NothingFinishedDrawsNothing) {
    for (const CategoryBand& band : CategoryBands(Finished({0, 0, 0, 0, 0})))
        EXPECT_FALSE(band.Drawn);
}

TEST(CategoryBands, OneSolvedFigureIsOneGreenBandOverColumns0To410) {
    const auto bands = CategoryBands(Finished({1, 0, 0, 0, 0}));
    EXPECT_TRUE(bands[0].Drawn);
    EXPECT_EQ(bands[0].Start, 0);
    EXPECT_EQ(bands[0].End, 411); // last column 410
    for (int k = 1; k < 5; ++k)
        EXPECT_FALSE(bands[k].Drawn) << k;
}

TEST(CategoryBands, EqualShareOfTwoCategoriesSplitsAt206) {
    const auto bands = CategoryBands(Finished({1, 1, 0, 0, 0}));
    EXPECT_EQ(bands[0].Start, 0);
    EXPECT_EQ(bands[0].End, 206);
    EXPECT_EQ(bands[1].Start, 206);
    EXPECT_EQ(bands[1].End, 412);
}

TEST(CategoryBands, AllGivenUpStartsFourColumnsRightAndEndsAt410) {
    const auto bands = CategoryBands(Finished({0, 0, 0, 0, 7}));
    EXPECT_TRUE(bands[4].Drawn);
    EXPECT_EQ(bands[4].Start, 4);
    EXPECT_EQ(bands[4].End, 410);
}

TEST(CategoryBands, SharesOfExactlyHalfAColumnRoundToEven) {
    // scale 102.5: one figure rounds down to 102, three figures up to 308
    const auto bands = CategoryBands(Finished({1, 3, 0, 0, 0}));
    EXPECT_EQ(bands[0].End, 103);
    EXPECT_EQ(bands[1].End, 103 + 308 + 1);
}

TEST(CategoryBands, GivenUpBandThatStartsPastTheBarIsNotDrawn) {
    const auto bands = CategoryBands(Finished({999, 0, 0, 0, 1}));
    EXPECT_EQ(bands[0].End, 411);
    EXPECT_GT(bands[4].Start, bands[4].End);
    EXPECT_FALSE(bands[4].Drawn);
}

TEST(StatisticsGameName, DropsTheLastFourCharactersOfTheFileName) {
    EXPECT_EQ(StatisticsGameName("/home/p/games/abcdefgh.ftg"), "abcdefgh");
    EXPECT_EQ(StatisticsGameName("plain.ftg"), "plain");
    EXPECT_EQ(StatisticsGameName("/a.dir/b.ftg"), "b");
}

TEST(StatisticsGameName, IsEmptyForShortOrMissingNames) {
    EXPECT_EQ(StatisticsGameName(""), "");
    EXPECT_EQ(StatisticsGameName("/games/.ftg"), "");
    EXPECT_EQ(StatisticsGameName("/games/ab"), "");
}

TEST(StatisticsGameName, CountsCharactersNotBytes) {
    EXPECT_EQ(StatisticsGameName("/g/spiel.\xC3\xA4\xC3\xB6\xC3\xBC"), "spiel");
    EXPECT_EQ(StatisticsGameName("/g/Gr\xC3\xBC\xC3\x9F.ftg"), "Gr\xC3\xBC\xC3\x9F");
}
