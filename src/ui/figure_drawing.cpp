#include "ui/figure_drawing.h"

#include "board/orientation.h"
#include "ui/palette_colours.h"
#include "ui/triangle_polygon.h"

#include <QPainter>

namespace {

const QColor Silver(192, 192, 192);
constexpr int NumberStripHeight = 15; // the figure is drawn below the number

} // namespace

void DrawTargetFigure(QPainter& painter, const FigureRecord& figure) {
    painter.fillRect(0, 0, TargetWidth, TargetHeight, Silver);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    for (const Placement& p : figure)
        if (p.Orient < OrientationCount) painter.drawPolygon(TrianglePolygon(p, 2));
}

void DrawThumbnail(QPainter& painter, const FigureRecord& figure, int number, int x0, int y0,
                   const QColor& fill) {
    painter.setFont(AppFont(8, true));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Silver);
    painter.drawRect(x0, y0, ThumbnailWidth - 1, ThumbnailHeight - 1);
    if (number > 0)
        painter.drawText(QRect(x0 + 3, y0 + 1, 60, 14), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(number));
    if (!FigureIsValid(figure)) return;
    painter.setBrush(fill);
    for (const Placement& p : figure)
        painter.drawPolygon(TrianglePolygon(p, 1, QPoint(x0, y0 + NumberStripHeight)));
}
