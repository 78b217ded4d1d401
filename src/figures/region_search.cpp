#include "region_search.h"

#include "board/exact_geometry.h"
#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "figures/search_stop.h"
#include "figures/solver.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <tuple>

namespace {

constexpr int CodeCount = 65; // 0 unused, 1..64

// Areas of every piece and of the overlap of every pair, exactly. An overlap need
// not be a whole number of twelfths, so it stays a fraction.
struct PieceTables {
    std::array<int, CodeCount> twelfths{};
    std::array<Fraction, CodeCount> area{};
    std::array<std::array<Fraction, CodeCount>, CodeCount> overlap{};

    PieceTables() {
        std::array<ExactPolygon, CodeCount> corners;
        for (int c = 1; c < CodeCount; ++c) {
            corners[c] = PieceCorners(c);
            if (corners[c].size() < 3) continue;
            area[c] = Absolute(DoubleArea(corners[c])) * Fraction(1, 2);
            const Fraction t = area[c] * Fraction(12);
            twelfths[c] = t.den == 1 ? static_cast<int>(t.num) : 0;
        }
        for (int a = 1; a < CodeCount; ++a)
            for (int b = a; b < CodeCount; ++b) {
                if (corners[a].size() < 3 || corners[b].size() < 3) continue;
                const ExactPolygon common = ClipConvex(corners[a], corners[b]);
                const Fraction o =
                    common.size() < 3 ? Fraction(0) : Absolute(DoubleArea(common)) * Fraction(1, 2);
                overlap[a][b] = overlap[b][a] = o;
            }
    }

    static Fraction Absolute(Fraction f) { return f.Sign() < 0 ? Fraction(0) - f : f; }
};

const PieceTables& Tables() {
    static const PieceTables tables;
    return tables;
}

struct Piece {
    int cell; // index in the figure's box, row-major, so index order is scan order
    int code;
};

struct Candidate {
    Placement placement;
    std::vector<Piece> pieces;
    int twelfths = 0;
};

class RegionSearch {
  public:
    RegionSearch(const FigureRecord& figure, int64_t nodeLimit, size_t keep)
        : target(TargetGrid(figure)), nodeLimit(nodeLimit), keep(keep) {
        // The box of the pieces themselves, so no piece can fall outside it.
        box = {GridColumns, GridRows, -1, -1};
        for (const Placement& p : figure)
            ForEachPiece(p, [&](int col, int row, int) {
                box = {std::min(box.MinCol, col), std::min(box.MinRow, row),
                       std::max(box.MaxCol, col), std::max(box.MaxRow, row)};
            });
        const size_t size = static_cast<size_t>(box.Width() * box.Height());
        ownPieces.resize(size);
        laidPieces.resize(size);
        shortfall.assign(size, 0);
        for (const Placement& p : figure)
            ForEachPiece(p, [&](int col, int row, int code) {
                const int cell = Index(col, row);
                ownPieces[cell].push_back(code);
                shortfall[cell] += Tables().twelfths[code];
                shortfallSum += Tables().twelfths[code];
            });
        FindCandidates();
    }

    RegionSearchResult Run() {
        Descend(0, 0);
        return result;
    }

    std::vector<Placement> Candidates() const {
        std::vector<Placement> out;
        for (const Candidate& cand : candidates)
            out.push_back(cand.placement);
        return out;
    }

  private:
    int Index(int col, int row) const {
        return (row - box.MinRow) * box.Width() + (col - box.MinCol);
    }

    bool InBox(int col, int row) const {
        return col >= box.MinCol && col <= box.MaxCol && row >= box.MinRow && row <= box.MaxRow;
    }

    // The figure's own pieces in a cell do not overlap, so the part of `code`
    // inside their union is the sum of its overlaps with each.
    bool InsideRegion(int cell, int code) const {
        Fraction inside;
        for (int own : ownPieces[cell])
            inside = inside + Tables().overlap[code][own];
        return inside == Tables().area[code];
    }

    void FindCandidates() {
        coverers.resize(ownPieces.size());
        for (int o = 0; o < OrientationCount; ++o)
            for (int col = box.MinCol - BoxMinDX[o]; col <= box.MaxCol - BoxMaxDX[o]; ++col)
                for (int row = box.MinRow - BoxMinDY[o]; row <= box.MaxRow - BoxMaxDY[o]; ++row) {
                    if (!TriangleInBounds(col, row, o)) continue;
                    Candidate cand{{static_cast<uint8_t>(col), static_cast<uint8_t>(row),
                                    static_cast<uint8_t>(o)},
                                   {}};
                    bool inside = true;
                    ForEachPiece(cand.placement, [&](int c, int r, int code) {
                        if (!inside) return;
                        const int cell = InBox(c, r) ? Index(c, r) : -1;
                        if (cell < 0 || !InsideRegion(cell, code)) {
                            inside = false;
                            return;
                        }
                        cand.pieces.push_back({cell, code});
                        cand.twelfths += Tables().twelfths[code];
                    });
                    if (!inside) continue;
                    const int id = static_cast<int>(candidates.size());
                    for (const Piece& piece : cand.pieces)
                        coverers[piece.cell].push_back(id);
                    candidates.push_back(std::move(cand));
                }
        banned.assign(candidates.size(), 0);
        result.Candidates = static_cast<int64_t>(candidates.size());
    }

    bool Fits(const Candidate& cand) const {
        for (const Piece& piece : cand.pieces)
            for (int other : laidPieces[piece.cell])
                if (!PiecesDisjoint(piece.code, other)) return false;
        return true;
    }

    void Lay(const Candidate& cand) {
        for (const Piece& piece : cand.pieces) {
            laidPieces[piece.cell].push_back(piece.code);
            shortfall[piece.cell] -= Tables().twelfths[piece.code];
        }
        shortfallSum -= cand.twelfths;
    }

    void Lift(const Candidate& cand) {
        for (const Piece& piece : cand.pieces) {
            laidPieces[piece.cell].pop_back();
            shortfall[piece.cell] += Tables().twelfths[piece.code];
        }
        shortfallSum += cand.twelfths;
    }

    // Every arrangement covers the first cell still short with one of the
    // triangles inside the region that reach into it. A triangle tried there is
    // banned in the branches after it, so no arrangement is found twice.
    void Descend(int from, int laid) {
        if (result.LimitReached) return;
        const int size = static_cast<int>(shortfall.size());
        int cell = from;
        while (cell < size && shortfall[cell] == 0)
            ++cell;
        if (cell == size) {
            if (laid == TriangleCount) Record();
            return;
        }
        if (laid == TriangleCount || !reachable[TriangleCount - laid].count(shortfallSum)) return;
        std::vector<int> bannedHere;
        for (int id : coverers[cell]) {
            if (banned[id] || !Fits(candidates[id])) continue;
            if (++result.Nodes > nodeLimit || SearchStopRequested()) {
                result.LimitReached = true;
                break;
            }
            Lay(candidates[id]);
            chosen.push_back(id);
            Descend(cell, laid + 1);
            chosen.pop_back();
            Lift(candidates[id]);
            if (result.LimitReached) break;
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
        if (result.FirstMismatch == 0 && TargetGrid(found) != target)
            result.FirstMismatch = result.Arrangements;
        if (result.Found.size() < keep) result.Found.push_back(found);
    }

    Grid target;
    int64_t nodeLimit;
    size_t keep;
    CellBox box;
    std::vector<std::vector<int>> ownPieces;  // the figure's pieces, per cell
    std::vector<std::vector<int>> laidPieces; // the pieces chosen so far, per cell
    std::vector<int> shortfall;               // twelfths of each cell not yet covered
    int shortfallSum = 0;
    std::vector<Candidate> candidates;
    std::vector<std::vector<int>> coverers;
    std::vector<int> banned;
    std::vector<int> chosen;
    // The sizes differ by orientation, so this cuts off most branches that cannot
    // end on eight.
    const Totals reachable = ReachableTotals([](int code) { return Tables().twelfths[code]; });
    RegionSearchResult result;
};

} // namespace

int PieceTwelfths(int code) {
    return code >= 1 && code < CodeCount ? Tables().twelfths[code] : 0;
}

bool PiecesDisjoint(int a, int b) {
    if (a < 1 || a >= CodeCount || b < 1 || b >= CodeCount) return true;
    return Tables().overlap[a][b].Sign() == 0;
}

std::vector<Placement> PlacementsInsideRegion(const FigureRecord& figure) {
    return RegionSearch(figure, 0, 0).Candidates();
}

RegionSearchResult SearchRegion(const FigureRecord& figure, int64_t nodeLimit, size_t keep) {
    return RegionSearch(figure, nodeLimit, keep).Run();
}
