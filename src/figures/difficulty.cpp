#include "difficulty.h"

#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "figures/solver.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t WholeCell = 64;

struct Piece {
    int col, row;
    uint8_t code;
};

class OutlineSearch {
  public:
    explicit OutlineSearch(const FigureRecord& figure) : target(TargetGrid(figure)) {
        const std::vector<FigureCell> cells = FigureCells(target);
        for (const FigureCell& c : cells)
            if (c.Value == WholeCell) wholeCells.push_back(c);
        const CellBox box = BoundingBox(cells);
        coverers.assign(wholeCells.size(), {});
        std::vector<int> wholeIndex(GridColumns * GridRows, -1);
        for (size_t i = 0; i < wholeCells.size(); ++i)
            wholeIndex[wholeCells[i].Col * GridRows + wholeCells[i].Row] = static_cast<int>(i);
        // A placement fits the outline when it covers only cells of the figure and
        // its whole pieces lie on whole cells.
        for (int o = 0; o < OrientationCount; ++o)
            for (int col = box.MinCol - BoxMinDX[o]; col <= box.MaxCol - BoxMaxDX[o]; ++col)
                for (int row = box.MinRow - BoxMinDY[o]; row <= box.MaxRow - BoxMaxDY[o]; ++row) {
                    if (!TriangleInBounds(col, row, o)) continue;
                    std::vector<Piece> pieces;
                    bool fits = true;
                    for (int dx = BoxMinDX[o]; dx <= BoxMaxDX[o] && fits; ++dx)
                        for (int dy = BoxMinDY[o]; dy <= BoxMaxDY[o] && fits; ++dy) {
                            const uint8_t code = MaskAt(o, dx, dy);
                            if (!code) continue;
                            const uint8_t t = target[col + dx][row + dy];
                            fits = t && (code != WholeCell || t == WholeCell);
                            pieces.push_back({col + dx, row + dy, code});
                        }
                    if (!fits) continue;
                    const int id = static_cast<int>(placements.size());
                    placements.push_back({{static_cast<uint8_t>(col), static_cast<uint8_t>(row),
                                           static_cast<uint8_t>(o)},
                                          pieces});
                    for (const Piece& p : pieces) {
                        const int w = wholeIndex[p.col * GridRows + p.row];
                        if (w >= 0) coverers[w].push_back(id);
                    }
                }
    }

    Difficulty Run() {
        Descend(0, 0);
        Difficulty d;
        d.OutlineNodes = nodes;
        d.Arrangements = arrangements;
        d.Complete = nodes < OutlineNodeBudget;
        d.Score = std::log2(static_cast<double>(std::max<int64_t>(nodes, 1)) /
                            static_cast<double>(std::max<int64_t>(arrangements, 1)));
        return d;
    }

  private:
    struct Candidate {
        Placement placement;
        std::vector<Piece> pieces;
    };

    bool Fits(const Candidate& cand) const {
        return std::all_of(cand.pieces.begin(), cand.pieces.end(), [&](const Piece& p) {
            const uint8_t v = board.Board[p.col][p.row];
            return !v || PairAllowed(v, p.code);
        });
    }

    // Branches on the first whole cell not yet whole on the board, over the
    // placements that cover it and fit beside those already laid; each set of
    // placements is reached once, as in the exact solver.
    void Descend(size_t from, int laid) {
        if (nodes >= OutlineNodeBudget) return;
        size_t cell = from;
        while (cell < wholeCells.size() &&
               board.Board[wholeCells[cell].Col][wholeCells[cell].Row] == WholeCell)
            ++cell;
        if (cell == wholeCells.size()) {
            if (laid == TriangleCount && board.Board == target) ++arrangements;
            return;
        }
        if (laid == TriangleCount) return;
        std::vector<int> bannedHere;
        for (int id : coverers[cell]) {
            if (std::find(banned.begin(), banned.end(), id) != banned.end()) continue;
            const Candidate& cand = placements[id];
            if (!Fits(cand)) continue;
            ++nodes;
            StampPlacement(board.Board, cand.placement);
            Descend(cell, laid + 1);
            LiftPlacement(board.Board, cand.placement);
            banned.push_back(id);
            bannedHere.push_back(id);
        }
        banned.resize(banned.size() - bannedHere.size());
    }

    Grid target;
    std::vector<FigureCell> wholeCells;
    std::vector<Candidate> placements;
    std::vector<std::vector<int>> coverers;
    std::vector<int> banned;
    BoardState board;
    int64_t nodes = 0;
    int64_t arrangements = 0;
};

} // namespace

double TurnBits(int orient) {
    if (orient % 2) return OddTurnBits;
    return orient % 4 ? DiagonalTurnBits : 0.0;
}

Difficulty RateDifficulty(const FigureRecord& figure) {
    Difficulty d = OutlineSearch(figure).Run();
    for (const FigureCell& c : FigureCells(TargetGrid(figure)))
        d.CutCells += c.Value != WholeCell;
    d.Score += EdgeBits * d.CutCells;
    for (const Placement& p : figure)
        d.Score += TurnBits(p.Orient);
    return d;
}

int OrientationClass(const FigureRecord& figure) {
    bool square = false, diagonal = false, odd = false;
    for (const Placement& p : figure) {
        square |= p.Orient % 4 == 0;
        diagonal |= p.Orient % 4 == 2;
        odd |= p.Orient % 2 == 1;
    }
    if (odd) return square || diagonal ? 4 : 2;
    if (diagonal) return square ? 3 : 1;
    return 0;
}

PlayerDifficulty RateForPlayer(const FigureRecord& figure) {
    PlayerDifficulty d;
    d.Class = OrientationClass(figure);
    double edges = 0, hidden = 0;
    for (int t = 0; t < TriangleCount; ++t) {
        const Placement& p = figure[t];
        double perimeter = 0, inside = 0;
        for (int k = 0; k < 3; ++k) {
            const Point side = GridCorner(p, (k + 1) % 3) - GridCorner(p, k);
            perimeter += std::hypot(side.x, side.y);
        }
        for (int u = 0; u < TriangleCount; ++u)
            if (u != t) inside += SharedEdgeLength(p, figure[u]);
        inside = std::min(inside, perimeter);
        edges += perimeter;
        hidden += inside;
        d.BlindTriangles += (perimeter - inside) < BlindShare * perimeter;
    }
    d.HiddenShare = hidden / edges;
    for (const FigureCell& c : FigureCells(TargetGrid(figure)))
        d.CutCells += c.Value != WholeCell;
    d.Ways = std::max<int64_t>(1, SolveFigure(figure, WaysCap).Arrangements);
    const double within = HiddenWeight * d.HiddenShare + BlindWeight * d.BlindTriangles +
                          CutWeight * d.CutCells - WaysWeight * std::log2(double(d.Ways));
    // Squeezed below 1 so that the class stays the first key.
    const double w = std::max(within, 0.0);
    d.Score = d.Class + w / (1 + w);
    return d;
}
