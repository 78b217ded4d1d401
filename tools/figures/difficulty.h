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

// `figure` must pass FigureIsSound.
Difficulty RateDifficulty(const FigureRecord& figure);

inline constexpr int64_t OutlineNodeBudget = 20'000'000;

inline constexpr double EdgeBits = 0.02;

// 0 for the square orientations, DiagonalTurnBits for 2 mod 4, OddTurnBits for odd.
inline constexpr double DiagonalTurnBits = 0.25;
inline constexpr double OddTurnBits = 0.5;
double TurnBits(int orient);
