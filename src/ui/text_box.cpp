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
    // The pale blue is the box's own, so its text is too: a dark theme's light
    // text would not read on it.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, QColor(206, 206, 232));
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    box->setPalette(palette);
    return box;
}
