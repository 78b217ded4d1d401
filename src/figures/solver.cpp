#include "solver.h"

#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "figures/search_stop.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {

struct Piece {
    int cell; // index in the figure's box, row-major, so index order is scan order
    int code;
};

struct Candidate {
    Placement placement;
    std::vector<Piece> pieces;
    int sum = 0; // of the codes
};

class Search {
  public:
    Search(const FigureRecord& figure, int64_t limit, size_t keep) : limit(limit), keep(keep) {
        const std::vector<FigureCell> cells = FigureCells(TargetGrid(figure));
        box = BoundingBox(cells);
        remaining.assign(static_cast<size_t>(box.Width() * box.Height()), 0);
        for (const FigureCell& c : cells) {
            remaining[Index(c.Col, c.Row)] = c.Value;
            remainingSum += c.Value;
        }
        FindCandidates();
    }

    SolveResult Run() {
        Descend(0, 0);
        result.LimitReached = stopped || (limit > 0 && result.Arrangements >= limit);
        return result;
    }

  private:
    int Index(int col, int row) const {
        return (row - box.MinRow) * box.Width() + (col - box.MinCol);
    }

    // A triangle is a candidate when every cell it covers is in the figure and its
    // piece there is no larger than the cell's value.
    void FindCandidates() {
        coverers.resize(remaining.size());
        for (int o = 0; o < OrientationCount; ++o)
            for (int col = box.MinCol - BoxMinDX[o]; col <= box.MaxCol - BoxMaxDX[o]; ++col)
                for (int row = box.MinRow - BoxMinDY[o]; row <= box.MaxRow - BoxMaxDY[o]; ++row) {
                    if (!TriangleInBounds(col, row, o)) continue;
                    Candidate cand{{static_cast<uint8_t>(col), static_cast<uint8_t>(row),
                                    static_cast<uint8_t>(o)},
                                   {}};
                    bool fits = true;
                    ForEachPiece(cand.placement, [&](int c, int r, int code) {
                        const int index = Index(c, r);
                        if (remaining[index] < code) fits = false;
                        cand.pieces.push_back({index, code});
                        cand.sum += code;
                    });
                    if (!fits) continue;
                    const int id = static_cast<int>(candidates.size());
                    for (const Piece& piece : cand.pieces)
                        coverers[piece.cell].push_back(id);
                    candidates.push_back(std::move(cand));
                }
        banned.assign(candidates.size(), 0);
    }

    bool Fits(const Candidate& cand) const {
        for (const Piece& piece : cand.pieces)
            if (remaining[piece.cell] < piece.code) return false;
        return true;
    }

    void Lay(const Candidate& cand, int sign) {
        for (const Piece& piece : cand.pieces)
            remaining[piece.cell] -= sign * piece.code;
        remainingSum -= sign * cand.sum;
    }

    // Every arrangement covers the first unfinished cell with one of the triangles
    // that cover it, so branching over those finds each arrangement. A triangle
    // that has been tried there is banned in the branches after it: any
    // arrangement containing it was found in its own branch.
    void Descend(int from, int laid) {
        if (Done()) return;
        const int size = static_cast<int>(remaining.size());
        int cell = from;
        while (cell < size && remaining[cell] == 0)
            ++cell;
        if (cell == size) {
            if (laid == TriangleCount) Record();
            return;
        }
        if (laid == TriangleCount || !reachable[TriangleCount - laid].count(remainingSum)) return;
        std::vector<int> bannedHere;
        for (int id : coverers[cell]) {
            if (banned[id] || !Fits(candidates[id])) continue;
            ++result.Nodes;
            Lay(candidates[id], 1);
            chosen.push_back(id);
            Descend(cell, laid + 1);
            chosen.pop_back();
            Lay(candidates[id], -1);
            if (Done()) break;
            ++banned[id];
            bannedHere.push_back(id);
        }
        for (int id : bannedHere)
            --banned[id];
    }

    void Record() {
        ++result.Arrangements;
        FigureRecord found{};
        for (int t = 0; t < TriangleCount; ++t)
            found[t] = candidates[chosen[t]].placement;
        found = SortedArrangement(found);
        if (!result.Layable && LayingOrder(found)) result.Layable = true;
        if (result.Found.size() < keep) result.Found.push_back(found);
    }

    bool Done() {
        if (SearchStopRequested()) stopped = true; // a relaxed load: cheap at every node
        return stopped || (limit > 0 && result.Arrangements >= limit);
    }
    bool stopped = false;

    int64_t limit;
    size_t keep;
    CellBox box;
    std::vector<int> remaining;
    int remainingSum = 0;
    std::vector<Candidate> candidates;
    std::vector<std::vector<int>> coverers;
    std::vector<int> banned;
    std::vector<int> chosen;
    const Totals reachable = ReachableTotals([](int code) { return code; });
    SolveResult result;
};

} // namespace

SolveResult SolveFigure(const FigureRecord& figure, int64_t limit, size_t keep) {
    return Search(figure, limit, keep).Run();
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
