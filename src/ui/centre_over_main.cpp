#include "ui/centre_over_main.h"

#include <QWidget>

void CentreOverMain(QWidget* dialog, const QWidget* mainWindow) {
    if (!mainWindow) return;
    const QRect main = mainWindow->frameGeometry();
    const QRect own = dialog->frameGeometry();
    const int left = main.left() + (main.width() - own.width()) / 2;
    const int top = main.top() + main.height() - (mainWindow->height() + own.height()) / 2;
    dialog->move(left, top); // move() places the frame's top-left corner
}
