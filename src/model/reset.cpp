#include "model/reset.h"

#include "model/log_commands.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"

namespace vexilo {

void resetPuzzle(PuzzleState& state) {
    state.puzzleWidth = 0;
    state.puzzleHeight = 0;
    state.difficulty = Difficulty{};
    state.drawEnabled = 1;
    state.fileName.clear();
    state.colourBitmap.resize(1, 1);  // the plain picture keeps its size
    state.zoom = 1;
    resetMoveLog(*state.mainBoard);
    state.frontend.puzzleReset();
    state.frontend.setCaption(kProgramCaption);
    state.frontend.setStepCount(0);
    undoOneMove(state);  // finds nothing to undo and disables its button
}

}  // namespace vexilo
