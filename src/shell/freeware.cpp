#include "shell/freeware.h"

#include "shell/maker_links.h"
#include "ui/centre_over_main.h"
#include "ui/dialog_parts.h"
#include "ui/palette_colours.h"
#include "ui/pictures.h"
#include "ui/text_box.h"
#include "ui/texts.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const char* const GermanTerms =
    "Nutzungsbedingungen\n\n"
    "Fribo Trigonet ist Freeware. Du darfst das Spiel kostenlos benutzen, kopieren und an andere "
    "weitergeben, solange alle seine Dateien vollständig und unverändert bleiben.\n\n"
    "Ohne schriftliche Zustimmung von Fribo Bytes darf das Spiel weder verkauft noch gegen eine "
    "Gebühr weitergegeben werden, auch nicht als Teil einer Sammlung.\n\n"
    "Das Spiel wird so angeboten, wie es ist. Fribo Bytes übernimmt keine Gewähr dafür, dass es "
    "fehlerfrei läuft oder für einen bestimmten Zweck taugt, und haftet nicht für Schäden, die "
    "aus seiner Benutzung entstehen.\n\n"
    "Über Anregungen, Lob und Hinweise auf Fehler freuen wir uns: Schreib uns eine E-Mail oder "
    "besuche unsere Homepage.";

const char* const EnglishTerms =
    "Terms of use\n\n"
    "Fribo Trigonet is freeware. You may use, copy and pass on the game free of charge, as long "
    "as all of its files stay complete and unchanged.\n\n"
    "Without the written consent of Fribo Bytes the game must not be sold or passed on for a "
    "fee, not even as part of a collection.\n\n"
    "The game is offered as it is. Fribo Bytes gives no warranty that it runs without faults or "
    "suits any particular purpose, and is not liable for any damage arising from its use.\n\n"
    "We are glad to hear your ideas, praise and reports of faults: send us a mail or visit our "
    "homepage.";

QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* FieldCaption(QWidget* parent, const char* text, int top) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(120, top, 70, 13);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TFreewareDlg::TFreewareDlg(const GameData& data, QWidget* mainWindow, UrlOpener opener)
    : QDialog(mainWindow), data(data), mainWindow(mainWindow) {
    if (!opener) opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    setObjectName("FreewareDlg");
    setFixedSize(385, 473);
    setFont(AppFont(8));

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 369, 417);

    ProgramIcon(this, mainWindow, QRect(12, 12, 37, 37));
    auto* logo = new QLabel(this);
    logo->setObjectName("Logo");
    logo->setGeometry(12, 52, 101, 77);
    logo->setPixmap(SvgPicture("fribo_logo.svg", QSize(101, 77)));

    PlainLabel(this, "CopyrightSign", QString::fromUtf8("©"), QPoint(180, 44));
    QLabel* maker = PlainLabel(this, "MakerName", "Fribo Bytes", QPoint(196, 44));
    QFont bold = maker->font();
    bold.setBold(true);
    maker->setFont(bold);
    maker->adjustSize();
    AddressLine1 = PlainLabel(this, "AddressLine1", QString(), QPoint(196, 60));
    AddressLine2 = PlainLabel(this, "AddressLine2", QString(), QPoint(196, 76));

    FieldCaption(this, "E-Mail:", 96);
    auto* mail = new LinkLabel(MakerMail(), QUrl("mailto:" + MakerMail()), opener, this);
    mail->setObjectName("MailLink");
    mail->move(196, 96);
    mail->adjustSize();
    FieldCaption(this, "Homepage:", 112);
    auto* home = new LinkLabel(MakerHomepage(), QUrl(MakerHomepage()), opener, this);
    home->setObjectName("HomeLink");
    home->move(196, 112);
    home->adjustSize();

    auto* rule = new QFrame(this);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(12, 128, 361, 5);

    TitleLabel = new QLabel(this);
    TitleLabel->setObjectName("TitleLabel");
    TitleLabel->setGeometry(16, 140, 353, 68);
    TitleLabel->setAlignment(Qt::AlignCenter);
    TitleLabel->setWordWrap(true);
    QFont title = font();
    title.setBold(true);
    title.setPointSize(12);
    TitleLabel->setFont(title);

    Memodeu = TextBox(this, "Memodeu", GermanTerms, QRect(16, 216, 353, 201));
    Memoeng = TextBox(this, "Memoeng", EnglishTerms, QRect(16, 216, 353, 201));

    OkButton(this, QPoint(152, 438));
}

void TFreewareDlg::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TFreewareDlg::FormActivate() {
    CentreOverMain(this, mainWindow);
    Memodeu->hide();
    Memoeng->hide();
    const int lang = data.Language;
    setWindowTitle("Fribo Bytes - Freeware-Info");
    TitleLabel->setText(
        Text(lang, "Fribo Trigonet V2.6\nist Freeware", "Fribo Trigonet V2.6\nis freeware"));
    AddressLine1->setText(Text(lang, "Denkspiele für alle", "Puzzle games for everyone"));
    AddressLine1->adjustSize();
    AddressLine2->setText(Text(lang, "von 8 bis 88", "between 8 and 88"));
    AddressLine2->adjustSize();
    (IsGerman(lang) ? Memodeu : Memoeng)->show();
    focusProxy()->setFocus();
}
