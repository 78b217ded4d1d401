#include "board/board.h"

#include "board/orientation.h"

namespace {

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

PixelPoint CornerPixel(const Placement& p, int k, int unit) {
    return {(p.Col + VertexDX[k][p.Orient]) * unit, (p.Row + VertexDY[k][p.Orient]) * unit};
}
