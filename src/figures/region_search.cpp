#include "region_search.h"

#include "board/exact_geometry.h"
#include "board/orientation.h"
#include "figures/figure_shape.h"
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
        : target_(TargetGrid(figure)), nodeLimit_(nodeLimit), keep_(keep) {
        // The box of the pieces themselves, so no piece can fall outside it.
        box_ = {GridColumns, GridRows, -1, -1};
        for (const Placement& p : figure)
            ForEachPiece(p, [&](int col, int row, int) {
                box_ = {std::min(box_.MinCol, col), std::min(box_.MinRow, row),
                        std::max(box_.MaxCol, col), std::max(box_.MaxRow, row)};
            });
        const size_t size = static_cast<size_t>(box_.Width() * box_.Height());
        own_.resize(size);
        laid_.resize(size);
        short_.assign(size, 0);
        for (const Placement& p : figure)
            ForEachPiece(p, [&](int col, int row, int code) {
                const int cell = Index(col, row);
                own_[cell].push_back(code);
                short_[cell] += Tables().twelfths[code];
                shortSum_ += Tables().twelfths[code];
            });
        FindCandidates();
    }

    RegionSearchResult Run() {
        Descend(0, 0);
        return result_;
    }

    std::vector<Placement> Candidates() const {
        std::vector<Placement> out;
        for (const Candidate& cand : candidates_)
            out.push_back(cand.placement);
        return out;
    }

  private:
    int Index(int col, int row) const {
        return (row - box_.MinRow) * box_.Width() + (col - box_.MinCol);
    }

    bool InBox(int col, int row) const {
        return col >= box_.MinCol && col <= box_.MaxCol && row >= box_.MinRow && row <= box_.MaxRow;
    }

    // The figure's own pieces in a cell do not overlap, so the part of `code`
    // inside their union is the sum of its overlaps with each.
    bool InsideRegion(int cell, int code) const {
        Fraction inside;
        for (int own : own_[cell])
            inside = inside + Tables().overlap[code][own];
        return inside == Tables().area[code];
    }

    void FindCandidates() {
        coverers_.resize(own_.size());
        for (int o = 0; o < OrientationCount; ++o)
            for (int col = box_.MinCol - BoxMinDX[o]; col <= box_.MaxCol - BoxMaxDX[o]; ++col)
                for (int row = box_.MinRow - BoxMinDY[o]; row <= box_.MaxRow - BoxMaxDY[o]; ++row) {
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
                    const int id = static_cast<int>(candidates_.size());
                    for (const Piece& piece : cand.pieces)
                        coverers_[piece.cell].push_back(id);
                    candidates_.push_back(std::move(cand));
                }
        banned_.assign(candidates_.size(), 0);
        result_.Candidates = static_cast<int64_t>(candidates_.size());
    }

    bool Fits(const Candidate& cand) const {
        for (const Piece& piece : cand.pieces)
            for (int other : laid_[piece.cell])
                if (!PiecesDisjoint(piece.code, other)) return false;
        return true;
    }

    void Lay(const Candidate& cand) {
        for (const Piece& piece : cand.pieces) {
            laid_[piece.cell].push_back(piece.code);
            short_[piece.cell] -= Tables().twelfths[piece.code];
        }
        shortSum_ -= cand.twelfths;
    }

    void Lift(const Candidate& cand) {
        for (const Piece& piece : cand.pieces) {
            laid_[piece.cell].pop_back();
            short_[piece.cell] += Tables().twelfths[piece.code];
        }
        shortSum_ += cand.twelfths;
    }

    // Every arrangement covers the first cell still short with one of the
    // triangles inside the region that reach into it. A triangle tried there is
    // banned in the branches after it, so no arrangement is found twice.
    void Descend(int from, int laid) {
        if (result_.LimitReached) return;
        const int size = static_cast<int>(short_.size());
        int cell = from;
        while (cell < size && short_[cell] == 0)
            ++cell;
        if (cell == size) {
            if (laid == TriangleCount) Record();
            return;
        }
        if (laid == TriangleCount || !reachable_[TriangleCount - laid].count(shortSum_)) return;
        std::vector<int> bannedHere;
        for (int id : coverers_[cell]) {
            if (banned_[id] || !Fits(candidates_[id])) continue;
            if (++result_.Nodes > nodeLimit_) {
                result_.LimitReached = true;
                break;
            }
            Lay(candidates_[id]);
            chosen_.push_back(id);
            Descend(cell, laid + 1);
            chosen_.pop_back();
            Lift(candidates_[id]);
            if (result_.LimitReached) break;
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
        if (result_.FirstMismatch == 0 && TargetGrid(found) != target_)
            result_.FirstMismatch = result_.Arrangements;
        if (result_.Found.size() < keep_) result_.Found.push_back(found);
    }

    Grid target_;
    int64_t nodeLimit_;
    size_t keep_;
    CellBox box_;
    std::vector<std::vector<int>> own_;  // the figure's pieces, per cell
    std::vector<std::vector<int>> laid_; // the pieces chosen so far, per cell
    std::vector<int> short_;             // twelfths of each cell not yet covered
    int shortSum_ = 0;
    std::vector<Candidate> candidates_;
    std::vector<std::vector<int>> coverers_;
    std::vector<int> banned_;
    std::vector<int> chosen_;
    // The sizes differ by orientation, so this cuts off most branches that cannot
    // end on eight.
    const Totals reachable_ = ReachableTotals([](int code) { return Tables().twelfths[code]; });
    RegionSearchResult result_;
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
