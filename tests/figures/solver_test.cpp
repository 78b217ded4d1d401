#include "figures/solver.h"

#include "figures/figure_shape.h"
#include "figures/region_search.h"
#include "figures/search_stop.h"
#include "support/figure_files.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

FigureRecord Sorted(FigureRecord figure) {
    std::sort(figure.begin(), figure.end(), [](const Placement& a, const Placement& b) {
        return std::tie(a.Col, a.Row, a.Orient) < std::tie(b.Col, b.Row, b.Orient);
    });
    return figure;
}

} // namespace

TEST(Solver, BigSquareHasOneArrangementForEachChoiceOfDiagonals) {
    const SolveResult result = SolveFigure(BigSquare(), 0, 100);
    EXPECT_EQ(result.Arrangements, 16);
    EXPECT_TRUE(result.Layable);
    EXPECT_FALSE(result.LimitReached);
    EXPECT_GT(result.Nodes, 16);
    ASSERT_EQ(result.Found.size(), 16u);
    const Grid target = TargetGrid(BigSquare());
    std::set<std::vector<std::tuple<int, int, int>>> distinct;
    for (const FigureRecord& found : result.Found) {
        EXPECT_EQ(TargetGrid(found), target);
        std::vector<std::tuple<int, int, int>> key;
        for (const Placement& p : found)
            key.emplace_back(p.Col, p.Row, p.Orient);
        distinct.insert(key);
    }
    EXPECT_EQ(distinct.size(), 16u);
}

TEST(Solver, CountsSetsNotTheOrderOfTheTriangles) {
    FigureRecord reversed = SoundHouse();
    std::reverse(reversed.begin(), reversed.end());
    const SolveResult house = SolveFigure(SoundHouse(), 0, 100);
    // Each of the three squares may be cut either way; the two halves are fixed.
    EXPECT_EQ(house.Arrangements, 8);
    EXPECT_EQ(SolveFigure(reversed).Arrangements, 8);
    EXPECT_NE(std::find(house.Found.begin(), house.Found.end(), Sorted(SoundHouse())),
              house.Found.end());
}

TEST(Solver, LimitStopsTheCount) {
    const SolveResult result = SolveFigure(BigSquare(), 3);
    EXPECT_EQ(result.Arrangements, 3);
    EXPECT_TRUE(result.LimitReached);
}

TEST(Solver, SumsThatNoOrderCanLayAreNotLayable) {
    // Two triangles on one place: the cells equal the record's, but the second
    // triangle never passes the fit test.
    FigureRecord stacked = BigSquare();
    stacked[1] = stacked[0];
    const SolveResult result = SolveFigure(stacked);
    EXPECT_GE(result.Arrangements, 1);
    EXPECT_FALSE(result.Layable);
}

TEST(SolveFigure, AStopAskedForEndsTheSearchesOnThisThreadOnly) {
    std::atomic<bool> stop{true};
    {
        const SearchStop asked(stop);
        const SolveResult stopped = SolveFigure(BigSquare());
        EXPECT_TRUE(stopped.LimitReached);
        EXPECT_EQ(stopped.Arrangements, 0);
        EXPECT_TRUE(SearchRegion(BigSquare()).LimitReached);
        // Another thread's searches do not see this thread's flag.
        std::thread other([] { EXPECT_EQ(SolveFigure(BigSquare()).Arrangements, 16); });
        other.join();
    }
    EXPECT_FALSE(SearchStopRequested());
    EXPECT_EQ(SolveFigure(BigSquare()).Arrangements, 16); // one for each choice of diagonals
}
