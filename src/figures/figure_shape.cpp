#include "figure_shape.h"

#include "board/orientation.h"

#include <algorithm>
#include <cmath>
#include <set>

Grid TargetGrid(const FigureRecord& figure) {
    Grid grid{};
    for (const Placement& p : figure)
        StampPlacement(grid, p);
    return grid;
}

std::vector<FigureCell> FigureCells(const Grid& grid) {
    std::vector<FigureCell> cells;
    for (int row = 0; row < GridRows; ++row)
        for (int col = 0; col < GridColumns; ++col)
            if (grid[col][row]) cells.push_back({col, row, grid[col][row]});
    return cells;
}

CellBox BoundingBox(const std::vector<FigureCell>& cells) {
    if (cells.empty()) return {};
    CellBox box{GridColumns, GridRows, -1, -1};
    for (const FigureCell& c : cells) {
        box.MinCol = std::min(box.MinCol, c.Col);
        box.MaxCol = std::max(box.MaxCol, c.Col);
        box.MinRow = std::min(box.MinRow, c.Row);
        box.MaxRow = std::max(box.MaxRow, c.Row);
    }
    return box;
}

int RegionCount(const std::vector<FigureCell>& cells) {
    std::array<std::array<bool, GridRows>, GridColumns> open{};
    for (const FigureCell& c : cells)
        open[c.Col][c.Row] = true;
    int regions = 0;
    std::vector<std::pair<int, int>> stack;
    for (const FigureCell& start : cells) {
        if (!open[start.Col][start.Row]) continue;
        ++regions;
        open[start.Col][start.Row] = false;
        stack.push_back({start.Col, start.Row});
        while (!stack.empty()) {
            const auto [col, row] = stack.back();
            stack.pop_back();
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& s : steps) {
                const int c = col + s[0], r = row + s[1];
                if (c < 0 || c >= GridColumns || r < 0 || r >= GridRows || !open[c][r]) continue;
                open[c][r] = false;
                stack.push_back({c, r});
            }
        }
    }
    return regions;
}

std::vector<FigureCell> NormalisedShape(const std::vector<FigureCell>& cells) {
    std::vector<FigureCell> shape = cells;
    if (shape.empty()) return shape;
    const int col0 = shape.front().Col, row0 = shape.front().Row;
    for (FigureCell& c : shape) {
        c.Col -= col0;
        c.Row -= row0;
    }
    return shape;
}

ShapeKey ShapeKeyOf(const FigureRecord& figure) {
    ShapeKey key;
    for (const FigureCell& c : NormalisedShape(FigureCells(TargetGrid(figure))))
        key.emplace_back(c.Col, c.Row, c.Value);
    return key;
}

std::optional<std::array<int, TriangleCount>> LayingOrder(const FigureRecord& figure) {
    // Depth-first over the sets of triangles already down; a set from which no
    // order can be finished is remembered, so each set is explored once.
    BoardState state;
    std::array<int, TriangleCount> order{};
    std::array<bool, 1 << TriangleCount> deadEnd{};
    auto search = [&](auto&& self, unsigned laid, int depth) -> bool {
        if (depth == TriangleCount) return true;
        if (deadEnd[laid]) return false;
        for (int t = 0; t < TriangleCount; ++t) {
            if (laid & (1u << t)) continue;
            const Placement& p = figure[t];
            if (!TriangleFits(state, p.Col, p.Row, p.Orient)) continue;
            StampPlacement(state.Board, p);
            order[depth] = t;
            const bool done = self(self, laid | (1u << t), depth + 1);
            LiftPlacement(state.Board, p);
            if (done) return true;
        }
        deadEnd[laid] = true;
        return false;
    };
    if (search(search, 0, 0)) return order;
    return std::nullopt;
}

std::optional<int> MappedOrientation(int o, int a, int b, int c, int d) {
    if (o < 0 || o >= OrientationCount) return std::nullopt;
    std::set<Point> mapped;
    for (int k = 0; k < 3; ++k) {
        const Point v = CornerOffset(o, k);
        mapped.insert({a * v.x + b * v.y, c * v.x + d * v.y});
    }
    for (int q = 0; q < OrientationCount; ++q) {
        std::set<Point> vertices;
        for (int k = 0; k < 3; ++k)
            vertices.insert(CornerOffset(q, k));
        if (vertices == mapped) return q;
    }
    return std::nullopt;
}

const int Symmetries[SymmetryCount][4] = {
    {1, 0, 0, 1},  {0, -1, 1, 0},  {-1, 0, 0, -1}, {0, 1, -1, 0},
    {-1, 0, 0, 1}, {0, -1, -1, 0}, {1, 0, 0, -1},  {0, 1, 1, 0},
};

ShapeKey RegionKeyOf(const FigureRecord& figure, int s) {
    const int* m = Symmetries[s];
    std::vector<std::tuple<int, int, int>> pieces; // row, column, code
    pieces.reserve(TriangleCount * 60);
    for (const Placement& p : figure) {
        const std::optional<int> o = MappedOrientation(p.Orient, m[0], m[1], m[2], m[3]);
        if (!o) return {};
        // The anchor is a grid point, so it maps like any vertex.
        const int col = m[0] * p.Col + m[1] * p.Row, row = m[2] * p.Col + m[3] * p.Row;
        for (int dy = BoxMinDY[*o]; dy <= BoxMaxDY[*o]; ++dy)
            for (int dx = BoxMinDX[*o]; dx <= BoxMaxDX[*o]; ++dx)
                if (const int code = MaskAt(*o, dx, dy))
                    pieces.emplace_back(row + dy, col + dx, code);
    }
    std::sort(pieces.begin(), pieces.end());
    ShapeKey key;
    int minCol = 1 << 20;
    for (const auto& [row, col, code] : pieces) {
        if (!key.empty() && std::get<0>(key.back()) == col && std::get<1>(key.back()) == row)
            std::get<2>(key.back()) = (std::get<2>(key.back()) + code) & 0xff;
        else
            key.emplace_back(col, row, code);
        minCol = std::min(minCol, col);
    }
    if (key.empty()) return key;
    const int minRow = std::get<1>(key.front());
    for (auto& [col, row, value] : key) {
        col -= minCol;
        row -= minRow;
    }
    return key;
}

ShapeKey CanonicalRegionKey(const FigureRecord& figure) {
    ShapeKey least = RegionKeyOf(figure);
    for (int s = 1; s < SymmetryCount; ++s)
        if (ShapeKey key = RegionKeyOf(figure, s); !key.empty() && key < least)
            least = std::move(key);
    return least;
}

double SharedEdgeLength(const Placement& a, const Placement& b) {
    double shared = 0;
    for (int i = 0; i < 3; ++i) {
        const Point at = GridCorner(a, i);
        const Point u = GridCorner(a, (i + 1) % 3) - at;
        const int ux = u.x, uy = u.y;
        const int uu = ux * ux + uy * uy;
        for (int j = 0; j < 3; ++j) {
            const Point s = GridCorner(b, j) - at, e = GridCorner(b, (j + 1) % 3) - at;
            const int sx = s.x, sy = s.y, ex = e.x, ey = e.y;
            // Both ends of b's edge on the line of a's edge.
            if (ux * sy - uy * sx != 0 || ux * ey - uy * ex != 0) continue;
            // Positions along a's edge, in units of uu.
            const int t0 = ux * sx + uy * sy, t1 = ux * ex + uy * ey;
            const int lo = std::max(0, std::min(t0, t1)), hi = std::min(uu, std::max(t0, t1));
            if (hi > lo) shared += (hi - lo) / std::sqrt(double(uu));
        }
    }
    return shared;
}

std::optional<FigureRecord> Reflected(const FigureRecord& figure, MirrorLine line) {
    const CellBox box = BoundingBox(FigureCells(TargetGrid(figure)));
    if (box.MaxCol < box.MinCol) return std::nullopt;
    // Grid points of the box's corners; a reflection that keeps the box maps the
    // grid point (x, y) to one of these forms.
    const int x0 = box.MinCol, x1 = box.MaxCol + 1, y0 = box.MinRow, y1 = box.MaxRow + 1;
    const bool square = x1 - x0 == y1 - y0;
    if (!square && (line == MirrorLine::Diagonal || line == MirrorLine::AntiDiagonal))
        return std::nullopt;
    int a = 1, b = 0, c = 0, d = 1;
    switch (line) {
    case MirrorLine::Vertical:
        a = -1;
        break;
    case MirrorLine::Horizontal:
        d = -1;
        break;
    case MirrorLine::Diagonal:
        a = 0, b = 1, c = 1, d = 0;
        break;
    case MirrorLine::AntiDiagonal:
        a = 0, b = -1, c = -1, d = 0;
        break;
    }
    FigureRecord mirrored{};
    for (int t = 0; t < TriangleCount; ++t) {
        const Placement& p = figure[t];
        const std::optional<int> o = MappedOrientation(p.Orient, a, b, c, d);
        if (!o) return std::nullopt;
        // Relative to the box's top-left corner, then mapped and put back.
        const int x = p.Col - x0, y = p.Row - y0;
        int mx = a * x + b * y, my = c * x + d * y;
        if (a + b < 0) mx += x1 - x0;
        if (c + d < 0) my += y1 - y0;
        const int col = x0 + mx, row = y0 + my;
        if (!TriangleInBounds(col, row, *o)) return std::nullopt;
        mirrored[t] = {static_cast<uint8_t>(col), static_cast<uint8_t>(row),
                       static_cast<uint8_t>(*o)};
    }
    return mirrored;
}

bool IsMirrorSymmetric(const FigureRecord& figure) {
    const Grid grid = TargetGrid(figure);
    for (MirrorLine line : {MirrorLine::Vertical, MirrorLine::Horizontal, MirrorLine::Diagonal,
                            MirrorLine::AntiDiagonal}) {
        const std::optional<FigureRecord> mirrored = Reflected(figure, line);
        if (mirrored && TargetGrid(*mirrored) == grid) return true;
    }
    return false;
}

bool ShiftRecord(FigureRecord& figure, int dc, int dr) {
    FigureRecord shifted = figure;
    for (Placement& p : shifted) {
        const int col = p.Col + dc, row = p.Row + dr;
        if (!TriangleInBounds(col, row, p.Orient)) return false;
        p.Col = static_cast<uint8_t>(col);
        p.Row = static_cast<uint8_t>(row);
    }
    figure = shifted;
    return true;
}

bool CentreFigure(FigureRecord& figure) {
    const CellBox box = BoundingBox(FigureCells(TargetGrid(figure)));
    // Twice the centre in grid units, against 45.25 and 30.25: between the middle
    // of the target window and that of the thumbnail, so both look composed.
    const int twiceCol = box.MinCol + box.MaxCol + 1, twiceRow = box.MinRow + box.MaxRow + 1;
    const int dc = static_cast<int>(std::lround((90.5 - twiceCol) / 2.0));
    const int dr = static_cast<int>(std::lround((60.5 - twiceRow) / 2.0));
    return ShiftRecord(figure, dc, dr);
}
