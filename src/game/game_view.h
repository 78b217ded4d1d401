#pragma once

#include "game/colours.h"

#include <array>

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

// What one press, drag step, key or undo did on the board. The handlers draw
// through the painter and answer this; the window plays the cues in order,
// repaints when asked, and shows the solved message once the handler has returned.
struct Outcome {
    bool Picked = false;  // a triangle is held that was lying before
    bool Moved = false;   // the held triangle was shifted
    bool Turned = false;  // the held triangle was turned
    bool PutDown = false; // the held triangle was laid on the board
    bool Refused = false; // a put-down that did not fit
    bool Solved = false;  // the put-down completed the figure
    bool Redraw = false;  // the arrangement changed as a whole: repaint the board
    // At most three cues come of one handler (put down, then solved or picked up).
    std::array<Cue, 3> Cues{};
    int CueCount = 0;

    void Play(Cue cue) {
        if (CueCount < static_cast<int>(Cues.size())) Cues[CueCount++] = cue;
    }
    // Adds what a later step of the same handler did.
    void Merge(const Outcome& later);
    bool Changed() const { return Picked || Moved || Turned || PutDown || Redraw; }
};

inline void Outcome::Merge(const Outcome& later) {
    Picked |= later.Picked, Moved |= later.Moved, Turned |= later.Turned;
    PutDown |= later.PutDown, Refused |= later.Refused, Solved |= later.Solved;
    Redraw |= later.Redraw;
    for (int k = 0; k < later.CueCount; ++k)
        Play(later.Cues[k]);
}

// What the game logic asks of the windows besides the board's drawing and the
// outcomes. The Qt layer implements it; the tests record the calls.
class GameView {
  public:
    virtual ~GameView() = default;

    virtual void EnableHelp(bool enabled) = 0;
};
