#pragma once

// reading.h: how hard a figure is to read from its outline alone, in a window
// beside the board, and the fit of that measure to trial players' records.

#include "game/data.h"

#include <array>
#include <map>
#include <string>
#include <vector>

// What makes an outline hard to copy without an overlay.
struct FigureReading {
    long Cuts = 0;        // ways to cut the outline into the eight triangles
    double Seams = 0;     // edge where a 45-degree triangle meets a square one, in legs
    int Hidden = 0;       // 45-degree triangles with more than two legs of side inside
    int Stretches = 0;    // straight stretches of the outline
    bool OddTurn = false; // laid on one of the odd lattices
    int Square = 0;       // triangles with their short sides along the board's lines
    int Slanted = 0;      // triangles turned by 45 degrees from those
};

// What the trials showed: a figure of square triangles alone reads at once,
// whatever its outline; any other is as hard as its outline is long and its
// seams between square and slanted triangles (a leg of seam counting as three
// stretches), and one that mixes the two is read by its parts, so it starts
// lower. How many ways the outline can be cut told nothing.
inline constexpr int ReadingFeatures = 3;
using ReadingWeights = std::array<double, ReadingFeatures + 1>; // constant first
inline constexpr double SeamStretches = 3;

// Before the trials were fitted: the same terms, weighted by eye.
inline constexpr ReadingWeights GuessedWeights{40, 10, 3, -30};

// `figure` must pass FigureIsValid and be layable.
FigureReading ReadFigure(const FigureRecord& figure);
// Not all square (0 or 1), the outline of a figure not all square (stretches
// and seams, else 0), and whether square and slanted triangles meet (0 or 1).
std::array<double, ReadingFeatures> ReadingTerms(const FigureReading& reading);
double ReadingEffort(const FigureReading& reading, const ReadingWeights& weights);

// Spearman's rank correlation, ties ranked by their mean; 0 for fewer than two
// values or when either side is constant.
double Spearman(const std::vector<double>& a, const std::vector<double>& b);

// Mean actions (every click and drag a player sent) per figure from trial
// summary lines (the driver's trials.tsv), found by the header's column names.
// Put-downs would not do: players who solve lay each triangle once, so nearly
// every trial has eight. A figure given up counts as GivenUpActions at least:
// the driver's limit of 40 put-downs, with a pick-up and a move for each; one
// given up before any action is skipped. Lines that do not parse are skipped
// and counted in `skipped`.
inline constexpr int GivenUpActions = 120;
std::map<int, double> TrialEffort(const std::string& tsv, int& skipped);

// Held-out rank correlations over `splits` random splits of the figures, each
// fitted on two thirds and judged on the rest, sorted: one split can be lucky.
std::vector<double> SplitCorrelations(const std::vector<FigureReading>& readings,
                                      const std::vector<double>& effort, int splits, unsigned seed);

// Least squares weights for the given figures' efforts, the constant first;
// the guess where the system is singular.
ReadingWeights FitReading(const std::vector<FigureReading>& readings,
                          const std::vector<double>& effort);
