#include "game/data.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

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

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    if (!FileExists(path)) return false;
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

CollectionResult LoadCollection(const std::string& path, GameData& data) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return CollectionResult::CannotOpen;
    const std::vector<FigureRecord> figures = ParseCollection(bytes);
    if (figures.empty()) return CollectionResult::Empty;
    data.FigureCount = static_cast<int>(figures.size());
    std::copy(figures.begin(), figures.end(), data.Figures.begin() + 1);
    return CollectionResult::Loaded;
}

int ClampFigureNumber(int number, int figureCount) {
    return number >= 1 && number <= figureCount ? number : 1;
}

bool ReadProgressFile(const std::string& path, GameData& data, int clearCount) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    std::fill(data.Progress.begin() + 1, data.Progress.begin() + 1 + clearCount, 0);
    const size_t n = std::min<size_t>(bytes.size(), static_cast<size_t>(data.FigureCount));
    std::copy_n(bytes.begin(), n, data.Progress.begin() + 1);
    return true;
}

SaveResult WriteProgressFile(const std::string& path, const GameData& data) {
    namespace fs = std::filesystem;
    const fs::path target = fs::u8path(path);
    fs::path temp = target;
    temp += ".tmp~";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return SaveResult::CannotCreate;
        out.write(reinterpret_cast<const char*>(data.Progress.data() + 1), data.FigureCount);
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return SaveResult::WriteFailed;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return SaveResult::CannotCreate;
    }
    return SaveResult::Saved;
}
