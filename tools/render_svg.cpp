// Renders an SVG picture into square PNGs of the given sizes, for the places
// that want a bitmap (the 32 x 32 program icon, the toolbar's pictures at the
// usual screen scales, which the first frame then need not parse).
//   render-svg IN.svg OUT.png SIZE
//   render-svg IN.svg OUT-%1.png SIZE SIZE...    (%1 becomes each size)

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 4 || (argc > 4 && !std::strstr(argv[2], "%1"))) {
        std::fprintf(stderr, "usage: render-svg IN.svg OUT.png SIZE\n"
                             "       render-svg IN.svg OUT-%%1.png SIZE SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (!svg.isValid() || size < 1 || size > 1024) {
            std::fprintf(stderr, "render-svg: cannot render %s at size %s\n", argv[1], argv[i]);
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        const QString out = QString::fromLocal8Bit(argv[2]).replace("%1", QString::number(size));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(out, "PNG")) {
            std::fprintf(stderr, "render-svg: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
