#pragma once

#include "board/scaling.h" // RoundHalfEven
#include "game/data.h"

#include <array>
#include <string>

inline constexpr int HelpCategoryCount = MaxHelpCount + 1; // no help .. given up
inline constexpr int CategoryBarWidth = 410; // the gauges' width; bands 0..3 may pass it

// Finished figures split by the help they took, and the points they earned.
struct ProgressSummary {
    int Count = 0;    // figures in the collection
    int Finished = 0; // given-up ones included
    std::array<int, HelpCategoryCount> HelpCounts{};
    int Points = 0;
};

// Each finished figure earns 4 minus its help count; a damaged byte with a help
// count above 4 is taken as given up and earns nothing.
ProgressSummary SummarizeProgress(const GameData& data);

inline int MaxPoints(int figureCount) {
    return MaxHelpCount * figureCount;
}

// progress * 100 / maximum, truncated; 0 for a maximum of 0.
int WholePercent(int progress, int maximum);

// Band k covers columns Start..End-1 of the bar; it is drawn only when its
// category has figures and Start < End (the given-up band's start can pass the
// bar's end when many figures are finished).
struct CategoryBand {
    int Start = 0;
    int End = 0;
    bool Drawn = false;
};
std::array<CategoryBand, HelpCategoryCount> CategoryBands(const ProgressSummary& summary);

// The saved game's name for the statistics caption: the file name without its
// last four characters (the extension and its dot). Empty for an empty path or
// a file name of four characters or fewer. Works on UTF-8 characters, not bytes.
std::string StatisticsGameName(const std::string& saveFileName);
