#include "board/board.h"

#include "board/orientation.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// True when the direction p lies outside the corner spanned from a to b
// counter-clockwise; the bounds belong to the corner.
bool OutsideCorner(double a, double b, double p) {
    if (a > b) b += 2 * Pi;
    if (a > p) p += 2 * Pi;
    return b < p;
}

template <typename Apply> void ForEachCoveredCell(const Placement& p, Apply apply) {
    const int o = p.Orient;
    for (int dx = BoxMinDX[o]; dx <= BoxMaxDX[o]; ++dx)
        for (int dy = BoxMinDY[o]; dy <= BoxMaxDY[o]; ++dy)
            if (const uint8_t m = MaskAt(o, dx, dy)) apply(p.Col + dx, p.Row + dy, m);
}

} // namespace

void StampPlacement(Grid& grid, const Placement& p) {
    ForEachCoveredCell(p, [&](int c, int r, uint8_t m) { grid[c][r] += m; });
}

void LiftPlacement(Grid& grid, const Placement& p) {
    ForEachCoveredCell(p, [&](int c, int r, uint8_t m) { grid[c][r] -= m; });
}

void AddTriangle(BoardState& state, int t) {
    StampPlacement(state.Board, state.Triangles[t]);
}

void RemoveTriangle(BoardState& state, int t) {
    LiftPlacement(state.Board, state.Triangles[t]);
}

bool TriangleInBounds(int col, int row, int orient) {
    if (orient < 0 || orient >= OrientationCount) return false;
    return col + BoxMinDX[orient] >= 0 && row + BoxMinDY[orient] >= 0 &&
           col + BoxMaxDX[orient] <= GridColumns - 1 && row + BoxMaxDY[orient] <= GridRows - 1;
}

bool TriangleInBounds(const Placement& p) {
    return TriangleInBounds(p.Col, p.Row, p.Orient);
}

bool TriangleFits(const BoardState& state, int col, int row, int orient) {
    if (!TriangleInBounds(col, row, orient)) return false;
    for (int dx = BoxMinDX[orient]; dx <= BoxMaxDX[orient]; ++dx)
        for (int dy = BoxMinDY[orient]; dy <= BoxMaxDY[orient]; ++dy) {
            const uint8_t m = MaskAt(orient, dx, dy);
            const uint8_t v = state.Board[col + dx][row + dy];
            if (m && v && !PairAllowed(v, m)) return false;
        }
    return true;
}

Point CornerOffset(int orient, int k) {
    return {VertexDX[k][orient], VertexDY[k][orient]};
}

Point GridCorner(const Placement& p, int k) {
    return Point{p.Col, p.Row} + CornerOffset(p.Orient, k);
}

Point CornerPixel(const Placement& p, int k, int unit) {
    const Point c = GridCorner(p, k);
    return {c.x * unit, c.y * unit};
}

double Angle(double x, double y) {
    if (x == 0) return y > 0 ? 3 * Pi / 2 : Pi / 2;
    if (x > 0) return y <= 0 ? std::atan(-y / x) : 2 * Pi - std::atan(y / x);
    return y <= 0 ? Pi - std::atan(y / x) : Pi + std::atan(-y / x);
}

bool InsideTriangle(const Placement& p, int unit, double x, double y) {
    // Two corner tests suffice because the corners run counter-clockwise.
    for (int k = 0; k < 2; ++k) {
        const Point at = CornerOffset(p.Orient, k);
        const Point next = CornerOffset(p.Orient, k + 1) - at;
        const Point prev = CornerOffset(p.Orient, (k + 2) % 3) - at;
        const double pointer = Angle(x - (p.Col + at.x) * unit, y - (p.Row + at.y) * unit);
        if (OutsideCorner(Angle(next.x, next.y), Angle(prev.x, prev.y), pointer)) return false;
    }
    return true;
}

bool TriangleCovers(const Placement& p, PlanePoint q) {
    constexpr double Slack = 1e-9;
    bool negative = false, positive = false;
    for (int k = 0; k < 3; ++k) {
        const Point a = GridCorner(p, k), b = GridCorner(p, (k + 1) % 3);
        const double cross = (b.x - a.x) * (q.y - a.y) - (b.y - a.y) * (q.x - a.x);
        negative |= cross < -Slack;
        positive |= cross > Slack;
    }
    return !(negative && positive);
}
