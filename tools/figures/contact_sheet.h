#pragma once

#include "game/data.h"

#include <QImage>
#include <vector>

// All figures as the selection dialog draws its thumbnails: a silver cell of
// 90 x 75 pixels with a black outline per figure, its number top left and the
// figure in black, one grid unit a pixel, times `Scale`. Text needs a
// QGuiApplication; the caller creates one.
struct SheetLayout {
    int First = 1; // figure number in the first cell
    int Count = 0; // 0 = up to the last figure
    int Columns = 12;
    int Scale = 1;
};

// Every record must pass FigureIsValid.
QImage DrawContactSheet(const std::vector<FigureRecord>& figures, const SheetLayout& layout);
