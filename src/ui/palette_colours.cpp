#include "ui/palette_colours.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace {

double Luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= ReadableContrast) return wanted;
    // Towards white on a dark background, towards black on a light one: one of the
    // two always reaches 4.5, since white and black lie 21 apart.
    const bool dark = Luminance(background) < 0.18;
    const QColor end = dark ? QColor(Qt::white) : QColor(Qt::black);
    const QColor from = wanted.toRgb();
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed =
            QColor::fromRgbF(float(from.redF() + (end.redF() - from.redF()) * t),
                             float(from.greenF() + (end.greenF() - from.greenF()) * t),
                             float(from.blueF() + (end.blueF() - from.blueF()) * t));
        // A little over the line, so rounding to the screen's colours keeps it.
        if (ContrastRatio(mixed, background) >= ReadableContrast + 0.1) return mixed;
    }
    return end;
}

QFont AppFont(int pointSize, bool bold) {
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QFont AppFontPixels(int pixelSize, bool bold) {
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
