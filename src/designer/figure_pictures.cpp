#include "designer/figure_pictures.h"

#include <QPainter>

#include <algorithm>

namespace {

// `size` in the window's pixels, held at `scale` device pixels to each.
QImage Picture(QSize size, qreal scale) {
    scale = std::max<qreal>(scale, 1);
    QImage picture(size * scale, QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale);
    return picture;
}

} // namespace

QImage PreviewPicture(const FigureRecord& figure, qreal scale) {
    QImage picture = Picture(QSize(PreviewWidth, PreviewHeight), scale);
    QPainter painter(&picture);
    DrawTargetFigure(painter, figure, FigureIsValid(figure));
    return picture;
}

QImage ThumbnailPicture(const FigureRecord& figure, int number, qreal scale) {
    QImage picture = Picture(QSize(ThumbnailWidth, ThumbnailHeight), scale);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    DrawThumbnail(painter, figure, FigureIsValid(figure), number, 0, 0);
    return picture;
}
