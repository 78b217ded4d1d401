#include "designer/figure_pictures.h"

#include <QPainter>

QImage PreviewPicture(const FigureRecord& figure) {
    QImage picture(PreviewWidth, PreviewHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    DrawTargetFigure(painter, figure);
    return picture;
}

QImage ThumbnailPicture(const FigureRecord& figure, int number) {
    QImage picture(ThumbnailWidth, ThumbnailHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    DrawThumbnail(painter, figure, number, 0, 0);
    return picture;
}
