#pragma once

#include "game/game.h"

// Pointer handling on the board, in pixels of the board box. `unit` is the
// board's pixels per grid unit (the same across and down); every function here
// ignores input while it is below 1, since pixels cannot be turned into cells then.

// Zones of a triangle under the pointer: what a press there does.
inline constexpr int ZoneOutside = 0; // puts the held triangle down
inline constexpr int ZoneMove = 1;    // within 3 units of the anchor point: moves it
inline constexpr int ZoneTurn = 2;    // further out inside it: turns it

// The drag under way, kept between pointer events.
struct PointerDrag {
    int DragZone = 0; // hit zone under the pointer when the current press began
    int DragDCol = 0; // anchor column minus the pointer's column when the move began
    int DragDRow = 0;
    int TurnBase = 0; // pointer direction step plus orientation when the turn began
};

enum class PointerButton { Left, Middle, Right };

// Zone of pixel (px, py) for triangle i (1..8) at its placement; points on an
// edge are inside.
int HitZone(const BoardState& board, int unit, int px, int py, int i);

// Picks up the highest-numbered triangle under the pixel, erases it and shows
// it as the held outline. Nothing Picked when there is none.
Outcome PickUp(Game& game, int unit, int px, int py);

// Picks up triangle t (1..8), which must be lying on the board (nothing held).
Outcome PickUpTriangle(Game& game, int t);

// Lays the held triangle down where it is, or refuses with cue 6 when it does
// not fit there; a put-down is checked for the solution. Nothing held: nothing.
Outcome PutDownHeld(Game& game);

// Moves the held triangle's anchor to (col, row), which may lie anywhere;
// refused silently when the triangle would leave the board.
Outcome MoveSelected(Game& game, int col, int row);

// Turns the held triangle to orientation `orient` (0..15) with cue 3; refused
// silently when it would leave the board.
Outcome TurnSelectedTo(Game& game, int orient);

// A turn by dragging about the anchor point: one orientation step for every
// 22.5 degrees the pointer travels, clockwise raising the index.
void BeginTurn(Game& game, PointerDrag& drag, int unit, int x, int y);
Outcome TurnSelected(Game& game, const PointerDrag& drag, int unit, int x, int y);

// A press on the board box: turns with the right button; with the others puts
// the held triangle down, picks one up and begins a move or a turn.
Outcome PressOnBoard(Game& game, PointerDrag& drag, int unit, PointerButton button, int x, int y);

// The zone of the held triangle under (x, y) for the cursor, or -1 when nothing
// is held (or there is no unit) and the cursor keeps its shape.
int CursorZone(const Game& game, int unit, int x, int y);

// The pointer moved, with the left button down or not; (x, y) may lie outside
// the box during a drag.
Outcome MoveOnBoard(Game& game, PointerDrag& drag, int unit, bool leftDown, int x, int y);
