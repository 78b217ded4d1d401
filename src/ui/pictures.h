#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

// The dialogs' own pictures, registered under ":/dialogs/".

// A PNG picture, read by Qt's own PNG reader alone. Asked to guess the format,
// Qt's image reader first loads every image format plugin there is (SVG, GIF,
// ICO, JPEG), which would cost the first frame more than the pictures do. A
// missing or damaged file gives a null pixmap.
QPixmap ReadPng(const QString& path);

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

// The whole number of device pixels each pixel of a cursor picture becomes on a
// screen of `ratio`: the nearest one, at least 1 (1.25 gives 1, 1.5 and 2 give 2).
int CursorFactor(qreal ratio);

// A cursor from a small pixel-art picture for a screen of `ratio`, every pixel
// repeated CursorFactor(ratio) times across and down so its edges stay sharp;
// the hot spot `hot`, in the picture's own pixels, stays on the middle of the
// same pixel. `standIn` when the picture is missing.
QCursor ScaledCursor(const QString& path, QPoint hot, qreal ratio, const QCursor& standIn);

// An icon drawn ahead at the pixel sizes given, as files `stem`-SIZE.png (say
// ":/toolbar/up-18.png"). Each size is read when a screen first asks for it;
// a size in between is drawn from the next larger one. Null when no file is
// there.
QIcon ReadyDrawnIcon(const QString& stem, std::vector<int> sizes);
