#include "designer/figure_pictures.h"

#include "board/orientation.h"
#include "ui/triangle_polygon.h"

#include <QPainter>

namespace {

const QColor Silver(192, 192, 192);
constexpr int NumberStripHeight = 15;

} // namespace

QImage PreviewPicture(const FigureRecord& figure) {
    QImage picture(PreviewWidth, PreviewHeight, QImage::Format_RGB32);
    picture.fill(Silver);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    for (const Placement& p : figure)
        if (p.Orient < OrientationCount) painter.drawPolygon(TrianglePolygon(p, 2));
    return picture;
}

QImage ThumbnailPicture(const FigureRecord& figure, int number) {
    QImage picture(ThumbnailWidth, ThumbnailHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QFont font("MS Sans Serif", 8, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Silver);
    painter.drawRect(0, 0, ThumbnailWidth - 1, ThumbnailHeight - 1);
    if (number > 0)
        painter.drawText(QRect(3, 1, 60, 14), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(number));
    if (!FigureIsValid(figure)) return picture;
    painter.setBrush(Qt::black);
    for (const Placement& p : figure)
        painter.drawPolygon(TrianglePolygon(p, 1, QPoint(0, NumberStripHeight)));
    return picture;
}
