#include "shell/tongdlg.h"

#include "ui/centre_over_main.h"
#include "ui/dialog_parts.h"
#include "ui/palette_colours.h"
#include "ui/pictures.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QPushButton* LanguageButton(QWidget* parent, const char* name, const char* text,
                            const QString& flags, QSize flagSize, int top) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(name);
    button->setGeometry(84, top, 221, 27);
    button->setIcon(SvgPicture(flags, flagSize));
    button->setIconSize(flagSize);
    return button;
}

} // namespace

TTongueDlg::TTongueDlg(GameData& data, QWidget* mainWindow)
    : QDialog(mainWindow), data(data), mainWindow(mainWindow) {
    setObjectName("TongueDlg");
    setFixedSize(320, 91);
    setFont(AppFont(8));
    setWindowTitle("Fribo Trigonet V2.6");

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(8, 8, 305, 77);

    ProgramIcon(this, mainWindow, QRect(28, 28, 37, 37));

    // English first in the tab order, so it has the focus when the dialog opens.
    EnglishBtn = LanguageButton(this, "EnglishBtn", "I speak english.", "flags_english.svg",
                                QSize(54, 16), 16);
    GermanBtn = LanguageButton(this, "GermanBtn", "Ich spreche deutsch.", "flags_german.svg",
                               QSize(70, 16), 48);
    EnglishBtn->setDefault(true);
    connect(EnglishBtn, &QPushButton::clicked, this, [this] { Choose(0); });
    connect(GermanBtn, &QPushButton::clicked, this, [this] { Choose(1); });
}

void TTongueDlg::showEvent(QShowEvent* event) {
    CentreOverMain(this, mainWindow);
    EnglishBtn->setFocus();
    QDialog::showEvent(event);
}

void TTongueDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return; // there is no cancel button to answer it
    QDialog::keyPressEvent(event);
}

void TTongueDlg::Choose(int language) {
    data.Language = language;
    accept();
}
