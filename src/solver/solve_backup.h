// What a solve command changes before it hands its result to mainBoard: workBoard, the
// rating state (difficulty and the counters), the answer check's fault position, and
// mainBoard's lattice, which the colour rules use as scratch space. A command that may be
// cancelled keeps these first and puts them back when its solve was cancelled.
#pragma once

#include "model/puzzle_state.h"

namespace vexilo {

class SolveBackup {
  public:
    // workBoard is copied into state.workBoardBackup, allocated at the first call.
    void keep(PuzzleState& state);

    // Everything as keep() found it; mainBoard's lattice is rebuilt from its own log,
    // without drawing.
    void restore(PuzzleState& state) const;

  private:
    Difficulty difficulty_;
    int errorX_ = 0;
    int errorY_ = 0;
    int effortScore_ = 0;
    int effortBeforeTrials_ = 0;
    int trialPasses_ = 0;
    int ruleUsage_ = 0;
    int startPatternsDone_ = 0;
};

}  // namespace vexilo
