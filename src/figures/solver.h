#pragma once

#include "game/data.h"

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

// Counts the ways to lay a figure: every set of eight placements whose stamped
// cells equal the figure's target cells at the figure's own position. Triangles
// are interchangeable, so an arrangement is a set (a multiset, strictly: the sums
// do not forbid two triangles on one placement). It compares sums only, exactly
// like the solution check, and says separately whether one of the arrangements
// can really be laid with the fit test.

struct SolveResult {
    int64_t Arrangements = 0;
    int64_t Nodes = 0;      // placements tried: the search effort
    int64_t Candidates = 0; // placements that fit inside the figure at all
    bool Layable = false;   // some arrangement found can be laid in some order
    bool LimitReached = false;
    std::vector<FigureRecord> Found; // arrangements in the order found, placements sorted
};

// `figure` must pass FigureIsValid. The search stops after `limit` arrangements
// (0 = no limit); `keep` arrangements at most are stored in Found.
SolveResult SolveFigure(const FigureRecord& figure, int64_t limit = 0, size_t keep = 0);

// What the solver and the region search share. Totals[k]: every total that k
// triangles put down together, where one triangle's total is `measure` summed
// over its pieces, in any orientation.
using Totals = std::array<std::set<int>, TriangleCount + 1>;
Totals ReachableTotals(const std::function<int(int code)>& measure);

// The placements in a fixed order, so that equal sets of placements compare equal.
FigureRecord SortedArrangement(FigureRecord arrangement);
