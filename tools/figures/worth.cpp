#include "worth.h"

#include "board/board.h"
#include "board/orientation.h"
#include "figures/figure_rules.h"
#include "figures/figure_shape.h"
#include "figures/look_alike.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <numeric>

namespace {

using Triangle = std::array<Point, 3>;

std::vector<Triangle> TrianglesOf(const FigureRecord& figure) {
    std::vector<Triangle> triangles;
    for (const Placement& p : figure) {
        Triangle t;
        for (int k = 0; k < 3; ++k)
            t[k] = GridCorner(p, k);
        triangles.push_back(t);
    }
    return triangles;
}

long Cross(Point o, Point a, Point b) {
    return static_cast<long>(a.x - o.x) * (b.y - o.y) - static_cast<long>(a.y - o.y) * (b.x - o.x);
}

double Length(Point a, Point b) {
    return std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
}

// A line through lattice points, named by its reduced direction and offset, and
// a stretch along it as the interval of dot(direction, point).
struct Line {
    long DX, DY, Offset;
    auto operator<=>(const Line&) const = default;
};

Line LineThrough(Point a, Point b) {
    long dx = b.x - a.x, dy = b.y - a.y;
    const long g = std::gcd(std::labs(dx), std::labs(dy));
    dx /= g, dy /= g;
    if (dx < 0 || (dx == 0 && dy < 0)) dx = -dx, dy = -dy;
    return {dx, dy, dx * a.y - dy * a.x};
}

using Interval = std::pair<double, double>;

double Along(const Line& line, Point p) {
    return static_cast<double>(line.DX * p.x + line.DY * p.y);
}

// Edge intervals of every triangle on every line, with the triangle's number.
std::map<Line, std::vector<std::pair<Interval, int>>> EdgesByLine(const std::vector<Triangle>& ts) {
    std::map<Line, std::vector<std::pair<Interval, int>>> lines;
    for (size_t i = 0; i < ts.size(); ++i)
        for (int k = 0; k < 3; ++k) {
            const Point a = ts[i][k], b = ts[i][(k + 1) % 3];
            const Line line = LineThrough(a, b);
            const double s = Along(line, a), e = Along(line, b);
            lines[line].push_back({{std::min(s, e), std::max(s, e)}, static_cast<int>(i)});
        }
    return lines;
}

double Scale(const Line& line) {
    return std::hypot(static_cast<double>(line.DX), static_cast<double>(line.DY));
}

double Overlap(Interval a, Interval b) {
    return std::max(0.0, std::min(a.second, b.second) - std::max(a.first, b.first));
}

// The outline's straight stretches on one line: where exactly one triangle has an
// edge (two edges over each other are a seam inside the figure), joined where
// they meet.
std::vector<Interval> Stretches(const std::vector<std::pair<Interval, int>>& edges) {
    std::vector<double> cuts;
    for (const auto& [interval, t] : edges)
        cuts.push_back(interval.first), cuts.push_back(interval.second);
    std::sort(cuts.begin(), cuts.end());
    std::vector<Interval> stretches;
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double from = cuts[i], to = cuts[i + 1];
        if (to - from < 1e-9) continue;
        int over = 0;
        for (const auto& [interval, t] : edges)
            over += interval.first <= from + 1e-9 && interval.second >= to - 1e-9;
        if (over != 1) continue;
        if (!stretches.empty() && std::abs(stretches.back().second - from) < 1e-9)
            stretches.back().second = to;
        else
            stretches.push_back({from, to});
    }
    return stretches;
}

long TwiceHullArea(std::vector<Point> points) {
    std::sort(points.begin(), points.end(),
              [](Point a, Point b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    std::vector<Point> hull;
    for (int pass = 0; pass < 2; ++pass) {
        const size_t base = hull.size();
        for (const Point& p : points) {
            while (hull.size() >= base + 2 && Cross(hull[hull.size() - 2], hull.back(), p) <= 0)
                hull.pop_back();
            hull.push_back(p);
        }
        hull.pop_back();
        std::reverse(points.begin(), points.end());
    }
    long twice = 0;
    for (size_t i = 0; i < hull.size(); ++i)
        twice +=
            hull[i].x * hull[(i + 1) % hull.size()].y - hull[(i + 1) % hull.size()].x * hull[i].y;
    return std::labs(twice);
}

} // namespace

FigureJoints JointsOf(const FigureRecord& figure) {
    const std::vector<Triangle> ts = TrianglesOf(figure);
    const Triangle& first = ts.front();
    const double leg = std::min(
        {Length(first[0], first[1]), Length(first[1], first[2]), Length(first[2], first[0])});
    FigureJoints joints;
    const size_t n = ts.size();
    joints.Shared.assign(n, std::vector<double>(n, 0));
    for (const auto& [line, edges] : EdgesByLine(ts)) {
        joints.Stretches += static_cast<int>(Stretches(edges).size());
        for (const auto& [a, i] : edges)
            for (const auto& [b, j] : edges)
                if (i != j) joints.Shared[i][j] += Overlap(a, b) / Scale(line) / leg;
    }
    return joints;
}

FigureWorth JudgeWorth(const FigureRecord& figure) {
    const std::vector<Triangle> ts = TrianglesOf(figure);
    const Triangle& first = ts.front();
    const double leg = std::min(
        {Length(first[0], first[1]), Length(first[1], first[2]), Length(first[2], first[0])});
    FigureWorth worth;

    std::vector<Point> corners;
    long twiceArea = 0;
    for (const Triangle& t : ts) {
        corners.insert(corners.end(), t.begin(), t.end());
        twiceArea += std::labs(Cross(t[0], t[1], t[2]));
    }
    // Convex or all but convex: what the outline leaves of its hull is too
    // little to read as a limb, a notch or a point, so it is a blob or a bar.
    worth.Dull = twiceArea >= DullFill * static_cast<double>(TwiceHullArea(corners)) - 1e-9;

    const auto lines = EdgesByLine(ts);
    const int n = static_cast<int>(ts.size());
    std::vector<std::vector<double>> shared(n, std::vector<double>(n, 0));
    worth.ShortestStretch = 1e9;
    for (const auto& [line, edges] : lines) {
        for (const Interval& s : Stretches(edges))
            worth.ShortestStretch =
                std::min(worth.ShortestStretch, (s.second - s.first) / Scale(line) / leg);
        for (const auto& [a, i] : edges)
            for (const auto& [b, j] : edges)
                if (i != j) shared[i][j] += Overlap(a, b) / Scale(line) / leg;
    }

    // Every way to cut the triangles into two parts, each joined along edges.
    const auto joined = [&](unsigned part) {
        const int start = std::countr_zero(part);
        unsigned seen = 1u << start, todo = seen;
        while (todo) {
            const int i = std::countr_zero(todo);
            todo &= todo - 1;
            for (int j = 0; j < n; ++j)
                if ((part >> j & 1) && !(seen >> j & 1) && shared[i][j] > 1e-9)
                    seen |= 1u << j, todo |= 1u << j;
        }
        return seen == part;
    };
    const unsigned all = (1u << n) - 1;
    worth.NarrowestNeck = 1e9;
    for (unsigned part = 1; part < all; part += 2) { // triangle 0 always in the part
        if (!joined(part) || !joined(all & ~part)) continue;
        double cut = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if ((part >> i & 1) && !(part >> j & 1)) cut += shared[i][j];
        worth.NarrowestNeck = std::min(worth.NarrowestNeck, cut);
    }
    return worth;
}

CollectionWorth JudgeCollectionWorth(const std::vector<FigureRecord>& figures) {
    CollectionWorth worth;
    for (const FigureRecord& figure : figures)
        worth.Figures.push_back(JudgeWorth(figure));
    std::vector<int> group(figures.size());
    std::iota(group.begin(), group.end(), 0);
    const auto root = [&](int i) {
        while (group[i] != i)
            i = group[i] = group[group[i]];
        return i;
    };
    for (const LookAlikePair& pair : FindLookAlikes(figures, WorthShared, WorthOverlap)) {
        const bool near = pair.Overlap >= WorthOverlap, sharing = pair.Shared >= WorthShared;
        worth.NearPairs += near;
        worth.SharingPairs += sharing;
        if (near && sharing) group[root(pair.First)] = root(pair.Second);
    }
    std::map<int, std::vector<int>> series;
    for (int i = 0; i < static_cast<int>(figures.size()); ++i)
        series[root(i)].push_back(i);
    for (auto& [r, members] : series)
        if (members.size() > 1) worth.Series.push_back(members);
    return worth;
}

namespace {

// How far a figure is from being worth laying: each fault counts one, and the
// shortfalls of its shortest stretch and narrowest neck lead the search on.
double Faults(const FigureWorth& w) {
    return w.Dull + w.Nick() + w.Neck() + std::max(0.0, 0.5 - w.ShortestStretch) +
           std::max(0.0, 1 - w.NarrowestNeck);
}

bool Overlapping(const FigureRecord& figure) {
    return !LayingOrder(figure).has_value();
}

} // namespace

std::optional<FigureRecord> MendFigure(const FigureRecord& figure, int moves,
                                       const MendFits& fits) {
    // The lattices the figure uses: a mended one keeps to them, so it is still
    // laid with the same turns.
    bool uses[4] = {};
    for (const Placement& p : figure)
        uses[p.Orient % 4] = true;
    uses[3] = uses[1] = uses[1] || uses[3];

    // A beam of the best few figures after each move, so that a fault that
    // takes two moves to mend is not lost to one that a single move eases.
    constexpr size_t Beam = 12;
    struct Try {
        double Faults;
        double Overlap;
        FigureRecord Record;
    };
    std::vector<Try> beam = {{Faults(JudgeWorth(figure)), 1, figure}};
    std::optional<FigureRecord> best;
    double bestOverlap = -1;
    std::map<std::string, bool> seen;
    for (int move = 0; move < moves && !beam.empty(); ++move) {
        std::vector<Try> next;
        for (const Try& t : beam)
            for (int k = 0; k < TriangleCount; ++k) {
                std::vector<Point> corners;
                for (int i = 0; i < TriangleCount; ++i)
                    if (i != k)
                        for (int c = 0; c < 3; ++c)
                            corners.push_back(GridCorner(t.Record[i], c));
                std::sort(corners.begin(), corners.end());
                corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
                for (const Point& at : corners)
                    for (int o = 0; o < OrientationCount; ++o) {
                        if (!uses[o % 4]) continue;
                        for (int c = 0; c < 3; ++c) {
                            const Point anchor = at - CornerOffset(o, c);
                            if (!TriangleInBounds(anchor.x, anchor.y, o)) continue;
                            FigureRecord r = t.Record;
                            r[k] = {static_cast<uint8_t>(anchor.x), static_cast<uint8_t>(anchor.y),
                                    static_cast<uint8_t>(o)};
                            const std::string key(reinterpret_cast<const char*>(r.data()),
                                                  sizeof r);
                            if (seen.count(key)) continue;
                            seen[key] = true;
                            const FigureWorth w = JudgeWorth(r);
                            if (w.NarrowestNeck > 1e8 || Overlapping(r)) continue; // apart
                            next.push_back({Faults(w), 0, r});
                        }
                    }
            }
        std::sort(next.begin(), next.end(),
                  [](const Try& a, const Try& b) { return a.Faults < b.Faults; });
        if (next.size() > Beam * 20) next.resize(Beam * 20);
        for (Try& t : next)
            t.Overlap = SilhouetteOverlap(figure, t.Record);
        // The closest first, so that the costlier tests stop at the first that passes.
        std::vector<const Try*> sound;
        for (const Try& t : next)
            if (t.Faults <= 1e-9 && t.Overlap > bestOverlap) sound.push_back(&t);
        std::stable_sort(sound.begin(), sound.end(),
                         [](const Try* a, const Try* b) { return a->Overlap > b->Overlap; });
        for (const Try* t : sound) {
            FigureRecord centred = t->Record;
            if (!CentreFigure(centred) || !CheckFigure(1, centred).empty()) continue;
            if (fits && !fits(centred)) continue;
            best = centred, bestOverlap = t->Overlap;
            break;
        }
        std::sort(next.begin(), next.end(), [](const Try& a, const Try& b) {
            return a.Faults != b.Faults ? a.Faults < b.Faults : a.Overlap > b.Overlap;
        });
        if (next.size() > Beam) next.resize(Beam);
        beam = std::move(next);
    }
    return best;
}

bool StandsApart(const FigureRecord& figure, const std::vector<FigureRecord>& others, int self,
                 double overlap) {
    for (int i = 0; i < static_cast<int>(others.size()); ++i) {
        if (i == self) continue;
        if (SilhouetteOverlap(figure, others[i]) >= overlap - 1e-9) return false;
        if (SharedTriangles(figure, others[i]) >= NearCopyShared) return false;
    }
    return true;
}
