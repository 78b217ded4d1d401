#pragma once

#include "game/data.h"

#include <QString>

class QWidget;

// What the saved-game commands need from the main window.
class SavedGamesHost {
  public:
    virtual ~SavedGamesHost() = default;
    // The message dialog with message kind 4 (new-game question); its modal result.
    virtual int AskNewGame() = 0;
    // SetupFigure for the unchanged CurrentFigure, then repaint the board and the
    // target window, in this order.
    virtual void ShowFigureAnew() = 0;
    virtual void SetCaption(const QString& caption) = 0;
    // The main window's close request with its usual question. Must not start the
    // closing sequence again when the window is already closing.
    virtual void RequestClose() = 0;
    // Parent of the file dialogs and message boxes.
    virtual QWidget* DialogParent() = 0;
};

// Saving, loading and starting games anew, and the caption that names the game.
// Works on the shared game data; file dialogs and boxes go through DialogSeam.
class SavedGames {
  public:
    SavedGames(GameData& data, SavedGamesHost& host) : data(data), host(host) {}

    // Replaces the file at `path` (UTF-8) with the progress bytes. On failure the
    // save error names the file, the main window is asked to close, Dirty stays
    // set and the previous file is left whole.
    bool SaveGame(const std::string& path);
    // The save dialog, the ".ftg" rule and the overwrite question; cancelling saves nothing.
    void SaveGameAs();
    // Reads the progress from `path`; on failure the load error names the file,
    // the main window is asked to close and nothing changes.
    bool LoadGame(const std::string& path);

    // The game's file when it has one, else the save dialog; only when Dirty.
    // Run before a load, a new game and the end of the program.
    void SaveIfDirty();

    void SaveBtnClick();
    void LoadBtnClick();
    void NewgameBtnClick();
    void UpdateTitle();

  private:
    GameData& data;
    SavedGamesHost& host;
};
