#pragma once

#include "game/game.h"
#include "game/progress_map.h"

#include <string>

// What the saved-game commands ask of the windows. Paths and names are UTF-8.
class SavedGamesView {
  public:
    virtual ~SavedGamesView() = default;
    // The save dialog opened at `start` (a file or a folder) or the open dialog in
    // folder `start` (empty: the platform's choice); the chosen path, empty when
    // cancelled.
    virtual std::string ChooseSaveFile(const std::string& start) = 0;
    virtual std::string ChooseOpenFile(const std::string& start) = 0;
    // Whether the saved game `name` (file name only) may be replaced.
    virtual bool ConfirmOverwrite(const std::string& name) = 0;
    // The new-game question; true only when the player answered yes.
    virtual bool ConfirmNewGame() = 0;
    // A failed save of `path`; `error` is the system's errno for it.
    virtual void ReportCannotSave(const std::string& path, int error) = 0;
    virtual void ReportCannotLoad(const std::string& name) = 0;
    virtual void ShowTitle(const std::string& caption) = 0;
    // The one sentence that says how much progress moved to this collection.
    virtual void ReportMovedProgress(const std::string& sentence) = 0;
    // The main window's close request with its usual question. Must not start the
    // closing sequence again when the window is already closing.
    virtual void AskToClose() = 0;
    // The board and the target window show the figure as it is set up now.
    virtual void Repaint() = 0;
};

// Saving, loading and starting games anew, and the caption that names the game.
class SavedGames {
  public:
    SavedGames(Game& game, SavedGamesView& view) : game(game), data(game.data), view(view) {}

    // Replaces the file at `path` with the progress bytes. On failure the save
    // error names the file, the main window is asked to close, Dirty stays set
    // and the previous file is left whole.
    bool SaveGame(const std::string& path);
    // The save dialog, the ".ftg" rule and the overwrite question; cancelling saves nothing.
    void SaveGameAs();
    // Reads the progress from `path`, moved by shape when the game was played
    // with another collection; on failure the load error names the file, the
    // main window is asked to close and nothing changes.
    bool LoadGame(const std::string& path);
    // What the last successful load moved.
    const ProgressMapping& LastMapping() const { return mapping; }

    // The game's file when it has one, else the save dialog; only when Dirty.
    // Run before a load, a new game and the end of the program.
    void SaveIfDirty();

    void SaveBtnClick();
    void LoadBtnClick();
    void NewgameBtnClick();
    void UpdateTitle();

  private:
    // SetupFigure for the unchanged CurrentFigure, then the repaint.
    void ShowFigureAnew();

    Game& game;
    GameData& data;
    SavedGamesView& view;
    ProgressMapping mapping;
};
