#include "figures/look_alike.h"

#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

FigureRecord Placed(std::initializer_list<Placement> placements) {
    FigureRecord record{};
    std::copy(placements.begin(), placements.end(), record.begin());
    return record;
}

// The 20 x 20 square laid on the square lattice, and the same picture on the
// 45-degree lattice and on an odd one, where the triangles are slightly smaller.
const FigureRecord Square = BigSquare(33, 18);
const FigureRecord Diamond = Placed({{45, 25, 2},
                                     {45, 21, 10},
                                     {52, 32, 2},
                                     {52, 28, 10},
                                     {38, 32, 2},
                                     {38, 28, 10},
                                     {45, 39, 2},
                                     {45, 35, 10}});
const FigureRecord OddSquare = Placed({{43, 26, 1},
                                       {41, 22, 9},
                                       {52, 29, 1},
                                       {50, 25, 9},
                                       {40, 35, 1},
                                       {38, 31, 9},
                                       {49, 38, 1},
                                       {47, 34, 9}});

// Four squares in a row; and the same row with the last triangle moved below
// the first square.
const FigureRecord Row = FigureOfSquares({{20, 25}, {30, 25}, {40, 25}, {50, 25}});
FigureRecord RowWithOneMoved() {
    FigureRecord moved = Row;
    moved[7] = Square10(20, 35)[1];
    return moved;
}

} // namespace

TEST(LookAlike, SharedTrianglesCountsThoseOnEachOtherAfterTheBestTurnMirrorAndShift) {
    EXPECT_EQ(SharedTriangles(Row, Shifted(Row, 3, -4)), 8);
    const FigureRecord moved = RowWithOneMoved();
    EXPECT_EQ(SharedTriangles(Row, moved), 7);
    // Mirrored left to right, the moved triangle sits under the other end.
    const auto mirrored = Reflected(moved, MirrorLine::Vertical);
    ASSERT_TRUE(mirrored);
    EXPECT_EQ(SharedTriangles(Row, Shifted(*mirrored, 2, 5)), 7);
    // Triangles, not silhouettes: with two squares cut along the other
    // diagonal, however it is turned, only the other two squares match.
    FigureRecord otherCut = Row;
    for (int block = 0; block < 2; ++block)
        for (int t = 0; t < 2; ++t)
            otherCut[2 * block + t] = Square10(20 + 10 * block, 25, true)[t];
    EXPECT_EQ(SharedTriangles(Row, otherCut), 4);
    EXPECT_LE(SharedTriangles(Row, Square), 4);
    // The same picture on the 45-degree lattice, turned back, is the same eight,
    // and on the odd lattice, whose triangles are a little smaller, too.
    EXPECT_EQ(SharedTriangles(Square, Diamond), 8);
    EXPECT_EQ(SharedTriangles(Square, OddSquare), 8);
    EXPECT_EQ(SharedTriangles(OddSquare, Diamond), 8);
}

TEST(LookAlike, EveryTurnAndMirrorIsTriedAndATriangleIsAlikeOnlyWithBothLegs) {
    // An L of four squares has no symmetry: each of its eight images is met
    // only by its own turn or mirror.
    const FigureRecord ell = FigureOfSquares({{25, 20}, {35, 20}, {45, 20}, {45, 30}});
    FigureRecord moved = ell;
    moved[7] = Square10(25, 30)[1];
    for (int s = 0; s < SymmetryCount; ++s) {
        const int* m = Symmetries[s];
        auto image = [&](const FigureRecord& figure) {
            FigureRecord out = figure;
            for (Placement& p : out) {
                const std::optional<int> o = MappedOrientation(p.Orient, m[0], m[1], m[2], m[3]);
                EXPECT_TRUE(o);
                // Shifted back onto positive grid points; the shift is free anyway.
                p = {static_cast<uint8_t>(m[0] * p.Col + m[1] * p.Row + 100),
                     static_cast<uint8_t>(m[2] * p.Col + m[3] * p.Row + 100),
                     static_cast<uint8_t>(o.value_or(0))};
            }
            return out;
        };
        EXPECT_EQ(SharedTriangles(ell, image(ell)), 8) << "symmetry " << s;
        EXPECT_EQ(SharedTriangles(ell, image(moved)), 7) << "symmetry " << s;
        EXPECT_GT(SilhouetteOverlap(ell, image(ell)), 0.999) << "symmetry " << s;
    }
    // Each triangle of the row flipped over its own horizontal leg keeps its
    // right-angle corner and that leg, yet no turn or shift lays more than four
    // of them on the row's.
    FigureRecord flipped = Row;
    for (int block = 0; block < 4; ++block) {
        flipped[2 * block] = {static_cast<uint8_t>(27 + 10 * block), 38, 12};
        flipped[2 * block + 1] = {static_cast<uint8_t>(23 + 10 * block), 22, 4};
    }
    EXPECT_EQ(SharedTriangles(Row, flipped), 4);
}

TEST(LookAlike, OverlapComparesSilhouettesOnAnyLattice) {
    EXPECT_NEAR(SilhouetteOverlap(Square, Shifted(Square, 5, 2)), 1.0, 1e-6);
    EXPECT_GT(SilhouetteOverlap(Square, Diamond), 0.98);
    EXPECT_GT(SilhouetteOverlap(Square, OddSquare), 0.98);
    // A 2 x 2 block laid over the middle of a 1 x 4 row: 2 of 6 squares.
    EXPECT_NEAR(SilhouetteOverlap(Square, Row), 1.0 / 3, 0.01);
    // One triangle of eight out of place: 7/9 at best, far from alike, so
    // not searched to the end.
    EXPECT_LT(SilhouetteOverlap(Row, RowWithOneMoved()), 7.0 / 9 + 1e-9);
}

TEST(LookAlike, ParadoxNamesAreFoundInAnyCase) {
    EXPECT_TRUE(IsParadoxName("Paradox monk"));
    EXPECT_TRUE(IsParadoxName("Monk (PARADOX)"));
    EXPECT_FALSE(IsParadoxName("Paradise bird"));
}

TEST(LookAlike, TheCollectionRulesNameTheLaterFigureAndSparePairsOfParadoxes) {
    const auto problems = CheckLookAlikes({Row, Square, RowWithOneMoved()}, {});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Figure, 3);
    EXPECT_EQ(problems[0].Rule, RuleNearCopy);
    EXPECT_EQ(FormatProblem(problems[0]),
              "figure 3: rule 9 (no near copy): shares 7 of its 8 triangles with figure 1");

    // The same picture on another lattice breaks both rules.
    const auto alike = CheckLookAlikes({Square, Row, OddSquare}, {"Square", "Row", "Tilted"});
    ASSERT_EQ(alike.size(), 2u);
    EXPECT_EQ(alike[1].Figure, 3);
    EXPECT_EQ(alike[1].Rule, RuleLookAlike);
    EXPECT_EQ(alike[1].Detail, "its outline and figure 1's overlap by 100 %");
    EXPECT_TRUE(
        CheckLookAlikes({Square, Row, OddSquare}, {"Paradox a", "Row", "Paradox b"}).empty());

    // A record off the board is rule 1's, the same region rule 5's.
    FigureRecord badTurn = Square;
    badTurn[0].Orient = 99;
    EXPECT_TRUE(CheckLookAlikes({Square, badTurn, Shifted(Square, 2, 0)}, {}).empty());

    // Three squares on three lattices and one with a triangle moved make six
    // pairs: the sixth paradox is one too many.
    FigureRecord oneMoved = Square;
    oneMoved[7] = Square10(53, 28)[0];
    const std::vector<FigureRecord> four = {Square, Diamond, OddSquare, oneMoved};
    const auto sixth = CheckLookAlikes(four, {"Paradox 1", "Paradox 2", "Paradox 3", "Paradox 4"});
    ASSERT_FALSE(sixth.empty());
    for (const RuleProblem& problem : sixth) {
        EXPECT_EQ(problem.Figure, 4);
        EXPECT_NE(problem.Detail.find("figure 3"), std::string::npos) << problem.Detail;
        EXPECT_NE(problem.Detail.find("(more than 5 paradox pairs)"), std::string::npos);
    }
}
