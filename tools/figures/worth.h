#pragma once

// worth.h: whether figures are worth laying, one by one and between them.

#include "game/data.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A figure that covers this much of its convex hull reads as a blob or a bar:
// on the third edition's sheets every figure at 90 % or more was one, and the
// House and the Down arrow, at 89 %, were not.
inline constexpr double DullFill = 0.9;

// One figure's shape, in the lengths of its triangles' short sides (legs).
struct FigureWorth {
    bool Dull = false;          // it fills DullFill of its convex hull: a blob or a bar
    double ShortestStretch = 0; // the shortest straight stretch of its outline
    double NarrowestNeck = 0;   // the least edge along which it can be cut in two
    bool Nick() const { return ShortestStretch < 0.5 - 1e-9; } // a step under half a leg
    bool Neck() const { return NarrowestNeck < 1 - 1e-9; }     // thinner than a leg
    bool Sound() const { return !Dull && !Nick() && !Neck(); }
};

// `figure` must pass FigureIsValid.
FigureWorth JudgeWorth(const FigureRecord& figure);

// How the figure's triangles meet: Shared[i][j] is the edge triangles i and j
// share, in legs; Stretches the number of straight stretches of the outline.
struct FigureJoints {
    std::vector<std::vector<double>> Shared;
    int Stretches = 0;
};
FigureJoints JointsOf(const FigureRecord& figure);

struct CollectionWorth {
    std::vector<FigureWorth> Figures;
    int NearPairs = 0;    // pairs of outlines that overlap by 85 % or more
    int SharingPairs = 0; // pairs that share 6 of their 8 triangles
    // Groups of figures joined by pairs that share 6 triangles and overlap by
    // 85 %: one picture with a limb moved. 0-based, each of two or more.
    std::vector<std::vector<int>> Series;
};

inline constexpr double WorthOverlap = 0.85;
inline constexpr int WorthShared = 6;

CollectionWorth JudgeCollectionWorth(const std::vector<FigureRecord>& figures);

// Whether a mend may take a figure's place beyond being worth laying: that it
// stands apart from the rest of the collection, say. Empty takes any.
using MendFits = std::function<bool(const FigureRecord&)>;

// A figure like `figure` with up to `moves` triangles laid elsewhere, each
// against a corner of the others, that is neither dull, nicked nor necked,
// passes every rule of a figure on its own (CheckFigure) and `fits`, centred;
// of those found, the one that overlaps `figure` most. Nothing when the search
// finds none. `figure` must pass FigureIsValid.
std::optional<FigureRecord> MendFigure(const FigureRecord& figure, int moves,
                                       const MendFits& fits = {});

// Whether `figure` makes no near pair (WorthOverlap) and no near copy with any
// of `others` but the one numbered `self` (0-based; -1 for none).
// With `overlap` LookAlikeOverlap, whether it is no near copy and no look-alike:
// what the collection's rules allow.
bool StandsApart(const FigureRecord& figure, const std::vector<FigureRecord>& others, int self,
                 double overlap = WorthOverlap);
