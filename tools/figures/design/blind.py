#!/usr/bin/env python3
"""Sheets for a blind-naming round: silhouettes without names, under codes.

    tools/figures/design/blind.py ROUND OUT-DIR SOURCE [NAME ...]

Draws the named figures of SOURCE (every picture-named figure when no name is
given) as plain black silhouettes on white, at one scale as the target window
shows them, shuffled and labelled "R<round>-NNN", 30 to a sheet. The sheets go
to OUT-DIR as sheet-NN.png, which holds nothing else; the key from code to
name goes to tools/figures/design/blind/round-ROUND-key.txt, never beside the
sheets.
"""

import os
import random
import struct
import sys
import zlib

from figure_kit import VERTEX_DX, VERTEX_DY
from names import ADJECTIVES, NOUNS
from chapters import SHAPES
from themes import is_abstract

DESIGN = os.path.dirname(os.path.abspath(__file__))
COLUMNS, ROWS = 6, 5
CELL_W, CELL_H = 220, 160
LABEL = 22
SCALE = 3.0  # grid units to pixels, the same for every figure that fits its cell


def read_source(path):
    figures = []
    with open(path) as f:
        for line in f:
            if line.startswith("#") or ":" not in line:
                continue
            name, body = line.split(":", 1)
            placements = [tuple(int(v) for v in p.split()) for p in body.split(",")]
            figures.append((name.strip(), placements))
    return figures


def is_generic(name):
    words = name.split(" ", 1)
    if len(words) != 2:
        return False
    adjectives = {a for values in ADJECTIVES.values() for a in values}
    nouns = {n for values in NOUNS.values() for n in values}
    return words[0] in adjectives and words[1] in nouns


def is_picture(name):
    return name not in SHAPES and not is_generic(name) and not is_abstract(name)


def polygons(placements):
    return [[(c + VERTEX_DX[k][o], r + VERTEX_DY[k][o]) for k in range(3)]
            for c, r, o in placements]


# A 5 x 7 font for the codes, so the sheets need nothing beyond Python.
GLYPHS = {
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = bytearray([255]) * (width * height)

    def fill_triangle(self, tri, samples=3):
        """Black where the triangle covers a pixel, grey in proportion at its edges."""
        (ax, ay), (bx, by), (cx, cy) = tri
        area = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax)
        if area == 0:
            return
        x0, x1 = int(min(ax, bx, cx)), int(max(ax, bx, cx)) + 1
        y0, y1 = int(min(ay, by, cy)), int(max(ay, by, cy)) + 1
        sub = [(i + 0.5) / samples for i in range(samples)]
        eps = 1e-9
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                inside = 0
                for sy in sub:
                    for sx in sub:
                        px, py = x + sx, y + sy
                        w0 = ((bx - ax) * (py - ay) - (by - ay) * (px - ax)) / area
                        w1 = ((cx - bx) * (py - by) - (cy - by) * (px - bx)) / area
                        w2 = ((ax - cx) * (py - cy) - (ay - cy) * (px - cx)) / area
                        if w0 >= -eps and w1 >= -eps and w2 >= -eps:
                            inside += 1
                if inside:
                    at = y * self.width + x
                    self.pixels[at] = max(0, self.pixels[at] - 255 * inside // (samples * samples))

    def rect_outline(self, x0, y0, w, h, grey):
        for x in range(x0, x0 + w):
            for y in (y0, y0 + h - 1):
                self.pixels[y * self.width + x] = min(self.pixels[y * self.width + x], grey)
        for y in range(y0, y0 + h):
            for x in (x0, x0 + w - 1):
                self.pixels[y * self.width + x] = min(self.pixels[y * self.width + x], grey)

    def text(self, x0, y0, text, size=2, grey=80):
        for at, ch in enumerate(text):
            for j, row in enumerate(GLYPHS[ch]):
                for i, bit in enumerate(row):
                    if bit == "1":
                        for dy in range(size):
                            for dx in range(size):
                                x = x0 + at * 6 * size + i * size + dx
                                y = y0 + j * size + dy
                                self.pixels[y * self.width + x] = grey

    def png(self, path):
        raw = b"".join(b"\x00" + bytes(self.pixels[y * self.width:(y + 1) * self.width])
                       for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 0, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            f.write(chunk(b"IEND", b""))


def draw_cell(canvas, code, placements, x0, y0):
    tris = polygons(placements)
    xs = [x for t in tris for x, _ in t]
    ys = [y for t in tris for _, y in t]
    cx, cy = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2
    scale = min(SCALE, (CELL_W - 12) / (max(xs) - min(xs)),
                (CELL_H - LABEL - 8) / (max(ys) - min(ys)))
    ox = x0 + CELL_W / 2 - cx * scale
    oy = y0 + LABEL + (CELL_H - LABEL) / 2 - cy * scale
    canvas.rect_outline(x0, y0, CELL_W, CELL_H, 190)
    canvas.text(x0 + 6, y0 + 5, code)
    for t in tris:
        canvas.fill_triangle([(ox + x * scale, oy + y * scale) for x, y in t])


def main():
    round_no, out_dir, source = sys.argv[1], sys.argv[2], sys.argv[3]
    wanted = sys.argv[4:]
    figures = read_source(source)
    if wanted:
        by_name = dict(figures)
        chosen = [(n, by_name[n]) for n in wanted]
    else:
        chosen = [(n, p) for n, p in figures if is_picture(n)]
    rng = random.Random("blind round %s" % round_no)
    rng.shuffle(chosen)
    os.makedirs(out_dir, exist_ok=True)
    key = []
    per_sheet = COLUMNS * ROWS
    for sheet in range((len(chosen) + per_sheet - 1) // per_sheet):
        part = chosen[sheet * per_sheet:(sheet + 1) * per_sheet]
        canvas = Canvas(COLUMNS * CELL_W, ROWS * CELL_H)
        for at, (name, placements) in enumerate(part):
            code = "R%s-%03d" % (round_no, sheet * per_sheet + at + 1)
            key.append("%s\t%s" % (code, name))
            draw_cell(canvas, code, placements, (at % COLUMNS) * CELL_W, (at // COLUMNS) * CELL_H)
        canvas.png(os.path.join(out_dir, "sheet-%02d.png" % (sheet + 1)))
    os.makedirs(os.path.join(DESIGN, "blind"), exist_ok=True)
    with open(os.path.join(DESIGN, "blind", "round-%s-key.txt" % round_no), "w") as f:
        f.write("\n".join(key) + "\n")
    print("%d pictures on %d sheets" % (len(chosen), (len(chosen) + per_sheet - 1) // per_sheet))


if __name__ == "__main__":
    main()
