#include "shell/hint.h"

#include "ui/centre_over_main.h"
#include "ui/dialog_parts.h"
#include "ui/palette_colours.h"
#include "ui/text_box.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

const char* const GermanRules =
    "Fribo Trigonet ist ein geometrisches Legespiel für eine Person.\n\n"
    "Ein Trigonet ist eine Figur aus acht gleichen, rechtwinklig-gleichschenkligen Dreiecken. "
    "Deine Aufgabe ist es, mit diesen acht Dreiecken vorgegebene Figuren nachzulegen.\n\n"
    "Dabei gelten nur zwei Regeln: Jede Figur besteht immer aus allen acht Dreiecken, und die "
    "Dreiecke müssen einander berühren, ohne sich zu überlappen.\n\n"
    "Manche Figuren lassen sich auf mehr als eine Art legen. Das Programm erkennt jede mögliche "
    "Lösung.\n\n"
    "Zu Beginn einer neuen Figur liegen die acht Dreiecke in zufälligen Lagen am linken und am "
    "rechten Rand des Spielfelds. Eine kleine Kopie der Figur, die Du nachlegen sollst, zeigt "
    "ein eigenes Fenster, das Du beliebig auf dem Bildschirm verschieben kannst. In seiner "
    "Titelzeile steht die Nummer der Figur.\n\n"
    "Ein Klick mit der linken Maustaste wählt ein Dreieck aus; es wird dann nur noch als Umriss "
    "gezeichnet. Über dem ausgewählten Dreieck ändert der Mauszeiger seine Form: In der Mitte "
    "zeigt er, dass Du das Dreieck verschieben kannst, an den Ecken, dass Du es drehen kannst. "
    "Verschoben und gedreht wird, solange Du die linke Maustaste gedrückt hältst. Ein Klick auf "
    "ein anderes Dreieck oder auf eine freie Stelle des Spielfelds legt das ausgewählte Dreieck "
    "ab.\n\n"
    "Erst wenn alle acht Dreiecke abgelegt sind, wird Deine Figur mit der vorgegebenen "
    "verglichen. Stimmen beide überein, ist die Figur gelöst.\n\n"
    "Es geht auch mit den Tasten: N nimmt das nächste Dreieck auf, P oder Umschalt+N das "
    "vorige. Die Pfeiltasten verschieben es um ein Feld, R dreht es rechts herum, L links "
    "herum. Eingabe oder Leertaste legt es ab, Esc legt es zurück, wo es lag. Strg+Z nimmt "
    "einen Zug zurück, Strg+Umschalt+Z macht ihn wieder. Strg+N neues Spiel, Strg+O laden, "
    "Strg+S speichern, Strg+H Hilfe, Strg+Bild ab und Strg+Bild auf nächstes und voriges "
    "Trigonet, Strg+T Statistik, F1 diese Regeln, Strg+Q beenden.";

const char* const EnglishRules =
    "Fribo Trigonet is a geometric laying puzzle for one person.\n\n"
    "A Trigonet is a figure made of eight equal right-angled isosceles triangles. Your task is "
    "to lay these eight triangles so that they copy the figures you are given.\n\n"
    "There are only two rules: every figure always uses all eight triangles, and the triangles "
    "must touch each other without overlapping.\n\n"
    "Some figures can be laid in more than one way. The program recognises every possible "
    "solution.\n\n"
    "When a new figure begins, the eight triangles lie on the left and right sides of the board "
    "in random orientations. A small copy of the figure to lay is shown in a window of its own, "
    "which you can drag anywhere on the screen. Its title bar shows the figure's number.\n\n"
    "A click with the left mouse button selects a triangle, which is then drawn as an outline. "
    "Over the selected triangle the pointer changes its shape: in the middle it shows that you "
    "can shift the triangle, at the corners that you can turn it. Shifting and turning happen "
    "while you hold the left button down. A click on another triangle or on an empty place of "
    "the board puts the selected triangle down.\n\n"
    "Only when all eight triangles are put down is your figure compared with the given one. "
    "When they match, the figure is solved.\n\n"
    "The keys play too: N picks up the next triangle, P or Shift+N the previous one. The arrow "
    "keys shift it one cell, R turns it clockwise, L anticlockwise. Enter or Space puts it "
    "down, Esc puts it back where it lay. Ctrl+Z takes a move back, Ctrl+Shift+Z makes it "
    "again. Ctrl+N new game, Ctrl+O open, Ctrl+S save, Ctrl+H help, Ctrl+PgDown and Ctrl+PgUp "
    "next and previous Trigonet, Ctrl+T statistics, F1 these rules, Ctrl+Q quit.";

} // namespace

THintDlg::THintDlg(const GameData& data, QWidget* mainWindow)
    : QDialog(mainWindow), data(data), mainWindow(mainWindow) {
    setObjectName("HintDlg");
    setFixedSize(446, 327);
    setFont(AppFont(8, true));
    setWindowTitle("Fribo Trigonet");

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 433, 273);
    tipD = TextBox(this, "tipD", GermanRules, QRect(16, 16, 417, 257));
    TipE = TextBox(this, "TipE", EnglishRules, QRect(16, 16, 417, 257));

    OkButton(this, QPoint(192, 292));
    ProgramIcon(this, mainWindow, QRect(8, 288, 32, 32));
}

void THintDlg::showEvent(QShowEvent* event) {
    const bool german = IsGerman(data.Language);
    tipD->setVisible(german);
    TipE->setVisible(!german);
    // Again once the frame is known: before the first showing the dialog has no
    // frame yet, and centring the bare client area would leave it a title bar high.
    PlaceNowAndWhenFramed(this, [this] {
        const QScreen* screen =
            mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        const QMargins frame = FrameOrGuess(this, mainWindow);
        QRect placed = geometry().marginsAdded(frame);
        placed.moveCenter(screen->availableGeometry().center());
        MoveFrameTo(this, placed.topLeft(), frame);
    });
    focusProxy()->setFocus();
    QDialog::showEvent(event);
}
