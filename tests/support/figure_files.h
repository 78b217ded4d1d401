#pragma once

// Figures and files the tool's tests share.

#include "game/data.h"
#include "support/test_figures.h"

#include <string>
#include <vector>

// A 10 x 10 square from two triangles (orientations 0 and 8), top-left grid point (x, y).
void AddSquare(std::vector<Placement>& placements, int x, int y);

// The 20 x 20 square of four such squares, centred on the board: the figure with
// sixteen arrangements, one for each choice of diagonal in its quarters.
FigureRecord BigSquare();

// A house of two squares under a hipped roof: mirror-symmetric, layable, connected
// and centred, so every rule holds.
FigureRecord SoundHouse();

FigureRecord ToRecord(const std::vector<Placement>& placements);

// A file in the running test's own temporary folder (see TempDir).
std::string TempPath(const std::string& name);
void WriteRecords(const std::string& path, const std::vector<FigureRecord>& records);
std::string ReadText(const std::string& path);
