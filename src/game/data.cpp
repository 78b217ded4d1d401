#include "game/data.h"

#include <algorithm>
#include <cstring>

int HelpCount(uint8_t progress) {
    const int h = progress & 7;
    return std::min(h, IsFinished(progress) ? MaxHelpCount : MaxHelpCount - 1);
}

bool FigureIsValid(const FigureRecord& figure) {
    return std::all_of(figure.begin(), figure.end(),
                       [](const Placement& p) { return TriangleInBounds(p); });
}

std::vector<FigureRecord> ParseCollection(const std::vector<uint8_t>& bytes) {
    const size_t count = std::min<size_t>(bytes.size() / FigureRecordSize, MaxFigures);
    std::vector<FigureRecord> figures(count);
    if (count) std::memcpy(figures.data(), bytes.data(), count * FigureRecordSize);
    return figures;
}

CollectionReading ReadCollectionFile(const std::string& path) {
    constexpr size_t WholeCollection = static_cast<size_t>(MaxFigures) * FigureRecordSize;
    CollectionReading reading;
    std::vector<uint8_t> bytes;
    // The byte past a full collection tells "too many" from "exactly 222".
    if (!ReadFileStart(path, WholeCollection + 1, bytes)) return reading;
    reading.Size = bytes.size();
    reading.Shape = bytes.empty()                          ? CollectionFileShape::Empty
                    : bytes.size() > WholeCollection       ? CollectionFileShape::TooMany
                    : bytes.size() % FigureRecordSize != 0 ? CollectionFileShape::PartialTail
                                                           : CollectionFileShape::Whole;
    reading.Records = ParseCollection(bytes);
    for (const FigureRecord& record : reading.Records)
        reading.OnBoard.push_back(FigureIsValid(record));
    return reading;
}

CollectionResult LoadCollection(const std::string& path, GameData& data) {
    const CollectionReading reading = ReadCollectionFile(path);
    if (reading.Shape == CollectionFileShape::CannotOpen) return CollectionResult::CannotOpen;
    if (reading.Records.empty()) return CollectionResult::Empty;
    data.FigureCount = static_cast<int>(reading.Records.size());
    for (int n = 1; n <= data.FigureCount; ++n) {
        data.Figures[n] = reading.Records[n - 1];
        data.Verdicts[n] =
            reading.OnBoard[n - 1] ? RecordVerdict::OnBoard : RecordVerdict::OffBoard;
    }
    return CollectionResult::Loaded;
}

bool FigureOnBoard(const GameData& data, int n) {
    switch (data.Verdicts[n]) {
    case RecordVerdict::OnBoard:
        return true;
    case RecordVerdict::OffBoard:
        return false;
    case RecordVerdict::Unjudged:
        break;
    }
    return FigureIsValid(data.Figures[n]);
}

int BoundedFigureCount(const GameData& data) {
    return std::clamp(data.FigureCount, 0, MaxFigures);
}

int ClampFigureNumber(int number, int figureCount) {
    return number >= 1 && number <= figureCount ? number : 1;
}
