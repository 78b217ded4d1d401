#include "figures/region_search.h"

#include "board/orientation.h"
#include "board/exact_geometry.h"
#include "figures/figure_shape.h"
#include "support/figure_files.h"
#include "figures/record_file.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

std::vector<int> PieceCodes() {
    std::vector<int> codes;
    for (int c = 1; c <= 64; ++c)
        if (PieceTwelfths(c)) codes.push_back(c);
    return codes;
}

// Every set of pieces that can lie side by side in one cell.
void DisjointSets(const std::vector<int>& codes, size_t from, std::vector<int>& set,
                  std::vector<std::vector<int>>& sets) {
    sets.push_back(set);
    for (size_t i = from; i < codes.size(); ++i) {
        if (!std::all_of(set.begin(), set.end(),
                         [&](int other) { return PiecesDisjoint(codes[i], other); }))
            continue;
        set.push_back(codes[i]);
        DisjointSets(codes, i + 1, set, sets);
        set.pop_back();
    }
}

int Sum(const std::vector<int>& set, int (*f)(int)) {
    int sum = 0;
    for (int c : set)
        sum += f(c);
    return sum;
}

int Code(int c) {
    return c;
}

Fraction Area(const ExactPolygon& p) {
    const Fraction twice = p.size() < 3 ? Fraction(0) : DoubleArea(p);
    return twice.Sign() < 0 ? Fraction(0) - twice : twice;
}

// Equal areas and every piece of `a` inside the pieces of `b`: the same point set.
bool SameUnion(const std::vector<int>& a, const std::vector<int>& b) {
    if (Sum(a, PieceTwelfths) != Sum(b, PieceTwelfths)) return false;
    for (int piece : a) {
        Fraction inside;
        for (int other : b)
            inside = inside + Area(ClipConvex(PieceCorners(piece), PieceCorners(other)));
        if (!(inside == Area(PieceCorners(piece)))) return false;
    }
    return true;
}

} // namespace

TEST(RegionSearch, PieceAreasAndOverlapsMatchTheTables) {
    const std::vector<int> codes = PieceCodes();
    EXPECT_EQ(codes.size(), 53u); // 52 pieces and the whole cell
    EXPECT_EQ(PieceTwelfths(64), 12);
    EXPECT_EQ(PieceTwelfths(1) + PieceTwelfths(63), 12);
    EXPECT_EQ(PieceTwelfths(36) + PieceTwelfths(8) + PieceTwelfths(20), 12);
    EXPECT_EQ(PieceTwelfths(10), 0); // a sum, no piece
    // A cell holding a single piece takes every piece that misses it. The pair
    // table also lets a quarter into the seven-twelfths piece whose rest holds
    // the matching sixth (9 into 41 and so on): they overlap by a twelfth, which
    // the search below refuses, so it never counts such a board as a cover.
    std::vector<std::pair<int, int>> overlapping;
    for (int a : codes)
        for (int b : codes) {
            if (a == 64) continue;
            if (PiecesDisjoint(a, b)) {
                EXPECT_TRUE(PairAllowed(a, b)) << a << " " << b;
            } else if (PairAllowed(a, b)) {
                overlapping.emplace_back(a, b);
            }
        }
    EXPECT_EQ(overlapping,
              (std::vector<std::pair<int, int>>{
                  {9, 41}, {11, 38}, {12, 36}, {14, 43}, {16, 46}, {17, 54}, {19, 51}, {20, 49}}));
}

// Whatever the figure, a cell of its region is covered by pieces side by side, and
// however those are cut the codes add up the same: so no figure can be laid as
// its own silhouette with other sums, and the search below can only confirm it.
TEST(RegionSearch, EveryDissectionOfOnePartOfACellHasTheSameSum) {
    std::vector<std::vector<int>> sets;
    std::vector<int> set;
    DisjointSets(PieceCodes(), 0, set, sets);
    EXPECT_GT(sets.size(), 200u);
    int sameUnions = 0;
    for (size_t i = 0; i < sets.size(); ++i)
        for (size_t j = i + 1; j < sets.size(); ++j)
            if (SameUnion(sets[i], sets[j])) {
                ++sameUnions;
                EXPECT_EQ(Sum(sets[i], Code), Sum(sets[j], Code))
                    << ::testing::PrintToString(sets[i]) << " "
                    << ::testing::PrintToString(sets[j]);
            }
    EXPECT_GT(sameUnions, 50); // the whole cell alone is cut many ways
}

TEST(RegionSearch, FindsEveryWayToCutTheSquaresAndNoOther) {
    const RegionSearchResult square = SearchRegion(BigSquare(), RegionNodeLimit, 100);
    EXPECT_EQ(square.Arrangements, 16); // each quarter cut along either diagonal
    EXPECT_FALSE(square.LimitReached);
    EXPECT_EQ(square.FirstMismatch, 0);
    std::set<std::vector<int>> distinct;
    for (const FigureRecord& found : square.Found) {
        EXPECT_EQ(TargetGrid(found), TargetGrid(BigSquare()));
        std::vector<int> key;
        for (const Placement& p : found)
            key.push_back(p.Col * 10000 + p.Row * 100 + p.Orient);
        distinct.insert(key);
    }
    EXPECT_EQ(distinct.size(), 16u);
    EXPECT_EQ(SearchRegion(SoundHouse()).Arrangements, 8);

    const RegionSearchResult cut = SearchRegion(BigSquare(), 5);
    EXPECT_TRUE(cut.LimitReached);
    EXPECT_LT(cut.Arrangements, 16);
}

TEST(RegionSearch, EveryShippedFigureIsItsOnlyRegionUpToInnerCuts) {
    std::vector<FigureRecord> records;
    std::string error;
    ASSERT_TRUE(ReadRecordFile(COLLECTION_FILE, records, error)) << error;
    ASSERT_EQ(records.size(), 222u);
    for (size_t i = 0; i < records.size(); ++i) {
        const RegionSearchResult r = SearchRegion(records[i], RegionNodeLimit, 1000);
        EXPECT_FALSE(r.LimitReached) << "figure " << i + 1;
        EXPECT_EQ(r.FirstMismatch, 0) << "figure " << i + 1;
        FigureRecord own = records[i];
        std::sort(own.begin(), own.end(), [](const Placement& a, const Placement& b) {
            return std::tie(a.Col, a.Row, a.Orient) < std::tie(b.Col, b.Row, b.Orient);
        });
        EXPECT_NE(std::find(r.Found.begin(), r.Found.end(), own), r.Found.end())
            << "figure " << i + 1;
    }
}
