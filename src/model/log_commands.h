// The user's log buttons on mainBoard: memorise, restore, undo one move, back to the start.
// Each does nothing without a puzzle where the button would need one.
#pragma once

namespace vexilo {

struct PuzzleState;

// "記憶": closes a step after the moves made since the last one.
void memorise(PuzzleState& state);
// "戻す": throws away everything after the last memorised position.
void restoreMemorised(PuzzleState& state);
// "一手戻す": drops the last move; never crosses a step marker.
void undoOneMove(PuzzleState& state);
// "最初": empties the log.
void backToStart(PuzzleState& state);
// Enables the undo button exactly when the last entry is a move.
void refreshUndoButton(PuzzleState& state);

}  // namespace vexilo
