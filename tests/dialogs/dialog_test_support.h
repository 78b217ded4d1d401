#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The colour a widget shows at (x, y) of its own area, as painted now.
inline QColor PixelAt(QWidget* widget, int x, int y) {
    return widget->grab().toImage().pixelColor(x, y);
}

template <typename T> T* Child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}
