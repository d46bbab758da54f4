#include "solver/solve_backup.h"

#include "model/rebuild.h"
#include "model/zeroed_block.h"

namespace vexilo {

void SolveBackup::keep(PuzzleState& state) {
    if (!state.workBoardBackup) state.workBoardBackup = allocateZeroed<Board>();
    *state.workBoardBackup = *state.workBoard;
    difficulty_ = state.difficulty;
    errorX_ = state.errorX;
    errorY_ = state.errorY;
    effortScore_ = state.effortScore;
    effortBeforeTrials_ = state.effortBeforeTrials;
    trialPasses_ = state.trialPasses;
    ruleUsage_ = state.ruleUsage;
    startPatternsDone_ = state.startPatternsDone;
}

void SolveBackup::restore(PuzzleState& state) const {
    *state.workBoard = *state.workBoardBackup;
    state.difficulty = difficulty_;
    state.errorX = errorX_;
    state.errorY = errorY_;
    state.effortScore = effortScore_;
    state.effortBeforeTrials = effortBeforeTrials_;
    state.trialPasses = trialPasses_;
    state.ruleUsage = ruleUsage_;
    state.startPatternsDone = startPatternsDone_;
    const int drawEnabled = state.drawEnabled;
    state.drawEnabled = 0;
    rebuildBoard(state, *state.mainBoard, *state.mainBoard);
    state.drawEnabled = drawEnabled;
}

}  // namespace vexilo
