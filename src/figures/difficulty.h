#pragma once

#include "game/data.h"

#include <cstdint>

// How hard a figure is for a player, as the collection's order uses it, in bits.
//
// The player sees the figure's outline, not the values of its cells, so the first
// part is the effort of a search that knows what a player knows: which cells
// belong to the figure and which of them are whole. It lays triangles without
// overlap (the fit test) until the whole cells are covered, and only then
// compares the cells' values. Each arrangement found lowers the score, since any
// one of them solves the figure: log2(effort / arrangements).
//
// The second part is for the edges to match: every cell that the figure's outline
// cuts must be matched exactly, and a straight edge along the grid cuts none. Each
// such cell adds EdgeBits. The third part is for the turned triangles: an edge at
// 45 degrees is harder to match by eye than a square one, and the odd turns,
// whose edges meet no grid line, harder still. Each triangle adds TurnBits of its
// orientation.
struct Difficulty {
    double Score = 0;         // search bits + edge bits + turning bits
    int CutCells = 0;         // cells of the figure that are not whole
    int64_t OutlineNodes = 0; // placements the outline search tried
    int64_t Arrangements = 0; // arrangements it found (as the exact solver does)
    bool Complete = true;     // false when the search gave up at its node budget
};

// `figure` must pass FigureIsValid.
Difficulty RateDifficulty(const FigureRecord& figure);

inline constexpr int64_t OutlineNodeBudget = 20'000'000;

inline constexpr double EdgeBits = 0.02;

// 0 for the square orientations, DiagonalTurnBits for 2 mod 4, OddTurnBits for odd.
inline constexpr double DiagonalTurnBits = 0.25;
inline constexpr double OddTurnBits = 0.5;
double TurnBits(int orient);

// How hard a figure is for a person, which the collection's order follows. A
// person solves by reading the outline: a triangle whose edges show on the
// outline says where it goes, one whose edges are hidden inside the silhouette
// must be found by trying. So the measure is, in this order of weight:
//  - the orientation class, a whole step each: square turns only, the 45 degree
//    lattice, the odd turns, square and 45 degree mixed; no figure of a class is
//    easier than any of the class before;
//  - within the class, HiddenWeight times the share of all triangle edges that
//    lie inside the silhouette;
//  - BlindWeight for each triangle that shows less than BlindShare of its edges;
//  - CutWeight for each cell the outline cuts: slopes must be matched exactly;
//  - less WaysWeight times log2 of the ways the figure can be laid (capped at
//    WaysCap), since more ways leave more room for a guess.
// The part within the class, w, counts as w / (1 + w), which keeps it below 1.
struct PlayerDifficulty {
    double Score = 0;
    int Class = 0;          // OrientationClass
    double HiddenShare = 0; // 0..1
    int BlindTriangles = 0; // 0..8
    int CutCells = 0;
    int64_t Ways = 0; // arrangements, at most WaysCap
};

PlayerDifficulty RateForPlayer(const FigureRecord& figure);

// 0 square turns only, 1 diagonal only, 2 odd only, 3 square and diagonal, 4 odd
// and others (whose triangles share no edge direction, so they never join).
int OrientationClass(const FigureRecord& figure);

inline constexpr double HiddenWeight = 0.7;
inline constexpr double BlindShare = 0.3;
inline constexpr double BlindWeight = 0.03;
inline constexpr double CutWeight = 0.015;
inline constexpr double WaysWeight = 0.04;
inline constexpr int64_t WaysCap = 64;
