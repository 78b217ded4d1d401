#include "board/orientation.h"
#include "board/exact_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

struct Coverage {
    int whole = 0, partial = 0;
};

Coverage CoverageOf(int o) {
    Coverage c;
    for (int dx = MaskMin; dx < MaskMin + MaskSpan; ++dx)
        for (int dy = MaskMin; dy < MaskMin + MaskSpan; ++dy) {
            const int m = MaskAt(o, dx, dy);
            if (m == 64)
                ++c.whole;
            else if (m)
                ++c.partial;
        }
    return c;
}

} // namespace

TEST(CellMask, EveryEntryEqualsExactClippingOfTheTriangle) {
    for (int o = 0; o < OrientationCount; ++o)
        for (int j = MaskMin; j < MaskMin + MaskSpan; ++j)
            for (int i = MaskMin; i < MaskMin + MaskSpan; ++i)
                ASSERT_EQ(MaskAt(o, i, j), ExactCellMask(o, i, j))
                    << "orientation " << o << " cell (" << i << ", " << j << ")";
}

TEST(CellMask, CoverageCountsDependOnTheOrientationFamily) {
    for (int o = 0; o < OrientationCount; ++o) {
        const Coverage c = CoverageOf(o);
        if (o % 4 == 0) {
            EXPECT_EQ(c.whole, 45) << o;
            EXPECT_EQ(c.partial, 10) << o;
        } else if (o % 2 == 0) {
            EXPECT_EQ(c.whole, 42) << o;
            EXPECT_EQ(c.partial, 14) << o;
        } else {
            EXPECT_EQ(c.whole, 31) << o;
            EXPECT_EQ(c.partial, 29) << o;
        }
    }
}

TEST(CellMask, OrientationZeroIsAStaircaseOfHalvesOverWholeCells) {
    for (int i = MaskMin; i < MaskMin + MaskSpan; ++i)
        for (int j = MaskMin; j < MaskMin + MaskSpan; ++j) {
            int expected = 0;
            if (i <= 2 && j <= 2 && i + j >= -4) expected = 64;
            if (i <= 2 && j <= 2 && i + j == -5) expected = 29;
            EXPECT_EQ(MaskAt(0, i, j), expected) << i << ", " << j;
        }
}

TEST(CellMask, OrientationTwoRowsRunFromHalfToHalf) {
    for (int j = -2; j <= 4; ++j)
        for (int i = MaskMin; i < MaskMin + MaskSpan; ++i) {
            int expected = 0;
            if (i == j - 5)
                expected = 30;
            else if (i == 4 - j)
                expected = 35;
            else if (i > j - 5 && i < 4 - j)
                expected = 64;
            EXPECT_EQ(MaskAt(2, i, j), expected) << i << ", " << j;
        }
}

TEST(CellMask, OrientationOneRowsAsDrawnByHand) {
    const std::vector<std::pair<int, std::vector<int>>> rows = {
        {3, {11, 54}},
        {1, {11, 55, 64, 24}},
        {-1, {11, 55, 64, 64, 64, 2}},
        {-3, {11, 55, 64, 64, 64, 64, 63}},
        {-5, {11, 55, 64, 64, 64, 64, 64, 64, 24}},
        {-7, {11, 55, 64, 64, 64, 64, 64, 64, 64, 64, 2}},
        {-7, {5, 39, 56, 64, 64, 64, 64, 64, 64, 63}},
        {-4, {5, 39, 56, 64, 64, 64, 24}},
        {-1, {5, 39, 56, 2}},
    };
    for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
        const int j = k - 5;
        const auto& [first, codes] = rows[k];
        for (int i = MaskMin; i < MaskMin + MaskSpan; ++i) {
            const int n = i - first;
            const int expected = n >= 0 && n < static_cast<int>(codes.size()) ? codes[n] : 0;
            EXPECT_EQ(MaskAt(1, i, j), expected) << "row " << j << " column " << i;
        }
    }
    EXPECT_EQ(MaskAt(1, 0, 0), 64);
}

TEST(Vertices, AQuarterTurnClockwiseAddsFourToTheOrientation) {
    for (int o = 0; o < OrientationCount; ++o)
        for (int k = 0; k < 3; ++k) {
            const int turned = (o + 4) % OrientationCount;
            EXPECT_EQ(VertexDX[k][turned], -VertexDY[k][o]) << o << " vertex " << k;
            EXPECT_EQ(VertexDY[k][turned], VertexDX[k][o]) << o << " vertex " << k;
        }
}

TEST(Vertices, BaseOrientationsHaveTheGivenLegs) {
    const int legs[4][4] = {{-10, 0, 0, -10}, {-9, -3, 3, -9}, {-7, -7, 7, -7}, {-3, -9, 9, -3}};
    for (int o = 0; o < 4; ++o) {
        EXPECT_EQ(VertexDX[0][o] - VertexDX[1][o], legs[o][0]) << o;
        EXPECT_EQ(VertexDY[0][o] - VertexDY[1][o], legs[o][1]) << o;
        EXPECT_EQ(VertexDX[2][o] - VertexDX[1][o], legs[o][2]) << o;
        EXPECT_EQ(VertexDY[2][o] - VertexDY[1][o], legs[o][3]) << o;
    }
}

TEST(Vertices, RunCounterClockwiseOnTheScreenAroundTheAnchor) {
    for (int o = 0; o < OrientationCount; ++o) {
        ExactPolygon triangle;
        for (int k = 0; k < 3; ++k)
            triangle.push_back({Fraction(VertexDX[k][o]), Fraction(VertexDY[k][o])});
        // y grows downwards, so a counter-clockwise turn on the screen has a negative shoelace sum.
        EXPECT_LT(DoubleArea(triangle).Sign(), 0) << o;
        // The anchor lies inside: every edge keeps it on the same side.
        for (int k = 0; k < 3; ++k) {
            const ExactPoint a = triangle[k], b = triangle[(k + 1) % 3];
            const Fraction cross =
                (b.x - a.x) * (Fraction(0) - a.y) - (b.y - a.y) * (Fraction(0) - a.x);
            EXPECT_LT(cross.Sign(), 0) << o << " edge " << k;
        }
    }
}

TEST(BoundingBox, IsTheTightRangeOfCoveredCells) {
    for (int o = 0; o < OrientationCount; ++o) {
        const int minX = std::min({VertexDX[0][o], VertexDX[1][o], VertexDX[2][o]});
        const int maxX = std::max({VertexDX[0][o], VertexDX[1][o], VertexDX[2][o]}) - 1;
        const int minY = std::min({VertexDY[0][o], VertexDY[1][o], VertexDY[2][o]});
        const int maxY = std::max({VertexDY[0][o], VertexDY[1][o], VertexDY[2][o]}) - 1;
        EXPECT_EQ(BoxMinDX[o], minX);
        EXPECT_EQ(BoxMaxDX[o], maxX);
        EXPECT_EQ(BoxMinDY[o], minY);
        EXPECT_EQ(BoxMaxDY[o], maxY);
        int coveredOutside = 0;
        bool firstCol = false, lastCol = false, firstRow = false, lastRow = false;
        for (int i = MaskMin; i < MaskMin + MaskSpan; ++i)
            for (int j = MaskMin; j < MaskMin + MaskSpan; ++j) {
                if (!MaskAt(o, i, j)) continue;
                if (i < minX || i > maxX || j < minY || j > maxY) ++coveredOutside;
                firstCol |= i == minX, lastCol |= i == maxX, firstRow |= j == minY,
                    lastRow |= j == maxY;
            }
        EXPECT_EQ(coveredOutside, 0) << o;
        EXPECT_TRUE(firstCol && lastCol && firstRow && lastRow) << o;
    }
}

TEST(PiecePairs, AreSortedAndUnique) {
    for (int k = 1; k < PiecePairCount; ++k) {
        const PiecePair a = PiecePairs[k - 1], b = PiecePairs[k];
        EXPECT_TRUE(a.cellValue < b.cellValue ||
                    (a.cellValue == b.cellValue && a.incoming < b.incoming))
            << "pair " << k + 1;
    }
}

TEST(PiecePairs, HoldEveryNonOverlappingPairOfPiecesAndTheSixteenSpecialOnes) {
    std::set<std::pair<int, int>> expected;
    for (int a = 1; a < 64; ++a)
        for (int b = 1; b < 64; ++b) {
            const ExactPolygon pa = PieceCorners(a), pb = PieceCorners(b);
            if (pa.empty() || pb.empty()) continue;
            const ExactPolygon overlap = ClipConvex(pa, pb);
            if (overlap.size() < 3 || DoubleArea(overlap).Sign() == 0) expected.insert({a, b});
        }
    ASSERT_EQ(expected.size(), 284u);
    // A sixth and a quarter side by side, completed by the rest of the cell.
    for (auto [value, code] :
         {std::pair{10, 54}, {13, 51}, {15, 49}, {18, 46}, {21, 43}, {23, 41}, {26, 38}, {28, 36}})
        expected.insert({value, code});
    // A quarter that admits the seven-twelfths piece overlapping it by a twelfth.
    for (auto [value, code] :
         {std::pair{9, 41}, {11, 38}, {12, 36}, {14, 43}, {16, 46}, {17, 54}, {19, 51}, {20, 49}})
        expected.insert({value, code});

    std::set<std::pair<int, int>> actual;
    for (const PiecePair& p : PiecePairs)
        actual.insert({p.cellValue, p.incoming});
    EXPECT_EQ(actual, expected);
}

TEST(PiecePairs, LookupAnswersTheTelltaleCases) {
    for (int code = 1; code < 256; ++code)
        EXPECT_FALSE(PairAllowed(64, code)) << code;
    EXPECT_FALSE(PairAllowed(38, 1));
    EXPECT_FALSE(PairAllowed(1, 38));
    EXPECT_FALSE(PairAllowed(200, 1));
    EXPECT_FALSE(PairAllowed(1, 200));
    EXPECT_TRUE(PairAllowed(2, 38));
    EXPECT_TRUE(PairAllowed(38, 2));
    EXPECT_TRUE(PairAllowed(10, 54));
    EXPECT_TRUE(PairAllowed(9, 41));
    EXPECT_TRUE(PairAllowed(3, 2)); // a cell holding pieces 1 and 2 counts as piece 3
}
