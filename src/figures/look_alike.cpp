#include "figures/look_alike.h"

#include "board/orientation.h"
#include "figures/figure_shape.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

PlanePoint operator-(PlanePoint a, PlanePoint b) {
    return {a.x - b.x, a.y - b.y};
}
PlanePoint operator+(PlanePoint a, PlanePoint b) {
    return {a.x + b.x, a.y + b.y};
}
double Cross(PlanePoint a, PlanePoint b) {
    return a.x * b.y - a.y * b.x;
}
double Dot(PlanePoint a, PlanePoint b) {
    return a.x * b.x + a.y * b.y;
}
double SquaredDistance(PlanePoint a, PlanePoint b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

// Vertex 0 is the right angle and the vertices run anticlockwise (in y-up
// terms), so that a triangle compares and clips the same way after a mirror.
using Triangle = std::array<PlanePoint, 3>;

Triangle Tidy(Triangle t) {
    int right = 0;
    double least = 1e18;
    for (int k = 0; k < 3; ++k) {
        const double d = std::abs(Dot(t[(k + 1) % 3] - t[k], t[(k + 2) % 3] - t[k]));
        if (d < least) least = d, right = k;
    }
    Triangle out{t[right], t[(right + 1) % 3], t[(right + 2) % 3]};
    if (Cross(out[1] - out[0], out[2] - out[0]) < 0) std::swap(out[1], out[2]);
    return out;
}

double Area(const Triangle& t) {
    return Cross(t[1] - t[0], t[2] - t[0]) / 2;
}

// Every figure is compared at the area of eight square-lattice halves, so that
// the same picture laid on the smaller triangles of another lattice matches.
constexpr double CommonArea = 400;

struct Outline {
    std::vector<Triangle> Triangles;
    std::vector<double> LegAngles; // radians, 0 <= a < pi/2, one per direction
};

Outline OutlineOf(const FigureRecord& figure) {
    Outline outline;
    double area = 0;
    PlanePoint centre;
    for (const Placement& p : figure) {
        Triangle t;
        for (int k = 0; k < 3; ++k) {
            const Point c = GridCorner(p, k);
            t[k] = {double(c.x), double(c.y)};
        }
        t = Tidy(t);
        const double a = Area(t);
        area += a;
        centre = centre +
                 PlanePoint{a * (t[0].x + t[1].x + t[2].x) / 3, a * (t[0].y + t[1].y + t[2].y) / 3};
        outline.Triangles.push_back(t);
    }
    if (area <= 0) return outline;
    centre = {centre.x / area, centre.y / area};
    const double scale = std::sqrt(CommonArea / area);
    for (Triangle& t : outline.Triangles) {
        for (PlanePoint& v : t)
            v = {(v.x - centre.x) * scale, (v.y - centre.y) * scale};
        const PlanePoint leg = t[1] - t[0];
        double angle = std::fmod(std::atan2(leg.y, leg.x) + 4 * M_PI, M_PI / 2);
        if (angle > M_PI / 2 - 1e-6) angle = 0;
        if (std::none_of(outline.LegAngles.begin(), outline.LegAngles.end(),
                         [&](double a) { return std::abs(a - angle) < 1e-3; }))
            outline.LegAngles.push_back(angle);
    }
    return outline;
}

std::vector<Triangle> Transformed(const std::vector<Triangle>& triangles, bool mirror,
                                  double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    std::vector<Triangle> out;
    for (Triangle t : triangles) {
        for (PlanePoint& v : t) {
            const double x = mirror ? -v.x : v.x;
            v = {c * x - s * v.y, s * x + c * v.y};
        }
        out.push_back(Tidy(t));
    }
    return out;
}

// The turns (after an optional mirror) that line up some leg of `b` with some
// leg of `a`: only these can lay b's triangles on a's.
std::vector<double> Turns(const Outline& a, const Outline& b, bool mirror) {
    std::vector<double> turns;
    for (double da : a.LegAngles)
        for (double db : b.LegAngles) {
            const double from = mirror ? M_PI / 2 - db : db;
            for (int quarter = 0; quarter < 4; ++quarter) {
                double turn = std::fmod(da - from + quarter * M_PI / 2 + 4 * M_PI, 2 * M_PI);
                if (std::none_of(turns.begin(), turns.end(), [&](double t) {
                        const double d = std::abs(t - turn);
                        return std::min(d, 2 * M_PI - d) < 1e-3;
                    }))
                    turns.push_back(turn);
            }
        }
    return turns;
}

// A triangle lies on another when their corners agree to within a grid unit:
// closer than any two triangles of one figure can be, loose enough for the
// slightly different sizes of the lattices' triangles.
constexpr double SameCorner = 1.0;

bool Near(PlanePoint a, PlanePoint b) {
    return SquaredDistance(a, b) < SameCorner * SameCorner;
}

bool SameShape(const Triangle& a, const Triangle& b) {
    return Near(a[1] - a[0], b[1] - b[0]) && Near(a[2] - a[0], b[2] - b[0]);
}

// Every pair of alike triangles votes for the shift that lays one on the other;
// the most votes for one shift are the triangles shared. Two triangles of one
// figure never lie on the same spot, so no triangle is counted twice.
int SharedAfterTurn(const std::vector<Triangle>& a, const std::vector<Triangle>& b) {
    std::vector<PlanePoint> shifts;
    for (const Triangle& ta : a)
        for (const Triangle& tb : b)
            if (SameShape(ta, tb)) shifts.push_back(ta[0] - tb[0]);
    int best = 0;
    for (const PlanePoint& shift : shifts)
        best = std::max(
            best, static_cast<int>(std::count_if(shifts.begin(), shifts.end(),
                                                 [&](PlanePoint p) { return Near(p, shift); })));
    return best;
}

// The area of the intersection of two anticlockwise triangles.
double IntersectionArea(const Triangle& a, const Triangle& b, PlanePoint shift) {
    std::array<PlanePoint, 12> poly{}, next{};
    int n = 3;
    for (int k = 0; k < 3; ++k)
        poly[k] = b[k] + shift;
    for (int e = 0; e < 3 && n > 0; ++e) {
        const PlanePoint p = a[e], q = a[(e + 1) % 3];
        const PlanePoint edge = q - p;
        int m = 0;
        for (int k = 0; k < n; ++k) {
            const PlanePoint cur = poly[k], prev = poly[(k + n - 1) % n];
            const double dc = Cross(edge, cur - p), dp = Cross(edge, prev - p);
            if (dc >= 0) {
                if (dp < 0) {
                    const double t = dp / (dp - dc);
                    next[m++] = {prev.x + t * (cur.x - prev.x), prev.y + t * (cur.y - prev.y)};
                }
                next[m++] = cur;
            } else if (dp >= 0) {
                const double t = dp / (dp - dc);
                next[m++] = {prev.x + t * (cur.x - prev.x), prev.y + t * (cur.y - prev.y)};
            }
        }
        poly = next;
        n = m;
    }
    double area = 0;
    for (int k = 0; k < n; ++k)
        area += Cross(poly[k], poly[(k + 1) % n]);
    return area / 2;
}

struct Box {
    double MinX = 1e18, MinY = 1e18, MaxX = -1e18, MaxY = -1e18;
};

Box BoxOf(const Triangle& t) {
    Box box;
    for (const PlanePoint& v : t) {
        box.MinX = std::min(box.MinX, v.x), box.MaxX = std::max(box.MaxX, v.x);
        box.MinY = std::min(box.MinY, v.y), box.MaxY = std::max(box.MaxY, v.y);
    }
    return box;
}

double Overlap(const std::vector<Triangle>& a, const std::vector<Box>& aBoxes,
               const std::vector<Triangle>& b, const std::vector<Box>& bBoxes, PlanePoint shift) {
    double both = 0, areaA = 0, areaB = 0;
    for (const Triangle& t : a)
        areaA += Area(t);
    for (const Triangle& t : b)
        areaB += Area(t);
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = 0; j < b.size(); ++j) {
            const Box &p = aBoxes[i], &q = bBoxes[j];
            if (q.MinX + shift.x >= p.MaxX || q.MaxX + shift.x <= p.MinX ||
                q.MinY + shift.y >= p.MaxY || q.MaxY + shift.y <= p.MinY)
                continue;
            both += IntersectionArea(a[i], b[j], shift);
        }
    return both / (areaA + areaB - both);
}

// A turn whose overlap with the centres of area together stays below this is
// not searched: a pair that overlaps by 90 % at its best shift has its centres
// within a unit or two of each other and overlaps well above it there.
constexpr double WorthSearching = 0.75;
// Nor one whose best shift to a quarter unit stays below this.
constexpr double WorthRefining = 0.8;

double OverlapAfterTurn(const std::vector<Triangle>& a, const std::vector<Triangle>& b) {
    std::vector<Box> aBoxes, bBoxes;
    for (const Triangle& t : a)
        aBoxes.push_back(BoxOf(t));
    for (const Triangle& t : b)
        bBoxes.push_back(BoxOf(t));
    PlanePoint at;
    double best = Overlap(a, aBoxes, b, bBoxes, at);
    if (best < WorthSearching) return best;
    // A pattern search over the shift: the overlap is smooth and has one peak
    // near the centres' meeting point for shapes this alike.
    for (double step = 1.0; step > 0.02;) {
        if (step < 0.25 && best < WorthRefining) break;
        PlanePoint bestAt = at;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                if (!dx && !dy) continue;
                const PlanePoint trial{at.x + dx * step, at.y + dy * step};
                const double value = Overlap(a, aBoxes, b, bBoxes, trial);
                if (value > best + 1e-12) best = value, bestAt = trial;
            }
        if (bestAt.x == at.x && bestAt.y == at.y)
            step /= 2;
        else
            at = bestAt;
    }
    return best;
}

template <typename F> void ForEachTurn(const Outline& a, const Outline& b, F&& f) {
    for (const bool mirror : {false, true})
        for (const double turn : Turns(a, b, mirror))
            f(Transformed(b.Triangles, mirror, turn));
}

int Shared(const Outline& a, const Outline& b) {
    int best = 0;
    ForEachTurn(a, b, [&](const std::vector<Triangle>& turned) {
        best = std::max(best, SharedAfterTurn(a.Triangles, turned));
    });
    return best;
}

double BestOverlap(const Outline& a, const Outline& b) {
    double best = 0;
    ForEachTurn(a, b, [&](const std::vector<Triangle>& turned) {
        best = std::max(best, OverlapAfterTurn(a.Triangles, turned));
    });
    return best;
}

std::string Percent(double share) {
    char text[16];
    std::snprintf(text, sizeof text, "%d %%", static_cast<int>(std::floor(share * 100)));
    return text;
}

} // namespace

int SharedTriangles(const FigureRecord& a, const FigureRecord& b) {
    return Shared(OutlineOf(a), OutlineOf(b));
}

double SilhouetteOverlap(const FigureRecord& a, const FigureRecord& b) {
    return BestOverlap(OutlineOf(a), OutlineOf(b));
}

bool IsParadoxName(std::string_view name) {
    constexpr std::string_view word = "paradox";
    for (size_t at = 0; at + word.size() <= name.size(); ++at)
        if (std::equal(word.begin(), word.end(), name.begin() + at, [](char w, char c) {
                return w == std::tolower(static_cast<unsigned char>(c));
            }))
            return true;
    return false;
}

std::vector<LookAlikePair> FindLookAlikes(const std::vector<FigureRecord>& figures, int shared,
                                          double overlap) {
    // A record off the board has no outline to compare.
    std::vector<Outline> outlines;
    std::vector<bool> valid;
    std::vector<ShapeKey> regions;
    for (const FigureRecord& figure : figures) {
        valid.push_back(FigureIsValid(figure));
        outlines.push_back(valid.back() ? OutlineOf(figure) : Outline{});
        regions.push_back(valid.back() ? CanonicalRegionKey(figure) : ShapeKey{});
    }
    std::vector<LookAlikePair> pairs;
    for (size_t j = 0; j < outlines.size(); ++j)
        for (size_t i = 0; i < j; ++i) {
            if (!valid[i] || !valid[j]) continue;
            if (regions[i] == regions[j]) {
                pairs.push_back(
                    {static_cast<int>(i), static_cast<int>(j), TriangleCount, 1.0, true});
                continue;
            }
            LookAlikePair pair{static_cast<int>(i), static_cast<int>(j),
                               Shared(outlines[i], outlines[j]),
                               BestOverlap(outlines[i], outlines[j])};
            if (pair.Shared >= shared || pair.Overlap >= overlap) pairs.push_back(pair);
        }
    return pairs;
}

std::vector<RuleProblem> CheckLookAlikes(const std::vector<FigureRecord>& figures,
                                         const std::vector<std::string>& names) {
    std::vector<RuleProblem> problems;
    int paradoxes = 0;
    for (const LookAlikePair& pair : FindLookAlikes(figures)) {
        if (pair.SameRegion) continue; // rule 5's to report
        const bool paradox = names.size() == figures.size() && IsParadoxName(names[pair.First]) &&
                             IsParadoxName(names[pair.Second]);
        if (paradox && ++paradoxes <= MaxParadoxPairs) continue;
        const int number = pair.Second + 1;
        const std::string other = "figure " + std::to_string(pair.First + 1);
        const std::string extra =
            paradox ? " (more than " + std::to_string(MaxParadoxPairs) + " paradox pairs)" : "";
        if (pair.Shared >= NearCopyShared)
            problems.push_back({number, RuleNearCopy,
                                "shares " + std::to_string(pair.Shared) +
                                    " of its 8 triangles with " + other + extra});
        if (pair.Overlap >= LookAlikeOverlap)
            problems.push_back(
                {number, RuleLookAlike,
                 "its outline and " + other + "'s overlap by " + Percent(pair.Overlap) + extra});
    }
    return problems;
}
