#pragma once

#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <functional>

class QDialog;

// The pieces the game's own dialogs share: the program's icon, the OK button and
// the blue address that opens on a click.

// The main window's icon at 32 x 32 pixels inside `geometry` ("Picture"); empty
// without a main window.
QLabel* ProgramIcon(QWidget* dialog, const QWidget* mainWindow, QRect geometry);

// The default button "OK" ("OKBtn") at `topLeft`, 77 x 27, that accepts `dialog`
// and takes the focus for it.
QPushButton* OkButton(QDialog* dialog, QPoint topLeft);

// Windows laid out by the pixel keep their layout under a larger desktop font:
// these give the widget its inherited font again and shrink it, when need be,
// until the text fits with room to spare. Call after every change of the text.
// A button's text keeps clear of its edges.
void FitText(QPushButton* button);
// A word-wrapped label's lines keep `gap` pixels above and below them.
void FitText(QLabel* label, int gap);

// Opens an address with the platform's default handler; false when it failed.
using UrlOpener = std::function<bool(const QUrl&)>;

// Shows an address as a link, underlined, and opens it on a click. The link is
// blue, lightened on a dark background until it reads. After a failed open it
// switches itself off for the rest of the run.
class LinkLabel : public QLabel {
  public:
    LinkLabel(const QString& shown, const QUrl& target, UrlOpener opener, QWidget* parent);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void Tint();

    QString shown;
    QUrl target;
};
