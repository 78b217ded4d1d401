#pragma once

#include <cstdint>

// The triangle in its sixteen orientations. Index 0..15; one step turns it about
// 22.5 degrees clockwise on the screen about its anchor point. Offsets are grid
// units relative to the anchor point, y downwards. Callers pass only 0..15.

inline constexpr int OrientationCount = 16;
inline constexpr int MaskMin = -7;  // smallest cell offset any orientation reaches
inline constexpr int MaskSpan = 14; // offsets -7..6

// Vertex k of orientation o is (VertexDX[k][o], VertexDY[k][o]); vertex 1 is the
// right angle, and on the screen the corners run counter-clockwise 0 -> 1 -> 2.
extern const int8_t VertexDX[3][OrientationCount];
extern const int8_t VertexDY[3][OrientationCount];

// Tight range of covered cells (a cell is named by its top-left corner).
extern const int8_t BoxMinDX[OrientationCount];
extern const int8_t BoxMinDY[OrientationCount];
extern const int8_t BoxMaxDX[OrientationCount];
extern const int8_t BoxMaxDY[OrientationCount];

// Piece code of the cell at offset (i, j), stored as [o][j + 7][i + 7]; 0 where the
// triangle covers no area of that cell, 64 for a whole cell.
extern const uint8_t CellMask[OrientationCount][MaskSpan][MaskSpan];

inline uint8_t MaskAt(int o, int dx, int dy) {
    return CellMask[o][dy - MaskMin][dx - MaskMin];
}

struct PiecePair {
    uint8_t cellValue;
    uint8_t incoming;
};
inline constexpr int PiecePairCount = 300;
// Sorted by cell value, then incoming code.
extern const PiecePair PiecePairs[PiecePairCount];

// True when a cell holding `cellValue` may take a piece `incoming`; both non-zero.
// Any byte value is safe to pass: values above 63 admit nothing.
bool PairAllowed(uint8_t cellValue, uint8_t incoming);
