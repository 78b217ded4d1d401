#include "solver.h"

#include "board/orientation.h"
#include "figures/cover_search.h"
#include "figures/figure_shape.h"

#include <algorithm>
#include <limits>
#include <set>
#include <tuple>

namespace {

// Sums first: a candidate puts no piece in a cell larger than what is left of
// the cell's value there.
struct SumRules {
    const std::vector<int>& values; // the figure's, per cell of the search's box
    int64_t limit;
    size_t keep;
    SolveResult result;

    bool Accepts(int cell, int code) const { return values[cell] >= code; }
    bool Fits(const CoverCandidate& cand, const std::vector<int>& left) const {
        for (const CoverPiece& piece : cand.Pieces)
            if (left[piece.Cell] < piece.Code) return false;
        return true;
    }
    void Laid(const CoverCandidate&) {}
    void Lifted(const CoverCandidate&) {}
    bool Found(const FigureRecord& found) {
        ++result.Arrangements;
        if (!result.Layable && LayingOrder(found)) result.Layable = true;
        if (result.Found.size() < keep) result.Found.push_back(found);
        return !Done();
    }
    bool Done() const { return limit > 0 && result.Arrangements >= limit; }
};

} // namespace

SolveResult SolveFigure(const FigureRecord& figure, int64_t limit, size_t keep) {
    const std::vector<FigureCell> cells = FigureCells(TargetGrid(figure));
    const CellBox box = BoundingBox(cells);
    std::vector<int> values(static_cast<size_t>(box.Width() * box.Height()), 0);
    for (const FigureCell& c : cells)
        values[CellIndex(box, c.Col, c.Row)] = c.Value;
    SumRules rules{values, limit, keep, {}};
    CoverSearch<SumRules> search(
        rules, box, values, [](int code) { return code; }, std::numeric_limits<int64_t>::max());
    search.Run();
    rules.result.Nodes = search.Nodes();
    rules.result.Candidates = static_cast<int64_t>(search.Candidates().size());
    rules.result.LimitReached = search.Interrupted() || rules.Done();
    return rules.result;
}

Totals ReachableTotals(const std::function<int(int code)>& measure) {
    std::set<int> single;
    for (int o = 0; o < OrientationCount; ++o) {
        int total = 0;
        ForEachPiece({0, 0, static_cast<uint8_t>(o)},
                     [&](int, int, int code) { total += measure(code); });
        single.insert(total);
    }
    Totals totals;
    totals[0] = {0};
    for (int k = 1; k <= TriangleCount; ++k)
        for (int before : totals[k - 1])
            for (int s : single)
                totals[k].insert(before + s);
    return totals;
}

FigureRecord SortedArrangement(FigureRecord arrangement) {
    std::sort(arrangement.begin(), arrangement.end(), [](const Placement& a, const Placement& b) {
        return std::tie(a.Col, a.Row, a.Orient) < std::tie(b.Col, b.Row, b.Orient);
    });
    return arrangement;
}
