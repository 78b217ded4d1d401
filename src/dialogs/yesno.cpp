#include "dialogs/yesno.h"

#include "game/data.h"
#include "ui/centre_over_main.h"
#include "ui/dialog_seam.h"
#include "ui/palette_colours.h"
#include "ui/texts.h"

#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include <algorithm>

namespace {

struct MessagePage {
    const char* pageName;
    bool yesNo;
    QRect text;
    const char* german;
    const char* english;
};

const MessagePage Kinds[9] = {
    {"won", false, {60, 28, 181, 17}, "Hurra, geschafft!", "Hurrah, you did it!"},
    {"restart",
     true,
     {56, 20, 189, 26},
     "Willst Du die Stufe wirklich aufgeben?",
     "Do you really want to give up the level?"},
    {"endgame",
     true,
     {72, 20, 153, 29},
     "Willst Du wirklich schon aufhören?",
     "Do you really want to go?"},
    {"giveup",
     true,
     {56, 20, 189, 26},
     "Willst Du das Spiel wirklich aufgeben?",
     "Do you really want to give up the game?"},
    {"toslow",
     false,
     {60, 20, 181, 33},
     "Du warst leider zu langsam!",
     "Sorry, you weren't quick enough!"},
    {"allsolved",
     false,
     {60, 24, 181, 21},
     "Gratulation, Du hast alle Stufen gelöst.",
     "Congratulation, you solved all levels."},
    {"gameover", false, {60, 20, 181, 33}, "Das Spiel ist leider aus.", "Sorry, game over!"},
    {"nextlevel",
     false,
     {60, 24, 181, 21},
     "Auf zur nächsten Stufe!",
     "The next level is waiting!"},
    {"lost", false, {60, 20, 181, 33}, "Du hast leider verloren!", "Sorry, that was it!"},
};

constexpr QRect FrameInside(10, 10, 241, 45); // inside the lowered frame at (8, 8), 245 x 49
constexpr int ButtonTop = 68;
constexpr QSize ButtonSize(77, 27);

QPushButton* MakeButton(QWidget* parent, int left, const char* picture) {
    auto* button = new QPushButton(parent);
    button->setGeometry(QRect(QPoint(left, ButtonTop), ButtonSize));
    const QString path = QString(":/buttons/%1.svg").arg(picture);
    if (QFile::exists(path)) button->setIcon(QIcon(path));
    return button;
}

} // namespace

TYesNoDlg::TYesNoDlg(const GameData& data, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), data(data),
      mainWindow(mainWindow), pages(new QStackedWidget(this)) {
    setObjectName("YesNoDlg");
    setWindowTitle("Fribo Trigonet");
    setFont(AppFont(8, true));
    setFixedSize(261, 103);
    pages->setGeometry(rect());

    const QPixmap icon = mainWindow ? mainWindow->windowIcon().pixmap(32, 32) : QPixmap();
    for (int k = 0; k < 9; ++k) {
        const MessagePage& kind = Kinds[k];
        auto* sheet = new QWidget;
        sheet->setObjectName(kind.pageName);
        auto* frame = new QFrame(sheet);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setGeometry(8, 8, 245, 49);
        auto* picture = new QLabel(sheet);
        picture->setGeometry(16, 16, 32, 32);
        picture->setPixmap(icon);

        Page& p = page[k];
        p.text = new QLabel(sheet);
        p.text->setGeometry(kind.text);
        p.text->setAlignment(Qt::AlignCenter);
        p.text->setWordWrap(true);
        if (kind.yesNo) {
            const bool quit = k + 1 == static_cast<int>(MessageKind::EndGame);
            p.yes = MakeButton(sheet, 136, quit ? "yes_door" : "yes_arrow");
            p.no = MakeButton(sheet, k + 1 == static_cast<int>(MessageKind::Restart) ? 48 : 52,
                              quit ? "cancel" : "no_cross");
            p.noResult = quit ? ModalResult::Cancel : ModalResult::No; // the quit question cancels
            p.yes->setDefault(true);
            connect(p.yes, &QPushButton::clicked, this,
                    [this] { done(static_cast<int>(ModalResult::Yes)); });
            connect(p.no, &QPushButton::clicked, this,
                    [this, k] { done(static_cast<int>(page[k].noResult)); });
        } else {
            p.ok = MakeButton(sheet, 92, "ok");
            p.ok->setText("OK");
            p.ok->setDefault(true);
            connect(p.ok, &QPushButton::clicked, this,
                    [this] { done(static_cast<int>(ModalResult::Ok)); });
        }
        pages->addWidget(sheet);
    }
    pages->setCurrentIndex(8); // until a kind is asked for, the last page
}

int TYesNoDlg::Kind() const {
    return pages->currentIndex() + 1;
}

QString TYesNoDlg::Message(int kind) const {
    return page[kind - 1].text->text();
}

QLabel* TYesNoDlg::MessageLabel(int kind) const {
    return page[kind - 1].text;
}

QPushButton* TYesNoDlg::OkButton(int kind) const {
    return page[kind - 1].ok;
}
QPushButton* TYesNoDlg::YesButton(int kind) const {
    return page[kind - 1].yes;
}
QPushButton* TYesNoDlg::NoButton(int kind) const {
    return page[kind - 1].no;
}

ModalResult TYesNoDlg::ShowModal(MessageKind kind) {
    const int number = static_cast<int>(kind);
    if (number >= 1 && number <= 9) pages->setCurrentIndex(number - 1);
    FormActivate();
    const Page& p = page[Kind() - 1];
    (p.ok ? p.ok : p.yes)->setFocus();
    const int result = DialogSeam::Exec(this);
    setResult(result);
    return static_cast<ModalResult>(result);
}

void TYesNoDlg::FormActivate() {
    CentreOverMain(this, mainWindow);
    const int language = data.Language;
    for (int k = 0; k < 9; ++k) {
        page[k].text->setText(Text(language, Kinds[k].german, Kinds[k].english));
        // The desktop's font may wrap a text onto more lines than its place holds:
        // then the place grows about its middle, within the frame, so no line is cut.
        QRect place = Kinds[k].text;
        const int needed = page[k].text->heightForWidth(place.width());
        if (needed > place.height()) {
            const int grown = std::min(needed, FrameInside.height());
            place.adjust(0, -(grown - place.height()) / 2, 0, 0);
            place.setHeight(grown);
            place.moveTop(
                std::clamp(place.top(), FrameInside.top(), FrameInside.bottom() + 1 - grown));
        }
        page[k].text->setGeometry(place);
        if (page[k].yes) {
            page[k].yes->setText(Text(language, "Ja", "Yes"));
            page[k].no->setText(Text(language, "Nein", "No"));
        }
    }
}

void TYesNoDlg::showEvent(QShowEvent* event) {
    FormActivate(); // the frame's size is known now
    QDialog::showEvent(event);
}

void TYesNoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) return QDialog::keyPressEvent(event);
    // Only pages with a No button answer Escape, with that button's result.
    const Page& p = page[Kind() - 1];
    if (p.no) done(static_cast<int>(p.noResult));
}

void TYesNoDlg::reject() {
    done(static_cast<int>(ModalResult::Cancel)); // the close box
}
