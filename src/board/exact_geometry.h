#pragma once

// Exact rational plane geometry for checking the triangle tables: the vertices
// are whole numbers, so every clipped corner is a small fraction and nothing is
// left to rounding. The tests check the triangle tables with it, the cell mask
// generator writes them from it, and the region search cuts figures with it.

#include <cstdint>
#include <vector>

struct Fraction {
    int64_t num = 0;
    int64_t den = 1; // always > 0, lowest terms

    Fraction() = default;
    Fraction(int64_t n, int64_t d = 1);
    friend Fraction operator+(Fraction a, Fraction b);
    friend Fraction operator-(Fraction a, Fraction b);
    friend Fraction operator*(Fraction a, Fraction b);
    friend Fraction operator/(Fraction a, Fraction b);
    friend bool operator==(Fraction a, Fraction b) { return a.num == b.num && a.den == b.den; }
    friend bool operator<(Fraction a, Fraction b) { return a.num * b.den < b.num * a.den; }
    int Sign() const { return num > 0 ? 1 : (num < 0 ? -1 : 0); }
};

struct ExactPoint {
    Fraction x, y;
    friend bool operator==(const ExactPoint& a, const ExactPoint& b) {
        return a.x == b.x && a.y == b.y;
    }
};

using ExactPolygon = std::vector<ExactPoint>;

// Keeps the part of a convex polygon on the side of the directed line a -> b where
// Cross(b - a, p - a) has the sign `side` (points on the line are kept).
ExactPolygon ClipHalfPlane(const ExactPolygon& poly, ExactPoint a, ExactPoint b, int side);

// Intersection of two convex polygons given in either winding.
ExactPolygon ClipConvex(const ExactPolygon& subject, const ExactPolygon& clip);

ExactPolygon UnitSquareAt(int i, int j);

// Twice the signed area (shoelace), in screen axes.
Fraction DoubleArea(const ExactPolygon& poly);

// Drops repeated corners and corners that lie on the line between their neighbours.
ExactPolygon Simplify(const ExactPolygon& poly);

// The piece code (1..63, 64 for the whole cell) whose corners, relative to the
// cell's top-left corner, are exactly those of `piece`; 0 when none matches.
int IdentifyPiece(const ExactPolygon& piece);

// The corners of piece `code` within the unit cell; empty when no piece has it.
ExactPolygon PieceCorners(int code);

// The piece code the triangle of orientation o at anchor (0, 0) leaves in cell
// (i, j); -1 when the clipped shape is no known piece.
int ExactCellMask(int o, int i, int j);
