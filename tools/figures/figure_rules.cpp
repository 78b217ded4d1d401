#include "figure_rules.h"

#include "board/orientation.h"
#include "figure_shape.h"
#include "record_file.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace {

const char* RuleName(int rule) {
    switch (rule) {
    case RuleOnBoard:
        return "on the board";
    case RulePlayingArea:
        return "playing area";
    case RuleLayable:
        return "layable";
    case RuleConnected:
        return "one piece";
    case RuleDistinct:
        return "distinct";
    case RuleCentred:
        return "centred";
    }
    return "collection";
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

void CheckPlayingArea(int number, const FigureRecord& figure, const std::vector<FigureCell>& cells,
                      std::vector<RuleProblem>& problems) {
    const CellBox box = BoundingBox(cells);
    if (box.MinCol < FirstFreeColumn || box.MaxCol > LastFreeColumn)
        problems.push_back({number, RulePlayingArea,
                            "cells reach columns " + std::to_string(box.MinCol) + ".." +
                                std::to_string(box.MaxCol) + ", outside 16..73"});
    int top = GridRows, bottom = -1;
    for (const Placement& p : figure)
        for (int k = 0; k < 3; ++k) {
            top = std::min(top, p.Row + VertexDY[k][p.Orient]);
            bottom = std::max(bottom, p.Row + VertexDY[k][p.Orient]);
        }
    if (top < FirstVisibleRow || bottom > LastVisibleRow)
        problems.push_back({number, RulePlayingArea,
                            "vertices reach rows " + std::to_string(top) + ".." +
                                std::to_string(bottom) + ", outside 1..59"});
}

} // namespace

std::vector<RuleProblem> CheckFigure(int number, const FigureRecord& figure) {
    std::vector<RuleProblem> problems;
    for (int t = 0; t < TriangleCount; ++t)
        if (!TriangleInBounds(figure[t]))
            problems.push_back({number, RuleOnBoard,
                                "triangle " + std::to_string(t + 1) + " (" +
                                    DescribePlacement(figure[t]) +
                                    ") is off the board or has no such orientation"});
    if (!problems.empty()) return problems;

    const std::vector<FigureCell> cells = FigureCells(TargetGrid(figure));
    CheckPlayingArea(number, figure, cells, problems);
    if (!LayingOrder(figure))
        problems.push_back(
            {number, RuleLayable, "no order of the eight triangles passes the fit test"});
    if (const int regions = RegionCount(cells); regions != 1)
        problems.push_back(
            {number, RuleConnected, "the cells form " + std::to_string(regions) + " regions"});

    const CellBox box = BoundingBox(cells);
    // Grid units: a box of cells MinCol..MaxCol spans the grid points MinCol..MaxCol + 1.
    const double centreCol = (box.MinCol + box.MaxCol + 1) / 2.0;
    const double centreRow = (box.MinRow + box.MaxRow + 1) / 2.0;
    if (std::abs(centreCol - CentreCol) > CentreTolerance ||
        std::abs(centreRow - CentreRow) > CentreTolerance)
        problems.push_back({number, RuleCentred,
                            "the centre (" + Number(centreCol) + ", " + Number(centreRow) +
                                ") is more than 2 from (45, 30)"});
    return problems;
}

std::vector<RuleProblem> CheckCollection(const std::vector<FigureRecord>& figures) {
    std::vector<RuleProblem> problems;
    std::map<ShapeKey, int> firstWithShape;
    for (size_t i = 0; i < figures.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        std::vector<RuleProblem> own = CheckFigure(number, figures[i]);
        const bool onBoard = own.empty() || own.front().Rule != RuleOnBoard;
        problems.insert(problems.end(), own.begin(), own.end());
        if (!onBoard) continue;
        const auto [it, isNew] = firstWithShape.emplace(ShapeKeyOf(figures[i]), number);
        if (!isNew)
            problems.push_back({number, RuleDistinct,
                                "same cells and values as figure " + std::to_string(it->second)});
    }
    if (figures.size() > static_cast<size_t>(MaxFigures))
        problems.push_back(
            {0, 0,
             std::to_string(figures.size()) + " records, but the game reads only the first 222"});
    return problems;
}

std::string FormatProblem(const RuleProblem& problem) {
    if (problem.Figure == 0) return std::string("collection: ") + problem.Detail;
    return "figure " + std::to_string(problem.Figure) + ": rule " + std::to_string(problem.Rule) +
           " (" + RuleName(problem.Rule) + "): " + problem.Detail;
}
