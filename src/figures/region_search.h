#pragma once

#include "game/data.h"

#include <cstdint>
#include <vector>

// Every way to cover exactly the figure's region, as a point set, with the eight
// triangles: whatever cuts the player makes inside the silhouette, each such
// arrangement is a correct answer, so the solution check must see the figure's
// own cell values in it. The solver goes the other way (sums first, region
// second); together they show the check accepts exactly this region.

struct RegionSearchResult {
    int64_t Arrangements = 0;        // sets of eight placements, the figure itself among them
    int64_t Nodes = 0;               // placements tried
    int64_t Candidates = 0;          // placements lying wholly inside the region
    int64_t FirstMismatch = 0;       // 1-based arrangement whose cell values differ; 0 if none
    bool LimitReached = false;       // the counts are then only a lower bound
    std::vector<FigureRecord> Found; // in the order found, placements sorted
};

// The shipped figures need a few hundred at most; a figure that runs into this is
// refused within a few tens of milliseconds rather than holding up the designer.
inline constexpr int64_t RegionNodeLimit = 100'000;

// `figure` must be layable with the fit test, so its pieces do not overlap. Stops
// after `nodeLimit` placements tried; keeps at most `keep` arrangements.
RegionSearchResult SearchRegion(const FigureRecord& figure, int64_t nodeLimit = RegionNodeLimit,
                                size_t keep = 0);

// Every placement whose triangle lies wholly inside the figure's region.
std::vector<Placement> PlacementsInsideRegion(const FigureRecord& figure);

// Area of piece `code` (1..64) in twelfths of a cell; 0 for a value that names no piece.
int PieceTwelfths(int code);

// True when pieces `a` and `b` (1..64) of one cell share no area.
bool PiecesDisjoint(int a, int b);
