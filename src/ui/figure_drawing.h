#pragma once

// figure_drawing.h: a figure as the target window and the thumbnails show it.

#include "game/data.h"

#include <QColor>

class QPainter;

inline constexpr int TargetWidth = 181; // grid columns 0..90 at two pixels a unit
inline constexpr int TargetHeight = 120;
inline constexpr int ThumbnailWidth = 90; // with its outline
inline constexpr int ThumbnailHeight = 75;

// Both take the record's bounds verdict (FigureOnBoard, or FigureIsValid for a
// record of one's own) and show a record off the board without any triangle.

// Silver 181 x 120 at the painter's origin with the figure in black, two pixels a
// grid unit.
void DrawTargetFigure(QPainter& painter, const FigureRecord& figure, bool onBoard);

// A thumbnail cell at (x0, y0): silver with its outline and `number` (none below
// 1), the figure one pixel a unit below the number in `fill`.
void DrawThumbnail(QPainter& painter, const FigureRecord& figure, bool onBoard, int number, int x0,
                   int y0, const QColor& fill = Qt::black);
