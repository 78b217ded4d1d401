#pragma once

#include "game/data.h"

#include <cstdint>

// A simulated player, for the order of the collection. It sees what a person
// sees, the silhouette, never the solution or the cells' values, and lays as
// people do:
//  - it takes up only triangles turned to the slopes the outline shows, and
//    turning one to a slanted edge costs it more than a square one;
//  - it looks first where the least room is left: the uncovered spot that the
//    fewest triangles still fit into, an acute corner or a protrusion, and now
//    and then at another spot;
//  - it snaps triangles to what it sees: it prefers one that fills a corner of
//    the outline exactly, then one with corners on the outline's corners or on
//    those of triangles already laid and sides along the outline, and shuns one
//    that leaves a piece of an edge too short for any triangle's side;
//  - it looks one move ahead, always for the first triangle of a fresh start
//    and now and then later: it does not put a triangle down that leaves a
//    spot no triangle can fill, or an area the triangles it takes up cannot
//    make up;
//  - when stuck it lifts the last triangle and tries another, and after
//    PlayerPatience lifts it clears the board and starts afresh.
// Each run has its own fixed seed, so the effort is the same on every machine.

struct PlayerEffort {
    double MeanEffort = 0;  // triangles put down per run (more for slanted ones), capped
    double SolvedShare = 0; // share of the runs that laid the figure within the cap
    int Candidates = 0;     // placements lying inside the silhouette
};

inline constexpr int PlayerRuns = 32;
inline constexpr int PlayerPatience = 12;
inline constexpr int PlayerEffortCap = 2000;

// `figure` must pass FigureIsValid and be layable. Runs use seeds seed, seed + 1, ...
PlayerEffort SimulatePlayer(const FigureRecord& figure, int runs = PlayerRuns, uint64_t seed = 1);
