"""Helpers for designing Trigonet figures by hand.

A figure is a list of eight placements (col, row, orient): the anchor cell and
orientation index of each triangle, exactly as in a collection record. The kit
places triangles by their corners, so a figure can be drawn on a lattice:

- the square lattice (unit 10) of the orientations 0, 4, 8, 12,
- the same lattice turned 45 degrees (orientations 2 mod 4, unit 7 along each axis),
- turned about 18 or 72 degrees (the odd orientations, legs 9 by 3).

Positions are grid units; `trigonet-figures centre` moves every figure to the
middle of the board afterwards, so any origin will do.
"""

import sys

VERTEX_DX = [
    [-7, -7, -7, -5, -3, -1, 2, 5, 7, 7, 7, 5, 3, 1, -2, -5],
    [3, 2, 0, -2, -3, -4, -5, -4, -3, -2, 0, 2, 3, 4, 5, 4],
    [3, 5, 7, 7, 7, 5, 2, -1, -3, -5, -7, -7, -7, -5, -2, 1],
]
VERTEX_DY = [
    [3, 1, -2, -5, -7, -7, -7, -5, -3, -1, 2, 5, 7, 7, 7, 5],
    [3, 4, 5, 4, 3, 2, 0, -2, -3, -4, -5, -4, -3, -2, 0, 2],
    [-7, -5, -2, 1, 3, 5, 7, 7, 7, 5, 2, -1, -3, -5, -7, -7],
]

# Right-angle corner of a half square on the square lattice -> orientation.
CORNER_ORIENT = {"br": 0, "bl": 4, "tl": 8, "tr": 12}
CORNER_OFFSET = {"br": (1, 1), "bl": (0, 1), "tl": (0, 0), "tr": (1, 0)}

# Picture characters: a full unit square or the half with its right angle at a
# corner; the halves look like the corner they fill.
HALVES = {"J": ["br"], "L": ["bl"], "F": ["tl"], "7": ["tr"], "#": ["br", "tl"], "%": ["bl", "tr"]}


def at_vertex(o, k, x, y):
    """The placement of orientation o whose vertex k lies at grid point (x, y)."""
    return (x - VERTEX_DX[k][o], y - VERTEX_DY[k][o], o)


class Lattice:
    """The square lattice turned by `turn` steps: 0 square, 1 and 3 odd, 2 diagonal.

    Lattice point (u, v) lies at the grid point origin + u * ex + v * ey."""

    BASES = {
        0: ((10, 0), (0, 10)),
        1: ((9, 3), (-3, 9)),
        2: ((7, 7), (-7, 7)),
        3: ((3, 9), (-9, 3)),
    }

    def __init__(self, turn=0, origin=(0, 0)):
        self.turn = turn % 4
        self.ex, self.ey = self.BASES[self.turn]
        self.origin = origin

    def point(self, u, v):
        return (
            self.origin[0] + u * self.ex[0] + v * self.ey[0],
            self.origin[1] + u * self.ex[1] + v * self.ey[1],
        )

    def half(self, i, j, corner):
        """The half of unit square (i, j) with its right angle at `corner`."""
        du, dv = CORNER_OFFSET[corner]
        x, y = self.point(i + du, j + dv)
        return at_vertex((CORNER_ORIENT[corner] + self.turn) % 16, 1, x, y)

    def picture(self, rows, i0=0, j0=0):
        """Placements for a picture of unit squares, one string per row."""
        out = []
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                for corner in HALVES.get(ch, []):
                    out.append(self.half(i0 + i, j0 + j, corner))
        return out




def turn_quarter(placements, px, py, quarters=1):
    """Turned clockwise on the screen by quarter turns about grid point (px, py)."""
    out = []
    for c, r, o in placements:
        for _ in range(quarters % 4):
            c, r, o = px - (r - py), py + (c - px), (o + 4) % 16
        out.append((c, r, o))
    return out




class Collection:
    def __init__(self):
        self.figures = []

    def add(self, name, placements):
        if len(placements) != 8:
            sys.stderr.write("%s has %d triangles, left out\n" % (name, len(placements)))
            return
        if any(n == name for n, _ in self.figures):
            raise ValueError("%s twice" % name)
        self.figures.append((name, placements))

    def lines(self):
        out = []
        for name, placements in self.figures:
            # Top-left on the board; the tool centres every figure afterwards.
            xs = [c + VERTEX_DX[k][o] for c, r, o in placements for k in range(3)]
            ys = [r + VERTEX_DY[k][o] for c, r, o in placements for k in range(3)]
            dx, dy = 16 - min(xs), 1 - min(ys)
            body = ", ".join("%d %d %d" % (c + dx, r + dy, o) for c, r, o in placements)
            out.append("%s: %s" % (name, body))
        return out


def pic(rows, turn=0, origin=(0, 0)):
    return Lattice(turn, origin).picture(rows)


# Triangles of the diagonal orientations by the box they fill: 14 x 7 with the
# hypotenuse on the named side's opposite, the right angle pointing `apex`.
D_APEX = {"down": 2, "left": 6, "up": 10, "right": 14}


def dtri(x, y, apex):
    """Diagonal triangle in the box with top-left grid point (x, y)."""
    o = D_APEX[apex]
    return (x - min(VERTEX_DX[k][o] for k in range(3)), y - min(VERTEX_DY[k][o] for k in range(3)), o)
