// Renders an SVG picture into a square PNG of the given size, for the places
// that want a bitmap (the 32 x 32 program icon).
//   render-svg IN.svg OUT.png SIZE

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render-svg IN.svg OUT.png SIZE\n");
        return 2;
    }
    const int size = std::atoi(argv[3]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size < 1 || size > 1024) {
        std::fprintf(stderr, "render-svg: cannot render %s at size %s\n", argv[1], argv[3]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    if (!image.convertToFormat(QImage::Format_ARGB32)
             .save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "render-svg: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
