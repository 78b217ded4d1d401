#pragma once

#include "game/data.h"

#include <QImage>
#include <vector>

// All figures as the selection dialog draws its thumbnails (DrawThumbnail), in
// rows of `Columns` cells 100 x 85 pixels apart, times `Scale`. Text needs a
// QGuiApplication; the caller creates one.
struct SheetLayout {
    int First = 1; // figure number in the first cell
    int Count = 0; // 0 = up to the last figure
    int Columns = 12;
    int Scale = 1;
};

// A record that fails FigureIsValid shows its number in an empty cell.
QImage DrawContactSheet(const std::vector<FigureRecord>& figures, const SheetLayout& layout);
