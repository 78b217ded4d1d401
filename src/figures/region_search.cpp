#include "region_search.h"

#include "board/exact_geometry.h"
#include "board/orientation.h"
#include "figures/cover_search.h"
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

// Region first: a candidate lies wholly inside the figure's region, and is laid
// only where it overlaps none of those laid before it.
struct RegionRules {
    std::vector<std::vector<int>> ownPieces;  // the figure's pieces, per cell
    std::vector<std::vector<int>> laidPieces; // the pieces chosen so far, per cell
    Grid target;
    size_t keep;
    RegionSearchResult result;

    // The figure's own pieces in a cell do not overlap, so the part of `code`
    // inside their union is the sum of its overlaps with each.
    bool Accepts(int cell, int code) const {
        Fraction inside;
        for (int own : ownPieces[cell])
            inside = inside + Tables().overlap[code][own];
        return inside == Tables().area[code];
    }
    bool Fits(const CoverCandidate& cand, const std::vector<int>&) const {
        for (const CoverPiece& piece : cand.Pieces)
            for (int other : laidPieces[piece.Cell])
                if (!PiecesDisjoint(piece.Code, other)) return false;
        return true;
    }
    void Laid(const CoverCandidate& cand) {
        for (const CoverPiece& piece : cand.Pieces)
            laidPieces[piece.Cell].push_back(piece.Code);
    }
    void Lifted(const CoverCandidate& cand) {
        for (const CoverPiece& piece : cand.Pieces)
            laidPieces[piece.Cell].pop_back();
    }
    bool Found(const FigureRecord& found) {
        ++result.Arrangements;
        if (result.FirstMismatch == 0 && TargetGrid(found) != target)
            result.FirstMismatch = result.Arrangements;
        if (result.Found.size() < keep) result.Found.push_back(found);
        return true;
    }
};

// Sets up the search for the figure's region and hands it to `f(search, rules)` to run or read.
template <typename F>
void WithRegionSearch(const FigureRecord& figure, int64_t nodeLimit, size_t keep, F&& f) {
    // The box of the pieces themselves, so no piece can fall outside it.
    CellBox box{GridColumns, GridRows, -1, -1};
    for (const Placement& p : figure)
        ForEachPiece(p, [&](int col, int row, int) {
            box = {std::min(box.MinCol, col), std::min(box.MinRow, row), std::max(box.MaxCol, col),
                   std::max(box.MaxRow, row)};
        });
    const size_t size = static_cast<size_t>(box.Width() * box.Height());
    RegionRules rules{std::vector<std::vector<int>>(size),
                      std::vector<std::vector<int>>(size),
                      TargetGrid(figure),
                      keep,
                      {}};
    std::vector<int> shortfall(size, 0); // twelfths of each cell not yet covered
    for (const Placement& p : figure)
        ForEachPiece(p, [&](int col, int row, int code) {
            const int cell = CellIndex(box, col, row);
            rules.ownPieces[cell].push_back(code);
            shortfall[cell] += Tables().twelfths[code];
        });
    CoverSearch<RegionRules> search(
        rules, box, std::move(shortfall), [](int code) { return Tables().twelfths[code]; },
        nodeLimit);
    f(search, rules);
}

} // namespace

int PieceTwelfths(int code) {
    return code >= 1 && code < CodeCount ? Tables().twelfths[code] : 0;
}

bool PiecesDisjoint(int a, int b) {
    if (a < 1 || a >= CodeCount || b < 1 || b >= CodeCount) return true;
    return Tables().overlap[a][b].Sign() == 0;
}

std::vector<Placement> PlacementsInsideRegion(const FigureRecord& figure) {
    std::vector<Placement> inside;
    WithRegionSearch(figure, 0, 0, [&](const CoverSearch<RegionRules>& search, RegionRules&) {
        for (const CoverCandidate& cand : search.Candidates())
            inside.push_back(cand.Where);
    });
    return inside;
}

RegionSearchResult SearchRegion(const FigureRecord& figure, int64_t nodeLimit, size_t keep) {
    RegionSearchResult result;
    WithRegionSearch(figure, nodeLimit, keep,
                     [&](CoverSearch<RegionRules>& search, RegionRules& rules) {
                         search.Run();
                         result = std::move(rules.result);
                         result.Candidates = static_cast<int64_t>(search.Candidates().size());
                         result.Nodes = search.Nodes();
                         result.LimitReached = search.NodeLimitReached() || search.Interrupted();
                     });
    return result;
}
