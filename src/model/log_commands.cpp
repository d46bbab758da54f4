#include "model/log_commands.h"

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"

namespace vexilo {

void memorise(PuzzleState& state) {
    if (state.W() == 0) return;
    Board& board = *state.mainBoard;
    if (isMarker(board.lastEntry())) return;
    openStep(board, state.frontend);
    state.frontend.setStepCount(board.stepCount);
}

void restoreMemorised(PuzzleState& state) {
    if (state.W() == 0) return;
    state.frontend.setStepCount(dropLastStep(*state.mainBoard));
    rebuildBoard(state, *state.mainBoard, *state.mainBoard);
}

void undoOneMove(PuzzleState& state) {
    Board& board = *state.mainBoard;
    if (removeLastMove(board)) {
        rebuildBoard(state, board, board);
        if (isMove(board.lastEntry())) return;
    }
    state.frontend.setUndoEnabled(false);
}

void backToStart(PuzzleState& state) {
    Board& board = *state.mainBoard;
    resetMoveLog(board);
    state.frontend.setStepCount(0);
    rebuildBoard(state, board, board);
}

void refreshUndoButton(PuzzleState& state) {
    state.frontend.setUndoEnabled(isMove(state.mainBoard->lastEntry()));
}

}  // namespace vexilo
