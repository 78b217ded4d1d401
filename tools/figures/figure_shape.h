#pragma once

#include "board/board.h"
#include "game/data.h"

#include <optional>
#include <tuple>
#include <vector>

// What a figure looks like to the solution check: its non-empty target cells and
// their values. Every function here takes a record that passes FigureIsSound.

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

// True when some mirror line maps the figure's cells and values onto themselves.
bool IsMirrorSymmetric(const FigureRecord& figure);

// Moves every placement by (dc, dr); false when a placement would leave the board.
bool ShiftRecord(FigureRecord& figure, int dc, int dr);

// Moves the figure so that the centre of its cells' bounding box lies as near as
// whole cells allow to the middle of the target window; false when it cannot.
bool CentreFigure(FigureRecord& figure);
