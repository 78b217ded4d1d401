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

CollectionResult LoadCollection(const std::string& path, GameData& data) {
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(path, static_cast<size_t>(MaxFigures) * FigureRecordSize, bytes))
        return CollectionResult::CannotOpen;
    const std::vector<FigureRecord> figures = ParseCollection(bytes);
    if (figures.empty()) return CollectionResult::Empty;
    data.FigureCount = static_cast<int>(figures.size());
    std::copy(figures.begin(), figures.end(), data.Figures.begin() + 1);
    return CollectionResult::Loaded;
}

int BoundedFigureCount(const GameData& data) {
    return std::clamp(data.FigureCount, 0, MaxFigures);
}

int ClampFigureNumber(int number, int figureCount) {
    return number >= 1 && number <= figureCount ? number : 1;
}
