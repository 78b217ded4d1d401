#include "record_file.h"

#include <utility>

bool ReadRecordFile(const std::string& path, std::vector<FigureRecord>& records,
                    std::string& error) {
    CollectionReading reading = ReadCollectionFile(path);
    switch (reading.Shape) {
    case CollectionFileShape::Whole:
        records = std::move(reading.Records);
        return true;
    case CollectionFileShape::CannotOpen:
        error = "cannot read " + path;
        return false;
    case CollectionFileShape::Empty:
        error = path + " is empty";
        return false;
    case CollectionFileShape::TooMany:
        error = path + " holds more than 222 records";
        return false;
    case CollectionFileShape::PartialTail:
        break;
    }
    error = path + " ends in a partial record (" + std::to_string(reading.Size) +
            " bytes is not a multiple of 24)";
    return false;
}

RecordWrite WriteGameRecords(const std::string& path, const std::vector<FigureRecord>& records,
                             size_t& offBoard) {
    if (records.empty() || records.size() > static_cast<size_t>(MaxFigures))
        return RecordWrite::BadCount;
    for (size_t i = 0; i < records.size(); ++i)
        if (!FigureIsValid(records[i])) {
            offBoard = i;
            return RecordWrite::OffBoard;
        }
    // Replaced whole or not at all: a failed build keeps the collection it had.
    return ReplaceFile(path, reinterpret_cast<const uint8_t*>(records.data()),
                       records.size() * FigureRecordSize) == SaveResult::Saved
               ? RecordWrite::Written
               : RecordWrite::CannotWrite;
}

bool WriteRecordFile(const std::string& path, const std::vector<FigureRecord>& records,
                     std::string& error) {
    size_t offBoard = 0;
    switch (WriteGameRecords(path, records, offBoard)) {
    case RecordWrite::Written:
        return true;
    case RecordWrite::BadCount:
        error = path + ": the game reads 1 to 222 figures, not " + std::to_string(records.size());
        return false;
    case RecordWrite::OffBoard:
        error = path + ": figure " + std::to_string(offBoard + 1) + " is off the board";
        return false;
    case RecordWrite::CannotWrite:
        break;
    }
    error = "cannot write " + path;
    return false;
}

bool PickFigure(const std::vector<FigureRecord>& records, long number, FigureRecord& figure,
                std::string& error) {
    const long count = static_cast<long>(records.size());
    if (number < 1 || number > count) {
        error = "figure " + std::to_string(number) + " is out of range 1.." + std::to_string(count);
        return false;
    }
    figure = records[number - 1];
    for (int t = 0; t < TriangleCount; ++t)
        if (!TriangleInBounds(figure[t])) {
            error = "figure " + std::to_string(number) + ": triangle " + std::to_string(t + 1) +
                    " (" + DescribePlacement(figure[t]) +
                    ") is off the board or has no such orientation";
            return false;
        }
    return true;
}

std::string DescribePlacement(const Placement& p) {
    return std::to_string(p.Col) + " " + std::to_string(p.Row) + " " + std::to_string(p.Orient);
}
