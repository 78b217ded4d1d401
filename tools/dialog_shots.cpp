// Writes a picture of every dialog in both languages into the folder given as
// the last argument, for review by eye: dialog_shots [--dark] OUTDIR. With
// --dark the dialogs are drawn as under a desktop's dark colour scheme.
#include "dialogs/select.h"
#include "dialogs/statis.h"
#include "shell/freeware.h"
#include "shell/hint.h"
#include "shell/tongdlg.h"
#include "support/pixel_checks.h"
#include "support/sample_collection.h"
#include "ui/dialog_seam.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

void Shoot(QWidget* widget, const QString& file) {
    widget->show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    if (!widget->grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    widget->hide();
}

// Shoots the standard message box that DialogSeam::Box runs modally.
void ShootBox(QWidget* parent, DialogSeam::BoxKind kind, const QString& text, const QString& file) {
    QTimer::singleShot(300, [file] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        box->grab().save(file);
        box->close();
    });
    DialogSeam::Box(parent, kind, text);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool dark = argc == 3 && QByteArray(argv[1]) == "--dark";
    if (argc != 2 && !dark) {
        std::fprintf(stderr, "usage: dialog_shots [--dark] OUTDIR\n");
        return 2;
    }
    if (dark) {
        QApplication::setStyle("Fusion");
        QApplication::setPalette(DarkPalette());
    }
    const QDir out(QString::fromLocal8Bit(argv[argc - 1]));

    QWidget mainWindow;
    mainWindow.setWindowTitle("Fribo Trigonet");
    mainWindow.setGeometry(100, 100, 660, 400);
    mainWindow.show();

    GameData data;
    FillSampleCollection(data, 40);
    const uint8_t progress[] = {0, 8, 9, 10, 11, 12, 1, 0, 2, 8, 0, 12, 3, 8, 8, 0, 9};
    for (size_t i = 1; i < std::size(progress); ++i)
        data.Progress[i] = progress[i];
    data.CurrentFigure = 1;
    data.SaveFileName = "/home/player/games/sonntags.ftg";

    TSelectDlg select(data, &mainWindow);
    TStatDlg statis(data, &mainWindow);
    TTongueDlg tongue(data, &mainWindow);
    THintDlg hint(data, &mainWindow);
    TFreewareDlg freeware(data, &mainWindow);

    for (int language : {1, 0}) {
        const QString suffix = IsGerman(language) ? "_de.png" : "_en.png";
        data.Language = language;
        data.CurrentFigure = 1;
        Shoot(&select, out.filePath("select" + suffix));
        data.CurrentFigure = 40;
        Shoot(&select, out.filePath("select_last" + suffix));
        Shoot(&statis, out.filePath("statis" + suffix));
        Shoot(&tongue, out.filePath("tongue" + suffix));
        Shoot(&hint, out.filePath("hint" + suffix));
        Shoot(&freeware, out.filePath("freeware" + suffix));
        ShootBox(&mainWindow, DialogSeam::BoxKind::Warning,
                 IsGerman(language)
                     ? QString::fromUtf8("Spiel a.ftg existiert bereits. Überschreiben?")
                     : "Game a.ftg already exists. Overwrite?",
                 out.filePath("overwrite" + suffix));
    }
    return 0;
}
