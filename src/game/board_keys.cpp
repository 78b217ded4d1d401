#include "game/board_keys.h"

#include "board/orientation.h"
#include "game/pointer.h"

namespace {

Outcome PickNext(Game& game, int step) {
    Outcome outcome;
    if (game.board.Selected) {
        outcome = PutDownHeld(game);
        if (game.board.Selected || game.State != gsPlaying) return outcome;
    }
    const int from = game.LastHeld ? game.LastHeld : (step > 0 ? 0 : 1);
    const int next = (from - 1 + step + TriangleCount) % TriangleCount + 1;
    outcome.Merge(PickUpTriangle(game, next));
    return outcome;
}

Outcome Shift(Game& game, int dc, int dr) {
    if (!game.board.Selected) return {};
    const Placement& p = game.board.Triangles[game.board.Selected];
    return MoveSelected(game, p.Col + dc, p.Row + dr);
}

Outcome Turn(Game& game, int step) {
    if (!game.board.Selected) return {};
    const Placement& p = game.board.Triangles[game.board.Selected];
    return TurnSelectedTo(game, (p.Orient + step + OrientationCount) % OrientationCount);
}

Outcome PutBack(Game& game) {
    if (!game.board.Selected) return {};
    const int t = game.board.Selected;
    game.painter.DrawOutline(t);
    game.board.Triangles[t] = game.HeldFrom;
    game.painter.DrawOutline(t);
    return PutDownHeld(game); // it lay there before, so it fits
}

} // namespace

Outcome KeyOnBoard(Game& game, BoardKey key) {
    if (game.State != gsPlaying) return {};
    switch (key) {
    case BoardKey::NextTriangle:
        return PickNext(game, 1);
    case BoardKey::PreviousTriangle:
        return PickNext(game, -1);
    case BoardKey::Left:
        return Shift(game, -1, 0);
    case BoardKey::Right:
        return Shift(game, 1, 0);
    case BoardKey::Up:
        return Shift(game, 0, -1);
    case BoardKey::Down:
        return Shift(game, 0, 1);
    case BoardKey::TurnClockwise:
        return Turn(game, 1);
    case BoardKey::TurnAnticlockwise:
        return Turn(game, -1);
    case BoardKey::PutDown:
        return PutDownHeld(game);
    case BoardKey::PutBack:
        return PutBack(game);
    }
    return {};
}
