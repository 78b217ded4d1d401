#pragma once

#include <array>
#include <cstdint>

inline constexpr int GridColumns = 91; // columns 0..90
inline constexpr int GridRows = 61;    // rows 0..60
inline constexpr int TriangleCount = 8;

// Where a triangle lies: anchor cell and orientation, three bytes as in a figure record.
struct Placement {
    uint8_t Col = 0;
    uint8_t Row = 0;
    uint8_t Orient = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// A point of the grid in grid units, or of the board box in pixels; y downwards.
struct Point {
    int x = 0, y = 0;
    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend auto operator<=>(const Point&, const Point&) = default;
};

// A point anywhere in the plane, in grid units, for measures taken between lattice points.
struct PlanePoint {
    double x = 0, y = 0;
};

// Corner k (0..2) of a triangle of orientation `orient` (0..15) relative to its anchor.
Point CornerOffset(int orient, int k);
// Corner k (0..2) of the triangle at `p` (Orient 0..15) in grid units.
Point GridCorner(const Placement& p, int k);
// The same corner in pixels of a board drawn at `unit` pixels per grid unit, its
// top-left grid point at (0, 0).
Point CornerPixel(const Placement& p, int k, int unit);

// Direction of (x, y) in screen axes (y downwards), counter-clockwise as seen on
// the screen from the positive x axis, in [0, 2 pi); pi / 2 for the zero vector.
double Angle(double x, double y);

// True when (x, y), in pixels of a board drawn at `unit` pixels per grid unit,
// lies inside the triangle at `p` (Orient 0..15) or on an edge. The corners are
// judged by the directions of the edges, as the pointer sees them; players rely
// on its edges, so it serves the pointer only.
bool InsideTriangle(const Placement& p, int unit, double x, double y);

// True when `q` (grid units) lies inside the triangle at `p` or within a hair of
// an edge, so that the seam between two triangles is covered by both whatever
// the rounding of q.
bool TriangleCovers(const Placement& p, PlanePoint q);

// Each cell holds the sum (mod 256) of the piece codes laid in it; 0 is empty.
using Grid = std::array<std::array<uint8_t, GridRows>, GridColumns>; // [col][row]

struct BoardState {
    Grid Board{};
    Grid Target{};
    uint8_t Selected = 0; // triangle held by the player, 1..8; 0 when none
    std::array<Placement, TriangleCount + 1> Triangles{}; // numbered 1..8; [0] unused
};

// Stamps the triangle's cell masks into `grid` (or lifts them out). The placement
// must pass TriangleInBounds; nothing is checked here.
void StampPlacement(Grid& grid, const Placement& p);
void LiftPlacement(Grid& grid, const Placement& p);

// Triangle t is 1..8 and its placement is in bounds.
void AddTriangle(BoardState& state, int t);
void RemoveTriangle(BoardState& state, int t);

// `col` and `row` may lie anywhere, off the board too; `orient` may be any value
// and answers false outside 0..15.
bool TriangleInBounds(int col, int row, int orient);
bool TriangleInBounds(const Placement& p);

// In bounds, and every cell it would cover can take its piece on `state.Board`.
bool TriangleFits(const BoardState& state, int col, int row, int orient);
