#include "board/scaling.h"

#include "board/board.h"

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
