#include "figure_rules.h"

#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "figures/record_file.h"
#include "figures/region_search.h"
#include "figures/search_stop.h"
#include "figures/solver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
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
    case RuleEdgeJoined:
        return "joined along edges";
    case RuleNearCopy:
        return "no near copy";
    case RuleLookAlike:
        return "no look-alike";
    case RuleRecognised:
        return "recognised";
    }
    return "collection";
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

using CellPieces = std::map<std::pair<int, int>, std::vector<int>>;

CellPieces PiecesOf(const FigureRecord& figure) {
    CellPieces pieces;
    for (const Placement& p : figure)
        ForEachPiece(p, [&](int col, int row, int code) { pieces[{col, row}].push_back(code); });
    for (auto& [cell, codes] : pieces)
        std::sort(codes.begin(), codes.end());
    return pieces;
}

bool CoversSameRegion(const FigureRecord& figure, const CellPieces& own,
                      const FigureRecord& other) {
    const CellPieces theirs = PiecesOf(other);
    if (theirs.size() != own.size()) return false;
    for (const auto& [cell, codes] : own) {
        const auto it = theirs.find(cell);
        if (it == theirs.end()) return false;
        if (it->second != codes && !SameRegionInCell(figure, other, cell.first, cell.second))
            return false;
    }
    return true;
}

// Triangles joined along edges, as pieces of a graph; 0-based.
int EdgePieces(const FigureRecord& figure, int& loose) {
    std::array<int, TriangleCount> piece{};
    piece.fill(-1);
    loose = -1;
    for (int t = 0; t < TriangleCount; ++t) {
        bool joined = false;
        for (int u = 0; u < TriangleCount; ++u)
            joined |= u != t && SharedEdgeLength(figure[t], figure[u]) > 0;
        if (!joined && loose < 0) loose = t;
    }
    int pieces = 0;
    for (int start = 0; start < TriangleCount; ++start) {
        if (piece[start] >= 0) continue;
        std::vector<int> stack{start};
        piece[start] = pieces;
        while (!stack.empty()) {
            const int t = stack.back();
            stack.pop_back();
            for (int u = 0; u < TriangleCount; ++u)
                if (piece[u] < 0 && SharedEdgeLength(figure[t], figure[u]) > 0) {
                    piece[u] = pieces;
                    stack.push_back(u);
                }
        }
        ++pieces;
    }
    return pieces;
}

RuleResult& Result(FigureVerdict& verdict, RuleId id) {
    return verdict.Results[static_cast<int>(id)];
}

void Set(FigureVerdict& verdict, RuleId id, bool passed, int detail0 = 0, int detail1 = 0) {
    RuleResult& r = Result(verdict, id);
    r.State = passed ? RuleState::Passed : RuleState::Failed;
    r.Detail = {detail0, detail1};
}

void JudgeRecognised(const FigureRecord& figure, int64_t regionNodeLimit, FigureVerdict& verdict) {
    // The figure itself is always among the arrangements; no limit, since one
    // arrangement left unseen could be the one the check mistakes. The count given
    // is of those checked, so a list cut short shows in it.
    const SolveResult solved = SolveFigure(figure, 0, std::numeric_limits<size_t>::max());
    const int checked = static_cast<int>(solved.Found.size());
    if (const size_t k = FirstOfAnotherRegion(figure, solved.Found)) {
        Set(verdict, RuleId::Recognised, false, checked, static_cast<int>(k));
        return;
    }
    if (checked == 0) {
        Set(verdict, RuleId::Recognised, false);
        return;
    }
    // The other way round: a player who lays the silhouette with other inner cuts
    // has solved it too, and the check must say so.
    const RegionSearchResult region = SearchRegion(figure, regionNodeLimit);
    if (region.LimitReached)
        Set(verdict, RuleId::Recognised, false, 0, RegionSearchCutOff);
    else if (region.FirstMismatch > 0)
        Set(verdict, RuleId::Recognised, false, static_cast<int>(region.Arrangements),
            -static_cast<int>(region.FirstMismatch));
    else
        Set(verdict, RuleId::Recognised, true, checked);
}

} // namespace

size_t FirstOfAnotherRegion(const FigureRecord& figure,
                            std::span<const FigureRecord> arrangements) {
    const CellPieces own = PiecesOf(figure);
    for (size_t k = 0; k < arrangements.size(); ++k)
        if (!CoversSameRegion(figure, own, arrangements[k])) return k + 1;
    return 0;
}

bool SameRegionInCell(const FigureRecord& a, const FigureRecord& b, int col, int row) {
    auto covered = [&](const FigureRecord& f, double x, double y) {
        return std::any_of(f.begin(), f.end(), [&](const Placement& p) {
            return TriangleCovers(p, {x, y});
        });
    };
    constexpr int Steps = 24;
    for (int i = 0; i < Steps; ++i)
        for (int j = 0; j < Steps; ++j) {
            const double x = col + (i + 0.382) / Steps, y = row + (j + 0.618) / Steps;
            if (covered(a, x, y) != covered(b, x, y)) return false;
        }
    return true;
}

bool FigureVerdict::Passed() const {
    return std::all_of(Results.begin(), Results.end(),
                       [](const RuleResult& r) { return r.State != RuleState::Failed; });
}

namespace {

// Every rule but distinctness, which is the only one that looks at the others.
FigureVerdict JudgeAlone(const FigureRecord& figure, int64_t regionNodeLimit) {
    FigureVerdict verdict;
    for (int i = 0; i < RuleIdCount; ++i)
        verdict.Results[i].Id = static_cast<RuleId>(i);
    for (int t = 0; t < TriangleCount; ++t)
        if (!TriangleInBounds(figure[t])) {
            Set(verdict, RuleId::Bounds, false, t + 1);
            return verdict;
        }
    Set(verdict, RuleId::Bounds, true);

    const std::vector<FigureCell> cells = FigureCells(TargetGrid(figure));
    const CellBox box = BoundingBox(cells);
    Set(verdict, RuleId::StartAreas, box.MinCol >= FirstFreeColumn && box.MaxCol <= LastFreeColumn,
        box.MinCol, box.MaxCol);
    int top = GridRows, bottom = -1;
    for (const Placement& p : figure)
        for (int k = 0; k < 3; ++k) {
            top = std::min(top, GridCorner(p, k).y);
            bottom = std::max(bottom, GridCorner(p, k).y);
        }
    Set(verdict, RuleId::TargetWindow, top >= FirstVisibleRow && bottom <= LastVisibleRow, top,
        bottom);
    // Grid units: a box of cells MinCol..MaxCol spans the grid points MinCol..MaxCol + 1.
    const int twiceCol = box.MinCol + box.MaxCol + 1, twiceRow = box.MinRow + box.MaxRow + 1;
    Set(verdict, RuleId::Centred,
        std::abs(twiceCol / 2.0 - CentreCol) <= CentreTolerance &&
            std::abs(twiceRow / 2.0 - CentreRow) <= CentreTolerance,
        twiceCol, twiceRow);

    const bool layable = LayingOrder(figure).has_value();
    Set(verdict, RuleId::Layable, layable);
    if (!layable) return verdict; // eight triangles on one place sum to slivers, no pieces
    const int regions = RegionCount(cells);
    Set(verdict, RuleId::OnePiece, regions == 1, regions);
    if (regions == 1) {
        int loose = -1;
        const int pieces = EdgePieces(figure, loose);
        Set(verdict, RuleId::EdgeJoined, pieces == 1, pieces == 1 ? 0 : loose + 1, pieces);
    }
    JudgeRecognised(figure, regionNodeLimit, verdict);
    return verdict;
}

std::string BytesOf(const FigureRecord& figure) {
    return std::string(reinterpret_cast<const char*>(figure.data()), FigureRecordSize);
}

} // namespace

FigureVerdict JudgeFigure(const FigureRecord& figure, std::span<const FigureRecord> others) {
    return FigureJudge().Judge(figure, others);
}

const FigureJudge::Known& FigureJudge::Know(const FigureRecord& figure) {
    const std::string bytes = BytesOf(figure);
    if (const auto it = known.find(bytes); it != known.end()) return it->second;
    if (SearchStopRequested()) return unfinished = Known{};
    Known entry;
    entry.Alone = JudgeAlone(figure, regionNodeLimit);
    if (entry.Alone[RuleId::Bounds].Passed())
        for (int s = 0; s < SymmetryCount; ++s)
            entry.Turned[s] = RegionKeyOf(figure, s);
    // A search that was stopped judged nothing; it must not be remembered.
    if (SearchStopRequested()) {
        unfinished = std::move(entry);
        return unfinished;
    }
    return known.emplace(bytes, std::move(entry)).first->second;
}

namespace {

// `theirs(i)`: the region key of others[i] as it lies, empty for a damaged record,
// which is no shape to be confused with and has a verdict of its own.
template <typename KeyOf>
void SetDistinct(const std::array<ShapeKey, SymmetryCount>& turned, size_t count, KeyOf&& theirs,
                 FigureVerdict& verdict) {
    for (size_t i = 0; i < count; ++i) {
        const ShapeKey& key = theirs(i);
        if (key.empty()) continue;
        for (int s = 0; s < SymmetryCount; ++s)
            if (turned[s] == key) {
                Set(verdict, RuleId::Distinct, false, static_cast<int>(i), s);
                return;
            }
    }
    Set(verdict, RuleId::Distinct, true);
}

} // namespace

RuleResult JudgeDistinct(const FigureRecord& figure, std::span<const FigureRecord> others) {
    FigureVerdict verdict;
    if (!FigureIsValid(figure)) return {RuleId::Distinct, RuleState::NotChecked, {}};
    std::array<ShapeKey, SymmetryCount> turned;
    for (int s = 0; s < SymmetryCount; ++s)
        turned[s] = RegionKeyOf(figure, s);
    ShapeKey key;
    SetDistinct(
        turned, others.size(),
        [&](size_t i) -> const ShapeKey& {
            key = FigureIsValid(others[i]) ? RegionKeyOf(others[i]) : ShapeKey{};
            return key;
        },
        verdict);
    RuleResult result = verdict[RuleId::Distinct];
    result.Id = RuleId::Distinct;
    return result;
}

void FigureJudge::JudgeDistinct(const Known& own, std::span<const FigureRecord> others,
                                FigureVerdict& verdict) {
    SetDistinct(
        own.Turned, others.size(), [&](size_t i) -> const ShapeKey& { return RegionOf(others[i]); },
        verdict);
}

const ShapeKey& FigureJudge::RegionOf(const FigureRecord& figure) {
    const std::string bytes = BytesOf(figure);
    if (const auto it = regions.find(bytes); it != regions.end()) return it->second;
    return regions.emplace(bytes, FigureIsValid(figure) ? RegionKeyOf(figure) : ShapeKey{})
        .first->second;
}

FigureVerdict FigureJudge::Judge(const FigureRecord& figure, std::span<const FigureRecord> others) {
    const Known& own = Know(figure); // a map's entries stay put as others are added
    FigureVerdict verdict = own.Alone;
    if (verdict[RuleId::Bounds].Passed()) JudgeDistinct(own, others, verdict);
    return verdict;
}

std::vector<FigureVerdict> FigureJudge::JudgeCollection(std::span<const FigureRecord> records) {
    std::vector<FigureVerdict> verdicts;
    verdicts.reserve(records.size());
    for (size_t i = 0; i < records.size() && !SearchStopRequested(); ++i)
        verdicts.push_back(Judge(records[i], records.first(i)));
    // Arrangements judged on the way are forgotten once there are many; the
    // collection's own records stay known.
    if (known.size() + regions.size() > 4 * static_cast<size_t>(MaxFigures) + records.size()) {
        std::map<std::string, Known> keptKnown;
        std::map<std::string, ShapeKey> keptRegions;
        for (const FigureRecord& record : records) {
            const std::string bytes = BytesOf(record);
            if (const auto it = known.find(bytes); it != known.end()) keptKnown.insert(*it);
            if (const auto it = regions.find(bytes); it != regions.end()) keptRegions.insert(*it);
        }
        known = std::move(keptKnown);
        regions = std::move(keptRegions);
    }
    return verdicts;
}

namespace {

void AddProblems(int number, const FigureRecord& figure, const FigureVerdict& verdict,
                 bool withDistinct, std::vector<RuleProblem>& problems) {
    auto failed = [&](RuleId id) { return verdict[id].State == RuleState::Failed; };
    auto detail = [&](RuleId id, int k) { return verdict[id].Detail[k]; };
    if (failed(RuleId::Bounds)) {
        const int t = detail(RuleId::Bounds, 0);
        problems.push_back({number, RuleOnBoard,
                            "triangle " + std::to_string(t) + " (" +
                                DescribePlacement(figure[t - 1]) +
                                ") is off the board or has no such orientation"});
        return;
    }
    if (failed(RuleId::StartAreas))
        problems.push_back({number, RulePlayingArea,
                            "cells reach columns " + std::to_string(detail(RuleId::StartAreas, 0)) +
                                ".." + std::to_string(detail(RuleId::StartAreas, 1)) +
                                ", outside 16..73"});
    if (failed(RuleId::TargetWindow))
        problems.push_back(
            {number, RulePlayingArea,
             "vertices reach rows " + std::to_string(detail(RuleId::TargetWindow, 0)) + ".." +
                 std::to_string(detail(RuleId::TargetWindow, 1)) + ", outside 1..59"});
    if (failed(RuleId::Layable))
        problems.push_back(
            {number, RuleLayable, "no order of the eight triangles passes the fit test"});
    if (failed(RuleId::OnePiece))
        problems.push_back(
            {number, RuleConnected,
             "the cells form " + std::to_string(detail(RuleId::OnePiece, 0)) + " regions"});
    if (failed(RuleId::Centred))
        problems.push_back({number, RuleCentred,
                            "the centre (" + Number(detail(RuleId::Centred, 0) / 2.0) + ", " +
                                Number(detail(RuleId::Centred, 1) / 2.0) +
                                ") is more than 2 from (45, 30)"});
    if (failed(RuleId::EdgeJoined)) {
        const int t = detail(RuleId::EdgeJoined, 0);
        problems.push_back(
            {number, RuleEdgeJoined,
             t ? "triangle " + std::to_string(t) + " touches the rest only at corners"
               : "cut along its shared edges it falls into " +
                     std::to_string(detail(RuleId::EdgeJoined, 1)) + " pieces"});
    }
    if (failed(RuleId::Recognised)) {
        const int first = detail(RuleId::Recognised, 1);
        const std::string of = std::to_string(detail(RuleId::Recognised, 0));
        std::string text;
        if (first == RegionSearchCutOff)
            text = "the search for other ways to cover its region gave up after " +
                   std::to_string(RegionNodeLimit) + " placements";
        else if (first < 0)
            text = "arrangement " + std::to_string(-first) + " of " + of +
                   " covers the figure's region but has other sums";
        else
            text = "arrangement " + std::to_string(first) + " of " + of +
                   " has the figure's sums but covers another region";
        problems.push_back({number, RuleRecognised, text});
    }
    if (withDistinct && failed(RuleId::Distinct)) {
        const int other = detail(RuleId::Distinct, 0) + 1;
        problems.push_back({number, RuleDistinct,
                            detail(RuleId::Distinct, 1) == 0
                                ? "same cells and values as figure " + std::to_string(other)
                                : "figure " + std::to_string(other) + " turned or mirrored"});
    }
}

} // namespace

std::vector<RuleProblem> CheckFigure(int number, const FigureRecord& figure) {
    std::vector<RuleProblem> problems;
    AddProblems(number, figure, JudgeFigure(figure, {}), false, problems);
    return problems;
}

std::vector<RuleProblem> CheckCollection(const std::vector<FigureRecord>& figures) {
    std::vector<RuleProblem> problems;
    const std::vector<FigureVerdict> verdicts = FigureJudge().JudgeCollection(figures);
    for (size_t i = 0; i < figures.size(); ++i)
        AddProblems(static_cast<int>(i + 1), figures[i], verdicts[i], true, problems);
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
