#pragma once

#include "game/data.h"

#include <string>
#include <vector>

// The rules every figure of the shipped collection passes:
//  1 every placement is on the board with an orientation 0..15;
//  2 its cells stay in columns 16..73, clear of the triangles waiting at their
//    starting places, and its vertices in rows 1..59, inside the target window;
//  3 the eight triangles can be put down one after another with the fit test;
//  4 its cells form one region connected through cell sides;
//  5 no other figure has the same cells with the same values after a shift;
//  6 the centre of its cells' bounding box is within 2 of (45, 30) in grid units.
enum FigureRule {
    RuleOnBoard = 1,
    RulePlayingArea,
    RuleLayable,
    RuleConnected,
    RuleDistinct,
    RuleCentred,
};

inline constexpr int FirstFreeColumn = 16;
inline constexpr int LastFreeColumn = 73;
inline constexpr int FirstVisibleRow = 1;
inline constexpr int LastVisibleRow = 59;
inline constexpr double CentreCol = 45.0;
inline constexpr double CentreRow = 30.0;
inline constexpr double CentreTolerance = 2.0;

struct RuleProblem {
    int Figure = 0; // 1-based; 0 for the collection as a whole
    int Rule = 0;
    std::string Detail;
};

// Problems of one record, rules 1 to 4 and 6; rule 1 failing stops the rest.
std::vector<RuleProblem> CheckFigure(int number, const FigureRecord& figure);

// Every record, then rule 5 across the collection, then its size (the game reads
// 222 records at most).
std::vector<RuleProblem> CheckCollection(const std::vector<FigureRecord>& figures);

// "figure 7: rule 4 (one piece): ..."
std::string FormatProblem(const RuleProblem& problem);
