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

// Opens an address with the platform's default handler; false when it failed.
using UrlOpener = std::function<bool(const QUrl&)>;

// A label that shows `shown` as a link (underlined, in the palette's link colour,
// blue by default) and opens `target` on a click. After a failed open it
// switches itself off for the rest of the run.
QLabel* LinkLabel(const QString& shown, const QUrl& target, UrlOpener opener, QWidget* parent);
