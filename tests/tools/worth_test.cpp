#include "worth.h"

#include "figures/figure_rules.h"
#include "figures/look_alike.h"
#include "support/figure_files.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Four 10 x 10 squares with the given top-left grid points.
FigureRecord Squares(std::initializer_list<std::pair<int, int>> corners) {
    std::vector<Placement> p;
    for (auto [x, y] : corners)
        AddSquare(p, x, y);
    return ToRecord(p);
}

TEST(Worth, ASquareBlockIsDullWithWholeStretchesAndADiagonalNeck) {
    const FigureWorth w = JudgeWorth(BigSquare());
    EXPECT_TRUE(w.Dull);
    EXPECT_DOUBLE_EQ(w.ShortestStretch, 2); // every side is 20 cells, two legs
    // The cheapest cut takes one corner triangle off along its long side.
    EXPECT_NEAR(w.NarrowestNeck, std::sqrt(2.0), 1e-9);
    EXPECT_FALSE(w.Nick());
    EXPECT_FALSE(w.Neck());
}

TEST(Worth, HalfSquareStepsAreNoNickButHalfEdgeJointsAreNecks) {
    const FigureWorth w = JudgeWorth(Squares({{30, 10}, {35, 20}, {40, 30}, {45, 40}}));
    EXPECT_FALSE(w.Dull);
    EXPECT_DOUBLE_EQ(w.ShortestStretch, 0.5);
    EXPECT_FALSE(w.Nick());
    EXPECT_DOUBLE_EQ(w.NarrowestNeck, 0.5);
    EXPECT_TRUE(w.Neck());
}

TEST(Worth, AStepOfThreeCellsIsANickAndAWholeSideIsNoNeck) {
    // A bar of three squares with a fourth hung under it three cells in.
    const FigureWorth w = JudgeWorth(Squares({{30, 20}, {40, 20}, {50, 20}, {33, 30}}));
    EXPECT_FALSE(w.Dull);
    EXPECT_NEAR(w.ShortestStretch, 0.3, 1e-9);
    EXPECT_TRUE(w.Nick());
    EXPECT_DOUBLE_EQ(w.NarrowestNeck, 1);
    EXPECT_FALSE(w.Neck());
}

TEST(Worth, AnAllButConvexBarIsDullAndAnLIsNot) {
    // Four squares in a row, the last two cells lower: not convex, but the
    // step leaves a sliver of its hull, and the eye sees a bar with a nick.
    const FigureWorth bar = JudgeWorth(Squares({{30, 20}, {40, 20}, {50, 20}, {60, 22}}));
    EXPECT_TRUE(bar.Dull);
    EXPECT_TRUE(bar.Nick());
    // An L covers four fifths of its hull: a letter, not a blob.
    const FigureWorth l = JudgeWorth(Squares({{30, 10}, {30, 20}, {30, 30}, {40, 30}}));
    EXPECT_FALSE(l.Dull);
    EXPECT_FALSE(l.Nick());
}

// The 20 x 20 square; `flipped` lays its last quarter along the other diagonal.
FigureRecord Block(bool flipped) {
    std::vector<Placement> p;
    for (auto [x, y] : {std::pair{30, 20}, {40, 20}, {30, 30}, {40, 30}}) {
        const bool other = flipped && x == 40 && y == 30;
        for (const Placement& t : Square10(x, y, other))
            p.push_back(t);
    }
    return ToRecord(p);
}

TEST(Worth, ACollectionCountsNearPairsAndGroupsOnePictureAsASeries) {
    const FigureRecord stairs = Squares({{30, 10}, {35, 20}, {40, 30}, {45, 40}});
    const CollectionWorth w = JudgeCollectionWorth({Block(false), stairs, Block(true)});
    ASSERT_EQ(w.Figures.size(), 3u);
    EXPECT_TRUE(w.Figures[0].Dull);
    EXPECT_FALSE(w.Figures[1].Dull);
    // One outline cut two ways shares six triangles and overlaps whole; the
    // stairs are like neither.
    EXPECT_EQ(w.SharingPairs, 1);
    EXPECT_EQ(w.NearPairs, 1);
    ASSERT_EQ(w.Series.size(), 1u);
    EXPECT_EQ(w.Series[0], (std::vector<int>{0, 2}));
}

TEST(Worth, MendingMovesTrianglesUntilTheFigureIsWorthLayingOnItsOwnTurns) {
    // Squares on half steps hang together by half edges: necked.
    const FigureRecord stairs = Squares({{30, 10}, {35, 20}, {40, 30}, {45, 40}});
    const std::optional<FigureRecord> mended = MendFigure(stairs, 2);
    ASSERT_TRUE(mended.has_value());
    const FigureWorth w = JudgeWorth(*mended);
    EXPECT_FALSE(w.Dull || w.Nick() || w.Neck());
    EXPECT_TRUE(CheckFigure(1, *mended).empty());
    for (const Placement& p : *mended)
        EXPECT_EQ(p.Orient % 4, 0) << "a square figure stays on the square lattice";
    // Two of eight triangles moved: it still covers about half of the stairs.
    EXPECT_GE(SilhouetteOverlap(stairs, *mended), 0.45);
}

TEST(Worth, AMendCanBeTurnedDownAndStandsApartFromAllButItself) {
    const FigureRecord stairs = Squares({{30, 10}, {35, 20}, {40, 30}, {45, 40}});
    const std::optional<FigureRecord> plain = MendFigure(stairs, 2);
    ASSERT_TRUE(plain.has_value());
    // A figure is never apart from itself, but its own number is passed over.
    EXPECT_FALSE(StandsApart(*plain, {stairs, *plain}, -1));
    EXPECT_TRUE(StandsApart(*plain, {stairs, *plain}, 1));
    // Turned down, the closest mend gives way to the next closest.
    const std::optional<FigureRecord> apart =
        MendFigure(stairs, 2, [&](const FigureRecord& r) { return r != *plain; });
    ASSERT_TRUE(apart.has_value());
    EXPECT_NE(*apart, *plain);
    EXPECT_LE(SilhouetteOverlap(stairs, *apart), SilhouetteOverlap(stairs, *plain));
    const FigureWorth w = JudgeWorth(*apart);
    EXPECT_FALSE(w.Dull || w.Nick() || w.Neck());
    EXPECT_FALSE(MendFigure(stairs, 2, [](const FigureRecord&) { return false; }).has_value());
}

} // namespace
