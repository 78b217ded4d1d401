#include "shell/qt_translations.h"

#include "game/data.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void UseQtTranslation(int language) {
    // Outlives the application; its destructor only detaches from a live one.
    static QTranslator german;
    // Qt keeps a translator once per install, so take it out before putting it back.
    QCoreApplication::removeTranslator(&german);
    if (!IsGerman(language)) return;
    if (german.isEmpty() &&
        !german.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(&german);
}
