#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The dialogs' own pictures, registered under ":/dialogs/".

// Renders an SVG picture at `size` device-independent pixels, sharp on high-DPI
// screens. A missing picture gives a transparent pixmap of that size.
QPixmap SvgPicture(const QString& name, QSize size);

// The five rating faces side by side, 75 x 15, given up first, no help last.
inline constexpr int FaceSize = 15;
QPixmap RatingFaces();

// Face index for a finished figure's help count 0..4.
inline int FaceIndex(int helpCount) {
    return 4 - helpCount;
}
