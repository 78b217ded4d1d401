#include "ui/dialog_parts.h"

#include <QDialog>
#include <QMouseEvent>

QLabel* ProgramIcon(QWidget* dialog, const QWidget* mainWindow, QRect geometry) {
    auto* icon = new QLabel(dialog);
    icon->setObjectName("Picture");
    icon->setGeometry(geometry);
    if (mainWindow) icon->setPixmap(mainWindow->windowIcon().pixmap(32, 32));
    return icon;
}

QPushButton* OkButton(QDialog* dialog, QPoint topLeft) {
    auto* ok = new QPushButton("OK", dialog);
    ok->setObjectName("OKBtn");
    ok->setGeometry(QRect(topLeft, QSize(77, 27)));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    dialog->setFocusProxy(ok);
    return ok;
}

LinkLabel::LinkLabel(const QString& shown, QUrl target, UrlOpener opener, QWidget* parent)
    : QLabel(shown, parent), target(std::move(target)), opener(std::move(opener)) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    if (!opener(target)) {
        setEnabled(false);
        unsetCursor();
    }
}
