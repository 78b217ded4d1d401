#include "ui/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap SvgPicture(const QString& name, QSize size) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/dialogs/") + name);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pixmap;
}

QPixmap RatingFaces() {
    return QPixmap(QStringLiteral(":/dialogs/rating_faces.xpm"));
}
