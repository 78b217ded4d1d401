#include "ui/text_box.h"

#include <QPlainTextEdit>

QPlainTextEdit* TextBox(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* box = new QPlainTextEdit(QString::fromUtf8(text), parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont plain = parent->font();
    plain.setBold(false);
    box->setFont(plain);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(206, 206, 232));
    box->setPalette(palette);
    return box;
}
