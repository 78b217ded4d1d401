#include "solver.h"

#include "board/orientation.h"
#include "figures/figure_shape.h"

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
    Search(const FigureRecord& figure, int64_t limit, size_t keep) : limit_(limit), keep_(keep) {
        const std::vector<FigureCell> cells = FigureCells(TargetGrid(figure));
        box_ = BoundingBox(cells);
        remaining_.assign(static_cast<size_t>(box_.Width() * box_.Height()), 0);
        for (const FigureCell& c : cells) {
            remaining_[Index(c.Col, c.Row)] = c.Value;
            remainingSum_ += c.Value;
        }
        FindCandidates();
    }

    SolveResult Run() {
        Descend(0, 0);
        result_.LimitReached = limit_ > 0 && result_.Arrangements >= limit_;
        return result_;
    }

  private:
    int Index(int col, int row) const {
        return (row - box_.MinRow) * box_.Width() + (col - box_.MinCol);
    }

    // A triangle is a candidate when every cell it covers is in the figure and its
    // piece there is no larger than the cell's value.
    void FindCandidates() {
        coverers_.resize(remaining_.size());
        for (int o = 0; o < OrientationCount; ++o)
            for (int col = box_.MinCol - BoxMinDX[o]; col <= box_.MaxCol - BoxMaxDX[o]; ++col)
                for (int row = box_.MinRow - BoxMinDY[o]; row <= box_.MaxRow - BoxMaxDY[o]; ++row) {
                    if (!TriangleInBounds(col, row, o)) continue;
                    Candidate cand{{static_cast<uint8_t>(col), static_cast<uint8_t>(row),
                                    static_cast<uint8_t>(o)},
                                   {}};
                    bool fits = true;
                    ForEachPiece(cand.placement, [&](int c, int r, int code) {
                        const int index = Index(c, r);
                        if (remaining_[index] < code) fits = false;
                        cand.pieces.push_back({index, code});
                        cand.sum += code;
                    });
                    if (!fits) continue;
                    const int id = static_cast<int>(candidates_.size());
                    for (const Piece& piece : cand.pieces)
                        coverers_[piece.cell].push_back(id);
                    candidates_.push_back(std::move(cand));
                }
        banned_.assign(candidates_.size(), 0);
    }

    bool Fits(const Candidate& cand) const {
        for (const Piece& piece : cand.pieces)
            if (remaining_[piece.cell] < piece.code) return false;
        return true;
    }

    void Lay(const Candidate& cand, int sign) {
        for (const Piece& piece : cand.pieces)
            remaining_[piece.cell] -= sign * piece.code;
        remainingSum_ -= sign * cand.sum;
    }

    // Every arrangement covers the first unfinished cell with one of the triangles
    // that cover it, so branching over those finds each arrangement. A triangle
    // that has been tried there is banned in the branches after it: any
    // arrangement containing it was found in its own branch.
    void Descend(int from, int laid) {
        if (Done()) return;
        const int size = static_cast<int>(remaining_.size());
        int cell = from;
        while (cell < size && remaining_[cell] == 0)
            ++cell;
        if (cell == size) {
            if (laid == TriangleCount) Record();
            return;
        }
        if (laid == TriangleCount || !reachable_[TriangleCount - laid].count(remainingSum_)) return;
        std::vector<int> bannedHere;
        for (int id : coverers_[cell]) {
            if (banned_[id] || !Fits(candidates_[id])) continue;
            ++result_.Nodes;
            Lay(candidates_[id], 1);
            chosen_.push_back(id);
            Descend(cell, laid + 1);
            chosen_.pop_back();
            Lay(candidates_[id], -1);
            if (Done()) break;
            ++banned_[id];
            bannedHere.push_back(id);
        }
        for (int id : bannedHere)
            --banned_[id];
    }

    void Record() {
        ++result_.Arrangements;
        FigureRecord found{};
        for (int t = 0; t < TriangleCount; ++t)
            found[t] = candidates_[chosen_[t]].placement;
        found = SortedArrangement(found);
        if (!result_.Layable && LayingOrder(found)) result_.Layable = true;
        if (result_.Found.size() < keep_) result_.Found.push_back(found);
    }

    bool Done() const { return limit_ > 0 && result_.Arrangements >= limit_; }

    int64_t limit_;
    size_t keep_;
    CellBox box_;
    std::vector<int> remaining_;
    int remainingSum_ = 0;
    std::vector<Candidate> candidates_;
    std::vector<std::vector<int>> coverers_;
    std::vector<int> banned_;
    std::vector<int> chosen_;
    const Totals reachable_ = ReachableTotals([](int code) { return code; });
    SolveResult result_;
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
