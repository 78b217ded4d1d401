#pragma once

#include "ui/dialog_seam.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>

// The colour a widget shows at (x, y) of its own area, as painted now.
inline QColor PixelAt(QWidget* widget, int x, int y) {
    return widget->grab().toImage().pixelColor(x, y);
}

template <typename T> T* Child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// Answers every dialog and message box and records them: dialogs as their
// object name (the message dialog as "YesNoDlg N" with its kind), file dialogs
// as "save" or "open", boxes as their text.
struct SeamRecorder {
    QStringList dialogs;
    QStringList boxes;
    int dialogAnswer = 1;
    std::function<int(QDialog*)> onDialog; // overrides dialogAnswer when set
    // The path chosen in a file dialog; cancel while unset.
    std::function<QString(const DialogSeam::FileRequest&)> onFile;

    SeamRecorder();
    ~SeamRecorder();
};
