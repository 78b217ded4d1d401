#include "designer/designer_form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TDesignerForm form;
    // A collection named on the command line is opened at once.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) form.OpenCollection(arguments.at(1));
    form.show();
    return app.exec();
}
