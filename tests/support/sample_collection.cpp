#include "support/sample_collection.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int Cell = 10;

// The four halves of a cell with top-left corner (x, y), by orientation and anchor.
Placement LowerRight(int x, int y) {
    return {uint8_t(x + 7), uint8_t(y + 7), 0};
}
Placement UpperLeft(int x, int y) {
    return {uint8_t(x + 3), uint8_t(y + 3), 8};
}
Placement LowerLeft(int x, int y) {
    return {uint8_t(x + 3), uint8_t(y + 7), 4};
}
Placement UpperRight(int x, int y) {
    return {uint8_t(x + 7), uint8_t(y + 3), 12};
}

const char* const Shapes[] = {
    "##\n##",   "####",       "###\n.#.",   "#..\n###",   "##.\n.##",   "a###b",
    "a###c",    "acac\ndbdb", "a##c\n.db.", "XX\nXX",     "#.\n##\n.#", "ac\n##\ndb",
    ".#.\n###", "X###",       "##\nXX",     "a#\n##\nd.", "..#\n###",   "X#X#",
};

} // namespace

bool ShapeFigure(const std::string& shape, int shiftX, int shiftY, FigureRecord& figure) {
    std::vector<std::string> rows(1);
    for (char ch : shape) {
        if (ch == '\n')
            rows.emplace_back();
        else
            rows.back() += ch;
    }
    size_t width = 0;
    for (const std::string& row : rows)
        width = std::max(width, row.size());
    const int left = 45 - int(width) * Cell / 2 + shiftX;
    const int top = 30 - int(rows.size()) * Cell / 2 + shiftY;

    std::vector<Placement> placements;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const int x = left + int(c) * Cell, y = top + int(r) * Cell;
            switch (rows[r][c]) {
            case '#':
                placements.insert(placements.end(), {LowerRight(x, y), UpperLeft(x, y)});
                break;
            case 'X':
                placements.insert(placements.end(), {LowerLeft(x, y), UpperRight(x, y)});
                break;
            case 'a':
                placements.push_back(LowerRight(x, y));
                break;
            case 'b':
                placements.push_back(UpperLeft(x, y));
                break;
            case 'c':
                placements.push_back(LowerLeft(x, y));
                break;
            case 'd':
                placements.push_back(UpperRight(x, y));
                break;
            default:
                break;
            }
        }
    }
    if (placements.size() != figure.size()) return false;
    for (size_t t = 0; t < figure.size(); ++t) {
        if (!TriangleInBounds(placements[t])) return false;
        figure[t] = placements[t];
    }
    return true;
}

void FillSampleCollection(GameData& data, int count) {
    const int shapeCount = int(std::size(Shapes));
    for (int n = 1; n <= count; ++n) {
        // Later rounds repeat the shapes a little off the middle.
        const int round = (n - 1) / shapeCount;
        const int shift = (round % 2 ? 1 : -1) * 5 * ((round + 1) / 2);
        if (!ShapeFigure(Shapes[(n - 1) % shapeCount], shift, shift / 2, data.Figures[n]))
            std::abort(); // a broken sample is a fault of the tests themselves
    }
    data.FigureCount = count;
}
