#pragma once

// cover_search.h: the one search behind the solver and the region search, for
// every set of eight placements that gives each cell of a figure what it wants.

#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "figures/search_stop.h"
#include "figures/solver.h"

#include <cstdint>
#include <functional>
#include <vector>

struct CoverPiece {
    int Cell; // index in the search's box, row-major, so index order is scan order
    int Code;
    int Weight; // what it gives the cell
};

struct CoverCandidate {
    Placement Where;
    std::vector<CoverPiece> Pieces;
    int Weight = 0; // of all its pieces
};

inline int CellIndex(const CellBox& box, int col, int row) {
    return (row - box.MinRow) * box.Width() + (col - box.MinCol);
}

// `Rules` says what the search may do, and hears what it does:
//   bool Accepts(int cell, int code) const: a placement with this piece here is a candidate;
//   bool Fits(const CoverCandidate&, const std::vector<int>& left) const: it may be laid now;
//   void Laid(const CoverCandidate&), void Lifted(const CoverCandidate&);
//   bool Found(const FigureRecord& sorted): an arrangement, placements sorted; false stops.
// Every arrangement covers the first cell still wanting with one of the
// candidates that reach into it, so branching over those finds each one. A
// candidate tried there is banned in the branches after it: any arrangement
// holding it was found in its own branch.
template <typename Rules> class CoverSearch {
  public:
    // `left`: what each cell of `box` wants, in the units `measure` gives a piece
    // code; every candidate lies wholly inside `box` and on the board. The search
    // stops when a placement beyond `nodeLimit` is tried, or when this thread's
    // SearchStop is set (then Interrupted(), and what it found is incomplete).
    CoverSearch(Rules& rules, const CellBox& box, std::vector<int> left,
                const std::function<int(int code)>& measure, int64_t nodeLimit)
        : rules(rules), left(std::move(left)), nodeLimit(nodeLimit),
          reachable(ReachableTotals(measure)) {
        for (int want : this->left)
            leftSum += want;
        coverers.resize(this->left.size());
        for (int o = 0; o < OrientationCount; ++o)
            for (int col = box.MinCol - BoxMinDX[o]; col <= box.MaxCol - BoxMaxDX[o]; ++col)
                for (int row = box.MinRow - BoxMinDY[o]; row <= box.MaxRow - BoxMaxDY[o]; ++row) {
                    if (!TriangleInBounds(col, row, o)) continue;
                    CoverCandidate cand{{static_cast<uint8_t>(col), static_cast<uint8_t>(row),
                                         static_cast<uint8_t>(o)},
                                        {}};
                    bool accepted = true;
                    ForEachPiece(cand.Where, [&](int c, int r, int code) {
                        if (!accepted) return;
                        const int cell = CellIndex(box, c, r);
                        if (!rules.Accepts(cell, code)) {
                            accepted = false;
                            return;
                        }
                        cand.Pieces.push_back({cell, code, measure(code)});
                        cand.Weight += cand.Pieces.back().Weight;
                    });
                    if (!accepted) continue;
                    const int id = static_cast<int>(candidates.size());
                    for (const CoverPiece& piece : cand.Pieces)
                        coverers[piece.Cell].push_back(id);
                    candidates.push_back(std::move(cand));
                }
        banned.assign(candidates.size(), 0);
    }

    void Run() { Descend(0, 0); }

    const std::vector<CoverCandidate>& Candidates() const { return candidates; }
    int64_t Nodes() const { return nodes; }
    bool NodeLimitReached() const { return nodeLimitReached; }
    bool Interrupted() const { return interrupted; }

  private:
    void Descend(int from, int laid) {
        if (stopped) return;
        const int size = static_cast<int>(left.size());
        int cell = from;
        while (cell < size && left[cell] == 0)
            ++cell;
        if (cell == size) {
            if (laid == TriangleCount) Record();
            return;
        }
        if (laid == TriangleCount || !reachable[TriangleCount - laid].count(leftSum)) return;
        std::vector<int> bannedHere;
        for (int id : coverers[cell]) {
            const CoverCandidate& cand = candidates[id];
            if (banned[id] || !rules.Fits(cand, left)) continue;
            if (++nodes > nodeLimit) {
                stopped = nodeLimitReached = true;
                break;
            }
            if (SearchStopRequested()) { // a relaxed load: cheap at every node
                stopped = interrupted = true;
                break;
            }
            Lay(cand, 1);
            rules.Laid(cand);
            chosen.push_back(id);
            Descend(cell, laid + 1);
            chosen.pop_back();
            Lay(cand, -1);
            rules.Lifted(cand);
            if (stopped) break;
            ++banned[id];
            bannedHere.push_back(id);
        }
        for (int id : bannedHere)
            --banned[id];
    }

    void Lay(const CoverCandidate& cand, int sign) {
        for (const CoverPiece& piece : cand.Pieces)
            left[piece.Cell] -= sign * piece.Weight;
        leftSum -= sign * cand.Weight;
    }

    void Record() {
        FigureRecord found{};
        for (int t = 0; t < TriangleCount; ++t)
            found[t] = candidates[chosen[t]].Where;
        if (!rules.Found(SortedArrangement(found))) stopped = true;
    }

    Rules& rules;
    std::vector<int> left;
    int leftSum = 0;
    int64_t nodeLimit;
    int64_t nodes = 0;
    bool stopped = false, nodeLimitReached = false, interrupted = false;
    std::vector<CoverCandidate> candidates;
    std::vector<std::vector<int>> coverers;
    std::vector<int> banned;
    std::vector<int> chosen;
    // The sizes differ by orientation, so this cuts off most branches that cannot
    // end on eight.
    const Totals reachable;
};
