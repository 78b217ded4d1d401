#pragma once

// pixel_checks.h: what the window tests read from pixels (sharpness and
// contrast) and the dark colour scheme they read it under.

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPalette>

#include <algorithm>
#include <cmath>

// How many of the picture's aligned 2 x 2 blocks hold more than one colour. A
// picture drawn at half the resolution and doubled has none.
inline int MixedBlocks(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    int mixed = 0;
    for (int y = 0; y + 1 < rgb.height(); y += 2)
        for (int x = 0; x + 1 < rgb.width(); x += 2) {
            const QRgb c = rgb.pixel(x, y);
            mixed += rgb.pixel(x + 1, y) != c || rgb.pixel(x, y + 1) != c ||
                     rgb.pixel(x + 1, y + 1) != c;
        }
    return mixed;
}

// The largest difference of any channel, alpha included, between two pictures
// of one size, compared premultiplied (a faint edge pixel cannot differ much);
// 256 when the sizes differ.
inline int MaxChannelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 256;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int most = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return most;
}

// The contrast ratio of two colours as the web's accessibility guidelines define
// it: 1 for equal colours up to 21 for black on white.
inline double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast in `area` against its commonest colour, taken as the
// background: for an area with text, the text's contrast.
inline double TextContrast(const QImage& area) {
    const QImage rgb = area.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[rgb.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) background = it.key(), most = it.value();
    double strongest = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        strongest = std::max(strongest, Contrast(QColor(it.key()), QColor(background)));
    return strongest;
}

// A dark colour scheme as desktop themes set it: light text on dark grey.
inline QPalette DarkPalette() {
    QPalette dark;
    const QColor window(53, 53, 53), base(42, 42, 42), text(Qt::white);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, text);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    return dark;
}
