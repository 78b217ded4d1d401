#include "shell/saved_games.h"

#include "game/saved_game.h"
#include "ui/dialog_seam.h"
#include "ui/texts.h"

#include <QFileInfo>

#include <algorithm>

namespace {

DialogSeam::FileRequest GameFileRequest(bool save, const QString& startPath) {
    DialogSeam::FileRequest request;
    request.save = save;
    request.startPath = startPath;
    request.filter = "Fribo Trigonet (*.ftg)";
    request.defaultSuffix = "ftg";
    return request;
}

QString NameOf(const std::string& path) {
    return QString::fromStdString(FileNamePart(path));
}

} // namespace

bool SavedGames::SaveGame(const std::string& path) {
    // A failed write is reported like a file that cannot be created: the bytes
    // never reached the disk, so the game must stay marked as changed.
    if (WriteProgressFile(path, data) != SaveResult::Saved) {
        DialogSeam::Box(host.DialogParent(), DialogSeam::BoxKind::Error,
                        Text(data.Language,
                             "Kann Spiel %1 nicht speichern. Datenträger voll oder nicht "
                             "beschreibbar.",
                             "Cannot save game %1. Drive full or not writable.")
                            .arg(NameOf(path)));
        host.RequestClose();
        return false;
    }
    data.Dirty = false;
    return true;
}

void SavedGames::SaveGameAs() {
    const QString start =
        QString::fromStdString(data.SaveFileName.empty() ? data.ProgramDir : data.SaveFileName);
    for (;;) {
        const QString chosen =
            DialogSeam::AskFile(host.DialogParent(), GameFileRequest(true, start));
        if (chosen.isEmpty()) return;
        const std::string path = WithSavedGameExtension(chosen.toStdString());
        if (FileExists(path)) {
            const int answer =
                DialogSeam::Box(host.DialogParent(), DialogSeam::BoxKind::Warning,
                                Text(data.Language, "Spiel %1 existiert bereits. Überschreiben?",
                                     "Game %1 already exists. Overwrite?")
                                    .arg(NameOf(path)));
            if (answer != 6) continue;
        }
        if (SaveGame(path)) {
            data.SaveFileName = path;
            UpdateTitle();
        }
        return;
    }
}

bool SavedGames::LoadGame(const std::string& path) {
    if (!ReadProgressFile(path, data, data.FigureCount)) {
        DialogSeam::Box(host.DialogParent(), DialogSeam::BoxKind::Error,
                        Text(data.Language, "Fehler beim Laden des Spiels %1!",
                             "Error occured while loading file %1!")
                            .arg(NameOf(path)));
        host.RequestClose();
        return false;
    }
    return true;
}

void SavedGames::SaveIfDirty() {
    if (!data.Dirty) return;
    if (!data.SaveFileName.empty())
        SaveGame(data.SaveFileName);
    else
        SaveGameAs();
}

void SavedGames::SaveBtnClick() {
    if (!data.SaveFileName.empty())
        SaveGame(data.SaveFileName);
    else
        SaveGameAs();
}

void SavedGames::LoadBtnClick() {
    const QString folder =
        data.SaveFileName.empty()
            ? QString()
            : QFileInfo(QString::fromStdString(data.SaveFileName)).absolutePath();
    const QString chosen = DialogSeam::AskFile(host.DialogParent(), GameFileRequest(false, folder));
    if (chosen.isEmpty()) return;
    SaveIfDirty(); // the load goes on whatever became of this save
    const std::string path = chosen.toStdString();
    if (!LoadGame(path)) return;
    data.Dirty = false;
    data.SaveFileName = path;
    host.ShowFigureAnew();
    UpdateTitle();
}

void SavedGames::NewgameBtnClick() {
    if (host.AskNewGame() != 6) return;
    SaveIfDirty();
    std::fill(data.Progress.begin() + 1, data.Progress.begin() + 1 + data.FigureCount, 0);
    data.Dirty = false;
    data.SaveFileName.clear(); // the old file stays on disk as it is
    host.ShowFigureAnew();
    UpdateTitle();
}

void SavedGames::UpdateTitle() {
    host.SetCaption(QString::fromStdString(GameCaption(data.SaveFileName, data.Language)));
}
