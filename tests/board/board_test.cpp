#include "board/board.h"
#include "board/orientation.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

namespace {

int CellsHolding(const Grid& grid, int value) {
    int n = 0;
    for (const auto& column : grid)
        for (uint8_t v : column)
            n += v == value;
    return n;
}

void Lay(BoardState& state, int t, Placement p) {
    state.Triangles[t] = p;
    AddTriangle(state, t);
}

} // namespace

TEST(Bounds, OrientationZeroFitsAnchorsSevenToEightyEightAndSevenToFiftyEight) {
    for (int col = -3; col <= 95; ++col)
        EXPECT_EQ(TriangleInBounds(col, 30, 0), col >= 7 && col <= 88) << col;
    for (int row = -3; row <= 65; ++row)
        EXPECT_EQ(TriangleInBounds(45, row, 0), row >= 7 && row <= 58) << row;
}

TEST(Bounds, EveryInBoundsAnchorFitsInAByte) {
    for (int o = 0; o < OrientationCount; ++o)
        for (int col = -20; col < 120; ++col)
            for (int row = -20; row < 90; ++row)
                if (TriangleInBounds(col, row, o)) {
                    ASSERT_TRUE(col >= 2 && col <= 89 && row >= 2 && row <= 59) << o;
                }
}

TEST(Bounds, OrientationsOutsideTheTablesAreRefused) {
    EXPECT_FALSE(TriangleInBounds(45, 30, 16));
    EXPECT_FALSE(TriangleInBounds(45, 30, -1));
    BoardState state;
    EXPECT_FALSE(TriangleFits(state, 45, 30, 255));
}

TEST(Fit, OnAnEmptyBoardFitIsTheBoundsTest) {
    BoardState state;
    for (int o = 0; o < OrientationCount; ++o)
        for (int col = -2; col <= 92; col += 3)
            for (int row = -2; row <= 62; row += 2)
                ASSERT_EQ(TriangleFits(state, col, row, o), TriangleInBounds(col, row, o));
}

TEST(Fit, TwoHalvesAlongTheDiagonalFillASquare) {
    BoardState state;
    Lay(state, 1, {20, 20, 0});
    ASSERT_TRUE(TriangleFits(state, 16, 16, 8));
    Lay(state, 2, {16, 16, 8});
    for (int c = 0; c < GridColumns; ++c)
        for (int r = 0; r < GridRows; ++r) {
            const bool inBlock = c >= 13 && c <= 22 && r >= 13 && r <= 22;
            EXPECT_EQ(state.Board[c][r], inBlock ? 64 : 0) << c << ", " << r;
        }
}

TEST(Fit, AFullCellRefusesEveryPiece) {
    BoardState state;
    Lay(state, 1, {20, 20, 0});
    ASSERT_EQ(state.Board[21][21], 64);
    // Every orientation, anchored so that any of its pieces lands on that cell.
    for (int o = 0; o < OrientationCount; ++o)
        for (int dx = BoxMinDX[o]; dx <= BoxMaxDX[o]; ++dx)
            for (int dy = BoxMinDY[o]; dy <= BoxMaxDY[o]; ++dy) {
                if (!MaskAt(o, dx, dy)) continue;
                EXPECT_FALSE(TriangleFits(state, 21 - dx, 21 - dy, o)) << o;
            }
}

TEST(Fit, OverlappingPiecesThatFormAListedPairAreAccepted) {
    // Find a cell where one orientation leaves a quarter (9) and another a seven-twelfths (41).
    BoardState state;
    state.Board[40][30] = 9;
    bool found = false;
    for (int o = 0; o < OrientationCount && !found; ++o)
        for (int dx = BoxMinDX[o]; dx <= BoxMaxDX[o] && !found; ++dx)
            for (int dy = BoxMinDY[o]; dy <= BoxMaxDY[o] && !found; ++dy)
                if (MaskAt(o, dx, dy) == 41) {
                    found = true;
                    EXPECT_TRUE(TriangleFits(state, 40 - dx, 30 - dy, o));
                    state.Triangles[1] = {static_cast<uint8_t>(40 - dx),
                                          static_cast<uint8_t>(30 - dy), static_cast<uint8_t>(o)};
                    AddTriangle(state, 1);
                    EXPECT_EQ(state.Board[40][30], 50);
                }
    EXPECT_TRUE(found);
}

TEST(Stamping, LiftingRestoresTheGridByteForByte) {
    BoardState state;
    for (const Placement& p : BigSquare(30, 20))
        StampPlacement(state.Board, p);
    const Grid before = state.Board;
    for (int o = 0; o < OrientationCount; ++o) {
        Lay(state, 3, {40, 31, static_cast<uint8_t>(o)});
        EXPECT_NE(state.Board, before);
        RemoveTriangle(state, 3);
        EXPECT_EQ(state.Board, before) << o;
    }
}

TEST(Stamping, AddsPieceCodesWhereTrianglesShareACell) {
    BoardState state;
    StampPlacement(state.Board, {20, 20, 0});
    EXPECT_EQ(CellsHolding(state.Board, 29), 10);
    StampPlacement(state.Board, {16, 16, 8});
    EXPECT_EQ(CellsHolding(state.Board, 29), 0);
    EXPECT_EQ(CellsHolding(state.Board, 64), 100);
}

TEST(Covers, AnEdgeCoversWhateverTheRoundingAndItsLineBeyondCoversNothing) {
    const Placement p{20, 20, 0};                         // corners (13, 23), (23, 23), (23, 13)
    EXPECT_TRUE(TriangleCovers(p, {13.09925, 22.90075})); // on the long side, rounded
    EXPECT_TRUE(TriangleCovers(p, {23, 18}));
    EXPECT_TRUE(TriangleCovers(p, {20, 20}));
    EXPECT_FALSE(TriangleCovers(p, {30.5, 5.5})); // on the long side's line, beyond it
    EXPECT_FALSE(TriangleCovers(p, {23.001, 18}));
}
