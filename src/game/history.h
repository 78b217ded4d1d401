#pragma once

#include "board/board.h"

#include <cstddef>
#include <vector>

// Where the eight triangles lie; [0] unused, as in BoardState.
using Arrangement = std::array<Placement, TriangleCount + 1>;

// The put-downs of the current figure, undone and redone whole: a step is the
// arrangement after a put-down that changed it. Shifts and turns of the held
// triangle belong to the put-down that ends them.
struct History {
    std::vector<Arrangement> Steps; // [0] where the figure started or help left it
    size_t Current = 0;             // the step the board shows, held triangle aside
};

// The board's arrangement (nothing may be held) becomes the only step.
void StartHistory(History& history, const BoardState& board);

// After a put-down (nothing held): a new step unless the arrangement is the
// current one; the steps that could be redone are dropped. The oldest steps go
// once there are more than MaxHistorySteps.
inline constexpr size_t MaxHistorySteps = 4096;
void RecordPutDown(History& history, const BoardState& board);

// Undo while a triangle is held puts it back where the current step has it.
bool CanUndo(const History& history, const BoardState& board);
bool CanRedo(const History& history, const BoardState& board);

// Lays the board out as the previous or next step, nothing held; false and
// unchanged when there is none.
bool UndoStep(History& history, BoardState& board);
bool RedoStep(History& history, BoardState& board);
