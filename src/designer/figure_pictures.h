#pragma once

// The designer's two pictures of a figure, drawn as the game draws them.

#include "game/data.h"
#include "ui/figure_drawing.h"

#include <QImage>

inline constexpr int PreviewWidth = TargetWidth; // the target window's client area
inline constexpr int PreviewHeight = TargetHeight;

// Both pictures hold `scale` (1 or more) device pixels to each of the window's
// pixels, with that device pixel ratio, so a screen at 2x shows them sharp.

// The figure as the target window shows it: two pixels per unit on silver.
// Placements off the tables' orientations are left out.
QImage PreviewPicture(const FigureRecord& figure, qreal scale = 1);

// The figure as the selection dialog shows it: outlined silver card, its number
// in the strip on top, the figure at one pixel per unit below. A record that is
// not wholly on the board shows the card only.
QImage ThumbnailPicture(const FigureRecord& figure, int number, qreal scale = 1);
