#include "ui/figure_drawing.h"

#include "ui/palette_colours.h"
#include "ui/triangle_polygon.h"

#include <QPainter>

namespace {

const QColor Silver(192, 192, 192);
constexpr int NumberStripHeight = 15; // the figure is drawn below the number

// The one rule for every picture of a figure: a record off the board shows no
// triangles, as the game cannot set it up either and its orientations could lie
// beyond the tables.
void DrawFigure(QPainter& painter, const FigureRecord& figure, bool onBoard, int unit,
                QPoint origin, const QColor& fill) {
    if (!onBoard) return;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    for (const Placement& p : figure)
        painter.drawPolygon(TrianglePolygon(p, unit, origin));
}

} // namespace

void DrawTargetFigure(QPainter& painter, const FigureRecord& figure, bool onBoard) {
    painter.fillRect(0, 0, TargetWidth, TargetHeight, Silver);
    DrawFigure(painter, figure, onBoard, 2, {}, Qt::black);
}

void DrawThumbnail(QPainter& painter, const FigureRecord& figure, bool onBoard, int number, int x0,
                   int y0, const QColor& fill) {
    painter.setFont(AppFont(8, true));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Silver);
    painter.drawRect(x0, y0, ThumbnailWidth - 1, ThumbnailHeight - 1);
    if (number > 0)
        painter.drawText(QRect(x0 + 3, y0 + 1, 60, 14), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(number));
    DrawFigure(painter, figure, onBoard, 1, QPoint(x0, y0 + NumberStripHeight), fill);
}
