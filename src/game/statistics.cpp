#include "game/statistics.h"

#include "game/saved_game.h"

#include <cmath>

ProgressSummary SummarizeProgress(const GameData& data) {
    ProgressSummary summary;
    summary.Count = BoundedFigureCount(data);
    for (int i = 1; i <= summary.Count; ++i) {
        const uint8_t progress = data.Progress[i];
        if (!IsFinished(progress)) continue;
        const int help = HelpCount(progress);
        ++summary.Finished;
        ++summary.HelpCounts[help];
        summary.Points += MaxHelpCount - help;
    }
    return summary;
}

int WholePercent(int progress, int maximum) {
    if (maximum <= 0) return 0;
    return static_cast<int>(static_cast<long long>(progress) * 100 / maximum);
}

std::array<CategoryBand, HelpCategoryCount> CategoryBands(const ProgressSummary& summary) {
    std::array<CategoryBand, HelpCategoryCount> bands{};
    if (summary.Finished <= 0) return bands;
    const double scale = static_cast<double>(CategoryBarWidth) / summary.Finished;
    int start = 0;
    for (int k = 0; k < HelpCategoryCount; ++k) {
        CategoryBand& band = bands[k];
        band.Start = start;
        // Every band is one column wider than its share, so an empty category
        // still pushes the next band one column to the right.
        band.End = k < HelpCategoryCount - 1
                       ? RoundHalfEven(summary.HelpCounts[k] * scale) + start + 1
                       : CategoryBarWidth;
        band.Drawn = summary.HelpCounts[k] > 0 && band.Start < band.End;
        start = band.End;
    }
    return bands;
}

std::string StatisticsGameName(const std::string& saveFileName) {
    std::string name = FileNamePart(saveFileName);
    for (int dropped = 0; dropped < 4; ++dropped) {
        if (name.empty()) return {};
        // Drop one whole character: its continuation bytes, then its lead byte.
        while (name.size() > 1 && (static_cast<uint8_t>(name.back()) & 0xC0) == 0x80)
            name.pop_back();
        name.pop_back();
    }
    return name;
}
