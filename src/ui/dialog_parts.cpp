#include "ui/dialog_parts.h"

#include <QDialog>

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

QLabel* LinkLabel(const QString& shown, const QUrl& target, UrlOpener opener, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(
        QString("<a href=\"%1\">%2</a>")
            .arg(target.toString(QUrl::FullyEncoded).toHtmlEscaped(), shown.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, label, [label, target, opener] {
        if (!opener(target)) label->setEnabled(false);
    });
    return label;
}
