#include "game/history.h"

namespace {

Arrangement Current(const BoardState& board) {
    return board.Triangles;
}

void LayOut(BoardState& board, const Arrangement& steps) {
    board.Board = {};
    board.Selected = 0;
    board.Triangles = steps;
    for (int t = 1; t <= TriangleCount; ++t)
        StampPlacement(board.Board, board.Triangles[t]);
}

} // namespace

void StartHistory(History& history, const BoardState& board) {
    history.Steps.assign(1, Current(board));
    history.Current = 0;
}

void RecordPutDown(History& history, const BoardState& board) {
    if (history.Steps.empty()) return StartHistory(history, board);
    if (history.Steps[history.Current] == Current(board)) return;
    history.Steps.resize(history.Current + 1);
    history.Steps.push_back(Current(board));
    if (history.Steps.size() > MaxHistorySteps) history.Steps.erase(history.Steps.begin());
    history.Current = history.Steps.size() - 1;
}

bool CanUndo(const History& history, const BoardState& board) {
    return !history.Steps.empty() && (board.Selected || history.Current > 0);
}

bool CanRedo(const History& history, const BoardState&) {
    return history.Current + 1 < history.Steps.size();
}

bool UndoStep(History& history, BoardState& board) {
    if (!CanUndo(history, board)) return false;
    if (!board.Selected) --history.Current;
    LayOut(board, history.Steps[history.Current]);
    return true;
}

bool RedoStep(History& history, BoardState& board) {
    if (!CanRedo(history, board)) return false;
    LayOut(board, history.Steps[++history.Current]);
    return true;
}
