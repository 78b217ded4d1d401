#pragma once

#include "game/game.h"

// Play with the keys, beside the mouse: the same rules, the same cues.
enum class BoardKey {
    NextTriangle,     // puts the held one down (when it fits) and picks up the next number
    PreviousTriangle, // the same, counting down; 8 follows 1 either way
    Left,             // shift the held triangle one cell
    Right,
    Up,
    Down,
    TurnClockwise, // one orientation step, raising the index
    TurnAnticlockwise,
    PutDown, // where it is, or refused with cue 6
    PutBack  // where it was picked up
};

// Ignored unless playing. Shifts and turns that would leave the board are
// refused silently, as with the mouse.
Outcome KeyOnBoard(Game& game, BoardKey key);
