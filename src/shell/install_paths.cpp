#include "shell/install_paths.h"

#include "game/data.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The game's folder in every data folder, the player's own and the system's.
const QString DataFolderName = QStringLiteral("fribo-trigonet");

} // namespace

std::vector<std::string> CollectionCandidates(const std::string& programDir) {
    std::vector<std::string> candidates{programDir + CollectionFileName};
    const QString inDataFolder = DataFolderName + '/' + CollectionFileName;
    const QString personal = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // The one installed with this very program, whatever the prefix (bin and
    // games alike lie beside share).
    candidates.push_back(
        QDir::cleanPath(QString::fromStdString(programDir) + "../share/" + inDataFolder)
            .toStdString());
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        if (folder != personal)
            candidates.push_back(QDir(folder).filePath(inDataFolder).toStdString());
    // Qt's test mode keeps a game installed on this machine out of the tests.
    if (!QStandardPaths::isTestModeEnabled())
        candidates.push_back(QDir(TRIGONET_DATA_DIR).filePath(CollectionFileName).toStdString());
    return candidates;
}

QString PersonalCollectionFolder() {
    const QString personal = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(personal).filePath(DataFolderName);
}

std::vector<std::string> PersonalCollections() {
    const QDir folder(PersonalCollectionFolder());
    std::vector<std::string> found;
    const QString installed = folder.filePath(CollectionFileName);
    if (QFileInfo(installed).isFile()) found.push_back(installed.toStdString());
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.dat")}, QDir::Files | QDir::NoDotAndDotDot,
                             QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files)
        if (file.fileName() != CollectionFileName && file.isFile())
            found.push_back(file.filePath().toStdString());
    return found;
}

QString SaveDialogStartFolder(const std::string& programDir) {
    const QString folder = QString::fromStdString(programDir);
    if (QFileInfo(folder).isWritable()) return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
