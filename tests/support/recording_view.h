#pragma once

#include "game/game_view.h"
#include "game/saved_games.h"

#include <deque>

#include <string>
#include <vector>

// Records what the game logic asked of the windows and the board, one line per
// call, and the outcomes handed to Take as a window would act on them: "cue n"
// for each cue, then "solved".
class RecordingView : public GameView, public BoardPainter {
  public:
    std::vector<std::string> calls;
    std::vector<int> cues; // by number
    bool helpEnabled = false;

    void DrawTriangle(int t, Rgb fill, Rgb line) override;
    void DrawOutline(int t) override;
    void EnableHelp(bool enabled) override { helpEnabled = enabled; }
    const Outcome& Take(const Outcome& outcome);

    int Count(const std::string& call) const;
    void Clear() { calls.clear(), cues.clear(); }
};

std::string ColourName(Rgb colour);

// Records what the saved-game commands asked of the windows, one line per call
// ("save <start>", "open <start>", "overwrite <name>", "ask", "cannot save <name>",
// "cannot load <name>", "moved <sentence>", "close", "figure"), and answers from the queues: a
// cancelled file dialog and "no" once they run dry.
class RecordingSavedGamesView : public SavedGamesView {
  public:
    std::vector<std::string> calls;
    std::deque<std::string> files;
    std::deque<bool> overwriteAnswers;
    bool newGameAnswer = false;
    std::string caption = "untouched";

    std::string ChooseSaveFile(const std::string& start) override;
    std::string ChooseOpenFile(const std::string& start) override;
    bool ConfirmOverwrite(const std::string& name) override;
    bool ConfirmNewGame() override;
    int saveError = 0; // errno of the last failed save
    void ReportCannotSave(const std::string& path, int error) override;
    void ReportCannotLoad(const std::string& name) override {
        calls.push_back("cannot load " + name);
    }
    void ShowTitle(const std::string& text) override;
    void ReportMovedProgress(const std::string& sentence) override {
        calls.push_back("moved " + sentence);
    }
    void AskToClose() override { calls.push_back("close"); }
    void Repaint() override { calls.push_back("figure"); }

    int Count(const std::string& call) const;
    // The calls that begin with `prefix`, in order.
    std::vector<std::string> Calls(const std::string& prefix) const;
};
