#include "board/scaling.h"

#include "board/board.h"

#include <cmath>

#include <algorithm>

BoardGeometry ScaleBoard(int clientWidth, int clientHeight, int toolHeight, int bannerHeight) {
    const int freeHeight = clientHeight - toolHeight - bannerHeight;
    BoardGeometry g;
    g.Unit = std::min(clientWidth / ScaleColumns, freeHeight / ScaleRows);
    g.Left = (clientWidth - g.Unit * GridColumns) / 2;
    g.Top = (freeHeight - g.Unit * GridRows) / 2 + toolHeight;
    g.Width = g.Unit * GridColumns + 1;
    g.Height = g.Unit * GridRows + 1;
    return g;
}

int RoundHalfEven(double v) {
    const double below = std::floor(v);
    const double rest = v - below;
    const int lower = static_cast<int>(below);
    if (rest != 0.5) return rest < 0.5 ? lower : lower + 1;
    return lower % 2 == 0 ? lower : lower + 1;
}
