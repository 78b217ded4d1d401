#include "shell/main_form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The collection file lies beside the executable.
    TMainForm form(QCoreApplication::applicationDirPath());
    if (!form.FormCreate()) return EXIT_FAILURE;
    // The target window and the dialogs are made once the first frame is out.
    form.ShowAtPlacement();
    return app.exec();
}
