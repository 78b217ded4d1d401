#pragma once

#include "game/data.h"

#include <string>
#include <vector>

// The tool is stricter than the game: a file it is asked about must hold whole
// records and at least one of them, so a damaged file is reported, not guessed at.

// False with `error` set when the file cannot be read, is empty, holds more than
// 222 records or ends in a partial record.
bool ReadRecordFile(const std::string& path, std::vector<FigureRecord>& records,
                    std::string& error);

// The one writer of the game's record file, for the tool and the designer alike.
// A collection the game could not play whole is refused before the file is
// touched: no record or more than 222 (BadCount), or a record off the board or
// badly turned (OffBoard, `offBoard` its 0-based index). The file is replaced
// atomically; after CannotWrite errno tells why.
enum class RecordWrite { Written, BadCount, OffBoard, CannotWrite };
RecordWrite WriteGameRecords(const std::string& path, const std::vector<FigureRecord>& records,
                             size_t& offBoard);

// WriteGameRecords worded for the tool's messages.
bool WriteRecordFile(const std::string& path, const std::vector<FigureRecord>& records,
                     std::string& error);

// Figure `number` (1-based) of `records`, checked against the range and the bounds
// test so that stamping it is safe; false with `error` set otherwise.
bool PickFigure(const std::vector<FigureRecord>& records, long number, FigureRecord& figure,
                std::string& error);

// "12 30 4" for error messages.
std::string DescribePlacement(const Placement& p);
