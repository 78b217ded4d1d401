#pragma once

#include "game/data.h"

#include <string>
#include <vector>

// The tool is stricter than the game: a file it is asked about must hold whole
// records and at least one of them, so a damaged file is reported, not guessed at.

// False with `error` set when the file cannot be read, is empty or ends in a
// partial record.
bool ReadRecordFile(const std::string& path, std::vector<FigureRecord>& records,
                    std::string& error);

bool WriteRecordFile(const std::string& path, const std::vector<FigureRecord>& records,
                     std::string& error);

// Figure `number` (1-based) of `records`, checked against the range and the bounds
// test so that stamping it is safe; false with `error` set otherwise.
bool PickFigure(const std::vector<FigureRecord>& records, long number, FigureRecord& figure,
                std::string& error);

// "12 30 4" for error messages.
std::string DescribePlacement(const Placement& p);
