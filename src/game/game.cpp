#include "game/game.h"

#include <algorithm>

Placement StartingPlace(int t, int orient) {
    // Odd triangles wait on the left, even ones on the right, four rows of two.
    const int col = t % 2 ? 9 : 81;
    const int row = (t - 1) / 2 * 15 + 8;
    return {static_cast<uint8_t>(col), static_cast<uint8_t>(row), static_cast<uint8_t>(orient)};
}

void PlaceAtStart(Game& game, int t) {
    std::uniform_int_distribution<int> orientation(0, 15);
    Placement p;
    do {
        p = StartingPlace(t, orientation(game.random));
    } while (!TriangleFits(game.board, p.Col, p.Row, p.Orient));
    game.board.Triangles[t] = p;
    AddTriangle(game.board, t);
}

void PlaceHelpTriangles(Game& game, int n) {
    const FigureRecord& solution = game.data.Figures[0];
    if (!FigureOnBoard(game.data, 0)) return;
    for (int t = 1; t <= std::min(n, TriangleCount); ++t) {
        RemoveTriangle(game.board, t);
        game.board.Triangles[t] = solution[t - 1];
        AddTriangle(game.board, t);
    }
}

bool FindAnchor(const Grid& grid, CellPos& anchor) {
    for (int row = 0; row < GridRows; ++row)
        for (int col = 0; col < GridColumns; ++col)
            if (grid[col][row]) {
                anchor = {col, row};
                return true;
            }
    return false;
}

bool BoardMatchesTarget(const BoardState& board, CellPos targetAnchor) {
    CellPos boardAnchor;
    if (!FindAnchor(board.Board, boardAnchor)) return false;
    const int dc = targetAnchor.col - boardAnchor.col;
    const int dr = targetAnchor.row - boardAnchor.row;
    for (int col = 0; col < GridColumns; ++col)
        for (int row = 0; row < GridRows; ++row) {
            const uint8_t v = board.Board[col][row];
            if (!v) continue;
            const int tc = col + dc, tr = row + dr;
            if (tc < 0 || tc >= GridColumns || tr < 0 || tr >= GridRows) return false;
            if (board.Target[tc][tr] != v) return false;
        }
    return true;
}

void SetupFigure(Game& game) {
    GameData& data = game.data;
    BoardState& board = game.board;
    data.Figures[0] = data.Figures[data.CurrentFigure];
    data.Verdicts[0] = data.Verdicts[data.CurrentFigure];
    const FigureRecord& figure = data.Figures[0];

    board.Board = {};
    board.Target = {};
    const bool sound = FigureOnBoard(data, 0);
    if (sound)
        for (const Placement& p : figure)
            StampPlacement(board.Target, p);

    for (int t = 1; t <= TriangleCount; ++t)
        PlaceAtStart(game, t);

    const uint8_t progress = data.Progress[data.CurrentFigure];
    if (!IsFinished(progress)) PlaceHelpTriangles(game, 2 * HelpCount(progress));

    if (!FindAnchor(board.Target, game.TargetAnchor)) game.TargetAnchor = {0, 0};
    board.Selected = 0;
    game.LastHeld = 0;
    game.State = gsPlaying;
    StartHistory(game.history, board);
    game.view.EnableHelp(sound && !IsFinished(progress));
}

Rgb FillColour(GameState state) {
    switch (state) {
    case gsSolved:
        return Green;
    case gsGivenUp:
        return Red;
    default:
        return Black;
    }
}

void DrawAllTriangles(Game& game, Rgb fill, Rgb line) {
    for (int t = 1; t <= TriangleCount; ++t)
        if (t != game.board.Selected) game.painter.DrawTriangle(t, fill, line);
}

bool CheckSolution(Game& game) {
    if (!BoardMatchesTarget(game.board, game.TargetAnchor)) return false;
    game.State = gsSolved;
    DrawAllTriangles(game, Green, Grey);
    uint8_t& progress = game.data.Progress[game.data.CurrentFigure];
    if (!IsFinished(progress)) {
        progress |= FinishedBit;
        game.data.Dirty = true;
    }
    return true;
}

void FigureUp(Game& game) {
    if (game.data.CurrentFigure < game.data.FigureCount) ++game.data.CurrentFigure;
    SetupFigure(game);
}

void FigureDown(Game& game) {
    if (game.data.CurrentFigure > 1) --game.data.CurrentFigure;
    SetupFigure(game);
}

bool TakeHelp(Game& game) {
    // The help button is disabled for finished and damaged figures; the logic
    // refuses them too, so a stray call cannot turn a solved byte back into help.
    const uint8_t before = game.data.Progress[game.data.CurrentFigure];
    if (game.State != gsPlaying || IsFinished(before) || !FigureOnBoard(game.data, 0)) return false;
    BoardState& board = game.board;
    for (int t = 1; t <= TriangleCount; ++t)
        if (t != board.Selected) RemoveTriangle(board, t);
    board.Selected = 0;
    DrawAllTriangles(game, Silver, Silver);
    for (int t = 1; t <= TriangleCount; ++t)
        PlaceAtStart(game, t);

    uint8_t& progress = game.data.Progress[game.data.CurrentFigure];
    int h = HelpCount(progress);
    if (h < MaxHelpCount) ++h;
    const bool givenUp = h == MaxHelpCount;
    progress = givenUp ? GivenUpByte : static_cast<uint8_t>(h);
    if (givenUp) game.State = gsGivenUp;
    PlaceHelpTriangles(game, 2 * h);
    DrawAllTriangles(game, givenUp ? Red : Black, Grey);
    game.data.Dirty = true;
    StartHistory(game.history, board);
    return givenUp;
}

namespace {

Outcome Relaid(bool changed) {
    Outcome outcome;
    if (!changed) return outcome;
    outcome.Redraw = true;
    outcome.Play(Cue::PutDown);
    return outcome;
}

} // namespace

Outcome UndoMove(Game& game) {
    return Relaid(game.State == gsPlaying && UndoStep(game.history, game.board));
}

Outcome RedoMove(Game& game) {
    return Relaid(game.State == gsPlaying && RedoStep(game.history, game.board));
}
