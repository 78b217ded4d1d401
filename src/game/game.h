#pragma once

#include "board/board.h"
#include "game/colours.h"
#include "game/data.h"
#include "game/game_view.h"
#include "game/history.h"

#include <cstdint>
#include <random>

enum GameState : uint8_t { gsPlaying = 0, gsSolved = 1, gsGivenUp = 2 };

struct CellPos {
    int col = 0, row = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// The figure on the board and everything that plays it. The main window owns one.
struct Game {
    GameData data;
    BoardState board;
    GameState State = gsPlaying;
    CellPos TargetAnchor;
    std::mt19937 random;
    History history;
    Placement HeldFrom; // where the held triangle lay when it was picked up
    int LastHeld = 0;   // the triangle held last, 0 before any; keys count on from it
    GameView& view;
    BoardPainter& painter;

    // Both must outlive the game; neither is called while constructing it.
    Game(GameView& view, BoardPainter& painter)
        : random(std::random_device{}()), view(view), painter(painter) {}
};

// Where triangle t (1..8) waits before the player moves it.
Placement StartingPlace(int t, int orient);

// Sets up figure CurrentFigure (which must be 1..FigureCount): target grid,
// triangles at their starting places, help already spent laid again. Draws
// nothing; the caller repaints. A damaged record is never stamped: the target
// stays empty, so the figure cannot be solved but can be left.
void SetupFigure(Game& game);

// Triangle t to its starting place in a freshly drawn orientation that fits.
void PlaceAtStart(Game& game, int t);

// Triangles 1..n (n = 0..8) to their places in the current figure's solution.
void PlaceHelpTriangles(Game& game, int n);

// First non-empty cell scanning rows from the top, columns from the left;
// false when the grid is empty.
bool FindAnchor(const Grid& grid, CellPos& anchor);

// True when every non-empty board cell, shifted by the difference of the two
// anchors, equals its target cell. Scans the grid at most twice, allocates nothing.
bool BoardMatchesTarget(const BoardState& board, CellPos targetAnchor);

// Run after each successful put-down while playing; on a match marks the figure
// solved, recolours the board and answers true: the window then plays cue 5,
// shows the solved message and refreshes the target.
bool CheckSolution(Game& game);

// Every triangle except the held one, in increasing order.
void DrawAllTriangles(Game& game, Rgb fill, Rgb line);

// The triangles' fill in every state: black while playing, green solved, red given up.
Rgb FillColour(GameState state);

// Next and previous figure; the same figure is set up anew at either end.
void FigureUp(Game& game);
void FigureDown(Game& game);

// One help step: clears the arrangement and lays two more triangles of the
// solution; the fourth step gives the figure up, and then answers true (the
// target's caption changes). Ignored unless playing. Ends the undo history.
bool TakeHelp(Game& game);

// The last put-down taken back, or the held triangle put back where the current
// step has it; and forward again. Only while playing; the progress, the saved
// game and the statistics are never touched. Answers Redraw (and a put-down
// cue) when the board changed.
Outcome UndoMove(Game& game);
Outcome RedoMove(Game& game);
