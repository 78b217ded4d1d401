#pragma once

#include "board/board.h"

#include <QPoint>
#include <QPolygon>

// The triangle at `p` (Orient 0..15) as drawn at `unit` pixels per grid unit, the
// board's top-left grid point at `origin`.
inline QPolygon TrianglePolygon(const Placement& p, int unit, QPoint origin = {}) {
    QPolygon corners(3);
    for (int k = 0; k < 3; ++k) {
        const Point c = CornerPixel(p, k, unit);
        corners.setPoint(k, origin.x() + c.x, origin.y() + c.y);
    }
    return corners;
}
