#include "ui/pictures.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

// Through Qt's SVG image plugin, which is loaded when the first picture is
// asked for: linked to the program, Qt's SVG library would be loaded and bound
// ahead of the first frame, which draws no SVG.
QPixmap SvgPicture(const QString& name, QSize size) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    QImageReader reader(QStringLiteral(":/dialogs/") + name, "svg");
    reader.setAutoDetectImageFormat(false);
    reader.setScaledSize(pixels);
    QImage image = reader.read();
    if (image.size() != pixels) {
        image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap RatingFaces() {
    return QPixmap(QStringLiteral(":/dialogs/rating_faces.xpm"));
}

int CursorFactor(qreal ratio) {
    return std::max(1, qRound(ratio));
}

QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QCursor ScaledCursor(const QString& path, QPoint hot, qreal ratio, const QCursor& standIn) {
    const QPixmap picture = ReadPng(path);
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

namespace {

// Qt's own engine for pictures from files reads every size as it is added,
// ahead of the first frame; this one reads only the size a screen asks for.
class ReadyDrawnEngine : public QIconEngine {
  public:
    ReadyDrawnEngine(QString stem, std::vector<int> sizes)
        : stem(std::move(stem)), sizes(std::move(sizes)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int want = std::max(size.width(), size.height());
        const auto at = std::lower_bound(sizes.begin(), sizes.end(), want);
        const int pick = at == sizes.end() ? sizes.back() : *at;
        const QString file = QString("%1-%2.png").arg(stem).arg(pick);
        QPixmap picture;
        if (!QPixmapCache::find(file, &picture)) {
            picture = ReadPng(file);
            QPixmapCache::insert(file, picture);
        }
        if (picture.isNull()) return picture;
        if (pick != want)
            picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && qApp) {
            // Greyed as the style greys any icon it is given.
            QStyleOption option;
            option.palette = QApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> all;
        for (const int s : sizes)
            all.append(QSize(s, s));
        return all;
    }

    QIconEngine* clone() const override { return new ReadyDrawnEngine(stem, sizes); }
    QString key() const override { return QStringLiteral("ReadyDrawnEngine"); }

  private:
    QString stem;
    std::vector<int> sizes; // ascending
};

} // namespace

QIcon ReadyDrawnIcon(const QString& stem, std::vector<int> sizes) {
    std::sort(sizes.begin(), sizes.end());
    // The build draws all sizes or none.
    if (sizes.empty() || !QFile::exists(QString("%1-%2.png").arg(stem).arg(sizes.front())))
        return {};
    return QIcon(new ReadyDrawnEngine(stem, std::move(sizes)));
}
