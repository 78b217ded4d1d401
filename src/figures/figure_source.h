#pragma once

#include "game/data.h"

#include <string>
#include <vector>

// The readable form of the collection: one figure per line,
//   Name: col row orient, col row orient, ... (eight placements, triangle 1 first)
// Lines starting with '#' and blank lines are comments. The leading comment block
// is kept as the file's header when a tool rewrites the file.

struct SourceFigure {
    std::string Name;
    FigureRecord Record{};
    int Line = 0; // line number in the source, for messages
};

struct FigureSource {
    std::string Header; // leading comment lines, each ending in '\n'
    std::vector<SourceFigure> Figures;
};

// False with `error` ("LINE: what is wrong") on the first malformed entry. Every
// value must fit a byte; the rules of the collection are checked elsewhere.
bool ParseFigureSource(const std::string& text, FigureSource& source, std::string& error);

std::string FormatFigureSource(const FigureSource& source);

std::string FormatSourceLine(const SourceFigure& figure);

bool ReadTextFile(const std::string& path, std::string& text);
bool WriteTextFile(const std::string& path, const std::string& text);
