#pragma once

#include "game/data.h"

#include <string>

// Figures of our own for the dialogs' tests and pictures, until the shipped
// collection is at hand: shapes of eight triangles on a 10-unit square lattice.
//
// A shape is drawn in cells, one character a cell: '#' a whole cell (split \),
// 'X' a whole cell (split /), 'a' its lower right half, 'b' upper left, 'c' lower
// left, 'd' upper right, '.' empty; rows separated by '\n'. `shiftX`/`shiftY`
// move it from the middle of the board. Returns false unless it gives exactly
// eight triangles that all lie on the board.
bool ShapeFigure(const std::string& shape, int shiftX, int shiftY, FigureRecord& figure);

// Fills Figures[1..count] (count 1..90) with sound figures and sets FigureCount.
void FillSampleCollection(GameData& data, int count);
