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

// Corner k (0..2) of the triangle at `p` (Orient 0..15) in pixels of a board drawn
// at `unit` pixels per grid unit, its top-left grid point at (0, 0).
struct PixelPoint {
    int x = 0, y = 0;
};
PixelPoint CornerPixel(const Placement& p, int k, int unit);

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
