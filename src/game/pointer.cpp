#include "game/pointer.h"

#include "board/orientation.h"
#include "board/scaling.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

int DirectionStep(const Placement& p, int unit, int x, int y) {
    return RoundHalfEven(Angle(x - p.Col * unit, y - p.Row * unit) * 8 / Pi);
}

void BeginDrag(Game& game, PointerDrag& drag, int unit, int x, int y, int pc, int pr) {
    const Placement& p = game.board.Triangles[game.board.Selected];
    if (drag.DragZone == ZoneMove) {
        drag.DragDCol = p.Col - pc;
        drag.DragDRow = p.Row - pr;
    } else if (drag.DragZone == ZoneTurn) {
        BeginTurn(game, drag, unit, x, y);
    }
}

// Redraws the held outline at a new placement: two exclusive-or drawings, no repaint.
void ShiftOutline(Game& game, const Placement& to) {
    const int t = game.board.Selected;
    game.painter.DrawOutline(t);
    game.board.Triangles[t] = to;
    game.painter.DrawOutline(t);
}

} // namespace

int HitZone(const BoardState& board, int unit, int px, int py, int i) {
    const Placement& p = board.Triangles[i];
    if (!InsideTriangle(p, unit, px, py)) return ZoneOutside;
    const double ax = p.Col * unit - px, ay = p.Row * unit - py;
    return std::sqrt(ax * ax + ay * ay) >= 3.0 * unit ? ZoneTurn : ZoneMove;
}

Outcome PickUp(Game& game, int unit, int px, int py) {
    int under = 0;
    for (int i = 1; i <= TriangleCount; ++i)
        if (HitZone(game.board, unit, px, py, i) != ZoneOutside) under = i;
    game.board.Selected = 0;
    return under ? PickUpTriangle(game, under) : Outcome{};
}

Outcome PickUpTriangle(Game& game, int t) {
    BoardState& board = game.board;
    Outcome outcome;
    if (board.Selected || t < 1 || t > TriangleCount) return outcome;
    board.Selected = static_cast<uint8_t>(t);
    game.HeldFrom = board.Triangles[t];
    game.LastHeld = t;
    outcome.Picked = true;
    outcome.Play(Cue::PickUp);
    RemoveTriangle(board, t);
    game.painter.DrawTriangle(t, Silver, Silver);
    DrawAllTriangles(game, FillColour(game.State), Grey); // mends edges the erasing touched
    game.painter.DrawOutline(t);
    return outcome;
}

Outcome PutDownHeld(Game& game) {
    BoardState& board = game.board;
    Outcome outcome;
    const int t = board.Selected;
    if (!t) return outcome;
    const Placement& p = board.Triangles[t];
    if (!TriangleFits(board, p.Col, p.Row, p.Orient)) {
        outcome.Refused = true;
        outcome.Play(Cue::Refused);
        return outcome;
    }
    outcome.PutDown = true;
    outcome.Play(Cue::PutDown);
    AddTriangle(board, t);
    game.painter.DrawTriangle(t, FillColour(game.State), Grey);
    board.Selected = 0;
    if (CheckSolution(game)) {
        outcome.Solved = true;
        outcome.Play(Cue::Solved);
    } else {
        RecordPutDown(game.history, board);
    }
    return outcome;
}

Outcome MoveSelected(Game& game, int col, int row) {
    const BoardState& board = game.board;
    Outcome outcome;
    if (!board.Selected) return outcome;
    const Placement& p = board.Triangles[board.Selected];
    if (!TriangleInBounds(col, row, p.Orient) || (col == p.Col && row == p.Row)) return outcome;
    outcome.Moved = true;
    outcome.Play(Cue::MoveStep);
    ShiftOutline(game, {static_cast<uint8_t>(col), static_cast<uint8_t>(row), p.Orient});
    return outcome;
}

Outcome TurnSelectedTo(Game& game, int orient) {
    const BoardState& board = game.board;
    Outcome outcome;
    if (!board.Selected) return outcome;
    const Placement& p = board.Triangles[board.Selected];
    if (!TriangleInBounds(p.Col, p.Row, orient) || orient == p.Orient) return outcome;
    outcome.Turned = true;
    outcome.Play(Cue::TurnStep);
    ShiftOutline(game, {p.Col, p.Row, static_cast<uint8_t>(orient)});
    return outcome;
}

void BeginTurn(Game& game, PointerDrag& drag, int unit, int x, int y) {
    const Placement& p = game.board.Triangles[game.board.Selected];
    drag.TurnBase = DirectionStep(p, unit, x, y) + p.Orient;
}

Outcome TurnSelected(Game& game, const PointerDrag& drag, int unit, int x, int y) {
    const BoardState& board = game.board;
    if (!board.Selected) return {};
    const Placement& p = board.Triangles[board.Selected];
    int n = drag.TurnBase - DirectionStep(p, unit, x, y);
    while (n < 0)
        n += OrientationCount;
    return TurnSelectedTo(game, n % OrientationCount);
}

Outcome PressOnBoard(Game& game, PointerDrag& drag, int unit, PointerButton button, int x, int y) {
    Outcome outcome;
    if (game.State != gsPlaying || unit < 1) return outcome;
    BoardState& board = game.board;
    if (button == PointerButton::Right) {
        // A quick turn that plays no cue and leaves the drag as it was.
        if (!board.Selected) return outcome;
        const Placement& p = board.Triangles[board.Selected];
        const int turned = (p.Orient + 1) % OrientationCount;
        if (TriangleInBounds(p.Col, p.Row, turned)) {
            ShiftOutline(game, {p.Col, p.Row, static_cast<uint8_t>(turned)});
            outcome.Turned = true;
        }
        return outcome;
    }
    const int pc = x / unit, pr = y / unit;
    drag.DragDCol = drag.DragDRow = 0;
    if (pc < 0 || pc >= GridColumns || pr < 0 || pr >= GridRows) return outcome;

    if (board.Selected) {
        drag.DragZone = HitZone(board, unit, x, y, board.Selected);
        if (drag.DragZone == ZoneOutside)
            outcome = PutDownHeld(game);
        else
            BeginDrag(game, drag, unit, x, y, pc, pr);
    }
    // The same press that puts one triangle down may pick up the next.
    if (game.State != gsPlaying || board.Selected) return outcome;
    const Outcome picked = PickUp(game, unit, x, y);
    outcome.Merge(picked);
    if (!picked.Picked) return outcome;
    drag.DragZone = HitZone(board, unit, x, y, board.Selected);
    BeginDrag(game, drag, unit, x, y, pc, pr);
    return outcome;
}

int CursorZone(const Game& game, int unit, int x, int y) {
    const BoardState& board = game.board;
    if (!board.Selected || unit < 1) return -1;
    return HitZone(board, unit, x, y, board.Selected);
}

Outcome MoveOnBoard(Game& game, PointerDrag& drag, int unit, bool leftDown, int x, int y) {
    if (!game.board.Selected || unit < 1 || !leftDown) return {};
    const int pc = x / unit, pr = y / unit; // truncated towards zero, like a press
    if (drag.DragZone == ZoneMove)
        return MoveSelected(game, pc + drag.DragDCol, pr + drag.DragDRow);
    if (drag.DragZone == ZoneTurn) return TurnSelected(game, drag, unit, x, y);
    return {};
}
