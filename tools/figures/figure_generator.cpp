#include "figure_generator.h"

#include "board/orientation.h"
#include "figures/figure_rules.h"
#include "figures/figure_shape.h"
#include "figures/look_alike.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

namespace {

enum class Symmetry { None, Mirror, HalfTurn, QuarterTurn };

struct Family {
    const char* name;
    std::vector<int> orients;
    bool mixed; // edges of different lengths meet
};

// The odd turns come in two sets whose edges meet cleanly only within a set
// (1, 5, 9, 13 and 3, 7, 11, 15); a figure of the odd family keeps to the set of
// its first triangle. Odd triangles never share a whole edge with square or
// diagonal ones, so mixes with them are left to the hand-made figures.
const Family Families[] = {
    {"square", {0, 4, 8, 12}, false},
    {"diagonal", {2, 6, 10, 14}, false},
    {"odd", {1, 3, 5, 7, 9, 11, 13, 15}, false},
    {"square and diagonal", {0, 2, 4, 6, 8, 10, 12, 14}, true},
};

const char* SymmetryName(Symmetry s) {
    switch (s) {
    case Symmetry::Mirror:
        return "mirror";
    case Symmetry::HalfTurn:
        return "half turn";
    case Symmetry::QuarterTurn:
        return "windmill";
    case Symmetry::None:
        break;
    }
    return "free";
}

// The board's middle, about which the symmetric figures grow.
constexpr int MidCol = 45, MidRow = 30;

std::vector<Placement> Orbit(const Placement& p, Symmetry symmetry) {
    std::vector<Placement> orbit{p};
    auto add = [&](int col, int row, int o) {
        const Placement q{static_cast<uint8_t>(std::clamp(col, 0, 255)),
                          static_cast<uint8_t>(std::clamp(row, 0, 255)),
                          static_cast<uint8_t>(o & 15)};
        if (std::find(orbit.begin(), orbit.end(), q) == orbit.end()) orbit.push_back(q);
    };
    const int c = p.Col, r = p.Row, o = p.Orient;
    switch (symmetry) {
    case Symmetry::Mirror:
        add(2 * MidCol - c, r, 4 - o);
        break;
    case Symmetry::HalfTurn:
        add(2 * MidCol - c, 2 * MidRow - r, o + 8);
        break;
    case Symmetry::QuarterTurn:
        for (int k = 1, x = c, y = r; k < 4; ++k) {
            const int nx = MidCol - (y - MidRow), ny = MidRow + (x - MidCol);
            x = nx, y = ny;
            add(x, y, o + 4 * k);
        }
        break;
    case Symmetry::None:
        break;
    }
    return orbit;
}

// How well a triangle joins what lies on the board: cells it covers next to or
// completing the figure's cells, and cells it leaves part-filled beside others.
struct Join {
    int contact = 0;
    int ragged = 0;
};

// True when a piece joined to a cell's value fills the cell: the two halves of a
// cut, or a quarter and the seven-twelfths piece that overlaps it by a twelfth
// where two odd turns meet along their long edges.
bool FillsCell(int value, int code) {
    if (value + code == 64) return true;
    static const int overlapping[][2] = {{9, 41},  {11, 38}, {12, 36}, {14, 43},
                                         {16, 46}, {17, 54}, {19, 51}, {20, 49}};
    for (const auto& pair : overlapping)
        if ((value == pair[0] && code == pair[1]) || (value == pair[1] && code == pair[0]))
            return true;
    return false;
}

Join JoinOf(const Grid& board, const Placement& p) {
    Join join;
    const int o = p.Orient;
    auto covers = [&](int col, int row) {
        const int dx = col - p.Col, dy = row - p.Row;
        return dx >= BoxMinDX[o] && dx <= BoxMaxDX[o] && dy >= BoxMinDY[o] && dy <= BoxMaxDY[o] &&
               MaskAt(o, dx, dy);
    };
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int dx = BoxMinDX[o]; dx <= BoxMaxDX[o]; ++dx)
        for (int dy = BoxMinDY[o]; dy <= BoxMaxDY[o]; ++dy) {
            const int m = MaskAt(o, dx, dy);
            if (!m) continue;
            const int col = p.Col + dx, row = p.Row + dy;
            const int before = board[col][row];
            if (before) {
                if (FillsCell(before, m)) {
                    ++join.contact;
                    continue;
                }
                // A cell that stays part-filled although the figure surrounds it
                // is a slit between the triangles; at the figure's edge it is not.
                bool inside = true;
                for (const auto& s : steps) {
                    const int nc = col + s[0], nr = row + s[1];
                    inside = inside && nc >= 0 && nc < GridColumns && nr >= 0 && nr < GridRows &&
                             (board[nc][nr] || covers(nc, nr));
                }
                join.ragged += inside;
                continue;
            }
            if (m != 64) continue;
            for (const auto& s : steps) {
                const int nc = col + s[0], nr = row + s[1];
                if (nc >= 0 && nc < GridColumns && nr >= 0 && nr < GridRows && board[nc][nr]) {
                    ++join.contact;
                    break;
                }
            }
        }
    return join;
}

// Cells along which a new triangle must touch the figure, and along which every
// triangle of a kept figure touches the others: no triangle hangs on by a corner.
constexpr int MinContact = 6;
constexpr int FirmContact = 7;

int SharedVertices(const Placement& p, const std::vector<Placement>& others) {
    int shared = 0;
    for (int k = 0; k < 3; ++k) {
        const Point corner = GridCorner(p, k);
        bool found = false;
        for (const Placement& q : others)
            for (int j = 0; j < 3 && !found; ++j)
                found = corner == GridCorner(q, j);
        shared += found;
    }
    return shared;
}

// Grows one figure. Every new triangle has a corner on a corner of the figure and
// joins it cleanly: each cell it shares with the figure becomes whole, it touches
// along at least MinContact cells, and it shares two corners with the triangles
// before it (one where the family mixes edge lengths), so its edge lies along an
// edge of theirs.
class Grower {
  public:
    Grower(std::mt19937& rng, Symmetry symmetry, const Family& family)
        : rng(rng), symmetry(symmetry), family(family), neededCorners(family.mixed ? 1 : 2) {}

    bool Grow(FigureRecord& figure) {
        for (int failures = 0; laid.size() < TriangleCount;) {
            if (!AddBest()) {
                if (++failures > 6) return false;
            }
        }
        std::copy(laid.begin(), laid.end(), figure.begin());
        return true;
    }

  private:
    int Random(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    Placement WithCornerAt(int o, int k, int x, int y) const {
        const Point offset = CornerOffset(o, k);
        return {static_cast<uint8_t>(std::clamp(x - offset.x, 0, 255)),
                static_cast<uint8_t>(std::clamp(y - offset.y, 0, 255)), static_cast<uint8_t>(o)};
    }

    // The first triangle touches its own images: a corner on the mirror line or on
    // the centre of the quarter turns, the middle of an edge on the centre of the
    // half turn. Later ones have a corner on a corner of the figure.
    Placement Propose() {
        int o = family.orients[Random(0, static_cast<int>(family.orients.size()) - 1)];
        if (!laid.empty() && o % 2) o = (o & ~3) | (laid.front().Orient & 3);
        const int k = Random(0, 2);
        if (laid.empty()) {
            int x = MidCol, y = MidRow;
            if (symmetry == Symmetry::Mirror) y += Random(-5, 5);
            if (symmetry == Symmetry::None) x += Random(-5, 5), y += Random(-5, 5);
            const int k2 = (k + 1) % 3;
            const Point corner = CornerOffset(o, k), sum = corner + CornerOffset(o, k2);
            if (symmetry == Symmetry::HalfTurn && sum.x % 2 == 0 && sum.y % 2 == 0)
                return WithCornerAt(o, k, x + (corner.x - sum.x / 2), y + (corner.y - sum.y / 2));
            return WithCornerAt(o, k, x, y);
        }
        const Placement& base = laid[Random(0, static_cast<int>(laid.size()) - 1)];
        const int j = Random(0, 2);
        const Point corner = GridCorner(base, j);
        return WithCornerAt(o, k, corner.x, corner.y);
    }

    // Tries the orbit of p on the board, and takes it off again; its score, or none.
    bool Try(const Placement& p, double& score, std::vector<Placement>& orbit) {
        orbit = Orbit(p, symmetry);
        if (laid.size() + orbit.size() > TriangleCount) return false;
        std::vector<Placement> before = laid;
        score = 0;
        bool joins = true;
        for (const Placement& q : orbit) {
            if (!TriangleFits(board, q.Col, q.Row, q.Orient)) {
                joins = false;
                break;
            }
            if (!before.empty()) {
                // A triangle's own images may meet it at a single corner.
                const int corners = laid.empty() ? 1 : neededCorners;
                const Join join = JoinOf(board.Board, q);
                if (join.contact < MinContact || join.ragged > 0 ||
                    SharedVertices(q, before) < corners) {
                    joins = false;
                    break;
                }
                score += join.contact;
            }
            StampPlacement(board.Board, q);
            before.push_back(q);
        }
        for (size_t i = laid.size(); i < before.size(); ++i)
            LiftPlacement(board.Board, before[i]);
        if (!joins) return false;
        score /= static_cast<double>(orbit.size());
        score += std::uniform_real_distribution<double>(0, 8)(rng);
        return true;
    }

    bool AddBest() {
        double bestScore = -1e9;
        std::vector<Placement> best;
        for (int k = 0; k < 120; ++k) {
            double score;
            std::vector<Placement> orbit;
            if (Try(Propose(), score, orbit) && score > bestScore) {
                bestScore = score;
                best = orbit;
            }
        }
        if (best.empty()) return false;
        for (const Placement& q : best) {
            StampPlacement(board.Board, q);
            laid.push_back(q);
        }
        return true;
    }

    std::mt19937& rng;
    Symmetry symmetry;
    const Family& family;
    int neededCorners;
    BoardState board;
    std::vector<Placement> laid;
};

// True when the figure has triangles of two of the kinds of orientation.
bool MixesFamilies(const FigureRecord& figure) {
    std::set<int> kinds;
    for (const Placement& p : figure)
        kinds.insert(p.Orient % 2 ? 1 : p.Orient % 4);
    return kinds.size() > 1;
}

double TriangleArea(int o) {
    // Legs 10 in the square orientations, sqrt(98) in the diagonal ones, sqrt(90) in the odd.
    return o % 2 ? 45.0 : (o % 4 ? 49.0 : 50.0);
}

double Cross(Point o, Point a, Point b) {
    return double(a.x - o.x) * (b.y - o.y) - double(a.y - o.y) * (b.x - o.x);
}

double HullArea(const FigureRecord& figure) {
    std::vector<Point> points;
    for (const Placement& p : figure)
        for (int k = 0; k < 3; ++k)
            points.push_back(GridCorner(p, k));
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    std::vector<Point> hull(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, t = k + 1; i-- > 0;) {
        while (k >= t && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k > 0 ? k - 1 : 0);
    double twice = 0;
    for (size_t i = 0; i < hull.size(); ++i) {
        const auto& a = hull[i];
        const auto& b = hull[(i + 1) % hull.size()];
        twice += double(a.x) * b.y - double(b.x) * a.y;
    }
    return std::abs(twice) / 2;
}

// Pairs of distinct corners less than about 4.5 apart. Triangles of one family
// meet corner to corner; where square and diagonal ones meet, edges of 10 and 9.9
// leave such near misses, which show as notches and spikes.
int NearCorners(const FigureRecord& figure) {
    std::set<Point> corners;
    for (const Placement& p : figure)
        for (int k = 0; k < 3; ++k)
            corners.insert(GridCorner(p, k));
    int near = 0;
    for (auto a = corners.begin(); a != corners.end(); ++a)
        for (auto b = std::next(a); b != corners.end(); ++b) {
            const int dx = a->x - b->x, dy = a->y - b->y;
            near += dx * dx + dy * dy <= 20;
        }
    return near;
}

// How much longer the figure is than wide, along its own main axis: the ratio of
// the spreads of its corners. Long bars are dull.
double Elongation(const FigureRecord& figure) {
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (const Placement& p : figure)
        for (int k = 0; k < 3; ++k) {
            const Point c = GridCorner(p, k);
            const double x = c.x, y = c.y;
            n += 1, sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
        }
    const double cxx = sxx / n - sx * sx / (n * n), cyy = syy / n - sy * sy / (n * n);
    const double cxy = sxy / n - sx * sy / (n * n);
    const double mean = (cxx + cyy) / 2,
                 spread = std::sqrt((cxx - cyy) * (cxx - cyy) / 4 + cxy * cxy);
    return std::sqrt((mean + spread) / std::max(mean - spread, 1e-9));
}

// Outline length in cell steps: the part-filled cells along slanted edges and the
// sides of whole cells that face the outside.
int OutlineLength(const Grid& grid, const std::vector<FigureCell>& cells) {
    int length = 0;
    for (const FigureCell& c : cells) {
        if (c.Value != 64) {
            ++length;
            continue;
        }
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& s : steps) {
            const int nc = c.Col + s[0], nr = c.Row + s[1];
            if (nc < 0 || nc >= GridColumns || nr < 0 || nr >= GridRows || !grid[nc][nr]) ++length;
        }
    }
    return length;
}

// Part-filled cells with figure cells on all four sides: slits and slivers.
int InnerSlivers(const Grid& grid, const std::vector<FigureCell>& cells) {
    int slivers = 0;
    for (const FigureCell& c : cells) {
        if (c.Value == 64) continue;
        if (c.Col > 0 && c.Col < GridColumns - 1 && c.Row > 0 && c.Row < GridRows - 1 &&
            grid[c.Col - 1][c.Row] && grid[c.Col + 1][c.Row] && grid[c.Col][c.Row - 1] &&
            grid[c.Col][c.Row + 1])
            ++slivers;
    }
    return slivers;
}

// Empty cells that the figure closes in: holes and slits between triangles.
int EnclosedCells(const Grid& grid) {
    std::array<std::array<bool, GridRows>, GridColumns> outside{};
    std::vector<std::pair<int, int>> stack;
    auto reach = [&](int c, int r) {
        if (c < 0 || c >= GridColumns || r < 0 || r >= GridRows || outside[c][r] || grid[c][r])
            return;
        outside[c][r] = true;
        stack.push_back({c, r});
    };
    for (int c = 0; c < GridColumns; ++c) {
        reach(c, 0);
        reach(c, GridRows - 1);
    }
    for (int r = 0; r < GridRows; ++r) {
        reach(0, r);
        reach(GridColumns - 1, r);
    }
    while (!stack.empty()) {
        const auto [c, r] = stack.back();
        stack.pop_back();
        reach(c + 1, r);
        reach(c - 1, r);
        reach(c, r + 1);
        reach(c, r - 1);
    }
    int enclosed = 0;
    for (int c = 0; c < GridColumns; ++c)
        for (int r = 0; r < GridRows; ++r)
            enclosed += !grid[c][r] && !outside[c][r];
    return enclosed;
}

// The weakest join of any one triangle with the seven others.
int WeakestJoin(const FigureRecord& figure) {
    int weakest = 1 << 20;
    for (int t = 0; t < TriangleCount; ++t) {
        Grid others{};
        for (int u = 0; u < TriangleCount; ++u)
            if (u != t) StampPlacement(others, figure[u]);
        weakest = std::min(weakest, JoinOf(others, figure[t]).contact);
    }
    return weakest;
}

} // namespace

double FigureInterest(const FigureRecord& figure) {
    const Grid grid = TargetGrid(figure);
    const std::vector<FigureCell> cells = FigureCells(grid);
    double area = 0;
    for (const Placement& p : figure)
        area += TriangleArea(p.Orient);
    const double fill = area / std::max(HullArea(figure), 1.0);
    const double roundness = OutlineLength(grid, cells) / std::sqrt(area); // a square gives 4
    const int slivers = InnerSlivers(grid, cells);
    const int weakest = WeakestJoin(figure);
    double score = 4.0 * fill - 0.6 * (roundness - 4.0) - 0.25 * slivers;
    if (const double e = Elongation(figure); e > 2.0) score -= 0.5 * (e - 2.0);
    if (weakest < FirmContact) score -= 3.0;
    if (EnclosedCells(grid) > 0) score -= 5.0;
    // A mirror line makes near misses look meant: they come in pairs, like eaves.
    const bool symmetric = IsMirrorSymmetric(figure);
    score -= (symmetric ? 0.4 : 1.5) * NearCorners(figure);
    if (symmetric) score += 0.8;
    return score;
}

namespace {

// A collection holds no near copies and no look-alikes.
bool LooksLikeAny(const FigureRecord& figure, const std::vector<FigureRecord>& others) {
    return std::any_of(others.begin(), others.end(), [&](const FigureRecord& other) {
        return SharedTriangles(figure, other) >= NearCopyShared ||
               SilhouetteOverlap(figure, other) >= LookAlikeOverlap;
    });
}

} // namespace

std::vector<GeneratedFigure> GenerateFigures(uint32_t seed, int count,
                                             const std::vector<FigureRecord>& avoid,
                                             double minInterest) {
    std::mt19937 rng(seed);
    std::set<ShapeKey> shapes;
    std::vector<FigureRecord> kept; // the figures to avoid and those grown so far
    for (const FigureRecord& figure : avoid)
        if (FigureIsValid(figure)) {
            shapes.insert(CanonicalRegionKey(figure));
            kept.push_back(figure);
        }

    // Every kind of symmetry with every family, except a mirror line with the odd
    // turns alone: they have no edge along it, so the two halves never join.
    struct Kind {
        Symmetry symmetry;
        const Family* family;
        std::vector<GeneratedFigure> pool; // best first
    };
    std::vector<Kind> kinds;
    for (Symmetry symmetry :
         {Symmetry::Mirror, Symmetry::HalfTurn, Symmetry::QuarterTurn, Symmetry::None})
        for (const Family& family : Families) {
            const bool oddOnly = std::all_of(family.orients.begin(), family.orients.end(),
                                             [](int o) { return o % 2 == 1; });
            if (symmetry != Symmetry::Mirror || !oddOnly) kinds.push_back({symmetry, &family, {}});
        }

    // Each kind grows a pool of candidates, three times its share; the figures are
    // then taken from the pools in turn, the most interesting of each pool first.
    const int share = (count + static_cast<int>(kinds.size()) - 1) / static_cast<int>(kinds.size());
    for (Kind& kind : kinds) {
        for (int attempt = 0;
             static_cast<int>(kind.pool.size()) < 3 * share && attempt < 600 * share; ++attempt) {
            FigureRecord figure{};
            Grower grower(rng, kind.symmetry, *kind.family);
            if (!grower.Grow(figure) || !CentreFigure(figure)) continue;
            // The cheap tests first: the rules solve the figure.
            if (kind.family->mixed && !MixesFamilies(figure)) continue;
            const double interest = FigureInterest(figure);
            if (interest < minInterest) continue;
            const ShapeKey key = CanonicalRegionKey(figure);
            if (shapes.count(key) || LooksLikeAny(figure, kept)) continue;
            if (!CheckFigure(1, figure).empty()) continue;
            shapes.insert(key);
            kept.push_back(figure);
            kind.pool.push_back({"", figure, interest});
        }
        std::stable_sort(kind.pool.begin(), kind.pool.end(),
                         [](const GeneratedFigure& a, const GeneratedFigure& b) {
                             return a.Interest > b.Interest;
                         });
    }
    std::vector<GeneratedFigure> made;
    for (size_t round = 0; static_cast<int>(made.size()) < count; ++round) {
        bool any = false;
        for (Kind& kind : kinds) {
            if (round >= kind.pool.size() || static_cast<int>(made.size()) >= count) continue;
            any = true;
            GeneratedFigure figure = kind.pool[round];
            figure.Name = "Pattern " + std::to_string(made.size() + 1) + " (" +
                          SymmetryName(kind.symmetry) + ", " + kind.family->name + ")";
            made.push_back(figure);
        }
        if (!any) break;
    }
    return made;
}
