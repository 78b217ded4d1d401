#pragma once

#include "board/board.h"
#include "board/orientation.h"
#include "game/data.h"

#include <optional>
#include <tuple>
#include <vector>

// What a figure looks like to the solution check: its non-empty target cells and
// their values. Every function here takes a record that passes FigureIsValid.

struct FigureCell {
    int Col = 0;
    int Row = 0;
    uint8_t Value = 0;
    friend bool operator==(const FigureCell&, const FigureCell&) = default;
};

struct CellBox {
    int MinCol = 0, MinRow = 0, MaxCol = -1, MaxRow = -1; // inclusive; empty when Max < Min
    int Width() const { return MaxCol - MinCol + 1; }
    int Height() const { return MaxRow - MinRow + 1; }
};

// f(col, row, code) for every cell that the triangle at `p` (Orient 0..15) covers,
// with the piece it puts there.
template <typename F> void ForEachPiece(const Placement& p, F&& f) {
    const int o = p.Orient;
    for (int dy = BoxMinDY[o]; dy <= BoxMaxDY[o]; ++dy)
        for (int dx = BoxMinDX[o]; dx <= BoxMaxDX[o]; ++dx)
            if (const int code = MaskAt(o, dx, dy)) f(p.Col + dx, p.Row + dy, code);
}

// The target grid as the set-up builds it.
Grid TargetGrid(const FigureRecord& figure);

// Non-empty cells in scan order: rows from the top, columns from the left.
std::vector<FigureCell> FigureCells(const Grid& grid);

CellBox BoundingBox(const std::vector<FigureCell>& cells);

// Regions of non-empty cells connected through cell sides.
int RegionCount(const std::vector<FigureCell>& cells);

// The cells moved so that the first one lies at (0, 0): two figures whose shapes
// are equal cannot be told apart by the solution check.
std::vector<FigureCell> NormalisedShape(const std::vector<FigureCell>& cells);

// The normalised shape as an ordered key (column, row, value per cell).
using ShapeKey = std::vector<std::tuple<int, int, int>>;
ShapeKey ShapeKeyOf(const FigureRecord& figure);

// An order of the triangles (0-based) in which each passes the fit test when put
// down after those before it; none when no order exists.
std::optional<std::array<int, TriangleCount>> LayingOrder(const FigureRecord& figure);

enum class MirrorLine { Vertical, Horizontal, Diagonal, AntiDiagonal };

// The figure reflected in a line through the centre of its bounding box, within
// the same box; none when the reflection has no orientation in the tables or the
// box cannot hold it (a diagonal line needs a square box).
std::optional<FigureRecord> Reflected(const FigureRecord& figure, MirrorLine line);

// The orientation whose vertices are those of `orient` after the linear map
// (x, y) -> (a x + b y, c x + d y); none when the tables have no such orientation
// or `orient` is not one of 0..15.
std::optional<int> MappedOrientation(int orient, int a, int b, int c, int d);

// The eight turns and mirrors of the plane as (a, b, c, d) of the map above:
// 0 the identity, 1..3 quarter turns clockwise on the screen, 4..7 the mirror
// images of 0..3.
inline constexpr int SymmetryCount = 8;
extern const int Symmetries[SymmetryCount][4];

// The region the figure covers after symmetry `s`, as cells with their values
// relative to the top-left of their bounding box, in scan order. It is computed
// off the board, so any figure of the tables can be turned. Empty when a turned
// orientation is not in the tables.
ShapeKey RegionKeyOf(const FigureRecord& figure, int s = 0);

// The least of the eight turned region keys: equal for figures that are the
// same shape turned, mirrored or shifted.
ShapeKey CanonicalRegionKey(const FigureRecord& figure);

// Length of the boundary that triangles `a` and `b` share: the total length of
// the collinear overlaps of their edges. Positive when they are joined along an
// edge, 0 when they meet at corners or not at all.
double SharedEdgeLength(const Placement& a, const Placement& b);

// True when some mirror line maps the figure's cells and values onto themselves.
bool IsMirrorSymmetric(const FigureRecord& figure);

// Moves every placement by (dc, dr); false when a placement would leave the board.
bool ShiftRecord(FigureRecord& figure, int dc, int dr);

// Moves the figure so that the centre of its cells' bounding box lies as near as
// whole cells allow to the middle of the target window; false when it cannot.
bool CentreFigure(FigureRecord& figure);
