#pragma once

#include "game/colours.h"

// Drawing on the board. The board widget implements it; the tests record the calls.
class BoardPainter {
  public:
    virtual ~BoardPainter() = default;

    // Triangle t (1..8) as a filled polygon at its placement.
    virtual void DrawTriangle(int t, Rgb fill, Rgb line) = 0;
    // The held triangle's outline in exclusive-or mode; twice restores the picture.
    virtual void DrawOutline(int t) = 0;
};

// The sound cues, numbered as their clips.
enum class Cue : int {
    PickUp = 1,
    PutDown = 2,
    TurnStep = 3,
    MoveStep = 4,
    Solved = 5,
    Refused = 6
};

// What the game logic asks of the windows besides the board's drawing. The Qt
// layer implements it; the tests record the calls.
class GameView {
  public:
    virtual ~GameView() = default;

    virtual void PlayCue(Cue cue) = 0;
    // The solved message, modal; returns when the player has closed it.
    virtual void AnnounceSolved() = 0;
    // The target window shows the current figure and its state.
    virtual void RefreshTarget() = 0;
    virtual void EnableHelp(bool enabled) = 0;
};
