#include "ui/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

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

int CursorFactor(qreal ratio) {
    return std::max(1, qRound(ratio));
}

QCursor ScaledCursor(const QString& path, QPoint hot, qreal ratio, const QCursor& standIn) {
    const QPixmap picture(path);
    if (picture.isNull()) return standIn;
    const int factor = CursorFactor(ratio);
    QPixmap scaled =
        picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // A whole ratio, as a Wayland buffer's scale must be. The hot spot counts
    // the pixmap's logical pixels, the picture's own, except that Qt's X11
    // backend hands it to the server unscaled: there it names device pixels.
    scaled.setDevicePixelRatio(factor);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) hot *= factor;
    return QCursor(scaled, hot.x(), hot.y());
}
