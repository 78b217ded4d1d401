#pragma once

#include "game/data.h"

#include <cstdint>
#include <string>
#include <vector>

// Makes figures by growing them triangle by triangle from the middle of the board,
// each new triangle joined edge to edge to those before it and put down with the
// fit test, so every figure can be laid in the order it grew. Some grow with a
// mirror line or a half or quarter turn, adding a triangle's images with it. A
// figure is kept only when it passes the collection's rules, is neither a near
// copy nor a look-alike of any figure before it or of `avoid`, and scores as
// interesting: it fills much of
// its convex hull, has a short outline, is not a long bar, has no slivers inside
// and no corners that nearly meet, no triangle hangs on by a corner, and symmetry
// counts in its favour.
//
// The same seed and count always give the same figures.

struct GeneratedFigure {
    std::string Name;
    FigureRecord Record{};
    double Interest = 0;
};

inline constexpr double MinInterest = 2.0;

// A lower `minInterest` lets in spikier figures: fewer blobs, more that read as
// pictures once the compact ones are taken.
std::vector<GeneratedFigure> GenerateFigures(uint32_t seed, int count,
                                             const std::vector<FigureRecord>& avoid,
                                             double minInterest = MinInterest);

// The score a figure must reach to be kept; higher is more interesting.
double FigureInterest(const FigureRecord& figure);
