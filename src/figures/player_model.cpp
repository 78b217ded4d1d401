#include "figures/player_model.h"

#include "board/board.h"
#include "board/orientation.h"
#include "figures/figure_shape.h"
#include "figures/region_search.h"
#include "figures/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>
#include <set>
#include <vector>

namespace {

// splitmix64: the same numbers on every compiler, unlike the standard
// distributions.
struct Random {
    uint64_t state;
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
};

// Now and then the player looks at some other spot than the tightest one.
constexpr int WanderOneIn = 3;
// How far beside a new triangle the player looks for a spot it has spoilt, in cells.
constexpr int Reach = 1;
// Every other triangle but the first goes down without that look.
constexpr int LookOneIn = 2;
// The spots the eye takes for tight: those of the three smallest counts of
// triangles that still fit.
constexpr int TightCounts = 3;
// A triangle seen not to fit before it is laid costs a quarter of one laid.
constexpr int QuartersPerRejection = 1;
// What makes a triangle look right to the eye, against chance: a
// corner of it that fills a corner of the outline exactly, a corner of it on a
// corner of the outline or of a triangle already laid, a side of it along the
// outline. A person snaps triangles to such points and lines and tries the
// in-between places last.
constexpr int FillWeight = 48;
constexpr int SnapWeight = 24;
constexpr int EdgeWeight = 16;
constexpr int ChanceRange = 48;
// A side along the outline that leaves too short a piece of the outline's edge
// beyond it for any triangle's side looks wrong at once.
constexpr int SpoilWeight = 160;

// Edges at multiples of 45 degrees (square and 45-degree turns), or along one
// of the two odd lattices.
int SlopeFamily(int orient) {
    return orient % 2 == 0 ? 0 : 1 + orient % 4 / 2;
}

// Turning a triangle to a slanted edge takes care: a quarter of a put-down for
// the 45-degree turns, half for the odd ones, whose edges meet no grid line.
int TurnQuarters(int orient) {
    return orient % 4 == 0 ? 0 : orient % 2 == 0 ? 1 : 2;
}

struct Piece {
    int Cell;
    int Twelfths;
};

using Corners = std::array<PlanePoint, 3>;

Corners CornersOf(const Placement& p) {
    Corners corners;
    for (int k = 0; k < 3; ++k) {
        const Point c = GridCorner(p, k);
        corners[k] = {static_cast<double>(c.x), static_cast<double>(c.y)};
    }
    return corners;
}

// The directions around a point that a shape covers, seen very close up: 64
// directions, none of them along a side of any triangle of the tables. The
// radius stays below the distance from a lattice point to any side not through it.
constexpr int Directions = 64;
constexpr double LookRadius = 0.02;
// The step in which the eye follows an edge of the outline.
constexpr double EdgeStep = 0.5;

template <typename Covered> uint64_t WedgeAt(PlanePoint p, Covered&& covered) {
    uint64_t wedge = 0;
    for (int d = 0; d < Directions; ++d) {
        const double angle = (d + 0.5) * 2 * std::numbers::pi / Directions;
        if (covered(
                PlanePoint{p.x + LookRadius * std::cos(angle), p.y + LookRadius * std::sin(angle)}))
            wedge |= uint64_t{1} << d;
    }
    return wedge;
}

constexpr int CapQuarters = 4 * PlayerEffortCap;

inline void Set(uint64_t* bits, int i) {
    bits[i / 64] |= uint64_t{1} << (i % 64);
}
inline bool Has(const uint64_t* bits, int i) {
    return bits[i / 64] >> (i % 64) & 1;
}

// What the player sees of a figure, the same in every run: its outline, the
// triangles that lie inside it turned to its slopes, and how right each looks.
struct Outline {
    explicit Outline(const FigureRecord& figure) {
        box = {GridColumns, GridRows, -1, -1};
        for (const Placement& p : figure)
            ForEachPiece(p, [&](int col, int row, int) {
                box = {std::min(box.MinCol, col), std::min(box.MinRow, row),
                       std::max(box.MaxCol, col), std::max(box.MaxRow, row)};
            });
        const int cells = box.Width() * box.Height();
        regionGrid.assign(static_cast<size_t>(cells), 0);
        for (const Placement& p : figure)
            ForEachPiece(p, [&](int col, int row, int code) {
                regionGrid[Index(col, row)] += PieceTwelfths(code);
            });
        for (int cell = 0; cell < cells; ++cell)
            if (regionGrid[cell] > 0) regionCells.push_back(cell);
        const auto covered = [&](PlanePoint q) {
            return std::any_of(figure.begin(), figure.end(),
                               [&](const Placement& t) { return TriangleCovers(t, q); });
        };

        // Triangles joined along edges share edge directions, so the slopes a
        // figure shows are those of every one of its triangles: the player takes
        // up only triangles turned to match them.
        std::vector<Placement> placements;
        for (const Placement& p : PlacementsInsideRegion(figure))
            if (SlopeFamily(p.Orient) == SlopeFamily(figure[0].Orient)) placements.push_back(p);
        for (const Placement& p : placements) {
            const Corners corners = CornersOf(p);
            for (int k = 0; k < 3; ++k)
                shortestSide =
                    std::min(shortestSide, std::hypot(corners[k].x - corners[(k + 1) % 3].x,
                                                      corners[k].y - corners[(k + 1) % 3].y));
        }
        placementCount = static_cast<int>(placements.size());
        words = (placementCount + 63) / 64;
        cover.assign(static_cast<size_t>(cells * words), 0);
        conflict.assign(static_cast<size_t>(placementCount * words), 0);
        std::vector<std::vector<std::pair<int, int>>> inCell(static_cast<size_t>(cells));
        for (int c = 0; c < placementCount; ++c) {
            std::vector<Piece> pieces;
            int twelfths = 0;
            ForEachPiece(placements[c], [&](int col, int row, int code) {
                const int cell = Index(col, row);
                pieces.push_back({cell, PieceTwelfths(code)});
                twelfths += PieceTwelfths(code);
                inCell[cell].push_back({c, code});
                Set(&cover[cell * words], c);
            });
            looksRight.push_back(Looks(placements[c], covered));
            std::vector<int> beside;
            for (const Piece& piece : pieces) {
                const int col = box.MinCol + piece.Cell % box.Width();
                const int row = box.MinRow + piece.Cell / box.Width();
                for (int dr = -Reach; dr <= Reach; ++dr)
                    for (int dc = -Reach; dc <= Reach; ++dc)
                        if (Inside(col + dc, row + dr)) beside.push_back(Index(col + dc, row + dr));
            }
            std::sort(beside.begin(), beside.end());
            beside.erase(std::unique(beside.begin(), beside.end()), beside.end());
            besideCells.push_back(std::move(beside));
            placementPieces.push_back(std::move(pieces));
            twelfthsOf.push_back(twelfths);
            turn.push_back(TurnQuarters(placements[c].Orient));
        }
        for (auto& list : inCell)
            for (auto [a, codeA] : list)
                for (auto [b, codeB] : list)
                    if (a == b || !PiecesDisjoint(codeA, codeB)) Set(&conflict[a * words], b);
        for (int cell : regionCells)
            regionSum += regionGrid[cell];
        // Only the triangles taken up count for the area: square ones in a
        // figure of 45-degree ones are a size too large.
        const std::set<int> areas(twelfthsOf.begin(), twelfthsOf.end());
        reachable[0] = {0};
        for (int k = 1; k <= TriangleCount; ++k)
            for (int before : reachable[k - 1])
                for (int area : areas)
                    reachable[k].insert(before + area);
    }

    int Candidates() const { return placementCount; }

    int Index(int col, int row) const {
        return (row - box.MinRow) * box.Width() + (col - box.MinCol);
    }

    bool Inside(int col, int row) const {
        return col >= box.MinCol && col <= box.MaxCol && row >= box.MinRow && row <= box.MaxRow &&
               regionGrid[Index(col, row)] > 0;
    }

    // How right the triangle at `p` looks on the bare outline. Its corners go
    // into placementCorners, as points numbered among those of every candidate.
    template <typename Covered> int Looks(const Placement& p, Covered&& covered) {
        const Corners corners = CornersOf(p);
        int looks = 0;
        for (int k = 0; k < 3; ++k) {
            const PlanePoint at = corners[k];
            const int key = static_cast<int>(at.y) * (GridColumns + 1) + static_cast<int>(at.x);
            auto found = std::find(pointKeys.begin(), pointKeys.end(), key);
            if (found == pointKeys.end()) {
                pointKeys.push_back(key);
                pointWedges.push_back(WedgeAt(at, covered));
                // Neither inside nor on a straight stretch of the outline.
                const int seen = std::popcount(pointWedges.back());
                outlineCorner.push_back(seen != Directions && seen != Directions / 2);
                found = pointKeys.end() - 1;
            }
            const auto point = found - pointKeys.begin();
            placementCorners.push_back(static_cast<int>(point));
            if (outlineCorner[point]) {
                looks += SnapWeight;
                const auto inside = [&](PlanePoint q) { return TriangleCovers(p, q); };
                if (pointWedges[point] == WedgeAt(at, inside)) looks += FillWeight;
            }
            // A side along the outline has nothing just outside it.
            const PlanePoint a = at, b = corners[(k + 1) % 3], o = corners[(k + 2) % 3];
            double nx = a.y - b.y, ny = b.x - a.x;
            if (nx * (o.x - a.x) + ny * (o.y - a.y) > 0) nx = -nx, ny = -ny;
            const double length = std::hypot(nx, ny), scale = LookRadius / length;
            const auto onOutline = [&](double t) {
                const PlanePoint q{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
                return !covered(PlanePoint{q.x + scale * nx, q.y + scale * ny}) &&
                       covered(PlanePoint{q.x - scale * nx, q.y - scale * ny});
            };
            if (!onOutline(0.25) || !onOutline(0.5) || !onOutline(0.75)) continue;
            looks += EdgeWeight;
            // How far the outline's edge runs on beyond each end of the side.
            for (double end : {0.0, 1.0}) {
                const double away = end == 0 ? -1 : 1;
                double run = 0;
                while (run < shortestSide - EdgeStep &&
                       onOutline(end + away * (run + EdgeStep) / length))
                    run += EdgeStep;
                if (run > 0 && run < shortestSide - EdgeStep) looks -= SpoilWeight;
            }
        }
        return looks;
    }

    int FittingIn(int cell, const std::vector<uint64_t>& fits) const {
        int n = 0;
        for (int w = 0; w < words; ++w)
            n += std::popcount(cover[cell * words + w] & fits[w]);
        return n;
    }

    bool AnyFittingIn(int cell, const std::vector<uint64_t>& fits) const {
        for (int w = 0; w < words; ++w)
            if (cover[cell * words + w] & fits[w]) return true;
        return false;
    }

    CellBox box;
    std::vector<int> regionGrid; // twelfths of each cell inside the silhouette
    std::vector<int> regionCells;
    int regionSum = 0;
    int placementCount = 0, words = 0;
    std::vector<std::vector<Piece>> placementPieces;
    std::vector<std::vector<int>> besideCells; // per candidate: region cells within Reach
    std::vector<int> twelfthsOf, turn;
    double shortestSide = 1e9;
    std::vector<int> looksRight;       // per candidate: how right it looks on the bare outline
    std::vector<int> placementCorners; // per candidate: its three corners' points
    std::vector<int> pointKeys;        // per point: where it lies
    std::vector<uint64_t> pointWedges; // per point: the outline's wedge there
    std::vector<char> outlineCorner;   // per point: a corner of the outline
    std::vector<uint64_t> cover;       // per cell: the candidates with a piece there
    std::vector<uint64_t> conflict;    // per candidate: those that overlap it, itself too
    Totals reachable;                  // the areas k of the triangles taken up can make
};

// One run of the player over an outline: what it has laid and what is left.
class Run {
  public:
    explicit Run(const Outline& outline) : outline(outline) {}

    // Effort in quarters of a triangle laid until the figure is laid, the cap
    // at most.
    int Play(Random& random) {
        int effort = 0;
        while (effort < CapQuarters)
            if (Attempt(random, effort)) return effort;
        return CapQuarters;
    }

  private:
    // A corner of a triangle laid is a point the eye snaps to, as the outline's
    // corners are.
    void Mark(int c, int sign) {
        for (int k = 0; k < 3; ++k)
            laidAt[outline.placementCorners[3 * c + k]] += sign;
    }

    int Preference(int c, Random& random) const {
        int preference = outline.looksRight[c] + random.Below(ChanceRange);
        for (int k = 0; k < 3; ++k) {
            const int point = outline.placementCorners[3 * c + k];
            if (!outline.outlineCorner[point] && laidAt[point] > 0) preference += SnapWeight;
        }
        return preference;
    }

    void Lay(int c, int sign) {
        for (const Piece& piece : outline.placementPieces[c])
            missing[piece.Cell] -= sign * piece.Twelfths;
        shortSum -= sign * outline.twelfthsOf[c];
    }

    // Fits now: clashes with nothing laid.
    void FitsAfter(const std::vector<int>& laid, std::vector<uint64_t>& fits) const {
        fits.assign(static_cast<size_t>(outline.words), ~uint64_t{0});
        for (int c : laid)
            for (int w = 0; w < outline.words; ++w)
                fits[w] &= ~outline.conflict[c * outline.words + w];
    }

    // The look-ahead, as far as a person sees it: after `c` is laid on top of
    // `laid`, the area left is one the rest can make up, and every uncovered
    // spot right beside `c` can still take a triangle.
    bool LooksPossible(const std::vector<int>& laid, int c) {
        const int left = TriangleCount - static_cast<int>(laid.size()) - 1;
        if (!outline.reachable[left].count(shortSum - outline.twelfthsOf[c])) return false;
        std::vector<uint64_t> fits = fitsAt;
        for (int w = 0; w < outline.words; ++w)
            fits[w] &= ~outline.conflict[c * outline.words + w];
        Lay(c, 1);
        bool possible = true;
        for (int cell : outline.besideCells[c])
            if (missing[cell] > 0 && !outline.AnyFittingIn(cell, fits)) {
                possible = false;
                break;
            }
        Lay(c, -1);
        return possible;
    }

    bool Attempt(Random& random, int& effort) {
        missing = outline.regionGrid;
        shortSum = outline.regionSum;
        laidAt.assign(outline.pointKeys.size(), 0);
        std::vector<int> laid;
        std::vector<std::vector<int>> tried(TriangleCount + 1);
        int lifts = 0;
        while (effort < CapQuarters) {
            if (shortSum == 0) return laid.size() == TriangleCount;
            FitsAfter(laid, fitsAt);
            const int chosen = Choose(random, laid, tried[laid.size()], effort);
            if (chosen >= 0) {
                laid.push_back(chosen);
                Lay(chosen, 1);
                Mark(chosen, 1);
                effort += 4 + outline.turn[chosen];
                continue;
            }
            if (laid.empty() || lifts == PlayerPatience) return false;
            tried[laid.size()].clear();
            Lay(laid.back(), -1);
            Mark(laid.back(), -1);
            tried[laid.size() - 1].push_back(laid.back());
            laid.pop_back();
            ++lifts;
        }
        return false;
    }

    // The triangle to lay next, or -1 when the player sees none that works.
    int Choose(Random& random, const std::vector<int>& laid, std::vector<int>& tried, int& effort) {
        if (laid.size() == TriangleCount) return -1;
        std::vector<std::pair<int, int>> spots; // (fitting triangles, cell)
        for (int cell : outline.regionCells)
            if (missing[cell] > 0) spots.push_back({outline.FittingIn(cell, fitsAt), cell});
        if (spots.empty()) return -1;
        std::sort(spots.begin(), spots.end());
        if (spots.front().first == 0) return -1;
        // The tight spots, any of them; sometimes one a little looser, as an eye
        // that wanders does.
        int tight = 0;
        for (int counts = 0; tight < static_cast<int>(spots.size()); ++tight) {
            if (tight == 0 || spots[tight].first != spots[tight - 1].first) ++counts;
            if (counts > TightCounts) break;
        }
        int pick = random.Below(tight);
        if (random.Below(WanderOneIn) == 0)
            pick = random.Below(std::min(static_cast<int>(spots.size()), 4 * tight));
        const int cell = spots[pick].second;

        std::vector<std::pair<int, int>> options; // (-preference, candidate)
        for (int c = 0; c < outline.placementCount; ++c)
            if (Has(&outline.cover[cell * outline.words], c) && Has(fitsAt.data(), c) &&
                std::find(tried.begin(), tried.end(), c) == tried.end())
                options.push_back({-Preference(c, random), c});
        std::sort(options.begin(), options.end());
        for (auto [preference, c] : options) {
            // A fresh start is thought over; later triangles only now and then.
            const bool careless = !laid.empty() && random.Below(LookOneIn) != 0;
            if (careless || LooksPossible(laid, c)) return c;
            tried.push_back(c); // seen not to work, not tried again from here
            effort += QuartersPerRejection;
        }
        return -1;
    }

    const Outline& outline;
    std::vector<int> laidAt; // per point: corners of laid triangles there
    std::vector<int> missing;
    int shortSum = 0;
    std::vector<uint64_t> fitsAt;
};

} // namespace

PlayerEffort SimulatePlayer(const FigureRecord& figure, int runs, uint64_t seed) {
    const Outline outline(figure);
    PlayerEffort result;
    result.Candidates = outline.Candidates();
    if (runs <= 0) return result;
    int64_t total = 0;
    int solved = 0;
    for (int run = 0; run < runs; ++run) {
        Random random{seed + static_cast<uint64_t>(run)};
        const int effort = Run(outline).Play(random);
        total += effort;
        solved += effort < CapQuarters;
    }
    result.MeanEffort = static_cast<double>(total) / (4.0 * runs);
    result.SolvedShare = static_cast<double>(solved) / runs;
    return result;
}
