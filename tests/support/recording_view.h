#pragma once

#include "game/game_view.h"

#include <string>
#include <vector>

// Records what the game logic asked of the windows, one line per call.
class RecordingView : public GameView {
  public:
    std::vector<std::string> calls;
    std::vector<int> cues;
    bool helpEnabled = false;

    void DrawTriangle(int t, Rgb fill, Rgb line) override;
    void DrawOutline(int t) override;
    void PlayCue(int cue) override;
    void AnnounceSolved() override { calls.push_back("announce"); }
    void RefreshTarget() override { calls.push_back("target"); }
    void EnableHelp(bool enabled) override { helpEnabled = enabled; }

    int Count(const std::string& call) const;
    void Clear() { calls.clear(), cues.clear(); }
};

std::string ColourName(Rgb colour);
