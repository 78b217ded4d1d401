#pragma once

#include "figures/figure_rules.h"
#include "game/data.h"

#include <string>
#include <string_view>
#include <vector>

// How alike two figures look, whatever lattice each is laid on. Both are scaled
// to the same area and compared after every turn that lines up their triangles'
// legs (quarter turns, 45 degrees and the odd angles between the lattices), with
// and without a mirror, at their best shift.

// The most triangles of `b` that lie exactly on triangles of `a` after the best
// turn, mirror and shift: 8 for the same figure, 7 when one triangle moved.
int SharedTriangles(const FigureRecord& a, const FigureRecord& b);

// The best intersection over union of the two silhouettes, 0..1; below 0.75 it
// may be less than the best, as shifts are searched only near promising turns.
double SilhouetteOverlap(const FigureRecord& a, const FigureRecord& b);

// A pair the collection may hold although it breaks the look-alike rules: both
// names say "paradox", the tangram device of two outlines that look alike and
// are laid differently.
bool IsParadoxName(std::string_view name);

inline constexpr int NearCopyShared = 7;        // triangles in common
inline constexpr double LookAlikeOverlap = 0.9; // intersection over union
inline constexpr int MaxParadoxPairs = 5;

struct LookAlikePair {
    int First = 0, Second = 0; // 0-based, First < Second
    int Shared = 0;
    double Overlap = 0;
    bool SameRegion = false; // the same cells and values, turned or not: rule 5
};

// Every pair that shares at least `shared` triangles or overlaps by at least
// `overlap`; records that fail FigureIsValid are left out.
std::vector<LookAlikePair> FindLookAlikes(const std::vector<FigureRecord>& figures,
                                          int shared = NearCopyShared,
                                          double overlap = LookAlikeOverlap);

// Rule 9 (near copies) and rule 10 (look-alikes) over a collection, pairs of
// the same region left to rule 5; `names`
// (empty, or one per figure) exempts up to MaxParadoxPairs paradox pairs.
std::vector<RuleProblem> CheckLookAlikes(const std::vector<FigureRecord>& figures,
                                         const std::vector<std::string>& names);
