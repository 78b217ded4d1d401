#pragma once

// palette_colours.h: colours and fonts that hold up under any desktop theme.

#include <QColor>
#include <QFont>

// The contrast of two colours as the accessibility guidelines measure it: 1 for
// equal colours up to 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// The least that body text may have against its background.
inline constexpr double ReadableContrast = 4.5;

// `wanted` where it reads on `background` (contrast 4.5 or more), else the same
// hue made lighter on a dark background or darker on a light one until it does.
QColor ReadableOn(const QColor& wanted, const QColor& background);

// The platform's application font at `pointSize`: where the game once named a
// font of its own, the desktop's own family now stands.
QFont AppFont(int pointSize, bool bold = false);
// The same at a size in pixels.
QFont AppFontPixels(int pixelSize, bool bold = false);
