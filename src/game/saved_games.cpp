#include "game/saved_games.h"

#include "game/saved_game.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

bool SavedGames::SaveGame(const std::string& path) {
    // A failed write is reported like a file that cannot be created: the bytes
    // never reached the disk, so the game must stay marked as changed.
    if (WriteGameFile(path, data) != SaveResult::Saved) {
        view.ReportCannotSave(path, errno);
        view.AskToClose();
        return false;
    }
    data.Dirty = false;
    return true;
}

void SavedGames::SaveGameAs() {
    const std::string start = data.SaveFileName.empty() ? data.ProgramDir : data.SaveFileName;
    for (;;) {
        const std::string chosen = view.ChooseSaveFile(start);
        if (chosen.empty()) return;
        const std::string path = WithSavedGameExtension(chosen);
        if (FileExists(path) && !view.ConfirmOverwrite(FileNamePart(path))) continue;
        if (SaveGame(path)) {
            data.SaveFileName = path;
            UpdateTitle();
        }
        return;
    }
}

bool SavedGames::LoadGame(const std::string& path) {
    if (!ReadGameFile(path, data, data.FigureCount, mapping)) {
        view.ReportCannotLoad(FileNamePart(path));
        view.AskToClose();
        return false;
    }
    return true;
}

void SavedGames::SaveIfDirty() {
    if (data.Dirty) SaveBtnClick();
}

void SavedGames::SaveBtnClick() {
    if (!data.SaveFileName.empty())
        SaveGame(data.SaveFileName);
    else
        SaveGameAs();
}

void SavedGames::LoadBtnClick() {
    std::string folder;
    if (!data.SaveFileName.empty()) {
        std::error_code failed;
        const std::filesystem::path absolute = std::filesystem::absolute(data.SaveFileName, failed);
        if (!failed) folder = absolute.parent_path().generic_string();
    }
    const std::string path = view.ChooseOpenFile(folder);
    if (path.empty()) return;
    SaveIfDirty(); // the load goes on whatever became of this save
    if (!LoadGame(path)) return;
    data.Dirty = false;
    data.SaveFileName = path;
    ShowFigureAnew();
    UpdateTitle();
    if (const std::string moved = MovedProgressSentence(mapping, data.Language); !moved.empty())
        view.ReportMovedProgress(moved);
}

void SavedGames::NewgameBtnClick() {
    if (!view.ConfirmNewGame()) return;
    SaveIfDirty();
    std::fill(data.Progress.begin() + 1, data.Progress.begin() + 1 + BoundedFigureCount(data), 0);
    data.OtherProgress.clear();
    data.Dirty = false;
    data.SaveFileName.clear(); // the old file stays on disk as it is
    ShowFigureAnew();
    UpdateTitle();
}

void SavedGames::UpdateTitle() {
    view.ShowTitle(GameCaption(data.SaveFileName, data.Language));
}

void SavedGames::ShowFigureAnew() {
    SetupFigure(game);
    view.Repaint();
}
